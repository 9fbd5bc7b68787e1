// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in picture records: the photo set, the cover picture and the two window icons.
#pragma once

#include <span>
#include <string_view>

namespace dyadora::assets {

// The record of photo k, k = 0 to 17 (a JPEG of 120 x 90); empty for any other k.
std::span<const unsigned char> photoRecord(int k);

// The cover picture's record (a BMP of 120 x 90, 24 bits per pixel).
std::span<const unsigned char> coverRecord();

// The main window icon's record (an ICO holding one 64 x 64 image, 24 bits per pixel).
std::span<const unsigned char> mainIconRecord();

// The help window icon's record (an ICO holding one 32 x 32 image, 24 bits per pixel).
std::span<const unsigned char> helpIconRecord();

// The same pictures at twice the design's pixels in each direction, for screens of high density:
// photo k and the cover picture at 240 x 180, the main window icon at 128 x 128 and the help
// window icon at 64 x 64, each in the same format as its design-size record.
std::span<const unsigned char> largePhotoRecord(int k);
std::span<const unsigned char> largeCoverRecord();
std::span<const unsigned char> largeMainIconRecord();
std::span<const unsigned char> largeHelpIconRecord();

// What photo k shows, in a few plain Greek words (UTF-8), for screen readers; empty for any
// other k.
std::string_view photoDescription(int k);

} // namespace dyadora::assets
