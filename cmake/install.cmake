# What `cmake --install` puts under the prefix, and the Debian package cpack builds from it.
include(GNUInstallDirs)

install(TARGETS lumo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(tool lumo-score lumo-unit lumo-archive lumo-export)
  install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
# The defaults a new data home is seeded from; the program finds them beside itself.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lumo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lumo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/src/images/logo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME lumo.svg)

set(CPACK_PACKAGE_NAME lumo)
set(CPACK_PACKAGE_VENDOR "Lumo")
set(CPACK_PACKAGE_CONTACT "Lumo developers <lumo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Polygraph examination workstation")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Keeps a register of examinees, prepares question sets, runs psychophysiological tests through a "
       "multi-channel sensor unit on a serial port, scores the charts and reaches a decision per exam.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries the programs link give the Qt runtime packages; the
# platform plugins, the SVG image plugin and a font are loaded at run time, so they are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core")
include(CPack)
