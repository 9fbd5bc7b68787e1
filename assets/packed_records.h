// SPDX-License-Identifier: GPL-3.0-or-later
// The picture records packed at build time (defined in the generated packed_records.cpp).
#pragma once

#include <span>

namespace dyadora::assets::packed {

// The photos, by the names of their files in photos/.
extern const std::span<const unsigned char> cat;
extern const std::span<const unsigned char> nuthatch;
extern const std::span<const unsigned char> dogs;
extern const std::span<const unsigned char> ladybird;
extern const std::span<const unsigned char> coffee;
extern const std::span<const unsigned char> fig;
extern const std::span<const unsigned char> brushes;
extern const std::span<const unsigned char> cups;
extern const std::span<const unsigned char> rocket;
extern const std::span<const unsigned char> kite;
extern const std::span<const unsigned char> yellowflower;
extern const std::span<const unsigned char> dahlia;
extern const std::span<const unsigned char> boats;
extern const std::span<const unsigned char> forest;
extern const std::span<const unsigned char> mountains;
extern const std::span<const unsigned char> dune;
extern const std::span<const unsigned char> pagoda;
extern const std::span<const unsigned char> galaxies;

extern const std::span<const unsigned char> cover; // cover.bmp
extern const std::span<const unsigned char> mainIcon; // main-icon.ico
extern const std::span<const unsigned char> helpIcon; // help-icon.ico

} // namespace dyadora::assets::packed
