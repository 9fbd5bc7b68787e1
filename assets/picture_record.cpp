// SPDX-License-Identifier: GPL-3.0-or-later
// Reads picture records: checks the framing and tells the file's format from its first bytes.
#include "picture_record.h"

#include <algorithm>

namespace dyadora::assets {

namespace {

    bool startsWith(std::span<const unsigned char> bytes, std::span<const unsigned char> prefix)
    {
        return bytes.size() >= prefix.size()
            && std::equal(prefix.begin(), prefix.end(), bytes.begin());
    }

    constexpr std::array<unsigned char, 2> kJpegStart { 0xff, 0xd8 };
    constexpr std::array<unsigned char, 2> kBmpStart { 'B', 'M' };
    constexpr std::array<unsigned char, 4> kIcoStart { 0x00, 0x00, 0x01, 0x00 };

} // namespace

std::optional<ImageFormat> formatOf(std::span<const unsigned char> file)
{
    if (startsWith(file, kJpegStart))
        return ImageFormat::Jpeg;
    if (startsWith(file, kBmpStart))
        return ImageFormat::Bmp;
    if (startsWith(file, kIcoStart))
        return ImageFormat::Ico;
    return std::nullopt;
}

RecordResult readRecord(std::span<const unsigned char> record)
{
    RecordResult result;
    if (record.size() < kRecordHeaderSize) {
        result.error = RecordError::TooShort;
        return result;
    }
    if (!startsWith(record, kRecordTag)) {
        result.error = RecordError::WrongTag;
        return result;
    }
    const std::uint32_t stated = static_cast<std::uint32_t>(record[4])
        | static_cast<std::uint32_t>(record[5]) << 8 | static_cast<std::uint32_t>(record[6]) << 16
        | static_cast<std::uint32_t>(record[7]) << 24;
    const std::size_t room = record.size() - kRecordHeaderSize;
    if (stated > room) {
        result.error = RecordError::LengthBeyondRecord;
        return result;
    }
    if (stated < room) {
        result.error = RecordError::BytesAfterFile;
        return result;
    }
    result.file = record.subspan(kRecordHeaderSize);
    if (const auto format = formatOf(result.file))
        result.format = *format;
    else
        result.error = RecordError::UnknownFormat;
    return result;
}

std::string_view describe(RecordError error)
{
    switch (error) {
    case RecordError::None:
        return "no fault";
    case RecordError::TooShort:
        return "the record is shorter than its 8-byte header";
    case RecordError::WrongTag:
        return "the record does not start with the tag 6C 74 00 00";
    case RecordError::LengthBeyondRecord:
        return "the file length stated in the record runs past the record's end";
    case RecordError::BytesAfterFile:
        return "bytes follow the file inside the record";
    case RecordError::UnknownFormat:
        return "the file's first bytes are those of neither JPEG, BMP nor ICO";
    }
    return "an unknown fault";
}

std::string_view describe(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return "JPEG";
    case ImageFormat::Bmp:
        return "BMP";
    case ImageFormat::Ico:
        return "ICO";
    }
    return "an unknown format";
}

} // namespace dyadora::assets
