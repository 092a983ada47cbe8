// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Little-endian building blocks for the metafile records.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstring>

namespace zw::bytes {

inline void u8(QByteArray& b, std::uint8_t v) { b.append(static_cast<char>(v)); }
inline void u16(QByteArray& b, std::uint16_t v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}
inline void i16(QByteArray& b, std::int16_t v) { u16(b, static_cast<std::uint16_t>(v)); }
inline void u32(QByteArray& b, std::uint32_t v)
{
    u16(b, static_cast<std::uint16_t>(v & 0xFFFF));
    u16(b, static_cast<std::uint16_t>(v >> 16));
}
inline void i32(QByteArray& b, std::int32_t v) { u32(b, static_cast<std::uint32_t>(v)); }
inline void f32(QByteArray& b, float v)
{
    std::uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    u32(b, u);
}

// Overwrites a field already appended.
inline void setzeU16(QByteArray& b, qsizetype at, std::uint16_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}
inline void setzeU32(QByteArray& b, qsizetype at, std::uint32_t v)
{
    setzeU16(b, at, static_cast<std::uint16_t>(v & 0xFFFF));
    setzeU16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

// Reading: the caller has checked that at + size lies inside the data.
inline std::uint16_t liesU16(const char* p)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                      (static_cast<unsigned char>(p[1]) << 8));
}
inline std::int16_t liesI16(const char* p) { return static_cast<std::int16_t>(liesU16(p)); }
inline std::uint32_t liesU32(const char* p)
{
    return static_cast<std::uint32_t>(liesU16(p)) |
           (static_cast<std::uint32_t>(liesU16(p + 2)) << 16);
}
inline std::int32_t liesI32(const char* p) { return static_cast<std::int32_t>(liesU32(p)); }
inline float liesF32(const char* p)
{
    const std::uint32_t u = liesU32(p);
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

} // namespace zw::bytes
