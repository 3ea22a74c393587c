# Installs the build into a fresh prefix and checks what lands where.
# Run as: cmake -DBUILD_DIR=... -DPREFIX=... -P InstallCheck.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(id org.orvane.Lumera)
set(files bin/Lumera bin/lumera-start share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
          share/lumera/sample/Lumera.ini share/lumera/sample/Lumera.niv
          share/doc/lumera/copyright share/doc/lumera/changelog.gz
          share/man/man1/Lumera.1.gz share/man/man1/lumera-start.1.gz
          share/doc/lumera/html/index.html)
if(SCREENSHOT)
    list(APPEND files share/lumera/screenshots/${SCREENSHOT})
endif()
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND files share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
list(APPEND files share/icons/hicolor/scalable/apps/${id}.svg)
foreach(file ${files})
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ ${PREFIX}/share/applications/${id}.desktop entry)
foreach(line "Exec=lumera-start" "Icon=${id}" "StartupWMClass=Lumera" "X-Lumera-Version=2.2.0.1")
    string(FIND "${entry}" "${line}" at)
    if(NOT at GREATER -1)
        message(FATAL_ERROR "desktop entry lacks ${line}")
    endif()
endforeach()
# The menu's comment is a sentence of its own, not the version block's text.
if(entry MATCHES "Randomily")
    message(FATAL_ERROR "the desktop entry's comment is the version block's text")
endif()
# The program finds its help page relative to its own folder.
file(READ ${BUILD_DIR}/res/Version.h version_h)
string(REGEX MATCH [[LUMERA_HELP_FROM_BIN "([^"]+)"]] found "${version_h}")
if(NOT EXISTS ${PREFIX}/bin/${CMAKE_MATCH_1})
    message(FATAL_ERROR "the program would look for its help at bin/${CMAKE_MATCH_1}, which is not installed")
endif()
# The launcher finds the sample relative to its own folder.
file(STRINGS ${PREFIX}/bin/lumera-start sample_line REGEX "^sample=")
if(NOT sample_line MATCHES "\\$bindir/\\.\\./share/lumera/sample\"")
    message(FATAL_ERROR "launcher looks for the sample elsewhere: ${sample_line}")
endif()
message(STATUS "installed and checked under ${PREFIX}")
