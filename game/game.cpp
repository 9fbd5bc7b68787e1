// SPDX-License-Identifier: GPL-3.0-or-later
// The deal, the rule of a turn and the life cycle of a round.
#include "game.h"

#include <cmath>
#include <string>

namespace dyadora {

namespace {

    // floor(count * r) with the product formed in single precision, stored as a byte. A value
    // outside [0, 1) would break the source's contract and run the selection scan off its table,
    // so such a value is held to the nearest valid rank instead.
    std::uint8_t rankOf(std::int16_t count, float r)
    {
        const float product = static_cast<float>(count) * r;
        if (!(product >= 0.0f)) { // negative or NaN
            return 0;
        }
        if (product >= static_cast<float>(count)) {
            return static_cast<std::uint8_t>(count - 1);
        }
        return static_cast<std::uint8_t>(std::floor(product));
    }

    bool isValidSlot(int slot) { return slot >= 0 && slot < kSlots; }

} // namespace

Game::Game(RandomSource& random, ProgramEnd& programEnd)
    : m_random(random)
    , m_programEnd(programEnd)
{
}

bool Game::isRoundInProgress() const { return m_table.command1Caption == texts::kStartRestart; }

std::uint8_t Game::SlotPhoto(int slot) const
{
    return m_state
        .PairPhoto[static_cast<std::size_t>(m_state.Deal[static_cast<std::size_t>(slot)] % kPairs)];
}

// Turns a rank into the index of the rank-th clear flag of Taken (counting from 0) and takes it.
// Every rank is below the number of clear flags among the values in play, so the scan never
// passes the last value in play and never leaves the table.
void Game::selectValue(std::uint8_t& rankThenValue)
{
    // The scan runs on locals: through the byte reference the compiler would otherwise have to
    // store and reload the cursor and count at every step.
    GameState& s = m_state;
    const int rank = rankThenValue;
    int cursor = -1;
    int count = -1;
    do {
        ++cursor;
        count += s.Taken[static_cast<std::size_t>(cursor)] == kFalse ? 1 : 0;
    } while (count != rank);
    s.PickCursor = static_cast<std::int16_t>(cursor);
    s.PickCount = static_cast<std::int16_t>(count);
    rankThenValue = static_cast<std::uint8_t>(cursor);
    s.Taken[static_cast<std::size_t>(cursor)] = kTrue;
}

void Game::DealRound()
{
    GameState& s = m_state;
    m_random.reseed();

    for (std::size_t i = 0; i < kSlots; ++i) {
        s.Deal[i] =
            rankOf(static_cast<std::int16_t>(kSlots - static_cast<int>(i)), m_random.next());
    }
    for (std::size_t i = 0; i < kPhotos; ++i) {
        s.Taken[i] = kFalse;
    }
    for (auto& value : s.Deal) {
        selectValue(value);
    }

    for (std::size_t i = 0; i < kPairs; ++i) {
        s.PairPhoto[i] =
            rankOf(static_cast<std::int16_t>(kPhotos - static_cast<int>(i)), m_random.next());
    }
    s.Taken.fill(kFalse);
    for (auto& value : s.PairPhoto) {
        selectValue(value);
    }
}

void Game::setScoreLabel()
{
    m_table.label1Caption = std::string(texts::kScorePrefix) + std::to_string(m_state.Score);
}

void Game::revealAll()
{
    for (int slot = 0; slot < kSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        m_table.slotEnabled[i] = false;
        m_table.faces[i] = Face::showing(SlotPhoto(slot));
    }
}

void Game::StartRound()
{
    const std::string& caption = m_table.command1Caption;
    if (caption == texts::kStartNew || caption == texts::kStartFirst) {
        m_table.command1Caption = std::string(texts::kStartRestart);
        m_table.command4Enabled = true;
    }

    DealRound();
    m_table.faces.fill(Face::cover());
    m_table.slotEnabled.fill(true);

    m_state.AwaitingFirst = kTrue;
    m_state.PairsFound = 0;
    m_state.Score = kStartingScore;
    setScoreLabel();
    m_state.FirstSlot = 0;
    m_state.SecondSlot = 0;
    m_state.LastTurnMatched = kTrue;
}

void Game::SelectSlot(int slot)
{
    if (!isValidSlot(slot) || !m_table.slotEnabled[static_cast<std::size_t>(slot)]) {
        return;
    }
    GameState& s = m_state;
    const auto clicked = static_cast<std::uint8_t>(slot);
    m_table.faces[clicked] = Face::showing(SlotPhoto(slot));

    if (s.AwaitingFirst != kFalse) {
        s.AwaitingFirst = kFalse;
        if (s.LastTurnMatched == kFalse) {
            m_table.faces[s.FirstSlot] = Face::cover();
            m_table.faces[s.SecondSlot] = Face::cover();
            m_table.slotEnabled[s.FirstSlot] = true;
            m_table.slotEnabled[s.SecondSlot] = true;
        }
        m_table.slotEnabled[clicked] = false;
        s.FirstSlot = clicked;
        return;
    }

    s.AwaitingFirst = kTrue;
    if (s.Deal[clicked] % kPairs == s.Deal[s.FirstSlot] % kPairs) {
        ++s.PairsFound;
        m_table.slotEnabled[clicked] = false;
        s.LastTurnMatched = kTrue;
        if (s.PairsFound == kPairs) {
            m_table.command1Caption = std::string(texts::kStartNew);
            m_table.command4Enabled = false;
            m_table.label1Caption += texts::kWonSuffix;
        }
        return;
    }

    s.SecondSlot = clicked;
    m_table.slotEnabled[clicked] = false;
    s.LastTurnMatched = kFalse;
    --s.Score;
    setScoreLabel();
    if (s.Score == 0) {
        revealAll();
        m_table.label1Caption = std::string(texts::kLost);
        m_table.command1Caption = std::string(texts::kStartNew);
        m_table.command4Enabled = false;
    }
}

void Game::EndAndReveal()
{
    revealAll();
    m_table.label1Caption = std::string(texts::kEndedByPlayer);
    m_table.command1Caption = std::string(texts::kStartNew);
    m_table.command4Enabled = false;
}

void Game::ExitGame() { m_programEnd.endNow(); }

} // namespace dyadora
