// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in picture records in photo order, with the photos' Greek descriptions.
#include "builtin_records.h"

#include "assets/packed_records.h"
#include "game/table.h"

#include <array>

namespace dyadora::assets {

namespace {

    struct Photo {
        const std::span<const unsigned char>* record;
        const std::span<const unsigned char>* largeRecord;
        std::string_view description;
    };

    // Photo k of the game is entry k; the deal's tables store these indices.
    constexpr std::array<Photo, kPhotos> kPhotoSet { {
        { &packed::cat, &packed::catLarge, "γάτα" },
        { &packed::astronaut, &packed::astronautLarge, "αστροναύτισσα με τη στολή της" },
        { &packed::dogs, &packed::dogsLarge, "δύο σκυλιά στο παράθυρο" },
        { &packed::ladybird, &packed::ladybirdLarge, "πασχαλίτσα" },
        { &packed::coffee, &packed::coffeeLarge, "φλιτζάνι καφέ" },
        { &packed::fig, &packed::figLarge, "σύκο σε κόκκινο πιάτο" },
        { &packed::brushes, &packed::brushesLarge, "πινέλα" },
        { &packed::cups, &packed::cupsLarge, "πολύχρωμα φλιτζάνια" },
        { &packed::rocket, &packed::rocketLarge, "πύραυλος" },
        { &packed::kite, &packed::kiteLarge, "χαρταετός" },
        { &packed::yellowflower, &packed::yellowflowerLarge, "κίτρινο λουλούδι" },
        { &packed::dandelion, &packed::dandelionLarge, "σπόροι πικραλίδας" },
        { &packed::boats, &packed::boatsLarge, "βάρκες στο ηλιοβασίλεμα" },
        { &packed::forest, &packed::forestLarge, "μονοπάτι στο δάσος" },
        { &packed::mountains, &packed::mountainsLarge, "χιονισμένα βουνά" },
        { &packed::dune, &packed::duneLarge, "αμμόλοφος και θάλασσα" },
        { &packed::waterdrop, &packed::waterdropLarge, "σταγόνα που πέφτει στο νερό" },
        { &packed::galaxies, &packed::galaxiesLarge, "γαλαξίες" },
    } };

    bool isPhoto(int k) { return k >= 0 && k < kPhotos; }

} // namespace

std::span<const unsigned char> photoRecord(int k)
{
    return isPhoto(k) ? *kPhotoSet[static_cast<std::size_t>(k)].record
                      : std::span<const unsigned char> {};
}

std::span<const unsigned char> largePhotoRecord(int k)
{
    return isPhoto(k) ? *kPhotoSet[static_cast<std::size_t>(k)].largeRecord
                      : std::span<const unsigned char> {};
}

std::span<const unsigned char> coverRecord() { return packed::cover; }

std::span<const unsigned char> largeCoverRecord() { return packed::coverLarge; }

std::span<const unsigned char> mainIconRecord() { return packed::mainIcon; }

std::span<const unsigned char> helpIconRecord() { return packed::helpIcon; }

std::span<const unsigned char> largeMainIconRecord() { return packed::mainIconLarge; }

std::span<const unsigned char> largeHelpIconRecord() { return packed::helpIconLarge; }

std::string_view photoDescription(int k)
{
    return isPhoto(k) ? kPhotoSet[static_cast<std::size_t>(k)].description : std::string_view {};
}

} // namespace dyadora::assets
