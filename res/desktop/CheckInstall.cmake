# cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DBINDIR=... -DDATADIR=...
#       [-DDESKTOP_FILE_VALIDATE=...] [-DAPPSTREAMCLI=...] -P CheckInstall.cmake
# Installs the build into PREFIX and checks the installed tree.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result})")
endif()

set(expected
    "${BINDIR}/quillmark"
    "${DATADIR}/quillmark/help/quillmark.htm"
    "${DATADIR}/applications/${APP_ID}.desktop"
    "${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected "${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
endforeach()
set(missing)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        list(APPEND missing "${path}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed: ${missing}")
endif()

# The program looks for its help page at <its folder>/../share/quillmark/help.
get_filename_component(help_from_bin "${PREFIX}/${BINDIR}/../share/quillmark/help/quillmark.htm" ABSOLUTE)
if(NOT EXISTS "${help_from_bin}")
    message(FATAL_ERROR "the program would not find its help page at ${help_from_bin}")
endif()

# The entry starts the installed program by name and shows the installed icon.
file(STRINGS "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop" exec REGEX "^Exec=")
file(STRINGS "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop" icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=quillmark" OR NOT icon STREQUAL "Icon=${APP_ID}")
    message(FATAL_ERROR "desktop entry: '${exec}', '${icon}'")
endif()

# The installed copies pass the validators too.
if(DESKTOP_FILE_VALIDATE AND EXISTS "${DESKTOP_FILE_VALIDATE}")
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate failed on the installed entry")
    endif()
endif()
if(APPSTREAMCLI AND EXISTS "${APPSTREAMCLI}")
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net "${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml"
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate failed on the installed metainfo")
    endif()
endif()
message("installed tree in ${PREFIX} is complete")
