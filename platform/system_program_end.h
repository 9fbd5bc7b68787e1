// SPDX-License-Identifier: GPL-3.0-or-later
// The real program end: the process stops at once.
#pragma once

#include "game/program_end.h"

namespace dyadora {

class SystemProgramEnd final : public ProgramEnd {
public:
    // Flushes the standard streams and ends the process with status 0; never returns, and no
    // window handler, destructor or exit handler runs after it.
    [[noreturn]] void endNow() override;
};

} // namespace dyadora
