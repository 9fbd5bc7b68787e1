// SPDX-License-Identifier: GPL-3.0-or-later
// The picture record: how one built-in image file is stored, and its reader.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dyadora::assets {

// A record is the tag, the file's length as 32-bit little-endian, then the complete file.
inline constexpr std::array<unsigned char, 4> kRecordTag { 0x6c, 0x74, 0x00, 0x00 };
inline constexpr std::size_t kRecordHeaderSize = 8;

enum class ImageFormat : std::uint8_t {
    Jpeg, // starts with FF D8
    Bmp, // starts with "BM"
    Ico, // starts with 00 00 01 00
};

enum class RecordError : std::uint8_t {
    None,
    TooShort, // shorter than the 8-byte header
    WrongTag, // the first four bytes are not the tag
    LengthBeyondRecord, // the stated file length runs past the record's end
    BytesAfterFile, // the record goes on after the file
    UnknownFormat, // the file's first bytes name none of the three formats
};

struct RecordResult {
    RecordError error = RecordError::None;
    // The file inside the record; set when the framing is sound (None or UnknownFormat), empty
    // otherwise.
    std::span<const unsigned char> file;
    // Meaningful only when error is None.
    ImageFormat format = ImageFormat::Jpeg;
};

// Reads one record. Never reads outside `record`; the file span points into it.
RecordResult readRecord(std::span<const unsigned char> record);

// The format told by a file's first bytes; none when they name no format, as for a file too short
// to hold them.
std::optional<ImageFormat> formatOf(std::span<const unsigned char> file);

// A short English phrase for a fault, for diagnostics.
std::string_view describe(RecordError error);

// "JPEG", "BMP" or "ICO".
std::string_view describe(ImageFormat format);

} // namespace dyadora::assets
