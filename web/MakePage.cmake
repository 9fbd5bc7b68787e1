# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the game's page from the built program (cmake -P): PAGE, the page's folder; PROGRAM, the
# folder of Dyadora.js, Dyadora.wasm and Qt's qtloader.js; SOURCE, the page's own files; ICONS,
# the hicolor icons; WEB_ICONS, the large icon of the page's manifest. The service worker is
# written last, with the size and hash of each file it keeps (MakeWorker.cmake). Every file but
# the pictures gets a gzip copy (name.gz, no name or time in it), which servers that can send it
# compressed send instead.
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE})
file(SIZE ${PROGRAM}/Dyadora.wasm program_size)
file(READ ${SOURCE}/index.html html)
string(REPLACE "<html lang=\"el\">" "<html lang=\"el\" data-program-size=\"${program_size}\">"
               html "${html}")
file(WRITE ${PAGE}/index.html "${html}")
file(COPY ${PROGRAM}/Dyadora.js ${PROGRAM}/Dyadora.wasm ${PROGRAM}/qtloader.js
          ${SOURCE}/page.js ${SOURCE}/page.css ${SOURCE}/manifest.webmanifest DESTINATION ${PAGE})
file(COPY_FILE ${ICONS}/32x32/apps/org.dyadora.Dyadora.png ${PAGE}/icon-32.png)
file(COPY_FILE ${ICONS}/192x192/apps/org.dyadora.Dyadora.png ${PAGE}/icon-192.png)
file(COPY ${WEB_ICONS}/icon-maskable-512.png DESTINATION ${PAGE})

include(${CMAKE_CURRENT_LIST_DIR}/MakeWorker.cmake)

find_program(GZIP gzip REQUIRED)
foreach(name IN ITEMS index.html Dyadora.js Dyadora.wasm qtloader.js page.js page.css
                      manifest.webmanifest)
    execute_process(COMMAND ${GZIP} -9nkf ${PAGE}/${name} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
