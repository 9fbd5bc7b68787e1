// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the picture record reader: any bytes in, and on success the result must agree with them.
#include "assets/picture_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using dyadora::assets::ImageFormat;
using dyadora::assets::kRecordHeaderSize;
using dyadora::assets::RecordError;

void require(bool holds)
{
    if (!holds)
        std::abort();
}

std::uint32_t statedLength(const std::uint8_t* data)
{
    return static_cast<std::uint32_t>(data[4]) | static_cast<std::uint32_t>(data[5]) << 8
        | static_cast<std::uint32_t>(data[6]) << 16 | static_cast<std::uint32_t>(data[7]) << 24;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const unsigned char> record(data, size);
    const auto result = dyadora::assets::readRecord(record);
    require(!dyadora::assets::describe(result.error).empty());

    if (size < kRecordHeaderSize) {
        require(result.error == RecordError::TooShort);
        return 0;
    }
    const bool tagged = data[0] == 0x6c && data[1] == 0x74 && data[2] == 0 && data[3] == 0;
    require(tagged || result.error == RecordError::WrongTag);
    if (!tagged)
        return 0;
    const std::uint64_t stated = statedLength(data);
    const std::uint64_t room = size - kRecordHeaderSize;
    if (stated != room) {
        require(result.error
            == (stated > room ? RecordError::LengthBeyondRecord : RecordError::BytesAfterFile));
        require(result.file.empty());
        return 0;
    }

    // The framing is sound: the file is exactly the stated bytes after the header.
    require(result.file.data() == data + kRecordHeaderSize);
    require(result.file.size() == stated);
    require(result.file.data() + result.file.size() == data + size);
    const unsigned char* file = result.file.data();
    const std::size_t n = result.file.size();
    if (n >= 2 && file[0] == 0xff && file[1] == 0xd8) {
        require(result.error == RecordError::None && result.format == ImageFormat::Jpeg);
    } else if (n >= 2 && file[0] == 'B' && file[1] == 'M') {
        require(result.error == RecordError::None && result.format == ImageFormat::Bmp);
    } else if (n >= 4 && file[0] == 0 && file[1] == 0 && file[2] == 1 && file[3] == 0) {
        require(result.error == RecordError::None && result.format == ImageFormat::Ico);
    } else {
        require(result.error == RecordError::UnknownFormat);
    }
    return 0;
}
