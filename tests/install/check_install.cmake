# SPDX-License-Identifier: GPL-3.0-or-later
file(REMOVE_RECURSE ${STAGE})
set(config_args)
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE} ${config_args}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

function(expect_file path)
  if(NOT EXISTS ${STAGE}/${path} OR IS_DIRECTORY ${STAGE}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endfunction()

# The program in games/, its data in share/games/kartak2 and its sound and printing modules in
# lib/kartak2/modules, where it looks from there.
expect_file(games/kartak2)
expect_file(lib/kartak2/modules/kartak2-audio.so)
expect_file(lib/kartak2/modules/kartak2-print.so)
set(datadir share/games/kartak2)
foreach(file version.ktd about.ktd Beta.ktd tips.ktd Problem.wav Success.wav)
  expect_file(${datadir}/${file})
endforeach()
# The installed data files are the built ones, byte for byte.
foreach(file version.ktd tips.ktd about.ktd Success.wav)
  file(SHA256 ${STAGE}/${datadir}/${file} installed)
  file(SHA256 ${RUNTIME_DIR}/${file} built)
  if(NOT installed STREQUAL built)
    message(FATAL_ERROR "${file} changed on installation")
  endif()
endforeach()
# No launcher script any more, and nothing else in the program's folder.
file(GLOB programs RELATIVE ${STAGE}/games ${STAGE}/games/*)
if(NOT programs STREQUAL "kartak2")
  message(FATAL_ERROR "games/ holds ${programs}, not the program alone")
endif()
if(EXISTS ${STAGE}/bin)
  message(FATAL_ERROR "a bin/ folder was installed")
endif()

# Every icon in the source tree is installed, whatever sizes it holds.
file(GLOB_RECURSE icons RELATIVE ${SOURCE_DIR}/data/icons/hicolor
  ${SOURCE_DIR}/data/icons/hicolor/*.png ${SOURCE_DIR}/data/icons/hicolor/*.svg)
if(NOT icons)
  message(FATAL_ERROR "no icons in data/icons/hicolor")
endif()
foreach(icon ${icons})
  expect_file(share/icons/hicolor/${icon})
endforeach()
if(NOT EXISTS ${STAGE}/share/icons/hicolor/scalable/apps/kartak2.svg)
  message(FATAL_ERROR "missing the scalable icon")
endif()

set(entry_file share/applications/cz.kartak2.Kartak2.desktop)
expect_file(${entry_file})
file(READ ${STAGE}/${entry_file} entry)
foreach(line "Name=Karták II" "Categories=Game;RolePlaying;" "Icon=kartak2" "Exec=kartak2")
  string(FIND "${entry}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks '${line}':\n${entry}")
  endif()
endforeach()
string(FIND "${entry}" "\nKeywords=" at)
if(at EQUAL -1)
  message(FATAL_ERROR "desktop entry has no Keywords:\n${entry}")
endif()
# The program finds its folder itself; an entry naming it would tie the install to one place.
string(FIND "${entry}" "\nPath=" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "desktop entry names a working folder:\n${entry}")
endif()

set(metainfo_file share/metainfo/cz.kartak2.Kartak2.metainfo.xml)
expect_file(${metainfo_file})
file(READ ${STAGE}/${metainfo_file} metainfo)
foreach(text "<id>cz.kartak2.Kartak2</id>"
             "<launchable type=\"desktop-id\">cz.kartak2.Kartak2.desktop</launchable>"
             "<project_license>GPL-3.0-or-later</project_license>")
  string(FIND "${metainfo}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "metainfo lacks ${text}")
  endif()
endforeach()

# The documents Debian asks for; the compressed ones really gzip files.
expect_file(share/doc/kartak2/copyright)
foreach(gz share/man/man6/kartak2.6.gz share/doc/kartak2/changelog.Debian.gz)
  expect_file(${gz})
  file(READ ${STAGE}/${gz} magic LIMIT 8 HEX)
  # 1f 8b: gzip; 08: deflate; 00: no name stored; then a time stamp of 0.
  if(NOT magic STREQUAL "1f8b080000000000")
    message(FATAL_ERROR "${gz} is not gzip -n output (starts ${magic})")
  endif()
endforeach()
file(READ ${STAGE}/share/doc/kartak2/copyright copyright)
string(FIND "${copyright}" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "copyright is not machine-readable")
endif()

# Relocatable: no installed file names the folder it was installed into; none but the program
# and its modules (whose debugging information names their sources) names the build tree.
file(GLOB_RECURSE installed ${STAGE}/*)
foreach(path ${installed})
  if(path STREQUAL "${STAGE}/games/kartak2" OR
     path STREQUAL "${STAGE}/lib/kartak2/modules/kartak2-audio.so" OR
     path STREQUAL "${STAGE}/lib/kartak2/modules/kartak2-print.so")
    file(STRINGS ${path} hits REGEX "${STAGE}")
  else()
    file(STRINGS ${path} hits REGEX "${STAGE}|${BUILD_DIR}")
  endif()
  if(hits)
    message(FATAL_ERROR "${path} names an absolute path: ${hits}")
  endif()
endforeach()
