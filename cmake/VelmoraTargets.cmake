# SPDX-License-Identifier: MIT
# Settings shared by the project's own targets: warnings as errors, the sanitizer build, and the
# Qt code generators (uic without auto-connection: every connect is written out in the code).

if(VELMORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(VELMORA_EXTENDED_AS_DOUBLE)
    add_compile_definitions(VELMORA_EXTENDED_AS_DOUBLE)
endif()

# The same printed numbers on every platform: no compiler may fuse a multiplication and an addition
# into one rounding (GCC does by default where the processor has the instruction, as on aarch64).
add_compile_options(-ffp-contract=off)

# GoogleTest: the installed library, or for a cross build Debian's sources built with the cross
# compiler (the installed library is for the build machine).
macro(velmora_find_gtest)
    if(CMAKE_CROSSCOMPILING)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    else()
        find_package(GTest REQUIRED)
    endif()
endmacro()

# How a test's shell runs one of our programs: through the emulator in a cross build.
set(VELMORA_RUN_PREFIX "")
if(CMAKE_CROSSCOMPILING_EMULATOR)
    string(JOIN " " VELMORA_RUN_PREFIX ${CMAKE_CROSSCOMPILING_EMULATOR})
    string(APPEND VELMORA_RUN_PREFIX " ")
endif()

function(velmora_target_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

function(velmora_qt_target target)
    set_target_properties(${target} PROPERTIES
        AUTOMOC ON
        AUTOUIC ON
        AUTORCC ON
        AUTOUIC_OPTIONS "--no-autoconnection")
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
    # AUTOUIC gives the target its own generated folder. A library's headers hold their Ui:: form
    # by value and include its ui_*.h, so the library's users need that folder too; they reach a
    # generated header only through the library's own header, never by its name.
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
        get_target_property(binaryDir ${target} BINARY_DIR)
        target_include_directories(${target} INTERFACE ${binaryDir}/${target}_autogen/include)
    endif()
    velmora_target_warnings(${target})
endfunction()

set(VELMORA_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")

# A GoogleTest suite of the engine.
function(velmora_add_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE velmora_engine GTest::gtest GTest::gtest_main)
    # The Qt-free helpers of tests/support (CsvData.h), by the names the Qt suites use too.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_compile_definitions(${name} PRIVATE VELMORA_TEST_DATA_DIR="${VELMORA_TEST_DATA_DIR}")
    velmora_target_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# A QtTest suite of the controls, frames or main window, run without a display.
function(velmora_add_qtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE velmora_test_support Qt6::Test)
    target_compile_definitions(${name} PRIVATE VELMORA_TEST_DATA_DIR="${VELMORA_TEST_DATA_DIR}")
    velmora_qt_target(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A Google Benchmark program.
function(velmora_add_benchmark name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE benchmark::benchmark benchmark::benchmark_main)
    velmora_target_warnings(${name})
endfunction()
