// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/windows1252.h"

#include <array>

namespace zw {
namespace {

// 0x80..0x9F; zero where the code page leaves the byte undefined.
constexpr std::array<char16_t, 32> kOberhalb7F = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char zeichen(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kOberhalb7F.size(); ++i)
        if (kOberhalb7F[i] != 0 && kOberhalb7F[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray NachWindows1252(const QString& s, std::vector<int>* anfaenge)
{
    QByteArray b;
    b.reserve(s.size());
    if (anfaenge)
        anfaenge->clear();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (anfaenge)
            anfaenge->push_back(static_cast<int>(i));
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            b.append('?');
            ++i;
            continue;
        }
        b.append(zeichen(c.unicode()));
    }
    return b;
}

QString AusWindows1252(const char* bytes, int laenge)
{
    QString s;
    s.reserve(laenge);
    for (int i = 0; i < laenge; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F)
            s.append(kOberhalb7F[b - 0x80] ? QChar(kOberhalb7F[b - 0x80]) : QChar(0xFFFD));
        else
            s.append(QChar(static_cast<char16_t>(b)));
    }
    return s;
}

} // namespace zw
