// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-ins for the game's services: a scripted random source and a program end that records.
#pragma once

#include "game/game.h"

#include <QTest>

#include <algorithm>
#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

namespace dyadora::testing {

// Returns the scripted values in order and then repeats the last one, so one value makes a
// constant source. Counts reseeds and draws.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> values)
        : m_values(std::move(values))
    {
    }

    void reseed() override
    {
        ++reseeds;
        drawsAtLastReseed = draws;
    }

    float next() override
    {
        const std::size_t i = std::min(static_cast<std::size_t>(draws), m_values.size() - 1);
        ++draws;
        return m_values[i];
    }

    int reseeds = 0;
    int draws = 0;
    int drawsAtLastReseed = -1;

private:
    std::vector<float> m_values;
};

class RecordingProgramEnd final : public ProgramEnd {
public:
    void endNow() override { ++calls; }
    int calls = 0;
};

// Every field of the state, for comparing two states whole.
inline auto fieldsOf(const GameState& s)
{
    return std::tie(s.Deal, s.PairPhoto, s.Taken, s.PickCursor, s.PickCount, s.AwaitingFirst,
        s.FirstSlot, s.SecondSlot, s.PairsFound, s.Score, s.LastTurnMatched);
}

} // namespace dyadora::testing

namespace dyadora {

// The table as text for QCOMPARE's failure messages: each slot as its photo, "?" for a cover
// or "-" for no picture, with "x" after a disabled slot.
inline char* toString(const Table& t)
{
    QByteArray text;
    for (std::size_t s = 0; s < kSlots; ++s) {
        const Face f = t.faces[s];
        text += f.kind == FaceKind::Photo ? QByteArray::number(f.photo)
                                          : QByteArray(f.kind == FaceKind::Cover ? "?" : "-");
        text += t.slotEnabled[s] ? " " : "x ";
    }
    text += "| " + QByteArray::fromStdString(t.command1Caption) + " | "
        + QByteArray::fromStdString(t.label1Caption) + (t.command4Enabled ? " | 4 on" : " | 4 off");
    return qstrdup(text.constData());
}

} // namespace dyadora
