# SPDX-License-Identifier: MIT
# An imported target for a header-only library of the build machine: a folder of the build tree
# that links to the library's own header folder and holds nothing else.
function(velmora_host_header_library target folder)
    if(TARGET ${target})
        return()
    endif()
    set(root ${CMAKE_BINARY_DIR}/host-headers/${target})
    string(REPLACE "::" "-" root "${root}")
    if(NOT EXISTS ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    add_library(${target} INTERFACE IMPORTED)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root})
endfunction()
