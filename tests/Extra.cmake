# The generated game data under resources/.
quorvex_test(test_assets LABEL unit DIRS unit/assets LIBS quorvex_decode)

# Regenerating the data must reproduce the committed files byte for byte.
if(TARGET quorvex_assets)
    add_test(NAME assets_regenerate_unchanged
        COMMAND ${CMAKE_SOURCE_DIR}/tools/assets/check-regenerated $<TARGET_FILE:quorvex_assets>
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(assets_regenerate_unchanged PROPERTIES LABELS package TIMEOUT 240)
endif()

# Installation and packaging.
include(${CMAKE_CURRENT_SOURCE_DIR}/Packaging.cmake)
