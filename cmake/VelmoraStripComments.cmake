# SPDX-License-Identifier: MIT
# Run by CPack on the staged files before it packs them: removes the compilers' .comment and
# .note sections from every installed executable and the Python module, as Debian's own packaging
# does.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
file(GLOB_RECURSE executables LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(FILTER executables INCLUDE REGEX "/bin/[^/]+$|/dist-packages/[^/]+\\.so$")
if(NOT executables)
    message(FATAL_ERROR "no executable staged under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(executable IN LISTS executables)
    execute_process(
        COMMAND "${CPACK_VELMORA_STRIP}" --remove-section=.comment --remove-section=.note "${executable}"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot strip ${executable}")
    endif()
endforeach()
