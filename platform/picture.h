// SPDX-License-Identifier: GPL-3.0-or-later
// The picture decoder: a complete JPEG, BMP or ICO file in memory becomes a picture object.
#pragma once

#include <QPixmap>

#include <span>

namespace dyadora {

// Decodes `file` with Qt's image readers, the format told by its bytes. Returns a null pixmap
// when the bytes do not decode. The QGuiApplication must exist.
QPixmap decodePicture(std::span<const unsigned char> file);

} // namespace dyadora
