// SPDX-License-Identifier: GPL-3.0-or-later
// The picture decoder: a complete JPEG, BMP or ICO file in memory becomes a picture object; and
// the shared picture object that controls show, at one or two densities.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>
#include <memory>
#include <span>

namespace dyadora {

// Decodes `file` with Qt's image readers, the format told by its bytes. Returns a null pixmap
// when the bytes do not decode. The QGuiApplication must exist.
QPixmap decodePicture(std::span<const unsigned char> file);

// One picture, shared by every control that shows it: copies refer to the same object, and
// nothing in it is ever changed. It holds the picture at its design's pixels and, for screens of
// high density, may hold the same picture at twice those pixels, decoded the first time a screen
// asks for it and then kept. The design's size is the picture's size in logical pixels.
class SharedPicture {
public:
    // Decodes the large picture; a null pixmap when it cannot.
    using LargeDecoder = std::function<QPixmap()>;

    SharedPicture() = default;
    explicit SharedPicture(QPixmap design, LargeDecoder decodeLarge = {});

    bool isNull() const { return design().isNull(); }
    const QPixmap& design() const;
    QSize size() const { return design().size(); }
    qint64 cacheKey() const { return design().cacheKey(); }

    // The pixels that best cover the design's size on a screen of `ratio` device pixels to a
    // logical pixel: the design's own up to 1, else the large picture when there is one.
    const QPixmap& forRatio(qreal ratio) const;
    // Whether the large picture has been decoded (or found not to decode).
    bool isLargeDecoded() const;

    // The picture as a window icon for a screen of `ratio`: the design's size, and the large one
    // as well above 1.
    QIcon icon(qreal ratio) const;

    friend bool operator==(const SharedPicture& a, const SharedPicture& b)
    {
        return a.m_data == b.m_data;
    }

private:
    struct Data {
        QPixmap design;
        LargeDecoder decodeLarge; // emptied once it has run
        QPixmap large;
    };
    std::shared_ptr<Data> m_data;
};

} // namespace dyadora
