// SPDX-License-Identifier: GPL-3.0-or-later
// The cards as keyboard controls and accessible buttons: moves of the focus, turning with Space
// and Enter, the focus kept on the board, the focus ring, and the Press action. (What a real
// AT-SPI client gets: e2e/accessibility.py.)
#include "window_fixture.h"

#include <QAccessibleWidget>
#include <QLabel>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

// A round in progress with the window shown and active, so that the focus is real.
struct ShownRound : MainWindowFixture {
    ShownRound()
    {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        press(form->Command1);
    }

    // Gives card i the focus, as the keyboard would, and presses a key there.
    void keyOn(int i, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        slot(i)->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), slot(i));
        QTest::keyClick(slot(i), key, modifiers);
    }
    bool faceUp(int i) const
    {
        return slot(i)->picture().cacheKey()
            == form->Picture2[static_cast<std::size_t>(i % kPairs)]->picture().cacheKey();
    }
};

} // namespace

class CardsTest : public QObject {
    Q_OBJECT

private slots:
    void arrowsMoveTheFocusOverTheBoard_data();
    void arrowsMoveTheFocusOverTheBoard();
    void spaceAndEnterTurnTheFocusedCardAndTheFocusStaysOnTheBoard();
    void wonRoundLeavesTheFocusOnTheStartButton();
    void focusRingShowsOnTheFocusedCardOnly();
    void cardsArePressableButtonsForAssistiveTechnology();
};

void CardsTest::arrowsMoveTheFocusOverTheBoard_data()
{
    // Boards in reading order, a row per group: 'o' can take the focus, '.' cannot.
    QTest::addColumn<QString>("cards");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    const QString full = QStringLiteral("oooooo oooooo oooooo oooooo");
    QTest::newRow("Right to the next card") << full << 0 << int(Qt::Key_Right) << 1;
    QTest::newRow("Right past cards that cannot take the focus")
        << QStringLiteral("o...o. oooooo oooooo oooooo") << 0 << int(Qt::Key_Right) << 4;
    QTest::newRow("Right at a row's end goes on along the next row")
        << full << 5 << int(Qt::Key_Right) << 6;
    QTest::newRow("Right past a row with no card")
        << QStringLiteral("....oo ...... .o.... ......") << 5 << int(Qt::Key_Right) << 13;
    QTest::newRow("Right at the last card stays") << full << 23 << int(Qt::Key_Right) << 23;
    QTest::newRow("Left at the first card stays") << full << 0 << int(Qt::Key_Left) << 0;
    QTest::newRow("Left at a row's start goes back along the previous row")
        << full << 12 << int(Qt::Key_Left) << 11;
    QTest::newRow("Up at the top row stays") << full << 3 << int(Qt::Key_Up) << 3;
    QTest::newRow("Up past cards in the column")
        << QStringLiteral("...o.. ooo.oo oo.... ...o..") << 21 << int(Qt::Key_Up) << 3;
    QTest::newRow("Down to the nearest column when its own has none below")
        << QStringLiteral("..o... .....o ...... .o....") << 2 << int(Qt::Key_Down) << 19;
    QTest::newRow("Down to the left of two columns equally near")
        << QStringLiteral("..o... ...... .o.o.. ......") << 2 << int(Qt::Key_Down) << 13;
    QTest::newRow("Down at the bottom row stays") << full << 20 << int(Qt::Key_Down) << 20;
    QTest::newRow("Home to the first card that can take the focus")
        << QStringLiteral("...... ..o... ...... ..o.o.") << 22 << int(Qt::Key_Home) << 8;
    QTest::newRow("End to the last card that can take the focus")
        << QStringLiteral("...... ..o... ...... ..o.o.") << 8 << int(Qt::Key_End) << 22;
}

// Pins the moves of the focus with real keys on real cards, at the board's edges and past cards
// that cannot take the focus.
void CardsTest::arrowsMoveTheFocusOverTheBoard()
{
    QFETCH(QString, cards);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    ShownRound f;
    cards.remove(QLatin1Char(' '));
    for (int i = 0; i < kSlots; ++i) {
        f.slot(i)->setEnabled(cards.at(i) == QLatin1Char('o'));
    }
    f.keyOn(from, static_cast<Qt::Key>(key));
    QCOMPARE(QApplication::focusWidget(), f.slot(to));
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Βαθμοί : 20")); // nothing was turned
}

// Pins that Space and both Enters turn the focused card (Enter used to press the start button and
// deal afresh), and that the focus then goes to the nearest card that can be turned: never along
// the tab chain, which after card 16 leads to the start button.
void CardsTest::spaceAndEnterTurnTheFocusedCardAndTheFocusStaysOnTheBoard()
{
    ShownRound f;
    f.keyOn(0, Qt::Key_Space);
    QVERIFY(f.faceUp(0));
    QCOMPARE(QApplication::focusWidget(), f.slot(1));
    f.keyOn(1, Qt::Key_Return);
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Βαθμοί : 19"));
    QCOMPARE(QApplication::focusWidget(), f.slot(2));
    f.keyOn(15, Qt::Key_Enter, Qt::KeypadModifier); // card 16, the last before the buttons
    QVERIFY(f.faceUp(15) && !f.faceUp(0) && !f.faceUp(1));
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Βαθμοί : 19"));
    QCOMPARE(QApplication::focusWidget(), f.slot(16));
    f.keyOn(3, Qt::Key_Space, Qt::ShiftModifier); // not a key of the card's
    QVERIFY(!f.faceUp(3));
}

// Pins that the focus leaves the board for the start button only when no card is left, and that
// Enter there then deals a new round.
void CardsTest::wonRoundLeavesTheFocusOnTheStartButton()
{
    ShownRound f;
    for (int s = 0; s < kPairs; ++s) {
        f.keyOn(s, Qt::Key_Space);
        f.keyOn(s + kPairs, Qt::Key_Space);
        if (s < kPairs - 1) {
            QVERIFY(qobject_cast<CardSlot*>(QApplication::focusWidget()) != nullptr);
        }
    }
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Βαθμοί : 20. Κερδίσατε!"));
    QCOMPARE(QApplication::focusWidget(), f.form->Command1);
    QTest::keyClick(f.form->Command1, Qt::Key_Return);
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Βαθμοί : 20"));
}

// Pins the ring inside the frame on the focused card, the photo inside it untouched, and mouse
// play as before: a click takes no focus and draws no ring.
void CardsTest::focusRingShowsOnTheFocusedCardOnly()
{
    ShownRound f;
    const QImage plain = f.slot(3)->grab().toImage();
    f.clickSlot(4);
    QCOMPARE(QApplication::focusWidget(), f.form->Command1);
    f.slot(3)->setFocus(Qt::TabFocusReason);
    const QImage ringed = f.slot(3)->grab().toImage();
    const QPalette& palette = f.slot(3)->palette();
    for (const QPoint at : { QPoint(2, 45), QPoint(3, 45), QPoint(117, 45), QPoint(60, 87) }) {
        QCOMPARE(QColor(ringed.pixel(at)), palette.color(QPalette::Highlight));
        QVERIFY(plain.pixel(at) != ringed.pixel(at));
    }
    QCOMPARE(QColor(ringed.pixel(4, 45)), palette.color(QPalette::HighlightedText));
    QCOMPARE(ringed.copy(5, 5, 110, 80), plain.copy(5, 5, 110, 80));
    f.slot(5)->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.slot(3)->grab().toImage(), plain);
}

// Pins the card's accessible button: Press turns it exactly as a click does, and a card that
// cannot be turned is disabled and offers no action.
void CardsTest::cardsArePressableButtonsForAssistiveTechnology()
{
    ShownRound pressed;
    ShownRound clicked;
    QAccessibleInterface* card = QAccessible::queryAccessibleInterface(pressed.slot(7));
    QCOMPARE(card->role(), QAccessible::Button);
    QCOMPARE(card->text(QAccessible::Name), QStringLiteral("Κάρτα 8: σειρά 2, στήλη 2"));
    QCOMPARE(card->actionInterface()->actionNames(),
        QStringList({ QAccessibleActionInterface::pressAction(),
            QAccessibleActionInterface::setFocusAction() }));
    card->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    clicked.clickSlot(7);
    QCOMPARE(pressed.form->game().table(), clicked.form->game().table());
    QCOMPARE(
        card->text(QAccessible::Description), QStringLiteral("ανοιχτή κάρτα: πολύχρωμα φλιτζάνια"));
    QVERIFY(card->state().disabled);
    QVERIFY(card->actionInterface()->actionNames().isEmpty());
    card->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(pressed.form->game().table(), clicked.form->game().table());
}

DYADORA_UI_TEST_MAIN(CardsTest)
#include "test_cards.moc"
