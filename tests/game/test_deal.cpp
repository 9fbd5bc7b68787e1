// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the deal: its tables for known values, its draws, and the fairness of its shuffle.
#include "fakes.h"
#include "platform/clock_random.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <vector>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

using Positions = std::array<std::uint8_t, kSlots>;
using Photos = std::array<std::uint8_t, kPairs>;

struct Dealt {
    Positions deal;
    Photos photos;
};

// Picks count values from {0 .. pool-1} the plain way, by erasing from a list; multiplierOffset
// skews the rank's multiplier to make a deliberately unfair shuffle.
template <std::size_t count>
std::array<std::uint8_t, count> pick(int pool, const float*& r, int multiplierOffset = 0)
{
    std::vector<std::uint8_t> left(static_cast<std::size_t>(pool));
    std::iota(left.begin(), left.end(), std::uint8_t { 0 });
    std::array<std::uint8_t, count> out {};
    for (auto& value : out) {
        const float multiplier =
            static_cast<float>(static_cast<int>(left.size()) + multiplierOffset);
        const auto rank =
            std::min(static_cast<std::size_t>(std::floor(multiplier * *r++)), left.size() - 1);
        value = left[rank];
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(rank));
    }
    return out;
}

Dealt referenceDeal(const std::vector<float>& values, int positionOffset = 0, int photoOffset = 0)
{
    const float* r = values.data();
    const auto deal = pick<kSlots>(kSlots, r, positionOffset);
    return { deal, pick<kPairs>(kPhotos, r, photoOffset) };
}

std::vector<float> valuesFrom(SplitMix64& bits, int count)
{
    std::vector<float> values(static_cast<std::size_t>(count));
    for (auto& v : values) {
        v = unitFromBits(bits.next());
    }
    return values;
}

Dealt dealWith(const std::vector<float>& values)
{
    ScriptedRandom random(values);
    RecordingProgramEnd end;
    Game game(random, end);
    game.DealRound();
    return { game.state().Deal, game.state().PairPhoto };
}

// Whether Deal puts every value 0..23 on exactly one slot (so each pair on exactly two) and the
// pairs have twelve distinct photos of the eighteen.
bool isValidDeal(const Dealt& d)
{
    Positions sorted = d.deal;
    std::sort(sorted.begin(), sorted.end());
    Photos photos = d.photos;
    std::sort(photos.begin(), photos.end());
    Positions identity {};
    std::iota(identity.begin(), identity.end(), std::uint8_t { 0 });
    return sorted == identity && std::adjacent_find(photos.begin(), photos.end()) == photos.end()
        && photos.back() < kPhotos;
}

// How far counts of a table stray from a uniform expectation, as a chi-square statistic turned
// into standard deviations from its mean.
template <std::size_t rows, std::size_t cols>
double chiSquareZ(
    const std::array<std::array<double, cols>, rows>& counts, double expected, int freedom)
{
    double chi = 0.0;
    for (const auto& row : counts) {
        for (double c : row) {
            chi += (c - expected) * (c - expected) / expected;
        }
    }
    return (chi - freedom) / std::sqrt(2.0 * freedom);
}

// Deals many rounds and returns the deviation of slot against position value and of pair
// against photo, both of which a fair deal makes uniform.
std::pair<double, double> fairness(const std::function<Dealt()>& deal, int deals)
{
    std::array<std::array<double, kSlots>, kSlots> slotValue {};
    std::array<std::array<double, kPhotos>, kPairs> pairPhoto {};
    for (int n = 0; n < deals; ++n) {
        const Dealt d = deal();
        for (std::size_t s = 0; s < kSlots; ++s) {
            slotValue[s][d.deal[s]] += 1.0;
        }
        for (std::size_t p = 0; p < kPairs; ++p) {
            pairPhoto[p][d.photos[p]] += 1.0;
        }
    }
    return { chiSquareZ(slotValue, deals / double { kSlots }, (kSlots - 1) * (kSlots - 1)),
        chiSquareZ(pairPhoto, deals / double { kPhotos }, kPairs * (kPhotos - 1)) };
}

constexpr int kFairnessDeals = 200'000;
constexpr double kFairnessBound = 6.0; // standard deviations

} // namespace

class DealTest : public QObject {
    Q_OBJECT

private slots:
    // The two extreme values of the source give the identity deal and the reversed one.
    void extremeValuesGiveKnownTables_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<bool>("descending");
        QTest::newRow("zero") << 0.0f << false;
        QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << true;
    }
    void extremeValuesGiveKnownTables()
    {
        QFETCH(float, r);
        QFETCH(bool, descending);
        const Dealt d = dealWith({ r });
        for (int i = 0; i < kSlots; ++i) {
            QCOMPARE(d.deal[static_cast<std::size_t>(i)], descending ? 23 - i : i);
        }
        for (int i = 0; i < kPairs; ++i) {
            QCOMPARE(d.photos[static_cast<std::size_t>(i)], descending ? 17 - i : i);
        }
    }

    // Any values give the tables of picking by rank from the values still free.
    void dealMatchesPickingFromWhatIsLeft()
    {
        SplitMix64 bits(2024);
        for (int n = 0; n < 2000; ++n) {
            const auto values = valuesFrom(bits, 36);
            const Dealt got = dealWith(values);
            const Dealt want = referenceDeal(values);
            QVERIFY(isValidDeal(got));
            QCOMPARE(got.deal, want.deal);
            QCOMPARE(got.photos, want.photos);
        }
    }

    // A deal reseeds once, before drawing, and then draws exactly 36 values.
    void dealReseedsOnceThenDrawsThirtySix()
    {
        ScriptedRandom random({ 0.5f });
        RecordingProgramEnd end;
        Game game(random, end);
        game.DealRound();
        QCOMPARE(random.reseeds, 1);
        QCOMPARE(random.drawsAtLastReseed, 0);
        QCOMPARE(random.draws, 36);
    }

    // The first 24 values go to the positions and the last 12 to the photos.
    void positionsAreDrawnBeforePhotos()
    {
        std::vector<float> values(24, std::nextafter(1.0f, 0.0f));
        values.resize(36, 0.0f);
        const Dealt d = dealWith(values);
        QCOMPARE(d.deal, dealWith({ std::nextafter(1.0f, 0.0f) }).deal);
        QCOMPARE(d.photos, dealWith({ 0.0f }).photos);
    }

    // A deal leaves nothing behind that changes the next one.
    void dealIgnoresThePreviousDeal()
    {
        SplitMix64 bits(7);
        for (int n = 0; n < 200; ++n) {
            auto values = valuesFrom(bits, 72);
            ScriptedRandom random(values);
            RecordingProgramEnd end;
            Game game(random, end);
            game.DealRound();
            game.DealRound();
            const Dealt fresh = dealWith({ values.begin() + 36, values.end() });
            QCOMPARE(game.state().Deal, fresh.deal);
            QCOMPARE(game.state().PairPhoto, fresh.photos);
        }
    }

    // A source breaking 0 <= r < 1 still deals valid tables, held to the nearest valid rank.
    void valuesOutsideTheUnitIntervalStillDealValidTables_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<bool>("descending");
        QTest::newRow("one") << 1.0f << true;
        QTest::newRow("two") << 2.0f << true;
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << true;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << false;
        QTest::newRow("negative") << -0.25f << false;
        QTest::newRow("minus infinity") << -std::numeric_limits<float>::infinity() << false;
    }
    void valuesOutsideTheUnitIntervalStillDealValidTables()
    {
        QFETCH(float, r);
        QFETCH(bool, descending);
        const Dealt d = dealWith({ r });
        QVERIFY(isValidDeal(d));
        const Dealt nearest = dealWith({ descending ? std::nextafter(1.0f, 0.0f) : 0.0f });
        QCOMPARE(d.deal, nearest.deal);
        QCOMPARE(d.photos, nearest.photos);
        std::vector<float> mixed { 1.0f, std::numeric_limits<float>::quiet_NaN(), -1.0f, 0.5f };
        mixed.resize(36, r);
        QVERIFY(isValidDeal(dealWith(mixed)));
    }

    // Over many deals each slot takes each position value, and each pair each photo, as often.
    void dealIsFair()
    {
        SeededRandom random(20240601);
        RecordingProgramEnd end;
        Game game(random, end);
        const auto [positions, photos] = fairness(
            [&] {
                game.DealRound();
                return Dealt { game.state().Deal, game.state().PairPhoto };
            },
            kFairnessDeals);
        QVERIFY2(positions < kFairnessBound, qPrintable(QString::number(positions)));
        QVERIFY2(photos < kFairnessBound, qPrintable(QString::number(photos)));
    }

    // The fairness measure catches a rank off by one either way, in the positions or the photos.
    void fairnessRejectsARankOffByOne_data()
    {
        QTest::addColumn<int>("positionOffset");
        QTest::addColumn<int>("photoOffset");
        QTest::addColumn<bool>("fair");
        QTest::newRow("unbiased") << 0 << 0 << true;
        QTest::newRow("positions one short") << -1 << 0 << false;
        QTest::newRow("positions one over") << 1 << 0 << false;
        QTest::newRow("photos one short") << 0 << -1 << false;
        QTest::newRow("photos one over") << 0 << 1 << false;
    }
    void fairnessRejectsARankOffByOne()
    {
        QFETCH(int, positionOffset);
        QFETCH(int, photoOffset);
        QFETCH(bool, fair);
        SplitMix64 bits(99);
        const auto [positions, photos] = fairness(
            [&] { return referenceDeal(valuesFrom(bits, 36), positionOffset, photoOffset); },
            kFairnessDeals);
        QCOMPARE(positions < kFairnessBound && photos < kFairnessBound, fair);
    }
};

QTEST_APPLESS_MAIN(DealTest)
#include "test_deal.moc"
