# SPDX-License-Identifier: MIT
# What a cross toolchain shares with the build machine: programs run on the build machine, every
# library and header comes from the target's root, except CLI11 and nlohmann-json. Those are
# header-only, so Debian's packages serve any target, through the configurations beside this file
# (their own name the build machine's /usr/include, whose C headers must not reach a cross build).
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE PATH "")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE PATH "")
