// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says about the cards and about each move, in Greek (UTF-8), worked out
// from the game alone.
#pragma once

#include "game/game.h"

#include <string>

namespace dyadora::words {

// What a card is to the player, beyond its picture.
enum class CardStatus {
    Empty, // no round dealt yet
    Covered, // face down, can be turned
    FaceUp, // the first card of the turn in progress
    Found, // one of a pair found in this round
    Mismatched, // one of the last turn's two different cards, covered at the next turn
    Revealed, // shown because the round was lost or ended
};

// Card `slot`'s status in the game as it stands.
CardStatus cardStatus(const Game& game, int slot);

// Card `slot`'s name: its number (1 to 24) and its place on the board.
std::string cardName(int slot);

// Card `slot`'s status in words, with what its photo shows when it is face up.
std::string cardDescription(const Game& game, int slot);

// What to tell the player after the start button dealt a round.
std::string afterStart(const Game& game);

// What to tell the player after card `slot` was clicked: the photo turned and, after the second
// card of a turn, the pair found or the mismatch with the new score, and the win or the loss.
// `before` is the table as it was before the click. Empty when the click changed nothing.
std::string afterTurn(const Table& before, const Game& game, int slot);

// What to tell the player after the end-and-reveal button ended the round: the pairs found.
std::string afterEndAndReveal(const Game& game);

} // namespace dyadora::words
