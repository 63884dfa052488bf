# Install rules and the Debian package (./dev package). The program goes to bin; the
# desktop entry, the icon and the AppStream metainfo go where desktop environments and
# software centres look for them, all named after the application id.
if(NOT UNIX OR APPLE)
  return()
endif()

include(GNUInstallDirs)

set(KNEEBRACE_APP_ID "org.kneebrace.kneebrace")
set(KNEEBRACE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
# The calculator icon that the Calculate button shows is the program's icon as well.
set(KNEEBRACE_ICON ${CMAKE_CURRENT_LIST_DIR}/../assets/calc.svg)

if(TARGET kneebrace)
  # Qt's project setup gives installed programs the run path $ORIGIN/../lib for
  # bundled Qt libraries; the package uses the system's, found without one.
  set_target_properties(kneebrace PROPERTIES INSTALL_RPATH "")
  install(TARGETS kneebrace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${KNEEBRACE_PACKAGING_DIR}/${KNEEBRACE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KNEEBRACE_PACKAGING_DIR}/${KNEEBRACE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence goes where Debian looks for it.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kneebrace RENAME copyright)

# The manual page and the changelog, compressed as Debian installs them: gzip -9, with no
# name or time stamp in the header, so that the same sources give the same package.
find_program(KNEEBRACE_GZIP gzip)
if(KNEEBRACE_GZIP)
  set(kneebrace_docs ${CMAKE_BINARY_DIR}/packaging)
  configure_file(${KNEEBRACE_PACKAGING_DIR}/kneebrace.1.in ${kneebrace_docs}/kneebrace.1 @ONLY)
  configure_file(${KNEEBRACE_PACKAGING_DIR}/debian/changelog ${kneebrace_docs}/changelog COPYONLY)
  add_custom_command(OUTPUT ${kneebrace_docs}/kneebrace.1.gz ${kneebrace_docs}/changelog.gz
    COMMAND ${KNEEBRACE_GZIP} -9nkf kneebrace.1 changelog
    WORKING_DIRECTORY ${kneebrace_docs}
    DEPENDS ${kneebrace_docs}/kneebrace.1 ${kneebrace_docs}/changelog
    COMMENT "Compressing the manual page and the changelog"
    VERBATIM)
  add_custom_target(kneebrace_package_docs ALL
    DEPENDS ${kneebrace_docs}/kneebrace.1.gz ${kneebrace_docs}/changelog.gz)
  install(FILES ${kneebrace_docs}/kneebrace.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # The package is native (its version has no Debian revision): changelog.gz, not
  # changelog.Debian.gz.
  install(FILES ${kneebrace_docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kneebrace)
else()
  message(STATUS "gzip not found: the package has no manual page and no changelog")
endif()
# The Maintainer field has no public mail address (there is none yet); lintian is told
# so, with the reason in the file.
install(FILES ${KNEEBRACE_PACKAGING_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME kneebrace)
if(EXISTS ${KNEEBRACE_ICON})
  install(FILES ${KNEEBRACE_ICON}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${KNEEBRACE_APP_ID}.svg)
else()
  message(STATUS "No icon at ${KNEEBRACE_ICON}: the package has none")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kneebrace)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "kneebrace developers <kneebrace@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "knee brace check for steel portal frames")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator that checks the knee brace (隅撑) of a steel portal frame:\n"
    "an equal-leg angle bolted between a purlin and the lower flange of an H-beam.\n"
    "It writes a Simplified-Chinese calculation report with seven checks.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the program links: libqt6widgets6, libqt6gui6,
# libqt6printsupport6 (printing, PDF export), libqt6core6 and the C++ runtime. What it
# loads at run time is named here: the SVG plugins for the artwork, the Song face for the
# Chinese captions and Qt's Chinese translation for the message box buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-arphic-uming, qt6-translations-l10n")
include(CPack)
