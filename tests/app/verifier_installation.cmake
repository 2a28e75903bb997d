# Installs the build into a scratch prefix and checks that the program, its desktop menu
# entry and its icons are there, and that the entry is valid where the validator exists.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch dir> -P verifier_installation.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE resultat OUTPUT_QUIET)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${resultat}")
endif()
foreach(fichier bin/quorvan bin/quorvan-cli share/applications/quorvan.desktop
                share/icons/hicolor/16x16/apps/quorvan.png
                share/icons/hicolor/32x32/apps/quorvan.png
                share/icons/hicolor/64x64/apps/quorvan.png)
    if(NOT EXISTS ${PREFIX}/${fichier})
        message(FATAL_ERROR "missing after install: ${fichier}")
    endif()
endforeach()
find_program(VALIDATEUR desktop-file-validate)
if(VALIDATEUR)
    execute_process(COMMAND ${VALIDATEUR} ${PREFIX}/share/applications/quorvan.desktop
                    RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
    if(NOT resultat EQUAL 0 OR sortie MATCHES "error")
        message(FATAL_ERROR "invalid desktop entry: ${sortie}")
    endif()
endif()
message(STATUS "installed: program, desktop entry and icons")
