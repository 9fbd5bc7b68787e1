// SPDX-License-Identifier: GPL-3.0-or-later
// Unpacks the built-in picture records into shared pictures and window icons.
#include "pictures.h"

#include "assets/builtin_records.h"
#include "platform/picture.h"

#include <QtGlobal>

#include <string>

namespace dyadora::assets {

namespace {

    constexpr QSize kCardSize(120, 90);
    constexpr QSize kMainIconSize(64, 64);
    constexpr QSize kHelpIconSize(32, 32);

    [[noreturn]] void fail(std::string_view name, std::string_view fault)
    {
        std::string message = "built-in picture '";
        message.append(name);
        message.append("': ");
        message.append(fault);
        throw PictureError(message);
    }

    std::string sizeText(QSize size)
    {
        return std::to_string(size.width()) + " x " + std::to_string(size.height());
    }

    // A picture whose record at twice the pixels is decoded the first time a screen of high
    // density asks for it. A large record that does not decode is a broken build that the
    // record tests catch; at run time the design's picture stands in for it.
    SharedPicture withLarge(QPixmap design, std::span<const unsigned char> largeRecord,
        ImageFormat format, std::string name)
    {
        const QSize largeSize = design.size() * 2;
        return SharedPicture(std::move(design), [=] {
            try {
                return decodeRecord(largeRecord, format, largeSize, name + " at twice the size");
            } catch (const PictureError& error) {
                qWarning("Dyadora: %s", error.what());
                return QPixmap();
            }
        });
    }

} // namespace

QPixmap decodeRecord(std::span<const unsigned char> record, ImageFormat expectedFormat,
    QSize expectedSize, std::string_view name)
{
    const RecordResult read = readRecord(record);
    if (read.error != RecordError::None)
        fail(name, describe(read.error));
    if (read.format != expectedFormat)
        fail(name,
            "the file is " + std::string(describe(read.format)) + ", expected "
                + std::string(describe(expectedFormat)));
    QPixmap picture = decodePicture(read.file);
    if (picture.isNull())
        fail(name, "the " + std::string(describe(read.format)) + " file does not decode");
    if (picture.size() != expectedSize)
        fail(name,
            "the picture is " + sizeText(picture.size()) + " pixels, expected "
                + sizeText(expectedSize));
    return picture;
}

PictureSet loadPictureSet()
{
    PictureSet set;
    for (int k = 0; k < kPhotos; ++k) {
        const std::string name =
            "photo " + std::to_string(k) + " (" + std::string(photoDescription(k)) + ")";
        set.photos[static_cast<std::size_t>(k)] =
            withLarge(decodeRecord(photoRecord(k), ImageFormat::Jpeg, kCardSize, name),
                largePhotoRecord(k), ImageFormat::Jpeg, name);
    }
    set.cover = withLarge(decodeRecord(coverRecord(), ImageFormat::Bmp, kCardSize, "cover"),
        largeCoverRecord(), ImageFormat::Bmp, "cover");
    set.helpWindowIcon = loadHelpWindowIcon();
    return set;
}

SharedPicture loadMainWindowIcon()
{
    return withLarge(
        decodeRecord(mainIconRecord(), ImageFormat::Ico, kMainIconSize, "main window icon"),
        largeMainIconRecord(), ImageFormat::Ico, "main window icon");
}

SharedPicture loadHelpWindowIcon()
{
    return withLarge(
        decodeRecord(helpIconRecord(), ImageFormat::Ico, kHelpIconSize, "help window icon"),
        largeHelpIconRecord(), ImageFormat::Ico, "help window icon");
}

} // namespace dyadora::assets
