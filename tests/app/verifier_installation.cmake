# cmake -DBUILD=<build dir> -DSOURCE=<source dir> -DPREFIX=<scratch dir> [-DSANITIZE=ON]
#       -P verifier_installation.cmake:
# installs the build there and checks the program, its analysis plugin, its desktop entry
# (valid) and its icons, and that no installed program names the source or build folder
# (sanitizers write source paths into their reports; those builds are never installed).
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE r OUTPUT_QUIET)
foreach(f bin/quorvan bin/quorvan-cli share/applications/quorvan.desktop
          share/icons/hicolor/16x16/apps/quorvan.png share/icons/hicolor/32x32/apps/quorvan.png
          share/icons/hicolor/64x64/apps/quorvan.png)
    if(NOT r EQUAL 0 OR NOT EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "cmake --install (${r}) left out ${f}")
    endif()
endforeach()
file(GLOB_RECURSE plugin ${PREFIX}/lib*/libquorvan_analyse.so)
if(NOT plugin MATCHES "/quorvan/plugins/libquorvan_analyse.so$")
    message(FATAL_ERROR "cmake --install left out the analysis plugin")
endif()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/quorvan.desktop
                RESULT_VARIABLE r OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
if(NOT r EQUAL 0 OR sortie MATCHES "error")
    message(FATAL_ERROR "invalid desktop entry: ${sortie}")
endif()
# A folder of the machine that built the program, written into it, is a folder another user of
# that machine may fill. Qt's string literals are UTF-16.
if(SANITIZE)
    return()
endif()
foreach(f ${PREFIX}/bin/quorvan ${PREFIX}/bin/quorvan-cli ${plugin})
    foreach(codage UTF-8 UTF-16LE)
        file(STRINGS ${f} trouves REGEX "${SOURCE}|${BUILD}" ENCODING ${codage})
        if(trouves)
            list(GET trouves 0 premier)
            message(FATAL_ERROR "${f} names a folder of the build machine: ${premier}")
        endif()
    endforeach()
endforeach()
