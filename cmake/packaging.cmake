# What `cmake --install` puts beside the programs, and the .deb that CPack
# builds from it (scripts/package.sh).
include(GNUInstallDirs)

set(BV_DATA_DIR ${CMAKE_INSTALL_DATADIR}/brisvane-viraraz)
install(FILES
    resources/samples/sample.htx
    resources/samples/ticker.htm
    resources/samples/ticker.js
  DESTINATION ${BV_DATA_DIR}/samples)
install(FILES resources/help/Viraraz.hlp DESTINATION ${BV_DATA_DIR})
install(FILES resources/man/viraraz.1 resources/man/hollit.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/systemd/brisvane-viraraz.service
  DESTINATION lib/systemd/user)
install(FILES resources/systemd/brisvane-viraraz@.service
  DESTINATION lib/systemd/system)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brisvane-viraraz)
set(CPACK_PACKAGE_VENDOR "Brisvane Viraraz developers")
set(CPACK_PACKAGE_CONTACT "Brisvane Viraraz developers <maintainers@brisvane-viraraz.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Desktop companion for personal weather stations: publish, log and page")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ppp, python3-pyftpdlib")
include(CPack)
