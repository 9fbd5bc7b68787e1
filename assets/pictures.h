// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in pictures decoded into shared picture objects, and the two window icons.
#pragma once

#include "assets/picture_record.h"
#include "game/table.h"
#include "platform/picture.h"

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <array>
#include <span>
#include <stdexcept>
#include <string_view>

namespace dyadora::assets {

// A built-in picture that cannot be used; the message names the picture and the fault.
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes the file of one picture record. Throws PictureError when the record's framing is
// wrong, its file is not of `expectedFormat`, does not decode, or is not `expectedSize`; `name`
// says which picture it is in the message. The QApplication must exist.
QPixmap decodeRecord(std::span<const unsigned char> record, ImageFormat expectedFormat,
    QSize expectedSize, std::string_view name);

// The pictures held for the whole run: photo k of the set, and the cover picture. A card slot
// shows one of them by referring to the shared object, never by a copy. The help window's icon
// comes with them, so that every help window shows the same one. Each holds its picture at twice
// the pixels as well, decoded only when a screen of high density first asks for it.
struct PictureSet {
    std::array<SharedPicture, kPhotos> photos;
    SharedPicture cover;
    SharedPicture helpWindowIcon;
};

// Decodes each of the 18 photos, the cover picture and the help window's icon once, at the
// design's pixels. Throws PictureError.
PictureSet loadPictureSet();

// The main window's icon (64 x 64) and the help window's icon (32 x 32), with their large sizes
// (128 and 64) decoded on first use. Throw PictureError.
SharedPicture loadMainWindowIcon();
SharedPicture loadHelpWindowIcon();

} // namespace dyadora::assets
