# SPDX-License-Identifier: GPL-3.0-or-later
# Builds whose bytes depend on the sources alone, not on where or when they are built: what
# scripts/release.sh builds the downloads with, and what anyone rebuilding them turns on too.
#
# - The clone's and the build's folders are written into no program (debug data, file names of
#   the standard library's and Qt's macros); the build folder's map comes last, so that GCC, which
#   tries the last map first, takes it for a build inside the clone.
# - Windows programs carry a link time in their header: ld takes SOURCE_DATE_EPOCH for it, and
#   without it writes none.
# - The time stamps of the packages come from SOURCE_DATE_EPOCH (the last commit's time), set by
#   the release script; the rest is in the packaging.
option(DYADORA_REPRODUCIBLE "Build the same bytes whatever the build's folder and time" OFF)
if(NOT DYADORA_REPRODUCIBLE)
    return()
endif()
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
if(WIN32)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        add_link_options(-Wl,--insert-timestamp)
    else()
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
endif()
