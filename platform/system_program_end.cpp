// SPDX-License-Identifier: GPL-3.0-or-later
// The real program end.
#include "system_program_end.h"

#include <cstdio>
#include <cstdlib>

namespace dyadora {

void SystemProgramEnd::endNow()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

} // namespace dyadora
