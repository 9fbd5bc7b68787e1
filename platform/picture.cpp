// SPDX-License-Identifier: GPL-3.0-or-later
// The picture decoder, over QPixmap::loadFromData.
#include "picture.h"

#include <limits>

namespace dyadora {

QPixmap decodePicture(std::span<const unsigned char> file)
{
    QPixmap picture;
    if (file.empty() || file.size() > std::numeric_limits<uint>::max())
        return picture;
    if (!picture.loadFromData(file.data(), static_cast<uint>(file.size())))
        return {};
    return picture;
}

} // namespace dyadora
