# SPDX-License-Identifier: MIT
# The SVG chart writer of velmora-cli and the commands that draw with it. Its
# documents are checked by xmllint and drawn by rsvg-convert, programs of the build machine, so a
# cross build leaves the suite out.
if(NOT CMAKE_CROSSCOMPILING)
    find_program(VELMORA_XMLLINT xmllint)
    find_program(VELMORA_RSVG_CONVERT rsvg-convert)
    set(xmllint "${VELMORA_XMLLINT}")
    set(rsvgConvert "${VELMORA_RSVG_CONVERT}")
    if(NOT VELMORA_XMLLINT)
        set(xmllint "")
    endif()
    if(NOT VELMORA_RSVG_CONVERT)
        set(rsvgConvert "")
    endif()

    # The writer is part of velmora_cli_core; the suite also runs calibrate's and tolerance's
    # charts through the same two programs.
    add_executable(svgplot_test
        ${CMAKE_CURRENT_LIST_DIR}/svgplot_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/svg_commands_test.cpp)
    target_include_directories(svgplot_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(svgplot_test PRIVATE velmora_cli_core GTest::gtest GTest::gtest_main)
    target_compile_definitions(svgplot_test PRIVATE VELMORA_XMLLINT="${xmllint}"
                                                    VELMORA_RSVG_CONVERT="${rsvgConvert}")
    velmora_target_warnings(svgplot_test)
    # The documents and their pictures stay beside the suite for a look.
    set(svgplotDir ${CMAKE_CURRENT_BINARY_DIR}/cli/svgplot)
    file(MAKE_DIRECTORY ${svgplotDir})
    add_test(NAME svgplot_test COMMAND svgplot_test WORKING_DIRECTORY ${svgplotDir})
endif()
