// SPDX-License-Identifier: GPL-3.0-or-later
// The picture records packed at build time (defined in the generated packed_records.cpp).
#pragma once

#include <span>

namespace dyadora::assets::packed {

// The photos, by the names of their files in photos/.
extern const std::span<const unsigned char> cat;
extern const std::span<const unsigned char> astronaut;
extern const std::span<const unsigned char> dogs;
extern const std::span<const unsigned char> ladybird;
extern const std::span<const unsigned char> coffee;
extern const std::span<const unsigned char> fig;
extern const std::span<const unsigned char> brushes;
extern const std::span<const unsigned char> cups;
extern const std::span<const unsigned char> rocket;
extern const std::span<const unsigned char> kite;
extern const std::span<const unsigned char> yellowflower;
extern const std::span<const unsigned char> dandelion;
extern const std::span<const unsigned char> boats;
extern const std::span<const unsigned char> forest;
extern const std::span<const unsigned char> mountains;
extern const std::span<const unsigned char> dune;
extern const std::span<const unsigned char> waterdrop;
extern const std::span<const unsigned char> galaxies;

extern const std::span<const unsigned char> cover; // cover.bmp
extern const std::span<const unsigned char> mainIcon; // main-icon.ico
extern const std::span<const unsigned char> helpIcon; // help-icon.ico

// The same pictures at twice the pixels, for screens of high density (the "@2x" files).
extern const std::span<const unsigned char> catLarge;
extern const std::span<const unsigned char> astronautLarge;
extern const std::span<const unsigned char> dogsLarge;
extern const std::span<const unsigned char> ladybirdLarge;
extern const std::span<const unsigned char> coffeeLarge;
extern const std::span<const unsigned char> figLarge;
extern const std::span<const unsigned char> brushesLarge;
extern const std::span<const unsigned char> cupsLarge;
extern const std::span<const unsigned char> rocketLarge;
extern const std::span<const unsigned char> kiteLarge;
extern const std::span<const unsigned char> yellowflowerLarge;
extern const std::span<const unsigned char> dandelionLarge;
extern const std::span<const unsigned char> boatsLarge;
extern const std::span<const unsigned char> forestLarge;
extern const std::span<const unsigned char> mountainsLarge;
extern const std::span<const unsigned char> duneLarge;
extern const std::span<const unsigned char> waterdropLarge;
extern const std::span<const unsigned char> galaxiesLarge;

extern const std::span<const unsigned char> coverLarge; // cover@2x.bmp
extern const std::span<const unsigned char> mainIconLarge; // main-icon@2x.ico
extern const std::span<const unsigned char> helpIconLarge; // help-icon@2x.ico

} // namespace dyadora::assets::packed
