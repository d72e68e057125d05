# SPDX-License-Identifier: BSD-3-Clause
# Installation and the Debian package:
#   cmake --install build --prefix /usr/local
#   make package            (a .deb in build/, installed prefix /usr)
#   make package-check      (the package through lintian, and the desktop files through their validators)
include(GNUInstallDirs)

set(zephon_programs zephon-cli)
if(TARGET zephon)
  list(APPEND zephon_programs zephon)
endif()
install(TARGETS ${zephon_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The programs find their background-curve files in <prefix>/share/zephon/Resources.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/Resources DESTINATION ${CMAKE_INSTALL_DATADIR}/zephon)
install(FILES ${CMAKE_SOURCE_DIR}/examples/inclusions.inc ${CMAKE_SOURCE_DIR}/examples/fluid_model.flu
              ${CMAKE_SOURCE_DIR}/examples/correlation.abe
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zephon/examples)

# ---- the desktop: entry, file types, software-centre description, icons ----
set(zephon_desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${zephon_desktop}/zephon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zephon_desktop}/zephon-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME zephon.xml)
install(FILES ${zephon_desktop}/zephon.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.zephon.zephon.metainfo.xml)
install(FILES ${zephon_desktop}/zephon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Menus, docks and software centres that take no SVG find a PNG of the size they show, drawn from
# the SVG at build time.
find_program(ZEPHON_RSVG_CONVERT rsvg-convert REQUIRED)
set(zephon_icons)
foreach(size 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/zephon.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
                     COMMAND ${ZEPHON_RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
                             ${zephon_desktop}/zephon.svg
                     DEPENDS ${zephon_desktop}/zephon.svg VERBATIM)
  list(APPEND zephon_icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(zephon-icons ALL DEPENDS ${zephon_icons})

# ---- the shell: completion of zephon-cli, made by tools/ from the tool's own tables ----
install(FILES ${CMAKE_BINARY_DIR}/zephon-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zephon-cli)

# ---- manual pages and the user manual ----
# Written in docs/: the manual pages in troff, the user manual in HTML (the desktop program also
# carries the manual inside itself for Help > Contents).
set(zephon_manual_pages)
foreach(program IN LISTS zephon_programs)
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND gzip -9n --stdout ${CMAKE_SOURCE_DIR}/docs/man/${program}.1 > ${page}
                     DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/${program}.1)
  list(APPEND zephon_manual_pages ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(zephon-manual-pages ALL DEPENDS ${zephon_manual_pages})
install(FILES ${CMAKE_SOURCE_DIR}/docs/manual/zephon-manual.html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zephon)
# Registered with the system's documentation index (doc-base), which names the manual by its
# installed path: written when installing, once the prefix is known.
install(CODE "set(ZEPHON_DOC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/doc/zephon\")
  configure_file(\"${CMAKE_SOURCE_DIR}/resources/debian/zephon-manual.doc-base.in\"
                 \"${CMAKE_BINARY_DIR}/zephon-manual.doc-base\" @ONLY)")
install(FILES ${CMAKE_BINARY_DIR}/zephon-manual.doc-base DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base
        RENAME zephon-manual)

# ---- what Debian wants beside the programs ----
# The licence in Debian's machine-readable form, and the history as a compressed Debian changelog
# (the version has no Debian revision, so it is a native package's changelog.gz).
set(zephon_doc ${CMAKE_INSTALL_DATADIR}/doc/zephon)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9n --stdout ${CMAKE_SOURCE_DIR}/resources/debian/changelog
                           > ${CMAKE_BINARY_DIR}/changelog.gz
                   DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog)
add_custom_target(zephon-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${zephon_doc})
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zephon)
# A stripped install (the package's) also drops the compiler's notes, as Debian's own tools do.
foreach(program IN LISTS zephon_programs)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
endforeach()

# The version is the project's; the release history of the software centres and of Debian must
# begin with it.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/debian/changelog zephon_last_change LIMIT_COUNT 1)
file(READ ${zephon_desktop}/zephon.metainfo.xml zephon_metainfo)
if(NOT zephon_last_change MATCHES "^zephon \\(${PROJECT_VERSION}\\) "
   OR NOT zephon_metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "resources/debian/changelog and zephon.metainfo.xml must begin their releases "
                      "with the project's version ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zephon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zephon developers")
set(CPACK_PACKAGE_CONTACT "Zephon developers <developers@zephon.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Petroleum fluid inclusions: oil models, phase envelopes, isochores")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zephon.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# CPack puts the summary first and indents these lines; they are kept under 80 characters, as
# Debian's tools show them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "From what is measured on an oil inclusion under the microscope, Zephon
models the trapped oil with a Peng-Robinson equation of state, traces the
alpha-beta curve of every oil that fits the measurements, and builds fluid
models, phase envelopes, isochores, trapping pressures and
bubble-size-versus-temperature plots.

The package holds the desktop program zephon and the command-line tool
zephon-cli.")
# The Python module is a second package from the same run: python3-zephon, beside the programs'
# package zephon (the component of everything installed without a component name).
if(TARGET zephon_python)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME zephon)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-zephon)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${ZEPHON_PYTHON_DEPENDS}")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS "zephon (= ${CPACK_PACKAGE_VERSION})")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-pandas, python3-matplotlib")
  # CPack puts the summary above, as for the programs' package.
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION
      "The Python 3 module zephon runs Zephon's calculations from Python scripts and
notebooks: oil models with a Peng-Robinson equation of state, phase
envelopes, isochores, trapping conditions from coeval aqueous inclusions,
alpha-beta curves of oil inclusions and their crossings. It reads and
writes Zephon's files; curves come as numpy arrays.")
  set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
endif()
include(CPack)
