# SPDX-License-Identifier: GPL-3.0-or-later
# Included by app/CMakeLists.txt for WebAssembly builds, beside the Dyadora target.
# The game in the browser: the program built for WebAssembly, with the design's font built in,
# and the page around it, made in <build>/page with a compressed copy of every file beside it.

# Liberation Sans, the metric twin of the Arial that the layout is drawn for, with Greek:
# Qt's own font for the web is wider, and a browser lends its fonts only when asked.
find_file(DYADORA_WEB_FONT LiberationSans-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation /usr/share/fonts/liberation NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
get_filename_component(font_folder ${DYADORA_WEB_FONT} DIRECTORY)
qt_add_resources(Dyadora web_font PREFIX /fonts BASE ${font_folder} FILES ${DYADORA_WEB_FONT})

# The smallest code: the link runs wasm-opt at this level.
target_link_options(Dyadora PRIVATE -Oz)

set(icons ${PROJECT_SOURCE_DIR}/assets/icons/hicolor)
set(web_icons ${PROJECT_SOURCE_DIR}/assets/icons/web)
# dyadora_page TARGET FOLDER [ALL]: TARGET's page, made afresh in FOLDER whenever the program or
# one of the page's own files changes, by the target TARGET_page (built by default with ALL).
function(dyadora_page target folder)
    set(sources index.html page.js page.css sw.js manifest.webmanifest MakePage.cmake
                MakeWorker.cmake)
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/)
    list(APPEND sources ${icons}/32x32/apps/org.dyadora.Dyadora.png
         ${icons}/192x192/apps/org.dyadora.Dyadora.png ${web_icons}/icon-maskable-512.png)
    add_custom_command(
        OUTPUT ${folder}/index.html
        COMMAND ${CMAKE_COMMAND} -DPAGE=${folder} -DPROGRAM=$<TARGET_FILE_DIR:${target}>
                -DSOURCE=${CMAKE_CURRENT_FUNCTION_LIST_DIR} -DICONS=${icons}
                -DWEB_ICONS=${web_icons} -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/MakePage.cmake
        DEPENDS ${target} $<TARGET_FILE:${target}> ${sources}
        COMMENT "Making the page in ${folder}"
        VERBATIM)
    add_custom_target(${target}_page ${ARGN} DEPENDS ${folder}/index.html)
endfunction()
dyadora_page(Dyadora ${CMAKE_BINARY_DIR}/page ALL)

# The floor that the page's start-up is measured against (bench/web-figures.sh): an empty Qt
# window built with the same kit, in a page of its own made the same way. Built only when asked.
qt_add_executable(empty_window EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/empty_window.cpp)
target_link_libraries(empty_window PRIVATE Qt6::Widgets)
target_link_options(empty_window PRIVATE -Oz)
set_target_properties(empty_window PROPERTIES
    OUTPUT_NAME Dyadora QT_WASM_EXPORT_NAME Dyadora_entry
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/empty_window)
dyadora_page(empty_window ${CMAKE_BINARY_DIR}/page-empty) # the target empty_window_page
