// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own texts, UTF-8, compared character by character.
#pragma once

#include <string_view>

namespace dyadora::texts {

// Captions of the start button; the caption carries the round state.
inline constexpr std::string_view kStartFirst = "Έναρξη παιχνιδιού";
inline constexpr std::string_view kStartRestart = "Τέλος τρέχουσας παρτίδας και αρχή άλλης";
inline constexpr std::string_view kStartNew = "Αρχή νέας παρτίδας";

// Score label.
inline constexpr std::string_view kScoreDesign = "Βαθμοί :";
inline constexpr std::string_view kScorePrefix = "Βαθμοί : ";
inline constexpr std::string_view kWonSuffix = ". Κερδίσατε!";
inline constexpr std::string_view kLost = "Λυπάμαι, χάσατε!";
inline constexpr std::string_view kEndedByPlayer = "Η παρτίδα τερματίστηκε";

} // namespace dyadora::texts
