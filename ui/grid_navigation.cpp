// SPDX-License-Identifier: GPL-3.0-or-later
// The moves of the keyboard focus over the grid of cards.
#include "grid_navigation.h"

#include <cstdlib>
#include <tuple>

namespace dyadora {

namespace {

    struct Position {
        int row;
        int column;
    };

    Position positionOf(int slot) { return { slot / kColumns, slot % kColumns }; }

    bool canFocus(const FocusableSlots& focusable, int slot)
    {
        return slot >= 0 && slot < kSlots && focusable[static_cast<std::size_t>(slot)];
    }

    int stepInReadingOrder(int from, int step, const FocusableSlots& focusable)
    {
        for (int slot = from + step; slot >= 0 && slot < kSlots; slot += step) {
            if (canFocus(focusable, slot)) {
                return slot;
            }
        }
        return -1;
    }

    // Up (step -1) or Down (step +1): the nearest column first, then the nearest row.
    int verticalTarget(int from, int step, const FocusableSlots& focusable)
    {
        const Position at = positionOf(from);
        int best = -1;
        std::tuple<int, int> bestKey { kColumns, kRows };
        for (int slot = 0; slot < kSlots; ++slot) {
            const Position candidate = positionOf(slot);
            const int rowsAway = (candidate.row - at.row) * step;
            if (rowsAway <= 0 || !canFocus(focusable, slot)) {
                continue;
            }
            const std::tuple<int, int> key { std::abs(candidate.column - at.column), rowsAway };
            if (key < bestKey) { // slots run left to right, so a tie keeps the left column
                bestKey = key;
                best = slot;
            }
        }
        return best;
    }

} // namespace

int gridMoveTarget(int from, GridMove move, const FocusableSlots& focusable)
{
    switch (move) {
    case GridMove::Left:
        return stepInReadingOrder(from, -1, focusable);
    case GridMove::Right:
        return stepInReadingOrder(from, +1, focusable);
    case GridMove::Up:
        return verticalTarget(from, -1, focusable);
    case GridMove::Down:
        return verticalTarget(from, +1, focusable);
    case GridMove::First:
        return stepInReadingOrder(-1, +1, focusable);
    case GridMove::Last:
        return stepInReadingOrder(kSlots, -1, focusable);
    }
    return -1;
}

int nearestFocusable(int from, const FocusableSlots& focusable)
{
    const Position at = positionOf(from);
    int best = -1;
    int bestDistance = kRows * kRows + kColumns * kColumns;
    // Visiting the cards in reading order from the one after `from` makes a tie keep the first.
    for (int step = 1; step < kSlots; ++step) {
        const int slot = (from + step) % kSlots;
        if (!canFocus(focusable, slot)) {
            continue;
        }
        const Position candidate = positionOf(slot);
        const int rows = candidate.row - at.row;
        const int columns = candidate.column - at.column;
        const int distance = rows * rows + columns * columns;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = slot;
        }
    }
    return best;
}

} // namespace dyadora
