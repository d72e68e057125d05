# Installation and the Debian package:
#   cmake --install build --prefix /usr/local
#   make package            (a .deb in build/, installed prefix /usr)
include(GNUInstallDirs)

set(zephon_programs zephon-cli)
if(TARGET zephon)
  list(APPEND zephon_programs zephon)
endif()
install(TARGETS ${zephon_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The programs find their background-curve files in <prefix>/share/zephon/Resources.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/Resources DESTINATION ${CMAKE_INSTALL_DATADIR}/zephon)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/zephon.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/zephon-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME zephon.xml)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/zephon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/examples/inclusions.inc ${CMAKE_SOURCE_DIR}/examples/fluid_model.flu
              ${CMAKE_SOURCE_DIR}/examples/correlation.abe
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zephon/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zephon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.0)
set(CPACK_PACKAGE_VENDOR "Zephon")
set(CPACK_PACKAGE_CONTACT "Zephon team <zephon@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Petroleum fluid inclusions: oil models, phase envelopes, isochores")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "From what is measured on an oil inclusion under the microscope, Zephon models the trapped oil with a Peng-Robinson equation of state, traces the alpha-beta curve of every oil that fits the measurements, and builds fluid models, phase envelopes, isochores, trapping pressures and bubble-size-versus-temperature plots. The package holds the desktop program zephon and the command-line tool zephon-cli.")
include(CPack)
