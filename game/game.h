// SPDX-License-Identifier: GPL-3.0-or-later
// The game: its state fields, the deal, the rule of a turn and round control.
#pragma once

#include "program_end.h"
#include "random_source.h"
#include "table.h"

#include <array>
#include <cstdint>

namespace dyadora {

using Flag = std::int16_t; // -1 for true, 0 for false
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

// The state fields, all zero until the first round is dealt.
struct GameState {
    std::array<std::uint8_t, kSlots>
        Deal {}; // position value of each slot; scratch ranks in a deal
    std::array<std::uint8_t, kPairs> PairPhoto {}; // photo of each pair; scratch ranks in a deal
    std::array<Flag, kFlagTable> Taken {}; // selection table of the deal
    std::int16_t PickCursor = 0; // scratch cursor of a selection pass
    std::int16_t PickCount = 0; // scratch count of clear flags passed
    Flag AwaitingFirst = kFalse; // the next click is the first card of a turn
    std::uint8_t FirstSlot = 0; // first card of the current or last turn
    std::uint8_t SecondSlot = 0; // second card of the last mismatched turn
    std::uint8_t PairsFound = 0; // 0 to 12
    std::int16_t Score = 0; // 20 at the start of a round
    Flag LastTurnMatched = kFalse; // whether the last completed turn found a pair
};

class Game {
public:
    // Both services must outlive the game.
    Game(RandomSource& random, ProgramEnd& programEnd);

    // A press of the start button: starts, restarts or starts anew, by the button's caption.
    void StartRound();

    // A click on slot 0 to 23. The window delivers clicks on enabled slots only; a click on a
    // disabled or out-of-range slot changes nothing.
    void SelectSlot(int slot);

    // A press of the end-and-reveal button: shows every card and ends the round.
    void EndAndReveal();

    // A press of the exit button: ends the program through the program end.
    void ExitGame();

    // Deals a fresh round into Deal and PairPhoto; draws 36 values after reseeding.
    void DealRound();

    // The photo (0 to 17) of slot 0 to 23 in the current deal.
    std::uint8_t SlotPhoto(int slot) const;

    const Table& table() const { return m_table; }
    const GameState& state() const { return m_state; }

    // True while a round is in progress (the start button offers to abandon it).
    bool isRoundInProgress() const;

private:
    void selectValue(std::uint8_t& rankThenValue);
    void revealAll();
    void setScoreLabel();

    RandomSource& m_random;
    ProgramEnd& m_programEnd;
    GameState m_state;
    Table m_table;
};

} // namespace dyadora
