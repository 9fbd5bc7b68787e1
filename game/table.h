// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window shows, as plain values that the game reads and writes.
#pragma once

#include "texts.h"

#include <array>
#include <cstdint>
#include <string>

namespace dyadora {

inline constexpr int kSlots = 24; // card slots, 4 rows of 6
inline constexpr int kPairs = 12; // pairs dealt per round
inline constexpr int kPhotos = 18; // photos in the built-in set
inline constexpr int kFlagTable = 36; // entries of the deal's selection table
inline constexpr int kStartingScore = 20;
inline constexpr int kColumns = 6;
inline constexpr int kRows = 4;

// What one card slot shows.
enum class FaceKind : std::uint8_t {
    Empty, // no picture (before the first round)
    Cover, // the question-mark cover picture
    Photo, // photo `photo` of the built-in set
};

struct Face {
    FaceKind kind = FaceKind::Empty;
    std::uint8_t photo = 0; // 0 to 17; meaningful only for FaceKind::Photo

    static constexpr Face empty() { return {}; }
    static constexpr Face cover() { return { FaceKind::Cover, 0 }; }
    static constexpr Face showing(std::uint8_t photoIndex)
    {
        return { FaceKind::Photo, photoIndex };
    }
    friend constexpr bool operator==(const Face&, const Face&) = default;
};

// The main window's game-facing state. Starting values are the window's design state:
// empty, disabled slots, the first start caption, a score label with no number.
struct Table {
    std::array<Face, kSlots> faces {}; // Picture1(i)'s picture
    std::array<bool, kSlots> slotEnabled {}; // Picture1(i)'s enabled flag
    std::string command1Caption { texts::kStartFirst }; // the start button
    std::string label1Caption { texts::kScoreDesign }; // the score label
    bool command4Enabled = false; // the end-and-reveal button

    friend bool operator==(const Table&, const Table&) = default;
};

} // namespace dyadora
