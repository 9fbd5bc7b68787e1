// SPDX-License-Identifier: GPL-3.0-or-later
// The deal's random sources: the clock-seeded one the game plays with and a seeded one for tests.
#pragma once

#include "game/random_source.h"

#include <cstdint>

namespace dyadora {

// SplitMix64: a 64-bit counter passed through a strong mixer. Seeding is one store and a value
// costs a few multiplications, so reseeding before every deal is free.
class SplitMix64 {
public:
    explicit constexpr SplitMix64(std::uint64_t seed = 0)
        : m_state(seed)
    {
    }

    constexpr std::uint64_t next()
    {
        m_state += 0x9e3779b97f4a7c15U;
        return mix(m_state);
    }

    // The generator's output function on its own: a bijection of 64-bit words.
    static constexpr std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9U;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebU;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t m_state;
};

// The value r made of the top 24 bits of a 64-bit output. Every such value is exact in single
// precision, so 0 <= r <= 1 - 2^-24 and r never rounds up to 1.
constexpr float unitFromBits(std::uint64_t bits)
{
    return static_cast<float>(bits >> 40) * 0x1p-24f;
}

// The game's source: every reseed starts a new sequence from the clock and a counter of the
// process, so two deals never repeat even when the clock has not moved between them.
class ClockRandom final : public RandomSource {
public:
    ClockRandom();
    void reseed() override;
    float next() override { return unitFromBits(m_generator.next()); }

private:
    SplitMix64 m_generator;
};

// A reproducible source: the same seed gives the same deals, and each reseed moves on to the
// next sub-sequence so that consecutive deals still differ.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed);
    void reseed() override { m_generator = SplitMix64(m_seeds.next()); }
    float next() override { return unitFromBits(m_generator.next()); }

private:
    SplitMix64 m_seeds;
    SplitMix64 m_generator;
};

} // namespace dyadora
