// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the random sources: their range, and fresh sequences at every reseed.
#include "fakes.h"
#include "platform/clock_random.h"

#include <QTest>

#include <cmath>
#include <vector>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

std::vector<float> draw(RandomSource& random, int count)
{
    std::vector<float> values(static_cast<std::size_t>(count));
    for (auto& v : values) {
        v = random.next();
    }
    return values;
}

} // namespace

class RandomTest : public QObject {
    Q_OBJECT

private slots:
    // The top 24 bits make r, from exactly 0 up to exactly the largest float below 1.
    void valueIsMadeOfTheTopTwentyFourBits_data()
    {
        QTest::addColumn<quint64>("bits");
        QTest::addColumn<float>("r");
        QTest::newRow("zero") << quint64 { 0 } << 0.0f;
        QTest::newRow("low bits only") << (quint64 { 1 } << 40) - 1 << 0.0f;
        QTest::newRow("lowest top bit") << (quint64 { 1 } << 40) << 0x1p-24f;
        QTest::newRow("highest bit") << (quint64 { 1 } << 63) << 0.5f;
        QTest::newRow("all bits") << ~quint64 { 0 } << std::nextafter(1.0f, 0.0f);
    }
    void valueIsMadeOfTheTopTwentyFourBits()
    {
        QFETCH(quint64, bits);
        QFETCH(float, r);
        QCOMPARE(unitFromBits(bits), r);
    }

    // The clock source's values stay in [0, 1) and spread over the whole interval.
    void clockValuesFillTheUnitInterval()
    {
        ClockRandom random;
        float low = 1.0f;
        float high = 0.0f;
        double sum = 0.0;
        constexpr int kValues = 1'000'000;
        for (int n = 0; n < kValues; ++n) {
            if (n % 36 == 0) {
                random.reseed();
            }
            const float r = random.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            low = std::min(low, r);
            high = std::max(high, r);
            sum += static_cast<double>(r);
        }
        QVERIFY(low < 1e-4f);
        QVERIFY(high > 1.0f - 1e-4f);
        QVERIFY(std::abs(sum / kValues - 0.5) < 0.005);
    }

    // Back-to-back deals from two clock-seeded games never repeat a table, in one game or across.
    void clockDealsNeverRepeat()
    {
        ClockRandom randomA;
        ClockRandom randomB;
        RecordingProgramEnd end;
        Game a(randomA, end);
        Game b(randomB, end);
        for (int n = 0; n < 1000; ++n) {
            const auto lastDeal = a.state().Deal;
            const auto lastPhotos = a.state().PairPhoto;
            a.DealRound();
            b.DealRound();
            QVERIFY(a.state().Deal != lastDeal || a.state().PairPhoto != lastPhotos);
            QVERIFY(a.state().Deal != b.state().Deal || a.state().PairPhoto != b.state().PairPhoto);
        }
    }

    // A seeded source repeats itself per seed, moves on at each reseed and differs between seeds.
    void seededSourceIsReproducible()
    {
        SeededRandom a(42);
        SeededRandom b(42);
        SeededRandom c(43);
        std::vector<float> previous;
        for (int n = 0; n < 100; ++n) {
            a.reseed();
            b.reseed();
            c.reseed();
            const auto values = draw(a, 36);
            QCOMPARE(draw(b, 36), values);
            QVERIFY(draw(c, 36) != values);
            QVERIFY(values != previous);
            previous = values;
        }
    }
};

QTEST_APPLESS_MAIN(RandomTest)
#include "test_random.moc"
