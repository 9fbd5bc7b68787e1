// SPDX-License-Identifier: GPL-3.0-or-later
// The real program end: the process stops at once.
#pragma once

#include "game/program_end.h"

namespace dyadora {

// A program in a web page cannot end at once: it ends as soon as the handler that asked returns.
#ifdef __EMSCRIPTEN__
#define DYADORA_ENDS_AT_ONCE
#else
#define DYADORA_ENDS_AT_ONCE [[noreturn]]
#endif

class SystemProgramEnd final : public ProgramEnd {
public:
    // Flushes the standard streams and ends the process with status 0; never returns, and no
    // window handler, destructor or exit handler runs after it. In a web page it returns, and the
    // program stops before any other event is handled.
    DYADORA_ENDS_AT_ONCE void endNow() override;
};

} // namespace dyadora
