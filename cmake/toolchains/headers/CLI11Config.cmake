# SPDX-License-Identifier: MIT
include(${CMAKE_CURRENT_LIST_DIR}/HeaderOnly.cmake)
velmora_host_header_library(CLI11::CLI11 CLI)
