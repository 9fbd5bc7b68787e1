# SPDX-License-Identifier: GPL-3.0-or-later
# What a Windows player downloads, made by `cpack` in the cross build (or a build on Windows):
# Dyadora-<version>-win64.zip, the program with a readme and the licences, to run from anywhere;
# and Dyadora-<version>-win64-setup.exe, an NSIS installer (cmake/NSIS.template.in).
#
#   cd build/windows && cpack
set(data ${PROJECT_SOURCE_DIR}/data)
set(windows_documents ${CMAKE_CURRENT_BINARY_DIR}/windows-documents)
# Text files with Windows' line ends; UTF-8 with a byte-order mark, so that every editor of
# Windows reads the Greek.
foreach(document IN ITEMS "windows-readme.txt|README.txt" "../LICENSE|LICENSE.txt"
                          "../debian/copyright|COPYRIGHT.txt")
    string(REPLACE "|" ";" document "${document}")
    list(POP_FRONT document source target)
    file(READ ${data}/${source} text)
    if(target STREQUAL "README.txt")
        string(CONFIGURE "${text}" text @ONLY) # the version
    endif()
    string(REPLACE "\n" "\r\n" text "${text}")
    string(ASCII 239 187 191 bom)
    file(WRITE ${windows_documents}/${target} "${bom}${text}")
    install(FILES ${windows_documents}/${target} DESTINATION .)
endforeach()
install(TARGETS Dyadora RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Dyadora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${DYADORA_VENDOR}")
set(CPACK_PACKAGE_FILE_NAME Dyadora-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Dyadora)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Dyadora)
set(CPACK_PACKAGE_EXECUTABLE_FILE Dyadora.exe)
set(CPACK_STRIP_FILES ON)
# The installer: its name in Add/Remove Programs and the Start menu, and its icons.
set(CPACK_NSIS_PACKAGE_NAME "Λαβυρίδες ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "Λαβυρίδες")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/main-icon.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/main-icon.ico)
# The installer's own file name ends in -setup (set per generator, when cpack runs).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackWindows.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
     "if(CPACK_GENERATOR STREQUAL \"NSIS\")\n"
     "    set(CPACK_PACKAGE_FILE_NAME \"\${CPACK_PACKAGE_FILE_NAME}-setup\")\n"
     "endif()\n")
include(CPack)
