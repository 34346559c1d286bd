# Installed layout (relative to the prefix), Debian's layout for games:
#   games/quorvex                         launcher: builds the run directory, then execs the game
#   lib/games/quorvex/quorvex             the game binary (architecture-dependent, off the PATH)
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
set(QUORVEX_INSTALL_GAMEDIR lib/games/quorvex CACHE STRING "Directory of the game binary")
set(QUORVEX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/quorvex CACHE STRING
    "Directory of the game's shaders and resources")
set(QUORVEX_APP_ID invalid.quorvex.Quorvex)

install(TARGETS quorvex RUNTIME DESTINATION ${QUORVEX_INSTALL_GAMEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/shaders/ DESTINATION ${QUORVEX_INSTALL_DATADIR}/shaders
    PATTERN ".*" EXCLUDE)
# The icons sit beside the data because the asset generator writes them there; the game never
# reads them.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${QUORVEX_INSTALL_DATADIR}/resources
    PATTERN ".*" EXCLUDE PATTERN "icon_*.png" EXCLUDE)

# The launcher finds the data relative to itself ($here: the launcher's own directory), so one
# script serves every prefix, an unpacked package included; absolute directories stay as given.
function(quorvex_path_from_commanddir out dest)
    if(IS_ABSOLUTE "${dest}" OR IS_ABSOLUTE "${QUORVEX_INSTALL_COMMANDDIR}")
        set(${out} "${dest}" PARENT_SCOPE)
    else()
        file(RELATIVE_PATH rel "/prefix/${QUORVEX_INSTALL_COMMANDDIR}" "/prefix/${dest}")
        set(${out} "$here/${rel}" PARENT_SCOPE)
    endif()
endfunction()
quorvex_path_from_commanddir(QUORVEX_DATA_PATH "${QUORVEX_INSTALL_DATADIR}")
quorvex_path_from_commanddir(QUORVEX_GAME_PATH "${QUORVEX_INSTALL_GAMEDIR}/quorvex")
configure_file(${CMAKE_CURRENT_LIST_DIR}/launcher.sh.in ${CMAKE_BINARY_DIR}/launcher/quorvex @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/quorvex DESTINATION ${QUORVEX_INSTALL_COMMANDDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVEX_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVEX_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icon_${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quorvex.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/docs/quorvex.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
