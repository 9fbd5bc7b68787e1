// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's design measures and the arithmetic of its layout, in twips.
#pragma once

namespace dyadora::layout {

// The main window's outer design size, which is also its minimum size.
inline constexpr float kDesignWidth = 11760.0f;
inline constexpr float kDesignHeight = 7215.0f;

// Bottom buttons and the help button keep their distances from the window's outer edges.
constexpr float command4Top(float height) { return height - 855.0f; }
constexpr float command4Left(float width) { return width - 5280.0f; }
constexpr float command3Top(float height) { return height - 855.0f; }
constexpr float command3Left(float width) { return width - 1200.0f; }
constexpr float command2Left(float width) { return width - 1080.0f; }

// Card slot i keeps its size and stays centred in its row's and column's share of the extra
// room: (2r + 1) / 8 of the extra height and (2c + 1) / 12 of the extra width. The extra room is
// a single-precision difference; the rest is worked in double and rounded to single.
constexpr float slotTop(int slot, float height)
{
    const int row = slot / 6;
    const float extra = height - kDesignHeight;
    return static_cast<float>(
        600.0 + 1440.0 * row + (2.0 * row + 1.0) * static_cast<double>(extra) / 8.0);
}

constexpr float slotLeft(int slot, float width)
{
    const int column = slot % 6;
    const float extra = width - kDesignWidth;
    return static_cast<float>(
        120.0 + 1920.0 * column + (2.0 * column + 1.0) * static_cast<double>(extra) / 12.0);
}

} // namespace dyadora::layout
