# What an install puts in place: the program (from app/), the launcher that
# starts it in the user's own folder, the sample it fills that folder from,
# and the desktop entry, icons, metainfo and package documents.
include(GNUInstallDirs)
set(LUMERA_PROGRAM Lumera)
set(LUMERA_SAMPLE_DIR ${CMAKE_INSTALL_DATADIR}/lumera/sample)
set(LUMERA_SAMPLE_FILES Lumera.ini Lumera.niv)
set(LUMERA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lumera)
set(LUMERA_HELP_DIR ${LUMERA_DOC_DIR}/html)

# The launcher finds the sample relative to its own folder.
file(RELATIVE_PATH LUMERA_SAMPLE_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${LUMERA_SAMPLE_DIR})
# So does the program its help page, installed and in the build tree alike.
file(RELATIVE_PATH LUMERA_HELP_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${LUMERA_HELP_DIR}/index.html)
configure_file(help/index.html ${CMAKE_BINARY_DIR}/${LUMERA_HELP_DIR}/index.html @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${LUMERA_HELP_DIR}/index.html DESTINATION ${LUMERA_HELP_DIR})
string(JOIN " " LUMERA_SAMPLE_NAMES ${LUMERA_SAMPLE_FILES})
configure_file(lumera-start.in ${CMAKE_CURRENT_BINARY_DIR}/lumera-start @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/lumera-start DESTINATION ${CMAKE_INSTALL_BINDIR})
list(TRANSFORM LUMERA_SAMPLE_FILES PREPEND ${PROJECT_SOURCE_DIR}/sample/ OUTPUT_VARIABLE sample_paths)
install(FILES ${sample_paths} DESTINATION ${LUMERA_SAMPLE_DIR})

configure_file(${LUMERA_APP_ID}.desktop.in ${CMAKE_CURRENT_BINARY_DIR}/${LUMERA_APP_ID}.desktop @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${LUMERA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${LUMERA_APP_ID}.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${LUMERA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${LUMERA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/hicolor/lumera-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${LUMERA_APP_ID}.png)
endforeach()
install(FILES images/icons/IDR_MAINFRAME_32.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${LUMERA_APP_ID}.svg)

# The changelog's newest entry must be this version's; it is installed
# compressed without a timestamp, as Debian wants.
file(STRINGS debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^lumera \\(${LUMERA_FILE_VERSION}\\) ")
    message(FATAL_ERROR "res/debian/changelog: the newest entry is not version ${LUMERA_FILE_VERSION}")
endif()
configure_file(debian/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog COPYONLY)
execute_process(COMMAND gzip -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/changelog
                OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${LUMERA_DOC_DIR})

foreach(page Lumera.1 lumera-start.1)
    configure_file(man/${page} ${CMAKE_CURRENT_BINARY_DIR}/${page} @ONLY)
    execute_process(COMMAND gzip -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/${page}
                    OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
