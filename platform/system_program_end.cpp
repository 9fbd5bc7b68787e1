// SPDX-License-Identifier: GPL-3.0-or-later
// The real program end.
#include "system_program_end.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define DYADORA_CHECKS_LEAKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DYADORA_CHECKS_LEAKS 1
#endif
#endif
#ifdef DYADORA_CHECKS_LEAKS
#include <sanitizer/lsan_interface.h>
#endif
#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#endif

namespace dyadora {

void SystemProgramEnd::endNow()
{
    std::fflush(nullptr);
#ifdef DYADORA_CHECKS_LEAKS
    // The sanitizer build looks for leaks at this exit too, which skips the exit handlers that
    // would otherwise do it. Everything the windows hold is still reachable here, so only what
    // nothing refers to any more is reported; a leak ends the process with a failure.
    __lsan_do_leak_check();
#endif
#ifdef __EMSCRIPTEN__
    // In a page the program is a guest: it stops at the next turn of the browser's event loop,
    // from a timer, where the runtime takes its own exit as a normal end (an exit thrown from
    // inside a key or mouse handler would reach the page as an uncaught error). The page is then
    // told (its onExit) and says that the game has ended.
    emscripten_async_call([](void*) { emscripten_force_exit(EXIT_SUCCESS); }, nullptr, 0);
#else
    std::_Exit(EXIT_SUCCESS);
#endif
}

} // namespace dyadora
