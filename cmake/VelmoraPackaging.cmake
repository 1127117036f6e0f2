# SPDX-License-Identifier: MIT
# Installation and the Debian packages, velmora (the window), velmora-cli and python3-velmora (the
# Python module, where it is built), from one build:
# cpack -G DEB in the build folder. tools/build-packages makes them the way a release is made.
include(GNUInstallDirs)

set(VELMORA_APP_ID example.velmora.velmora)
set(VELMORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VELMORA_GENERATED_DIR ${PROJECT_BINARY_DIR}/packaging)
set(VELMORA_MAINTAINER "Velmora developers <dev@velmora.example>")

# The date of the latest release, from the changelog's first sign-off line; the manual pages carry
# it, so that the same commit gives the same pages.
file(STRINGS ${VELMORA_PACKAGING_DIR}/changelog signOff REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX MATCH "([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])" _ "${signOff}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" monthIndex)
if(monthIndex LESS 0)
    message(FATAL_ERROR "packaging/changelog: no date in the latest entry's sign-off line")
endif()
math(EXPR month "${monthIndex} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
    set(month "0${month}")
endif()
set(VELMORA_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")

# Debian wants manual pages and changelogs compressed at the highest level, without a file name or
# time stamp in the header.
find_program(VELMORA_GZIP gzip)
function(velmora_gzip source target)
    add_custom_command(OUTPUT ${target}
        COMMAND ${VELMORA_GZIP} -9nc ${source} > ${target}
        DEPENDS ${source}
        VERBATIM)
endfunction()
file(MAKE_DIRECTORY ${VELMORA_GENERATED_DIR})
set(mandir ${CMAKE_INSTALL_MANDIR}/man1)

if(VELMORA_BUILD_DOCS)
    if(NOT VELMORA_GZIP)
        message(FATAL_ERROR "gzip is needed for the manual pages (or set VELMORA_BUILD_DOCS OFF)")
    endif()
    set(docgen $<TARGET_FILE:velmora-docgen>)
    set(generated ${VELMORA_GENERATED_DIR}/changelog.gz)
    velmora_gzip(${VELMORA_PACKAGING_DIR}/changelog ${VELMORA_GENERATED_DIR}/changelog.gz)
    foreach(page velmora velmora-cli)
        add_custom_command(OUTPUT ${VELMORA_GENERATED_DIR}/${page}.1
            COMMAND ${docgen} man ${VELMORA_PACKAGING_DIR}/man/${page}.1.in
                    ${VELMORA_GENERATED_DIR}/${page}.1 ${PROJECT_VERSION} ${VELMORA_RELEASE_DATE}
            DEPENDS velmora-docgen ${VELMORA_PACKAGING_DIR}/man/${page}.1.in
                    ${VELMORA_PACKAGING_DIR}/changelog
            VERBATIM)
        velmora_gzip(${VELMORA_GENERATED_DIR}/${page}.1 ${VELMORA_GENERATED_DIR}/${page}.1.gz)
        list(APPEND generated ${VELMORA_GENERATED_DIR}/${page}.1.gz)
    endforeach()
    foreach(shell bash zsh fish)
        add_custom_command(OUTPUT ${VELMORA_GENERATED_DIR}/velmora-cli.${shell}
            COMMAND ${docgen} ${shell} ${VELMORA_GENERATED_DIR}/velmora-cli.${shell}
            DEPENDS velmora-docgen
            VERBATIM)
        list(APPEND generated ${VELMORA_GENERATED_DIR}/velmora-cli.${shell})
    endforeach()
    add_custom_target(velmora_docs ALL DEPENDS ${generated})

    install(FILES ${VELMORA_GENERATED_DIR}/velmora.1.gz DESTINATION ${mandir} COMPONENT velmora)
    install(FILES ${VELMORA_GENERATED_DIR}/velmora-cli.1.gz DESTINATION ${mandir} COMPONENT cli)
    install(FILES ${VELMORA_GENERATED_DIR}/velmora-cli.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            RENAME velmora-cli COMPONENT cli)
    install(FILES ${VELMORA_GENERATED_DIR}/velmora-cli.zsh
            DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
            RENAME _velmora-cli COMPONENT cli)
    install(FILES ${VELMORA_GENERATED_DIR}/velmora-cli.fish
            DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d COMPONENT cli)
    # Each package carries the copyright and the changelog in its own documentation folder.
    install(FILES ${VELMORA_PACKAGING_DIR}/copyright ${VELMORA_GENERATED_DIR}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora COMPONENT velmora)
    install(FILES ${VELMORA_PACKAGING_DIR}/copyright ${VELMORA_GENERATED_DIR}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora-cli COMPONENT cli)
    if(VELMORA_BUILD_PYTHON)
        install(FILES ${VELMORA_PACKAGING_DIR}/copyright ${VELMORA_GENERATED_DIR}/changelog.gz
                DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/python3-velmora COMPONENT python)
    endif()
endif()

install(FILES ${VELMORA_PACKAGING_DIR}/${VELMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT velmora)
install(FILES ${VELMORA_PACKAGING_DIR}/${VELMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT velmora)

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VELMORA_MAINTAINER}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY velmora)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_COMPONENTS_ALL velmora cli)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.example/")
# The library dependencies are read off the executables.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_VELMORA_PACKAGE_NAME velmora)
set(CPACK_DEBIAN_VELMORA_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_VELMORA_PACKAGE_RECOMMENDS velmora-cli)
# Each description's first line is the package's summary, the lines after it the long description;
# CPack indents them as Debian wants and turns the empty line into a paragraph break.
set(CPACK_COMPONENT_VELMORA_DESCRIPTION
    "calculators for installing and checking temperature and humidity transmitters
Velmora is a desktop calculator for instrumentation engineers who install and
check temperature and humidity transmitters, in one window of four tabs used
with the keyboard alone. It converts temperature to resistance and back for
Pt1000, Pt100, Ni1000 and NTC2252 sensors, and to thermo-voltage and back for
thermocouples K, J, S, B, T and N with cold-junction compensation, in degrees
Celsius or Fahrenheit. It gives dew point, absolute and specific humidity,
mixing ratio and enthalpy, each with its accuracy; scales a 4-20 mA loop
current to the transmitter's output value and back; and evaluates the
straight line through two points either way.

The same calculations for scripts are in the velmora-cli package.")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME velmora-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION science)
set(CPACK_COMPONENT_CLI_DESCRIPTION
    "transmitter calculators and sensor reference tables for scripts
velmora-cli gives instrumentation engineers the calculations of the Velmora
window from the command line, on the same code: Pt100, Pt1000, Ni1000,
NTC2252 and thermocouple conversions in both directions, reference tables of
every sensor for a test report, humidity quantities, 4-20 mA loop scaling and
the straight line through two points. It reads values from the command line
or standard input and prints text, CSV or JSON, so that a script can check a
transmitter's readings. It needs neither Qt nor a display.")

if(VELMORA_BUILD_PYTHON)
    list(APPEND CPACK_COMPONENTS_ALL python)
    set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-velmora)
    set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
    # The module is built for one version of Debian's python3 (its file name says which).
    set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
        "python3 (>= ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}~), python3 (<< ${Python_VERSION_MAJOR}.${VELMORA_PYTHON_NEXT_MINOR}), python3-numpy")
    set(CPACK_COMPONENT_PYTHON_DESCRIPTION
        "transmitter calculators of Velmora for Python 3
The Python module velmora gives instrumentation engineers who analyse logger
data or calibration records in notebooks the calculations of Velmora and
velmora-cli, on the same code and with the same results to the last digit:
conversions of every sensor velmora-cli knows in both directions (platinum,
nickel and copper resistance thermometers, thermistors, thermocouples with
cold-junction compensation), tolerance classes and the class check, every
humidity quantity with its accuracy, the pressure dew point, 4-20 mA loop
scaling and the straight line through two points. Each function takes a
number or a numpy array, such as a pandas column, and returns the same kind.")
endif()

# Installed executables lose their symbols and the compiler's .comment notes.
set(CPACK_STRIP_FILES ON)
if(UNIX AND CMAKE_STRIP)
    set(CPACK_VELMORA_STRIP ${CMAKE_STRIP})
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/VelmoraStripComments.cmake)
endif()
include(CPack)
