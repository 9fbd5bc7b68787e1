# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules and the Debian package: the program, its menu entry, AppStream metadata, icons,
# manual page and the documents that Debian wants beside them.
#
#   cmake --install build/release --prefix /usr/local --strip
#   cd build/release && cpack -G DEB
include(GNUInstallDirs)

# The one application id: the names of the desktop entry, the metainfo and the icons, the
# desktop entry's Icon=, the metainfo's <id>, and the program's desktop file name.
set(DYADORA_APP_ID org.dyadora.Dyadora)
target_compile_definitions(Dyadora PRIVATE DYADORA_APP_ID="${DYADORA_APP_ID}")
set(DYADORA_PACKAGE dyadora)
# The icon in every folder of hicolor's index up to 256 pixels: <N>x<N> holds N pixels, and the
# "@2" folders, for screens of double density, twice as many.
set(DYADORA_ICON_FOLDERS
    16x16 22x22 24x24 32x32 36x36 48x48 64x64 72x72 96x96 128x128 192x192 256x256
    16x16@2 22x22@2 24x24@2 32x32@2 36x36@2 48x48@2 64x64@2 72x72@2 96x96@2 128x128@2)
set(data ${PROJECT_SOURCE_DIR}/data)
# Folders that the install makes are 0755 whatever the umask, as Debian wants them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(EMSCRIPTEN)
    return() # the page in the build folder is what the web serves (web/)
endif()
if(WIN32)
    include(PackagingWindows)
    return()
endif()
if(APPLE)
    install(TARGETS Dyadora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    return()
endif()

# The rest is for freedesktop.org systems. Debian's policy puts the programs of games in
# /usr/games (on the PATH of Debian's users); a distribution that keeps them with the other
# programs sets this to bin.
set(DYADORA_INSTALL_GAMESDIR games CACHE STRING "Where the program is installed, under the prefix")
install(TARGETS Dyadora RUNTIME DESTINATION ${DYADORA_INSTALL_GAMESDIR})
install(FILES ${data}/${DYADORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/${DYADORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS DYADORA_ICON_FOLDERS)
    set(folder icons/hicolor/${size}/apps)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/${folder}/${DYADORA_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/${folder})
endforeach()

# Debian wants the manual page and the changelog compressed with gzip -9n (no name, no time
# stamp, so the bytes depend on the text alone); the copyright file stays as it is.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(documents ${CMAKE_CURRENT_BINARY_DIR}/documents)
set(compressed)
foreach(input IN ITEMS ${data}/Dyadora.6 ${data}/changelog)
    get_filename_component(name ${input} NAME)
    set(output ${documents}/${name}.gz)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${input} ${documents}/${name}
        COMMAND ${GZIP_EXECUTABLE} -9nf ${documents}/${name}
        DEPENDS ${input}
        COMMENT "Compressing ${name}"
        VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(dyadora_documents ALL DEPENDS ${compressed})
install(FILES ${documents}/Dyadora.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${documents}/changelog.gz ${data}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${DYADORA_PACKAGE})

# The Debian package, made by `cpack -G DEB` from the release build.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${DYADORA_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${DYADORA_VENDOR}")
set(CPACK_PACKAGE_CONTACT "Λαβυρίδες maintainers <maintainers@dyadora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory game of matching photo pairs, in Greek")
# Read here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, which CPack would XML-escape.
file(READ ${data}/package-description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The windows are drawn for the metrics of Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# In a Wayland session without XWayland the game runs on Qt's Wayland platform.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON) # 0644 for md5sums and control
include(CPack)
