# SPDX-License-Identifier: MIT
# A zip of velmora-cli for Windows from the cross build (cpack in the build folder): the program,
# linked statically, the project's licence and the licence of the MinGW-w64 runtime and POSIX
# threads library linked into it.
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
endif()
set(runtimeLicence /usr/share/doc/mingw-w64-common/copyright)
if(EXISTS ${runtimeLicence})
    install(FILES ${runtimeLicence} DESTINATION . RENAME LICENSE-mingw-w64-runtime.txt)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velmora-cli)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME windows-x86_64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
