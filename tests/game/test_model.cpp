// SPDX-License-Identifier: GPL-3.0-or-later
// A long random game played against a small model of the rules kept by the test itself.
#include "fakes.h"
#include "platform/clock_random.h"

#include <QTest>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

// What the rules say the table shows, followed event by event.
struct Model {
    bool started = false;
    bool inProgress = false;
    std::array<bool, kSlots> found {};
    std::vector<int> up; // cards face up and not yet matched
    int first = -1; // the first card of the turn under way
    int mismatches = 0;
    int pairs = 0;
    std::string label { texts::kScoreDesign };

    void start()
    {
        *this = Model {};
        started = inProgress = true;
        label = score();
    }

    void click(int slot, int pairOfSlot, int pairOfFirst)
    {
        if (first < 0) {
            up = { slot };
            first = slot;
            return;
        }
        if (pairOfSlot == pairOfFirst) {
            found[static_cast<std::size_t>(slot)] = found[static_cast<std::size_t>(first)] = true;
            up.clear();
            if (++pairs == kPairs) {
                inProgress = false;
                label += texts::kWonSuffix;
            }
        } else {
            up.push_back(slot);
            ++mismatches;
            label = score();
            if (mismatches == kStartingScore) {
                inProgress = false;
                label = texts::kLost;
            }
        }
        first = -1;
    }

    void reveal()
    {
        inProgress = false;
        label = texts::kEndedByPlayer;
    }

    std::string score() const
    {
        return std::string(texts::kScorePrefix) + std::to_string(kStartingScore - mismatches);
    }
};

int pairOf(const Game& game, int slot)
{
    return game.state().Deal[static_cast<std::size_t>(slot)] % kPairs;
}

// The first difference between the game and the model, or nothing.
QString differences(const Game& game, const Model& m)
{
    const Table& t = game.table();
    const GameState& s = game.state();
    const std::string_view caption = !m.started ? texts::kStartFirst
        : m.inProgress                          ? texts::kStartRestart
                                                : texts::kStartNew;
    if (t.command1Caption != caption) {
        return "start caption";
    }
    if (t.command4Enabled != m.inProgress || game.isRoundInProgress() != m.inProgress) {
        return "end-and-reveal button";
    }
    if (t.label1Caption != m.label) {
        return QString::fromStdString("label " + t.label1Caption + " not " + m.label);
    }
    if (m.started && (s.Score != kStartingScore - m.mismatches || s.Score < 0)) {
        return QString("score %1 after %2 mismatches").arg(s.Score).arg(m.mismatches);
    }
    if (s.PairsFound != m.pairs || s.PairsFound > kPairs) {
        return QString("pairs %1 not %2").arg(s.PairsFound).arg(m.pairs);
    }
    int enabled = 0;
    int faceUp = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const bool shown = m.found[i] || std::find(m.up.begin(), m.up.end(), slot) != m.up.end();
        const Face photo = Face::showing(s.PairPhoto[static_cast<std::size_t>(pairOf(game, slot))]);
        const Face face = !m.started   ? Face::empty()
            : (shown || !m.inProgress) ? photo
                                       : Face::cover();
        if (t.faces[i] != face || t.slotEnabled[i] != (m.inProgress && !shown)) {
            return QString("slot %1").arg(slot);
        }
        enabled += t.slotEnabled[i] ? 1 : 0;
        faceUp += t.faces[i].kind == FaceKind::Photo ? 1 : 0;
    }
    if ((enabled > 0) != m.inProgress) {
        return "enabled slots outside a round, or none in one";
    }
    if (m.inProgress && faceUp - 2 * s.PairsFound > 2) {
        return "more than two unmatched cards up";
    }
    return {};
}

} // namespace

class ModelTest : public QObject {
    Q_OBJECT

private slots:
    // Random play keeps the game in step, event by event, with the test's own model of the rules.
    void randomPlayFollowsTheRules_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::newRow("seed 1") << quint64 { 1 };
        QTest::newRow("seed 2718") << quint64 { 2718 };
    }
    void randomPlayFollowsTheRules()
    {
        QFETCH(quint64, seed);
        SeededRandom random(seed);
        RecordingProgramEnd end;
        Game game(random, end);
        Model model;
        SplitMix64 dice(seed ^ 0x5eedU);
        std::array<int, 4> endings {}; // won, lost, revealed, abandoned
        for (int n = 0; n < 100'000; ++n) {
            std::vector<int> enabled;
            for (int slot = 0; slot < kSlots; ++slot) {
                if (game.table().slotEnabled[static_cast<std::size_t>(slot)]) {
                    enabled.push_back(slot);
                }
            }
            const auto roll = dice.next() % 100;
            if (enabled.empty() || roll < 1) {
                endings[3] += model.inProgress ? 1 : 0;
                game.StartRound();
                model.start();
            } else if (roll < 2 && game.table().command4Enabled) {
                ++endings[2];
                game.EndAndReveal();
                model.reveal();
            } else {
                int slot = enabled[dice.next() % enabled.size()];
                if (model.first >= 0 && roll % 3 == 0) { // a player who remembers the partner
                    for (int other : enabled) {
                        slot = pairOf(game, other) == pairOf(game, model.first) ? other : slot;
                    }
                }
                game.SelectSlot(slot);
                model.click(
                    slot, pairOf(game, slot), model.first < 0 ? -1 : pairOf(game, model.first));
                if (!model.inProgress) {
                    ++endings[model.pairs == kPairs ? 0 : 1];
                }
            }
            const QString issue = differences(game, model);
            if (!issue.isEmpty()) {
                QFAIL(qPrintable(QString("event %1: %2").arg(n).arg(issue)));
            }
        }
        for (int count : endings) {
            QVERIFY2(count >= 100, "every way of ending a round must come up often");
        }
    }
};

QTEST_APPLESS_MAIN(ModelTest)
#include "test_model.moc"
