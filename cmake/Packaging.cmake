# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules: the program, its menu entry, AppStream metadata, icons and manual page. The
# Debian package is made from them by debian/rules, whose helpers compress the manual page and add
# the copyright file and the changelog.
#
#   cmake --install build/release --prefix /usr/local --strip
include(GNUInstallDirs)

# The one application id: the names of the desktop entry, the metainfo and the icons, the
# desktop entry's Icon=, the metainfo's <id>, and the program's desktop file name.
set(DYADORA_APP_ID org.dyadora.Dyadora)
target_compile_definitions(Dyadora PRIVATE DYADORA_APP_ID="${DYADORA_APP_ID}")
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

install(FILES ${data}/Dyadora.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
