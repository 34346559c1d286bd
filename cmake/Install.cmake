# Installed layout (relative to the prefix), Debian's layout for games:
#   games/quorvex                         the game itself, the command on the PATH
#   share/games/quorvex/shaders/, resources/   the data, resources/config being the default
#   share/applications/invalid.quorvex.Quorvex.desktop      desktop entry
#   share/metainfo/invalid.quorvex.Quorvex.metainfo.xml     AppStream metadata
#   share/icons/hicolor/NxN/apps/quorvex.png                icons, N = 32 to 256
#   share/man/man6/quorvex.6                                manual page
# debian/ builds the Debian package from this install.
include(GNUInstallDirs)

# Installing takes the game as built instead of first building every test and benchmark, none
# of which is installed; build the quorvex target first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(QUORVEX_INSTALL_COMMANDDIR games CACHE STRING "Directory of the quorvex command")
set(QUORVEX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/quorvex CACHE STRING
    "Directory of the game's shaders and resources")
set(QUORVEX_APP_ID invalid.quorvex.Quorvex)

# The game finds its data from its own folder, so that an installed tree can be moved to
# another prefix as a whole; an absolute data directory stays as given, and beside an
# absolute command directory the data is wherever the configured prefix puts it.
if(IS_ABSOLUTE "${QUORVEX_INSTALL_DATADIR}")
    set(data_from_command "${QUORVEX_INSTALL_DATADIR}")
elseif(IS_ABSOLUTE "${QUORVEX_INSTALL_COMMANDDIR}")
    set(data_from_command "${CMAKE_INSTALL_PREFIX}/${QUORVEX_INSTALL_DATADIR}")
else()
    file(RELATIVE_PATH data_from_command "/prefix/${QUORVEX_INSTALL_COMMANDDIR}"
        "/prefix/${QUORVEX_INSTALL_DATADIR}")
endif()
target_compile_definitions(quorvex_app PRIVATE QUORVEX_DATA_FROM_COMMAND="${data_from_command}")

install(TARGETS quorvex RUNTIME DESTINATION ${QUORVEX_INSTALL_COMMANDDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/shaders/ DESTINATION ${QUORVEX_INSTALL_DATADIR}/shaders
    PATTERN ".*" EXCLUDE)
# The icons sit beside the data because the asset generator writes them there; the game never
# reads them.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${QUORVEX_INSTALL_DATADIR}/resources
    PATTERN ".*" EXCLUDE PATTERN "icon_*.png" EXCLUDE)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVEX_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVEX_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icon_${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quorvex.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/docs/quorvex.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
