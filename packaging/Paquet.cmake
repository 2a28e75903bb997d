# The Debian package: cpack -G DEB in the build folder writes quorvan_<version>_amd64.deb
# with both programs, the analysis plugin, the desktop entry, the icons, the AppStream
# metadata, the licence and the changelog; its dependencies come from the binaries.
include(GNUInstallDirs)

# The files that carry the version number take it from QUORVAN_VERSION.
set(genere ${PROJECT_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorvan.metainfo.xml.in
               ${genere}/org.quorvan.Quorvan.metainfo.xml @ONLY)
install(FILES ${genere}/org.quorvan.Quorvan.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvan)
# Debian wants the changelog compressed, reproducibly (no name, no time in the header).
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${genere}/changelog @ONLY)
add_custom_command(
    OUTPUT ${genere}/changelog.gz
    COMMAND gzip -9nc ${genere}/changelog > ${genere}/changelog.gz
    DEPENDS ${genere}/changelog)
add_custom_target(quorvan_changelog ALL DEPENDS ${genere}/changelog.gz)
install(FILES ${genere}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvan)

set(CPACK_PACKAGE_NAME quorvan)
set(CPACK_PACKAGE_VERSION ${QUORVAN_VERSION})
set(CPACK_PACKAGE_VENDOR "Les développeurs de Quorvan")
set(CPACK_PACKAGE_CONTACT "Les développeurs de Quorvan <contact@quorvan.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "active op-amp filter designer")
# After the summary, which cpack puts first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quorvan designs active analogue filters built from operational amplifiers:
Bessel, Butterworth or Chebyshev, order 2 to 7, low-pass or high-pass. It gives
the value of every component of a cascade of multiple-feedback stages with the
circuit diagram, prints them, and shows the response with computed and standard
E6 to E96 values. The interface is in French. quorvan-cli writes the same
designs, SPICE netlists and JSON for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded when printing, so the binaries do not name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libcups2)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorvan.example")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
