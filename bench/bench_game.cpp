// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the game engine: a deal, a click and whole rounds, won and lost.
#include "game/game.h"
#include "platform/clock_random.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <vector>

using namespace dyadora;

namespace {

class NoEnd final : public ProgramEnd {
public:
    void endNow() override { }
};

// The two slots of each pair in the current deal.
std::array<std::array<int, 2>, kPairs> pairSlots(const Game& game)
{
    std::array<std::array<int, 2>, kPairs> slots {};
    std::array<int, kPairs> seen {};
    for (int s = 0; s < kSlots; ++s) {
        const auto pair =
            static_cast<std::size_t>(game.state().Deal[static_cast<std::size_t>(s)] % kPairs);
        slots[pair][static_cast<std::size_t>(seen[pair]++)] = s;
    }
    return slots;
}

// Deals again and again from the given source.
void runDeals(benchmark::State& state, RandomSource& random)
{
    NoEnd end;
    Game game(random, end);
    for (auto _ : state) {
        game.DealRound();
        benchmark::DoNotOptimize(game.state().Deal.data());
        benchmark::ClobberMemory();
    }
}

// The deal as the game plays it: a reseed from the clock and 36 draws.
void dealWithClockRandom(benchmark::State& state)
{
    ClockRandom random;
    runDeals(state, random);
}
BENCHMARK(dealWithClockRandom);

// The deal alone, from a reproducible source.
void dealWithSeededRandom(benchmark::State& state)
{
    SeededRandom random(1);
    runDeals(state, random);
}
BENCHMARK(dealWithSeededRandom);

// One click in steady play: turns alternate between a mismatch and a found pair, and a new
// round, untimed, starts after every 46 clicks (11 mismatches and 12 pairs).
void click(benchmark::State& state)
{
    SeededRandom random(2);
    NoEnd end;
    Game game(random, end);
    std::vector<int> script;
    std::array<std::array<int, 2>, kPairs> slots {};
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == script.size()) {
            state.PauseTiming();
            game.StartRound();
            slots = pairSlots(game);
            script.clear();
            for (std::size_t p = 0; p < kPairs; ++p) {
                if (p + 1 < kPairs) {
                    script.insert(script.end(), { slots[p][0], slots[p + 1][0] });
                }
                script.insert(script.end(), { slots[p][1], slots[p][0] });
            }
            next = 0;
            state.ResumeTiming();
        }
        game.SelectSlot(script[next++]);
        benchmark::DoNotOptimize(&game.table());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(click);

// A whole perfect round: the start with its deal and 24 clicks finding every pair.
void wonRound(benchmark::State& state)
{
    SeededRandom random(3);
    NoEnd end;
    Game game(random, end);
    for (auto _ : state) {
        game.StartRound();
        for (const auto& pair : pairSlots(game)) {
            game.SelectSlot(pair[0]);
            game.SelectSlot(pair[1]);
        }
        benchmark::DoNotOptimize(&game.table());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(wonRound);

// A whole lost round: the start with its deal and 40 clicks making 20 mismatches.
void lostRound(benchmark::State& state)
{
    SeededRandom random(4);
    NoEnd end;
    Game game(random, end);
    for (auto _ : state) {
        game.StartRound();
        const auto slots = pairSlots(game);
        for (int turn = 0; turn < kStartingScore; ++turn) {
            const auto p = static_cast<std::size_t>(2 * (turn % 2));
            game.SelectSlot(slots[p][0]);
            game.SelectSlot(slots[p + 1][0]);
        }
        benchmark::DoNotOptimize(&game.table());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(lostRound);

} // namespace

#ifdef DYADORA_BENCHMARK_OWN_MAIN
BENCHMARK_MAIN();
#endif
