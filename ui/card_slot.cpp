// SPDX-License-Identifier: GPL-3.0-or-later
// A card slot: its keys, its focus ring and its accessible interface.
#include "card_slot.h"

#include "card_words.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

namespace dyadora {

namespace {

    // The cards of the board that `card` belongs to, by index.
    std::array<CardSlot*, kSlots> boardOf(const CardSlot& card)
    {
        std::array<CardSlot*, kSlots> board {};
        if (card.parent() == nullptr) {
            return board;
        }
        for (QObject* child : card.parent()->children()) {
            auto* other = qobject_cast<CardSlot*>(child);
            if (other != nullptr && other->index() >= 0 && other->index() < kSlots) {
                board[static_cast<std::size_t>(other->index())] = other;
            }
        }
        return board;
    }

    void fillRing(QPainter& painter, const QRect& outer, int width, const QColor& colour)
    {
        painter.fillRect(outer.left(), outer.top(), outer.width(), width, colour);
        painter.fillRect(outer.left(), outer.bottom() - width + 1, outer.width(), width, colour);
        painter.fillRect(outer.left(), outer.top(), width, outer.height(), colour);
        painter.fillRect(outer.right() - width + 1, outer.top(), width, outer.height(), colour);
    }

    class CardAccessible : public QAccessibleWidget {
    public:
        explicit CardAccessible(CardSlot* card)
            : QAccessibleWidget(card, QAccessible::Button)
        {
        }

        QStringList actionNames() const override
        {
            QStringList names = QAccessibleWidget::actionNames();
            if (widget()->isEnabled()) {
                names.prepend(pressAction());
            }
            return names;
        }

        QStringList keyBindingsForAction(const QString& actionName) const override
        {
            if (actionName == pressAction()) {
                return { QStringLiteral("Space") };
            }
            return QAccessibleWidget::keyBindingsForAction(actionName);
        }

        void doAction(const QString& actionName) override
        {
            if (actionName == pressAction()) {
                static_cast<CardSlot*>(widget())->press();
                return;
            }
            QAccessibleWidget::doAction(actionName);
        }
    };

} // namespace

CardSlot::CardSlot(int index, QWidget* parent)
    : PictureBox(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("Picture1"));
    setProperty("index", index);
    setFocusPolicy(Qt::TabFocus); // a click never moves the focus, so mouse play shows no ring
    setAccessibleName(QString::fromStdString(words::cardName(index)));
}

void CardSlot::press()
{
    if (isEnabled()) {
        emit clicked();
    }
}

void CardSlot::showTurnable(const std::array<CardSlot*, kSlots>& cards,
    const std::array<bool, kSlots>& turnable, QWidget& fallback)
{
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (turnable[i]) {
            cards[i]->setEnabled(true);
        }
    }
    // Qt would hand the focus of a card being disabled on along the tab chain: after card 16,
    // that is the start button, where the next Enter would deal a new round.
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (!turnable[i] && cards[i]->window()->focusWidget() == cards[i]) {
            const int target = nearestFocusable(static_cast<int>(i), turnable);
            QWidget* next = target >= 0 ? cards[static_cast<std::size_t>(target)] : &fallback;
            next->setFocus(Qt::OtherFocusReason);
        }
    }
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (!turnable[i]) {
            cards[i]->setEnabled(false);
        }
    }
}

QAccessibleInterface* CardSlot::accessibleInterface(CardSlot* card)
{
    return new CardAccessible(card);
}

// Space and Enter turn the card (Enter is the card's own here, not the start button's); the
// arrows, Home and End move the focus over the board.
void CardSlot::keyPressEvent(QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        PictureBox::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat()) {
            press();
        }
        break;
    case Qt::Key_Left:
        moveFocus(GridMove::Left);
        break;
    case Qt::Key_Right:
        moveFocus(GridMove::Right);
        break;
    case Qt::Key_Up:
        moveFocus(GridMove::Up);
        break;
    case Qt::Key_Down:
        moveFocus(GridMove::Down);
        break;
    case Qt::Key_Home:
        moveFocus(GridMove::First);
        break;
    case Qt::Key_End:
        moveFocus(GridMove::Last);
        break;
    default:
        PictureBox::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CardSlot::moveFocus(GridMove move)
{
    const std::array<CardSlot*, kSlots> board = boardOf(*this);
    FocusableSlots focusable {};
    for (std::size_t i = 0; i < board.size(); ++i) {
        focusable[i] = board[i] != nullptr && board[i]->isEnabled() && !board[i]->isHidden();
    }
    const int target = gridMoveTarget(m_index, move, focusable);
    if (target >= 0) {
        board[static_cast<std::size_t>(target)]->setFocus(Qt::OtherFocusReason);
    }
}

// The ring lies inside the sunken frame, over the photo's outermost pixels: two pixels in the
// highlight colour and one in the highlighted-text colour, so that it shows on any photo.
void CardSlot::paintEvent(QPaintEvent* event)
{
    PictureBox::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    const QRect inside = contentsRect();
    fillRing(painter, inside, 2, palette().color(QPalette::Highlight));
    fillRing(painter, inside.adjusted(2, 2, -2, -2), 1, palette().color(QPalette::HighlightedText));
}

} // namespace dyadora
