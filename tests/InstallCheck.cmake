# Installs the build into a fresh prefix and checks what lands where.
# Run as: cmake -DBUILD_DIR=... -DPREFIX=... -P InstallCheck.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/Lumera share/applications/Lumera.desktop
             share/icons/hicolor/32x32/apps/lumera.xpm share/icons/hicolor/16x16/apps/lumera.xpm)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ ${PREFIX}/share/applications/Lumera.desktop entry)
foreach(line "Exec=Lumera" "Icon=lumera" "Comment=Randomily displays bible verses." "X-Lumera-Version=2.2.0.1")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "desktop entry lacks ${line}")
    endif()
endforeach()
message(STATUS "installed and checked under ${PREFIX}")
