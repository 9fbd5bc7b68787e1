// SPDX-License-Identifier: GPL-3.0-or-later
// Moving the keyboard focus over the 4 x 6 grid of cards, as plain functions of which cards can
// take the focus.
#pragma once

#include "game/table.h"

#include <array>

namespace dyadora {

// Which of the 24 cards can take the keyboard focus, in reading order.
using FocusableSlots = std::array<bool, kSlots>;

enum class GridMove {
    Left, // the previous card in reading order
    Right, // the next card in reading order
    Up, // the nearest card above
    Down, // the nearest card below
    First, // the first card in reading order (Home)
    Last, // the last card in reading order (End)
};

// The card that a move from card `from` (0 to 23) lands on, or -1 when there is none (the move
// then does nothing).
//
// Left and Right follow reading order: within the row they go to the nearest card that can take
// the focus, and past the row's end they go on along the next row (Right) or back along the
// previous one (Left), so that every such card can be reached with them alone. They stop at the
// first and last card. Up and Down stay in the column when a card above (below) can take the
// focus and go to the nearest such one; otherwise they go to the nearest column that has such a
// card above (below), and there to the nearest row. Of two columns equally near, the left one
// wins. First and Last ignore `from`.
int gridMoveTarget(int from, GridMove move, const FocusableSlots& focusable);

// The card nearest to card `from` (by straight distance between grid positions) that can take
// the focus, not counting `from` itself; of cards equally near, the one that comes first in
// reading order after `from` (going round after the last card). -1 when there is none.
int nearestFocusable(int from, const FocusableSlots& focusable);

} // namespace dyadora
