# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and packages.
#
# The program opens its text files and sounds by bare name in its current directory; at
# start-up it makes its data folder the current directory, looking beside the executable, in
# ../share/kartak2 and ../share/games/kartak2 from the executable's folder, and in a macOS
# bundle's Contents/Resources. Every install below lays the files out so, with paths relative
# to the prefix only, so an installed tree can be moved as a whole.
#
#   Linux and other Unix   games/kartak2, share/games/kartak2/<data> (KARTAK_INSTALL_GAMES=ON, the
#                          Debian layout) or bin/kartak2, share/kartak2/<data>; the sound output
#                          and printing modules lib/kartak2/modules/kartak2-{audio,print}.so;
#                          the desktop entry, AppStream metadata, icons, manual page and
#                          documentation
#   Windows                bin/kartak2.exe with its data beside it, and Qt's libraries and
#                          plugins put there by Qt's deploy script
#   macOS                  kartak2.app, its data in Contents/Resources, Qt's frameworks and
#                          plugins put into the bundle by Qt's deploy script
include(GNUInstallDirs)

set(KARTAK_APP_ID "cz.kartak2.Kartak2")
# The Debian revision of the package; packaging/changelog's newest entry must name it.
set(KARTAK_DEB_RELEASE 1)

# The files that carry the version besides CMakeLists.txt must agree with it, so that a new
# version cannot be packaged with an old changelog entry, manual page or release note.
foreach(pair "packaging/changelog|kartak2 (${PROJECT_VERSION}-${KARTAK_DEB_RELEASE})"
             "packaging/cz.kartak2.Kartak2.metainfo.xml|<release version=\"${PROJECT_VERSION}\""
             "packaging/kartak2.6|\"Karták II ${PROJECT_VERSION}\"")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 file)
  list(GET pair 1 expected)
  file(READ ${CMAKE_SOURCE_DIR}/${file} text)
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} does not name version ${PROJECT_VERSION}: add '${expected}'")
  endif()
endforeach()

if(APPLE)
  install(TARGETS kartak2 BUNDLE DESTINATION .)
elseif(WIN32)
  install(TARGETS kartak2 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  foreach(module kartak2-audio kartak2-print)
    if(TARGET ${module})
      install(TARGETS ${module} LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
  endforeach()
  install(FILES ${KARTAK_DATA_FILES} DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME LICENSE.txt)
else()
  option(KARTAK_INSTALL_GAMES "Install into games/ and share/games/ (Debian), else bin/, share/" ON)
  if(KARTAK_INSTALL_GAMES)
    set(KARTAK_INSTALL_PROGRAMDIR "games")
    set(KARTAK_INSTALL_DATADIR "share/games/kartak2")
  else()
    set(KARTAK_INSTALL_PROGRAMDIR "bin")
    set(KARTAK_INSTALL_DATADIR "share/kartak2")
  endif()
  install(TARGETS kartak2 RUNTIME DESTINATION ${KARTAK_INSTALL_PROGRAMDIR})
  foreach(module kartak2-audio kartak2-print)
    if(TARGET ${module})
      # Where the program looks for it: ../lib/kartak2/modules from its own folder. A folder
      # below lib/kartak2, since a shared object right in lib/<name> makes the package run
      # ldconfig.
      install(TARGETS ${module} LIBRARY DESTINATION lib/kartak2/modules)
    endif()
  endforeach()
  install(FILES ${KARTAK_DATA_FILES} DESTINATION ${KARTAK_INSTALL_DATADIR})

  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${KARTAK_APP_ID}.desktop
    DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${KARTAK_APP_ID}.metainfo.xml
    DESTINATION share/metainfo)
  # Every size (and a scalable one) that data/icons holds.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/icons/hicolor DESTINATION share/icons
    FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")

  # The manual page and the changelog go compressed, as Debian wants them: gzip -9n leaves no
  # name or time stamp in the file, so the package is reproducible.
  find_program(KARTAK_GZIP gzip REQUIRED)
  set(docs)
  foreach(source kartak2.6 changelog)
    set(copy ${CMAKE_BINARY_DIR}/packaging/${source})
    add_custom_command(OUTPUT ${copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${source} ${copy}
      COMMAND ${KARTAK_GZIP} -9nf ${copy}
      DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
      VERBATIM)
    list(APPEND docs ${copy}.gz)
  endforeach()
  add_custom_target(kartak_docs ALL DEPENDS ${docs})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/kartak2.6.gz DESTINATION share/man/man6)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION share/doc/kartak2 RENAME changelog.Debian.gz)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/kartak2)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
    DESTINATION share/lintian/overrides RENAME kartak2)
endif()

# On Windows and macOS, Qt's deploy script copies the Qt libraries and plugins the program
# needs into the installed folder or bundle (windeployqt, macdeployqt). Linux distributions
# provide Qt themselves.
if(WIN32 OR APPLE)
  qt_generate_deploy_app_script(TARGET kartak2 FILENAME_VARIABLE kartak_deploy_script
    NO_UNSUPPORTED_PLATFORM_ERROR)
  install(SCRIPT ${kartak_deploy_script})
endif()

set(CPACK_PACKAGE_NAME "kartak2")
set(CPACK_PACKAGE_VENDOR "Tým Karták II")
set(CPACK_PACKAGE_CONTACT "Tým Karták II <info@kartak2.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Character sheet generator for the Czech role-playing game Dračí Doupě")
# The package's long description, wrapped for Debian's 80 columns.
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/packaging/description.txt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Karták II")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_EXECUTABLES "kartak2" "Karták II")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # An installer (NSIS, which must be installed) and a ZIP of the same folder.
  set(CPACK_GENERATOR "NSIS;ZIP")
  set(CPACK_NSIS_DISPLAY_NAME "Karták II")
  set(CPACK_NSIS_PACKAGE_NAME "Karták II")
  set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/data/art/app.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\kartak2.exe")
  set(CPACK_NSIS_URL_INFO_ABOUT "https://www.kartak2.cz")
  set(CPACK_NSIS_CONTACT "info@kartak2.cz")
elseif(APPLE)
  set(CPACK_GENERATOR "DragNDrop")
  set(CPACK_DMG_VOLUME_NAME "Karták II")
else()
  set(CPACK_GENERATOR "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_RELEASE ${KARTAK_DEB_RELEASE})
  set(CPACK_DEBIAN_PACKAGE_SECTION "games")
  set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kartak2.cz")
  # The libraries the program links come from dpkg-shlibdeps; Qt loads its platform plugins and
  # the program draws with Liberation fonts, which no library names.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
endif()
include(CPack)
