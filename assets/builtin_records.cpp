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
        std::string_view description;
    };

    // Photo k of the game is entry k; the deal's tables store these indices.
    constexpr std::array<Photo, kPhotos> kPhotoSet { {
        { &packed::cat, "γάτα" },
        { &packed::nuthatch, "τσοπανάκος σε κορμό δέντρου" },
        { &packed::dogs, "δύο σκυλιά στο παράθυρο" },
        { &packed::ladybird, "πασχαλίτσα" },
        { &packed::coffee, "φλιτζάνι καφέ" },
        { &packed::fig, "σύκο σε κόκκινο πιάτο" },
        { &packed::brushes, "πινέλα" },
        { &packed::cups, "πολύχρωμα φλιτζάνια" },
        { &packed::rocket, "πύραυλος" },
        { &packed::kite, "χαρταετός" },
        { &packed::yellowflower, "κίτρινο λουλούδι" },
        { &packed::dahlia, "ντάλια" },
        { &packed::boats, "βάρκες στο ηλιοβασίλεμα" },
        { &packed::forest, "μονοπάτι στο δάσος" },
        { &packed::mountains, "χιονισμένα βουνά" },
        { &packed::dune, "αμμόλοφος και θάλασσα" },
        { &packed::pagoda, "παγόδα στη λίμνη" },
        { &packed::galaxies, "γαλαξίες" },
    } };

    bool isPhoto(int k) { return k >= 0 && k < kPhotos; }

} // namespace

std::span<const unsigned char> photoRecord(int k)
{
    return isPhoto(k) ? *kPhotoSet[static_cast<std::size_t>(k)].record
                      : std::span<const unsigned char> {};
}

std::span<const unsigned char> coverRecord() { return packed::cover; }

std::span<const unsigned char> mainIconRecord() { return packed::mainIcon; }

std::span<const unsigned char> helpIconRecord() { return packed::helpIcon; }

std::string_view photoDescription(int k)
{
    return isPhoto(k) ? kPhotoSet[static_cast<std::size_t>(k)].description : std::string_view {};
}

} // namespace dyadora::assets
