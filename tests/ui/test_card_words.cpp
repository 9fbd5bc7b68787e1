// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the cards and after each move, over whole rounds of the
// constant-zero deal (slots s and s + 12 are a pair showing photo s mod 12).
#include "../game/fakes.h"
#include "ui/card_words.h"

#include <QTest>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

struct Round {
    ScriptedRandom random { { 0.0f } };
    RecordingProgramEnd programEnd;
    Game game { random, programEnd };

    QString click(int slot)
    {
        const Table before = game.table();
        game.SelectSlot(slot);
        return QString::fromStdString(words::afterTurn(before, game, slot));
    }
    QString description(int slot) const
    {
        return QString::fromStdString(words::cardDescription(game, slot));
    }
};

} // namespace

class CardWordsTest : public QObject {
    Q_OBJECT

private slots:
    void wonRoundIsToldMoveByMove();
    void lostRoundIsToldWithTheFinalScore();
    void endedRoundIsTold();
};

// Pins the descriptions (covered, face up, a mismatched pair about to be covered, found) and the
// announcements of a whole won round: a mismatch, its covering, pairs, and the win.
void CardWordsTest::wonRoundIsToldMoveByMove()
{
    Round r;
    QCOMPARE(r.description(0), QStringLiteral("κενή θέση"));
    r.game.StartRound();
    QCOMPARE(QString::fromStdString(words::afterStart(r.game)),
        QStringLiteral("Νέα παρτίδα: 24 κλειστές κάρτες. Βαθμοί: 20."));
    QCOMPARE(r.description(5), QStringLiteral("κλειστή κάρτα"));

    QCOMPARE(r.click(0), QStringLiteral("Κάρτα 1: γάτα."));
    QCOMPARE(r.description(0), QStringLiteral("ανοιχτή κάρτα: γάτα"));
    QCOMPARE(r.click(0), QString()); // a face-up card takes no click: nothing to tell
    QCOMPARE(r.click(1),
        QStringLiteral("Κάρτα 2: αστροναύτισσα με τη στολή της. Δεν ταιριάζει. Βαθμοί: 19."));
    QCOMPARE(r.description(0), QStringLiteral("δεν ταίριαξε, θα κλείσει: γάτα"));
    QCOMPARE(r.description(1),
        QStringLiteral("δεν ταίριαξε, θα κλείσει: αστροναύτισσα με τη στολή της"));
    QCOMPARE(words::cardStatus(r.game, 1), words::CardStatus::Mismatched);

    QCOMPARE(r.click(13),
        QStringLiteral("Κάρτα 14: αστροναύτισσα με τη στολή της. Οι κάρτες 1 και 2 έκλεισαν."));
    QCOMPARE(r.description(0), QStringLiteral("κλειστή κάρτα"));
    QCOMPARE(r.click(1),
        QStringLiteral(
            "Κάρτα 2: αστροναύτισσα με τη στολή της. Ζευγάρι! Βρέθηκε 1 από τα 12 ζευγάρια."));
    QCOMPARE(r.description(13), QStringLiteral("βρέθηκε ζευγάρι: αστροναύτισσα με τη στολή της"));

    QCOMPARE(r.click(0), QStringLiteral("Κάρτα 1: γάτα."));
    QCOMPARE(r.description(1), QStringLiteral("βρέθηκε ζευγάρι: αστροναύτισσα με τη στολή της"));
    QCOMPARE(
        r.click(12), QStringLiteral("Κάρτα 13: γάτα. Ζευγάρι! Βρέθηκαν 2 από τα 12 ζευγάρια."));
    for (int s = 2; s < kPairs - 1; ++s) {
        r.click(s);
        r.click(s + kPairs);
    }
    r.click(11);
    QCOMPARE(r.click(23),
        QStringLiteral(
            "Κάρτα 24: σπόροι πικραλίδας. Ζευγάρι! Βρήκατε και τα 12 ζευγάρια. Κερδίσατε με 19 "
            "βαθμούς!"));
    for (int s = 0; s < kSlots; ++s) {
        QCOMPARE(words::cardStatus(r.game, s), words::CardStatus::Found);
    }
}

// Pins the loss: twenty mismatches, the last one told with the score 0 and every card shown.
void CardWordsTest::lostRoundIsToldWithTheFinalScore()
{
    Round r;
    r.game.StartRound();
    QString last;
    for (int turn = 0; turn < kStartingScore; ++turn) {
        r.click(turn % 2 == 0 ? 0 : 2);
        last = r.click(turn % 2 == 0 ? 1 : 3);
    }
    QCOMPARE(last,
        QStringLiteral("Κάρτα 4: πασχαλίτσα. Δεν ταιριάζει. Βαθμοί: 0. Λυπάμαι, χάσατε! Όλες οι "
                       "κάρτες άνοιξαν."));
    QCOMPARE(words::cardStatus(r.game, 3), words::CardStatus::Revealed);
    QCOMPARE(r.description(22), QStringLiteral("ανοιχτή στο τέλος της παρτίδας: κίτρινο λουλούδι"));
}

void CardWordsTest::endedRoundIsTold()
{
    Round r;
    r.game.StartRound();
    r.click(4);
    r.click(16);
    r.game.EndAndReveal();
    QCOMPARE(QString::fromStdString(words::afterEndAndReveal(r.game)),
        QStringLiteral(
            "Η παρτίδα τερματίστηκε. Βρέθηκε 1 από τα 12 ζευγάρια. Όλες οι κάρτες άνοιξαν."));
    QCOMPARE(r.description(4), QStringLiteral("ανοιχτή στο τέλος της παρτίδας: φλιτζάνι καφέ"));
}

QTEST_APPLESS_MAIN(CardWordsTest)
#include "test_card_words.moc"
