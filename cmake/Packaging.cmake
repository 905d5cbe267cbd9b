# Installation and the Debian package.
#
# The program finds its text files and sounds by bare name in its current directory, so they are
# installed beside the executable, in one program folder; the desktop entry starts the program in
# that folder, and bin/kartak2 is a small launcher that does the same from a terminal.
include(GNUInstallDirs)

if(WIN32 OR APPLE)
  set(KARTAK_INSTALL_APPDIR ".")
else()
  set(KARTAK_INSTALL_APPDIR "lib/kartak2")
endif()

install(TARGETS kartak2
  RUNTIME DESTINATION ${KARTAK_INSTALL_APPDIR}
  BUNDLE DESTINATION .)
install(FILES ${KARTAK_DATA_FILES} DESTINATION ${KARTAK_INSTALL_APPDIR})

if(UNIX AND NOT APPLE)
  # The entry and the launcher name the program folder, which is known only at install time
  # (cmake --install --prefix, or the package's /usr).
  install(CODE "
    set(KARTAK_APPDIR_ABSOLUTE \"\${CMAKE_INSTALL_PREFIX}/${KARTAK_INSTALL_APPDIR}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/kartak2.desktop.in\"
      \"${CMAKE_BINARY_DIR}/packaging/kartak2.desktop\" @ONLY)
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/kartak2.sh.in\"
      \"${CMAKE_BINARY_DIR}/packaging/kartak2\" @ONLY)
  ")
  install(FILES ${CMAKE_BINARY_DIR}/packaging/kartak2.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/kartak2 DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The icon theme's whole tree: every size from 16 to 512 px and the scalable SVG.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

set(CPACK_PACKAGE_NAME "kartak2")
set(CPACK_PACKAGE_VENDOR "Tým Karták II")
set(CPACK_PACKAGE_CONTACT "Tým Karták II <info@kartak2.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Character sheet generator for the Czech role-playing game Dračí Doupě")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Karták II")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kartak2.cz")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6multimedia6 (>= 6.4), qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
