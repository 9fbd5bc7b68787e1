// SPDX-License-Identifier: GPL-3.0-or-later
// The moves of the keyboard focus as plain functions: every card within reach of the arrows, and
// where the focus goes when its card is turned. (The moves themselves: test_cards.cpp.)
#include "ui/grid_navigation.h"

#include <QTest>

#include <algorithm>
#include <random>
#include <vector>

using namespace dyadora;

namespace {

// A board written as 24 characters in reading order: 'o' can take the focus, '.' cannot.
FocusableSlots board(const QString& text)
{
    FocusableSlots focusable {};
    const QString cards = QString(text).remove(QLatin1Char(' '));
    for (int i = 0; i < kSlots; ++i) {
        focusable[static_cast<std::size_t>(i)] = cards.at(i) == QLatin1Char('o');
    }
    return focusable;
}

} // namespace

class GridNavigationTest : public QObject {
    Q_OBJECT

private slots:
    void everyCardIsWithinReachOfTheArrows();
    void focusOfATurnedCardGoesToTheNearestCard_data();
    void focusOfATurnedCardGoesToTheNearestCard();
};

// Pins that the arrows alone reach every card that can take the focus, from any such card, on
// random boards. A rule preferring the same row for Left and Right as well as the same column for
// Up and Down failed this: on "o...o. .o.... o...o. ...oo." nothing led to card 8.
void GridNavigationTest::everyCardIsWithinReachOfTheArrows()
{
    std::mt19937 random(20240610);
    for (int trial = 0; trial < 3000; ++trial) {
        std::bernoulli_distribution focusableCard(0.05 + 0.9 * (trial % 10) / 9.0);
        FocusableSlots focusable {};
        for (bool& card : focusable) {
            card = focusableCard(random);
        }
        const int count = static_cast<int>(std::count(focusable.begin(), focusable.end(), true));
        const auto start = std::find(focusable.begin(), focusable.end(), true) - focusable.begin();
        if (count == 0) {
            continue;
        }
        std::vector<int> reached { static_cast<int>(start) };
        for (std::size_t next = 0; next < reached.size(); ++next) {
            for (const GridMove move :
                { GridMove::Left, GridMove::Right, GridMove::Up, GridMove::Down }) {
                const int target = gridMoveTarget(reached[next], move, focusable);
                QVERIFY(target == -1 || focusable[static_cast<std::size_t>(target)]);
                if (target >= 0
                    && std::find(reached.begin(), reached.end(), target) == reached.end()) {
                    reached.push_back(target);
                }
            }
        }
        QCOMPARE(static_cast<int>(reached.size()), count);
    }
}

void GridNavigationTest::focusOfATurnedCardGoesToTheNearestCard_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<int>("turned");
    QTest::addColumn<int>("focus");

    const QString full = QStringLiteral("oooooo oooooo oooooo oooooo");
    QTest::newRow("to the next card when as near as the one below") << full << 0 << 1;
    QTest::newRow("at a row's end, below before to the left") << full << 5 << 11;
    QTest::newRow("going round after the last card")
        << QStringLiteral("...... ...... .....o ....o.") << 23 << 17;
    QTest::newRow("by straight distance, not reading order")
        << QStringLiteral("o..... ...... ...o.. ......") << 7 << 0;
    QTest::newRow("never the turned card itself")
        << QStringLiteral("...... ...o.. ...... ......") << 9 << -1;
    QTest::newRow("none at the end of a round")
        << QStringLiteral("...... ...... ...... ......") << 12 << -1;
}

// Pins where the focus goes when the game disables the focused card.
void GridNavigationTest::focusOfATurnedCardGoesToTheNearestCard()
{
    QFETCH(QString, cards);
    QFETCH(int, turned);
    QFETCH(int, focus);
    QCOMPARE(nearestFocusable(turned, board(cards)), focus);
}

QTEST_APPLESS_MAIN(GridNavigationTest)
#include "test_grid_navigation.moc"
