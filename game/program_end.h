// SPDX-License-Identifier: GPL-3.0-or-later
// Ending the program, behind an interface so that tests can watch it happen.
#pragma once

namespace dyadora {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;

    // Ends the program at once: the real one does not return, and no further handler runs.
    virtual void endNow() = 0;
};

} // namespace dyadora
