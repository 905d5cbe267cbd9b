# SPDX-License-Identifier: GPL-3.0-or-later
# A window class derives from its generated form (ui_<Form>.h, made by AUTOUIC), so every user
# of a library of windows needs the folder AUTOUIC writes those headers into. That folder is
# <AUTOGEN_BUILD_DIR>/include, or include_<config> with a multi-config generator.
function(kartak_share_forms target)
  set(autogen_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms)
  set_target_properties(${target} PROPERTIES AUTOGEN_BUILD_DIR ${autogen_dir})
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  if(multi_config)
    target_include_directories(${target} INTERFACE
      "$<BUILD_INTERFACE:${autogen_dir}/include_$<CONFIG>>")
  else()
    target_include_directories(${target} INTERFACE "$<BUILD_INTERFACE:${autogen_dir}/include>")
  endif()
endfunction()
