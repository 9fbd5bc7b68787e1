// SPDX-License-Identifier: GPL-3.0-or-later
// The application's default font.
#pragma once

namespace dyadora {

// Makes the platform's default font a narrow sans-serif with Greek glyphs at 8 points: Liberation
// Sans, or on Windows its metric twin Arial (Liberation Sans where Arial is missing, as under
// Wine). The windows were drawn for those metrics. Call once, after the QApplication exists and
// before any window is created.
void installApplicationFont();

} // namespace dyadora
