// SPDX-License-Identifier: GPL-3.0-or-later
// The random source that the deal draws from; the platform provides the clock-seeded one.
#pragma once

namespace dyadora {

class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Starts a fresh sequence; the real source seeds itself from the clock.
    virtual void reseed() = 0;

    // The next value r, always 0 <= r < 1.
    virtual float next() = 0;
};

} // namespace dyadora
