// SPDX-License-Identifier: GPL-3.0-or-later
// Seeding the game's random source from the clock.
#include "clock_random.h"

#include <atomic>
#include <chrono>

namespace dyadora {

namespace {

    std::atomic<std::uint64_t> reseedCounter { 0 };

    // The clock's nanoseconds mixed with a count of the reseeds made by the whole process. The
    // mixer is a bijection, so the same clock reading with two different counts gives two
    // different seeds.
    std::uint64_t freshSeed()
    {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch();
        const auto nanoseconds = static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(ticks).count());
        const std::uint64_t count = reseedCounter.fetch_add(1, std::memory_order_relaxed);
        return SplitMix64::mix(nanoseconds ^ SplitMix64::mix(count));
    }

} // namespace

ClockRandom::ClockRandom()
    : m_generator(freshSeed())
{
}

void ClockRandom::reseed() { m_generator = SplitMix64(freshSeed()); }

SeededRandom::SeededRandom(std::uint64_t seed)
    : m_seeds(seed)
    , m_generator(SplitMix64::mix(seed))
{
}

} // namespace dyadora
