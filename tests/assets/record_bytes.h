// SPDX-License-Identifier: GPL-3.0-or-later
// Building picture records byte by byte for the record and picture tests.
#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <span>

namespace dyadora::testing {

inline std::span<const unsigned char> bytesOf(const QByteArray& bytes)
{
    return { reinterpret_cast<const unsigned char*>(bytes.constData()),
        static_cast<std::size_t>(bytes.size()) };
}

inline QByteArray toBytes(std::span<const unsigned char> bytes)
{
    return { reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()) };
}

inline QByteArray littleEndian32(std::uint32_t value)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xffu));
    }
    return bytes;
}

// A record stating `stated` as the file's length, followed by `rest`.
inline QByteArray recordStating(std::uint32_t stated, const QByteArray& rest)
{
    return QByteArray("lt\0\0", 4) + littleEndian32(stated) + rest;
}

// A well-framed record holding `file`.
inline QByteArray recordOf(const QByteArray& file)
{
    return recordStating(static_cast<std::uint32_t>(file.size()), file);
}

} // namespace dyadora::testing
