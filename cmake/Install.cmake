# Installed layout (relative to the prefix, GNUInstallDirs names):
#   bin/quorvex                           launcher: builds the run directory, then execs the game
#   libexec/quorvex/quorvex               the game binary (architecture-dependent, off the PATH)
#   share/quorvex/shaders/, resources/    the data, resources/config being the default
#   share/applications/quorvex.desktop    desktop entry
#   share/icons/hicolor/NxN/apps/quorvex.png   N = 32, 48, 64, 128, 256
include(GNUInstallDirs)

# Installing (and cpack) takes the game as built instead of first building every test and
# benchmark, none of which is installed; build the quorvex target first (tools/package does).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(QUORVEX_DATA_DEST ${CMAKE_INSTALL_DATADIR}/quorvex)
set(QUORVEX_GAME_DEST ${CMAKE_INSTALL_LIBEXECDIR}/quorvex)

install(TARGETS quorvex RUNTIME DESTINATION ${QUORVEX_GAME_DEST})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/shaders/ DESTINATION ${QUORVEX_DATA_DEST}/shaders
    PATTERN ".*" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${QUORVEX_DATA_DEST}/resources
    PATTERN ".*" EXCLUDE)

# The launcher finds the data relative to itself ($here: the launcher's own directory), so one
# script serves every prefix, an unpacked package included; absolute directories stay as given.
function(quorvex_path_from_bindir out dest)
    if(IS_ABSOLUTE "${dest}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
        set(${out} "${dest}" PARENT_SCOPE)
    else()
        file(RELATIVE_PATH rel "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${dest}")
        set(${out} "$here/${rel}" PARENT_SCOPE)
    endif()
endfunction()
quorvex_path_from_bindir(QUORVEX_DATA_PATH "${QUORVEX_DATA_DEST}")
quorvex_path_from_bindir(QUORVEX_GAME_PATH "${QUORVEX_GAME_DEST}/quorvex")
configure_file(${CMAKE_CURRENT_LIST_DIR}/launcher.sh.in ${CMAKE_BINARY_DIR}/launcher/quorvex @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/quorvex DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/quorvex.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The icons are the asset generator's (tools/regenerate-assets writes resources/icon_*.png).
foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icon_${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quorvex.png)
endforeach()

# Debian package: tools/package builds it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "Quorvex developers")
set(CPACK_PACKAGE_CONTACT "Quorvex developers <quorvex@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small 3D action game on a tiny planet")
set(CPACK_PACKAGE_DESCRIPTION
    "Your character stands on a tiny planet lit by a sun and punches the enemies that keep\
 landing on it with two floating fists. Survive as long as you can.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorvex)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the binary links (dpkg-shlibdeps, package dpkg-dev); the
# GL driver and the MP3 decoder come in through libglx0 and libsdl2-mixer-2.0-0.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
