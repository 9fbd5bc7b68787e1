# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the game's page from the built program (cmake -P): PAGE, the page's folder; PROGRAM, the
# folder of Dyadora.js, Dyadora.wasm and Qt's qtloader.js; SOURCE, the page's own files; ICONS,
# the hicolor icons; WEB_ICONS, the large icon of the page's manifest. The service worker is
# given the list of the page's files and a hash of them all, which names the set it keeps. Every
# file but the pictures gets a gzip copy (name.gz, no name or time in it), which servers that can
# send it compressed send instead.
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

set(kept index.html Dyadora.js Dyadora.wasm qtloader.js page.js page.css manifest.webmanifest
         icon-32.png icon-192.png icon-maskable-512.png)
set(hashes "")
set(files "'./'")
foreach(name IN LISTS kept)
    file(SHA256 ${PAGE}/${name} hash)
    string(APPEND hashes "${hash} ${name}\n")
    string(APPEND files ", '${name}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${SOURCE}/sw.js worker)
string(REPLACE "@PAGE_VERSION@" "${version}" worker "${worker}")
string(REPLACE "/* @PAGE_FILES@ */" "${files}" worker "${worker}")
file(WRITE ${PAGE}/sw.js "${worker}")

find_program(GZIP gzip REQUIRED)
foreach(name IN ITEMS index.html Dyadora.js Dyadora.wasm qtloader.js page.js page.css sw.js
                      manifest.webmanifest)
    execute_process(COMMAND ${GZIP} -9nkf ${PAGE}/${name} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
