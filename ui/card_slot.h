// SPDX-License-Identifier: GPL-3.0-or-later
// A card slot of the board: a picture box that can be turned with the mouse, the keyboard or
// an accessibility client, and that draws a ring while it has the keyboard focus.
#pragma once

#include "game/table.h"
#include "grid_navigation.h"
#include "picture_box.h"

#include <array>

class QAccessibleInterface;

namespace dyadora {

class CardSlot : public PictureBox {
    Q_OBJECT

public:
    // Card `index` (0 to 23, in reading order), named "Picture1" with its index as the "index"
    // property. The cards of one board are the CardSlot children of one parent.
    CardSlot(int index, QWidget* parent);

    int index() const { return m_index; }

    // Turns the card as a click does: emits clicked() when the card is enabled.
    void press();

    // Enables the cards that can be turned and disables the others. When the card that has the
    // focus is disabled, the focus goes to the nearest card that stays enabled, or to
    // `fallback` when none does, rather than along the tab chain off the board.
    static void showTurnable(const std::array<CardSlot*, kSlots>& cards,
        const std::array<bool, kSlots>& turnable, QWidget& fallback);

    // The card's accessible interface: a button with the actions Press and SetFocus.
    static QAccessibleInterface* accessibleInterface(CardSlot* card);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveFocus(GridMove move);

    int m_index;
};

} // namespace dyadora
