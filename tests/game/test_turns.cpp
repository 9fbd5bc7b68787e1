// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the rule of a turn and the life cycle of a round, as clicks and presses on the table.
#include "fakes.h"

#include <QTest>

#include <algorithm>
#include <climits>
#include <string>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

// Events of a script besides clicks on a slot.
constexpr int kStart = -1000;
constexpr int kReveal = -1001;

// A game dealt by a source that always returns 0: slot s shows photo s % 12, so slots s and
// s + 12 are a pair.
struct Fixture {
    ScriptedRandom random { { 0.0f } };
    RecordingProgramEnd end;
    Game game { random, end };

    void play(const QList<int>& events)
    {
        for (int e : events) {
            if (e == kStart) {
                game.StartRound();
            } else if (e == kReveal) {
                game.EndAndReveal();
            } else {
                game.SelectSlot(e);
            }
        }
    }
};

Face photoOf(int slot) { return Face::showing(static_cast<std::uint8_t>(slot % kPairs)); }

// Mismatched turns, alternating between slots 0 and 1 and slots 2 and 3 and ending on 0 and 1
// when the count is odd.
QList<int> mismatches(int count)
{
    QList<int> clicks;
    for (int n = 0; n < count; ++n) {
        clicks << (n % 2 == 0 ? QList<int> { 0, 1 } : QList<int> { 2, 3 });
    }
    return clicks;
}

// Every pair found, each turn starting on the slots 12 to 23, which no mismatch above turns up.
QList<int> allPairs()
{
    QList<int> clicks;
    for (int s = 0; s < kPairs; ++s) {
        clicks << s + kPairs << s;
    }
    return clicks;
}

// The table during a round: the given slots face up and disabled, the others covered.
Table roundTable(const QList<int>& faceUp, int score)
{
    Table t;
    for (int s = 0; s < kSlots; ++s) {
        const auto i = static_cast<std::size_t>(s);
        t.faces[i] = faceUp.contains(s) ? photoOf(s) : Face::cover();
        t.slotEnabled[i] = !faceUp.contains(s);
    }
    t.command1Caption = texts::kStartRestart;
    t.label1Caption = std::string(texts::kScorePrefix) + std::to_string(score);
    t.command4Enabled = true;
    return t;
}

// The table after a round: every photo shown, every slot disabled.
Table endedTable(std::string_view label)
{
    Table t;
    for (int s = 0; s < kSlots; ++s) {
        t.faces[static_cast<std::size_t>(s)] = photoOf(s);
    }
    t.command1Caption = texts::kStartNew;
    t.label1Caption = label;
    return t;
}

} // namespace

class TurnTest : public QObject {
    Q_OBJECT

private slots:
    // A new game shows the window's design state, has dealt nothing and holds zero everywhere.
    void newGameShowsTheDesignStateWithZeroState()
    {
        Fixture f;
        const Table& t = f.game.table();
        const auto all = [](const auto& values, auto value) {
            return std::all_of(values.begin(), values.end(), [&](auto v) { return v == value; });
        };
        QVERIFY(all(t.faces, Face::empty()) && all(t.slotEnabled, false) && !t.command4Enabled);
        QCOMPARE(t.command1Caption, texts::kStartFirst);
        QCOMPARE(t.label1Caption, texts::kScoreDesign);
        QCOMPARE(t, Table {});
        const GameState& s = f.game.state();
        QVERIFY(all(s.Deal, 0) && all(s.PairPhoto, 0) && all(s.Taken, 0));
        QVERIFY(s.PickCursor == 0 && s.PickCount == 0 && s.AwaitingFirst == 0 && s.FirstSlot == 0);
        QVERIFY(s.SecondSlot == 0 && s.PairsFound == 0 && s.Score == 0 && s.LastTurnMatched == 0);
        QCOMPARE(f.random.reseeds, 0);
        QVERIFY(!f.game.isRoundInProgress());
    }

    // Each script of a round leaves the given cards face up and the given score and pairs.
    void turnsLeaveTheseCardsUp_data()
    {
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<QList<int>>("faceUp");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("pairs");
        QTest::newRow("start") << QList { kStart } << QList<int> {} << 20 << 0;
        QTest::newRow("first click") << QList { kStart, 3 } << QList { 3 } << 20 << 0;
        QTest::newRow("pair on the first turn")
            << QList { kStart, 0, 12 } << QList { 0, 12 } << 20 << 1;
        QTest::newRow("mismatch stays up") << QList { kStart, 0, 1 } << QList { 0, 1 } << 19 << 0;
        QTest::newRow("mismatch covered at the next first click")
            << QList { kStart, 0, 1, 2 } << QList { 2 } << 19 << 0;
        QTest::newRow("a second click covers nothing")
            << QList { kStart, 0, 1, 2, 3 } << QList { 2, 3 } << 18 << 0;
        QTest::newRow("found pair stays up through a mismatch")
            << QList { kStart, 0, 12, 1, 2, 13 } << QList { 0, 12, 13 } << 19 << 1;
        QTest::newRow("nothing covered after a pair")
            << QList { kStart, 1, 2, 13, 1, 3 } << QList { 13, 1, 3 } << 19 << 1;
        QTest::newRow("nineteen mismatches")
            << (QList { kStart } + mismatches(19)) << QList { 0, 1 } << 1 << 0;
        QTest::newRow("restart with one card up")
            << QList { kStart, 5, kStart, 5 } << QList { 5 } << 20 << 0;
        QTest::newRow("restart with a mismatch up")
            << QList { kStart, 5, 6, kStart, 5 } << QList { 5 } << 20 << 0;
        QTest::newRow("restart with a mismatch up, then slot 0")
            << QList { kStart, 5, 6, kStart, 0 } << QList { 0 } << 20 << 0;
        QTest::newRow("restart after a pair")
            << QList { kStart, 0, 12, kStart } << QList<int> {} << 20 << 0;
        QTest::newRow("start after a reveal")
            << QList { kStart, 0, kReveal, kStart } << QList<int> {} << 20 << 0;
    }
    void turnsLeaveTheseCardsUp()
    {
        QFETCH(QList<int>, events);
        QFETCH(QList<int>, faceUp);
        QFETCH(int, score);
        QFETCH(int, pairs);
        Fixture f;
        f.play(events);
        QCOMPARE(f.game.table(), roundTable(faceUp, score));
        QCOMPARE(f.game.state().Score, score);
        QCOMPARE(f.game.state().PairsFound, pairs);
        QCOMPARE(f.random.reseeds, static_cast<int>(events.count(kStart)));
    }

    // A won, lost or revealed round shows every photo and holds its table until the next start.
    void roundsEndWithEveryPhotoShown_data()
    {
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<QString>("label");
        QTest::newRow("perfect round")
            << (QList { kStart } + allPairs()) << "Βαθμοί : 20. Κερδίσατε!";
        QTest::newRow("won after nineteen mismatches")
            << (QList { kStart } + mismatches(19) + allPairs()) << "Βαθμοί : 1. Κερδίσατε!";
        QTest::newRow("lost at the twentieth mismatch")
            << (QList { kStart } + mismatches(20) + allPairs()) << "Λυπάμαι, χάσατε!";
        QTest::newRow("revealed") << QList { kStart, 0, 12, 1, 2, 3, kReveal }
                                  << "Η παρτίδα τερματίστηκε";
    }
    void roundsEndWithEveryPhotoShown()
    {
        QFETCH(QList<int>, events);
        QFETCH(QString, label);
        Fixture f;
        f.play(events);
        const Table ended = endedTable(label.toStdString());
        QCOMPARE(f.game.table(), ended);
        QVERIFY(!f.game.isRoundInProgress());
        for (int s = 0; s < kSlots; ++s) {
            f.game.SelectSlot(s);
        }
        QCOMPARE(f.game.table(), ended);
        f.game.StartRound();
        QCOMPARE(f.game.table(), roundTable({}, 20));
        QCOMPARE(f.random.reseeds, 2);
    }

    // A click on a disabled or out-of-range slot changes neither the table nor the state.
    void clicksOnDisabledOrMissingSlotsChangeNothing_data()
    {
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<int>("slot");
        QTest::newRow("before the first round") << QList<int> {} << 0;
        QTest::newRow("below the first slot") << QList { kStart } << -1;
        QTest::newRow("past the last slot") << QList { kStart } << 24;
        QTest::newRow("lowest int") << QList { kStart } << INT_MIN;
        QTest::newRow("highest int") << QList { kStart } << INT_MAX;
        QTest::newRow("the card just turned") << QList { kStart, 4 } << 4;
        QTest::newRow("a found card") << QList { kStart, 0, 12 } << 12;
        QTest::newRow("a mismatched card") << QList { kStart, 0, 1 } << 0;
        QTest::newRow("after a loss") << (QList { kStart } + mismatches(20)) << 5;
    }
    void clicksOnDisabledOrMissingSlotsChangeNothing()
    {
        QFETCH(QList<int>, events);
        QFETCH(int, slot);
        Fixture f;
        f.play(events);
        const Table table = f.game.table();
        const GameState state = f.game.state();
        f.game.SelectSlot(slot);
        QCOMPARE(f.game.table(), table);
        QVERIFY(fieldsOf(f.game.state()) == fieldsOf(state));
    }

    // The exit button ends the program once and touches nothing else.
    void exitEndsTheProgramOnce()
    {
        Fixture f;
        f.play({ kStart, 0, 1 });
        const Table table = f.game.table();
        f.game.ExitGame();
        QCOMPARE(f.end.calls, 1);
        QCOMPARE(f.game.table(), table);
    }
};

QTEST_APPLESS_MAIN(TurnTest)
#include "test_turns.moc"
