# Installation and the Debian package. The launch test needs the X display of the test run.
add_test(NAME packaging_installed_launch
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging/installed_launch.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(packaging_installed_launch PROPERTIES RESOURCE_LOCK display LABELS package TIMEOUT 120)

# Builds the package the Debian way, from the sources and not from this build, and runs Debian's
# checkers; a sanitized build would only repeat it.
if(NOT QUORVEX_SANITIZE)
    add_test(NAME packaging_deb_contents
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging/package_contents.sh ${CMAKE_SOURCE_DIR}
            ${CMAKE_BINARY_DIR}/deb ${PROJECT_VERSION})
    set_tests_properties(packaging_deb_contents PROPERTIES LABELS package TIMEOUT 900)
endif()
