# The Debian package: cpack -G DEB in the build folder writes quorvan_<version>_amd64.deb
# with both programs, the analysis plugin, the desktop entry, the icons, the AppStream
# metadata, the manual pages, the licence and the changelog. Its dependencies come from the
# binaries, and from what Qt loads at run time, which the binaries do not name.
include(GNUInstallDirs)

# The files that carry the version number take it from QUORVAN_VERSION.
set(genere ${PROJECT_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorvan.metainfo.xml.in
               ${genere}/org.quorvan.Quorvan.metainfo.xml @ONLY)
install(FILES ${genere}/org.quorvan.Quorvan.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvan)

# Debian wants the changelog and the manual pages compressed, reproducibly (no name, no time
# in the header).
set(comprimes)
foreach(fichier changelog quorvan.1 quorvan-cli.1)
    set(source ${CMAKE_CURRENT_LIST_DIR}/${fichier}.in)
    if(fichier MATCHES "\\.1$")
        set(source ${CMAKE_CURRENT_LIST_DIR}/man/${fichier}.in)
    endif()
    configure_file(${source} ${genere}/${fichier} @ONLY)
    add_custom_command(
        OUTPUT ${genere}/${fichier}.gz
        COMMAND gzip -9nc ${genere}/${fichier} > ${genere}/${fichier}.gz
        DEPENDS ${genere}/${fichier})
    list(APPEND comprimes ${genere}/${fichier}.gz)
endforeach()
add_custom_target(quorvan_comprimes ALL DEPENDS ${comprimes})
install(FILES ${genere}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvan)
install(FILES ${genere}/quorvan.1.gz ${genere}/quorvan-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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
# What the binaries do not name: libcups, loaded when printing; Qt's French texts; Liberation
# Sans and Serif, the diagrams' labels and the metric twin of the help text's Times New Roman.
# The X11 platform plugin comes with libqt6gui6 on Debian 12, which the binaries name; the
# other platform plugins are in qt6-qpa-plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libcups2, qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")
# Qt's X11 plugin draws the desktop's pointer theme with libXcursor when it finds it, and the
# X server's plain pointers otherwise.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libxcursor1)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
