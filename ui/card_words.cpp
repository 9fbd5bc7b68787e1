// SPDX-License-Identifier: GPL-3.0-or-later
// The cards' descriptions and the announcements of each move, in Greek.
#include "card_words.h"

#include "assets/builtin_records.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace dyadora::words {

namespace {

    const Face& faceOf(const Game& game, int slot)
    {
        return game.table().faces[static_cast<std::size_t>(slot)];
    }

    // The pieces one after the other. One call site builds a sentence with one allocation,
    // where a chain of + would inline a string operation for every piece.
    std::string join(std::initializer_list<std::string_view> pieces)
    {
        std::size_t size = 0;
        for (const std::string_view piece : pieces) {
            size += piece.size();
        }
        std::string text;
        text.reserve(size);
        for (const std::string_view piece : pieces) {
            text.append(piece);
        }
        return text;
    }

    std::string_view photoOf(const Game& game, int slot)
    {
        return assets::photoDescription(faceOf(game, slot).photo);
    }

    std::string number(int value) { return std::to_string(value); }

    // "Κάρτα 3: γάτα."
    std::string cardTurned(const Game& game, int slot)
    {
        return join({ "Κάρτα ", number(slot + 1), ": ", photoOf(game, slot), "." });
    }

    std::string pairsFound(int pairs)
    {
        return join({ pairs == 1 ? "Βρέθηκε " : "Βρέθηκαν ", number(pairs), " από τα ",
            number(kPairs), " ζευγάρια." });
    }

    std::string points(int score)
    {
        return join({ number(score), score == 1 ? " βαθμό" : " βαθμούς" });
    }

    // The cards that the click covered again, as " Οι κάρτες 1 και 2 έκλεισαν.", or nothing.
    std::string coveredAgain(const Table& before, const Game& game)
    {
        std::vector<int> covered;
        for (int slot = 0; slot < kSlots; ++slot) {
            if (before.faces[static_cast<std::size_t>(slot)].kind == FaceKind::Photo
                && faceOf(game, slot).kind == FaceKind::Cover) {
                covered.push_back(slot + 1);
            }
        }
        if (covered.size() != 2) {
            return {};
        }
        return join(
            { " Οι κάρτες ", number(covered[0]), " και ", number(covered[1]), " έκλεισαν." });
    }

} // namespace

CardStatus cardStatus(const Game& game, int slot)
{
    switch (faceOf(game, slot).kind) {
    case FaceKind::Empty:
        return CardStatus::Empty;
    case FaceKind::Cover:
        return CardStatus::Covered;
    case FaceKind::Photo:
        break;
    }
    const GameState& s = game.state();
    if (!game.isRoundInProgress()) {
        return s.PairsFound == kPairs ? CardStatus::Found : CardStatus::Revealed;
    }
    if (s.AwaitingFirst == kFalse) {
        return slot == s.FirstSlot ? CardStatus::FaceUp : CardStatus::Found;
    }
    if (s.LastTurnMatched == kFalse && (slot == s.FirstSlot || slot == s.SecondSlot)) {
        return CardStatus::Mismatched;
    }
    return CardStatus::Found;
}

std::string cardName(int slot)
{
    return join({ "Κάρτα ", number(slot + 1), ": σειρά ", number(slot / kColumns + 1), ", στήλη ",
        number(slot % kColumns + 1) });
}

std::string cardDescription(const Game& game, int slot)
{
    switch (cardStatus(game, slot)) {
    case CardStatus::Empty:
        return "κενή θέση";
    case CardStatus::Covered:
        return "κλειστή κάρτα";
    case CardStatus::FaceUp:
        return join({ "ανοιχτή κάρτα: ", photoOf(game, slot) });
    case CardStatus::Found:
        return join({ "βρέθηκε ζευγάρι: ", photoOf(game, slot) });
    case CardStatus::Mismatched:
        return join({ "δεν ταίριαξε, θα κλείσει: ", photoOf(game, slot) });
    case CardStatus::Revealed:
        return join({ "ανοιχτή στο τέλος της παρτίδας: ", photoOf(game, slot) });
    }
    return {};
}

std::string afterStart(const Game& game)
{
    return join({ "Νέα παρτίδα: ", number(kSlots),
        " κλειστές κάρτες. Βαθμοί: ", number(game.state().Score), "." });
}

std::string afterTurn(const Table& before, const Game& game, int slot)
{
    if (before == game.table()) {
        return {};
    }
    const GameState& s = game.state();
    const std::string turned = cardTurned(game, slot);
    if (s.AwaitingFirst == kFalse) {
        return join({ turned, coveredAgain(before, game) });
    }
    if (s.LastTurnMatched != kFalse) {
        if (s.PairsFound == kPairs) {
            return join({ turned, " Ζευγάρι! Βρήκατε και τα ", number(kPairs),
                " ζευγάρια. Κερδίσατε με ", points(s.Score), "!" });
        }
        return join({ turned, " Ζευγάρι! ", pairsFound(s.PairsFound) });
    }
    return join({ turned, " Δεν ταιριάζει. Βαθμοί: ", number(s.Score), ".",
        s.Score == 0 ? " Λυπάμαι, χάσατε! Όλες οι κάρτες άνοιξαν." : "" });
}

std::string afterEndAndReveal(const Game& game)
{
    return join({ "Η παρτίδα τερματίστηκε. ", pairsFound(game.state().PairsFound),
        " Όλες οι κάρτες άνοιξαν." });
}

} // namespace dyadora::words
