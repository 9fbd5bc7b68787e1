# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the page's service worker (cmake -P, or included by MakePage.cmake): PAGE, the page's
# folder, made but for sw.js; SOURCE, the folder of the worker's source. The worker is given each
# file that it keeps, with its size and SHA-256, and the name of its set, a hash of them all; it
# keeps a file only if its bytes match. A change to any file so changes sw.js's bytes, which is
# what the browser compares to find a new build. sw.js gets its gzip copy here too.
set(kept index.html Dyadora.js Dyadora.wasm qtloader.js page.js page.css manifest.webmanifest
         icon-32.png icon-192.png icon-maskable-512.png)
set(hashes "")
set(files "")
foreach(name IN LISTS kept)
    file(SHA256 ${PAGE}/${name} hash)
    file(SIZE ${PAGE}/${name} size)
    string(APPEND hashes "${hash} ${size} ${name}\n")
    # The page's address stands for index.html, as a server answers it.
    if(name STREQUAL "index.html")
        string(APPEND files "    './': [${size}, '${hash}'],\n")
    endif()
    string(APPEND files "    '${name}': [${size}, '${hash}'],\n")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${SOURCE}/sw.js worker)
string(REPLACE "@PAGE_VERSION@" "${version}" worker "${worker}")
string(REPLACE "    /* @PAGE_FILES@ */\n" "${files}" worker "${worker}")
file(WRITE ${PAGE}/sw.js "${worker}")

find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9nkf ${PAGE}/sw.js COMMAND_ERROR_IS_FATAL ANY)
