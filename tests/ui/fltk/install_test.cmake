# Installs the build into a scratch prefix and checks where the program,
# its desktop entry and its icons land.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P install_test.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/ordavel share/applications/ordavel.desktop)
foreach(size 16 24 32 48 64 128 256)
    if(EXISTS ${SOURCE_DIR}/ui/resources/icon-${size}.png)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/ordavel.png)
    endif()
endforeach()
foreach(path ${expected})
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
    message(STATUS "installed: ${path}")
endforeach()

file(READ ${PREFIX}/share/applications/ordavel.desktop entry)
foreach(line "Exec=ordavel" "Icon=ordavel" "Type=Application" "StartupWMClass=ordavel")
    string(FIND "${entry}" "${line}\n" at)
    if(at LESS 0)
        message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/ordavel.desktop
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects the entry")
    endif()
endif()
