# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix thread model, which the
# C++ standard library's threads and Qt need). Everything is linked statically: the executable
# needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DYADORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DYADORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DYADORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DYADORA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DYADORA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime (libgcc, libstdc++, winpthread) inside the executable, not beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
