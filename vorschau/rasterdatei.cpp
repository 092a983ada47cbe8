// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "vorschau/rasterdatei.h"

#include <QByteArrayView>
#include <QtEndian>

namespace zw {

namespace {

constexpr QByteArrayView kPngSignatur("\x89PNG\r\n\x1a\n", 8);

constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;

} // namespace

bool IstBmp(const QByteArray& daten) { return daten.startsWith("BM"); }

bool IstPng(const QByteArray& daten) { return QByteArrayView(daten).startsWith(kPngSignatur); }

std::optional<QSize> BmpGroesse(const QByteArray& d)
{
    if (!IstBmp(d) || d.size() < 26)
        return std::nullopt;
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); };
    const auto i32 = [&](qsizetype at) { return qFromLittleEndian<qint32>(d.constData() + at); };
    const qint64 daten = u32(10);
    const qint64 kopf = u32(14);
    qint64 breite = 0, hoehe = 0, farben = 0;
    int bits = 0, eintrag = 4, masken = 0;
    if (kopf == 12) { // the old OS/2 header, three bytes per palette entry
        breite = u16(18), hoehe = u16(20), bits = u16(24);
        eintrag = 3;
    } else if (kopf >= 40 && kopf <= 124 && d.size() >= 14 + kopf) {
        breite = i32(18);
        hoehe = i32(22);
        bits = u16(28);
        const quint32 kompression = u32(30);
        farben = u32(46);
        if (kompression == kBiBitfields && (bits == 16 || bits == 32)) {
            if (kopf == 40) // the masks follow the short header; longer ones hold them
                masken = 12;
        } else if (kompression != kBiRgb) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (bits <= 8) {
        if (farben == 0)
            farben = qint64(1) << bits;
        if (farben > 256)
            return std::nullopt;
    } else {
        farben = 0; // a palette beside true colour is only a hint and is not read
    }
    hoehe = hoehe < 0 ? -hoehe : hoehe; // negative: rows stored top-down
    if (breite <= 0 || hoehe <= 0 || breite > 0x7FFFFFFF || hoehe > 0x7FFFFFFF)
        return std::nullopt;
    // Pixels that start inside the header or the palette are read from where the palette ends,
    // and the file then ends before the last rows do.
    if (daten < 14 + kopf + masken + farben * eintrag)
        return std::nullopt;
    const qint64 zeile = (breite * bits + 31) / 32 * 4;
    if (zeile > d.size() || daten + zeile * hoehe > d.size())
        return std::nullopt;
    return QSize(int(breite), int(hoehe));
}

QByteArray PngOhneTexte(const QByteArray& daten)
{
    if (!IstPng(daten))
        return {};
    QByteArray ohne = daten.left(kPngSignatur.size());
    ohne.reserve(daten.size());
    qsizetype pos = kPngSignatur.size();
    while (pos < daten.size()) {
        // length, type, data, checksum
        if (daten.size() - pos < 12)
            return {};
        const quint32 laenge = qFromBigEndian<quint32>(daten.constData() + pos);
        if (laenge > quint32(daten.size() - pos - 12))
            return {};
        const QByteArrayView art(daten.constData() + pos + 4, 4);
        const qsizetype ganz = 12 + qsizetype(laenge);
        if (art != "tEXt" && art != "zTXt" && art != "iTXt")
            ohne.append(daten.constData() + pos, ganz);
        pos += ganz;
        if (art == "IEND")
            break;
    }
    return ohne;
}

bool SiehtAusWieSvg(const QByteArray& daten)
{
    const QByteArray anfang = daten.left(4096).trimmed();
    return (anfang.startsWith("<?xml") || anfang.startsWith("<svg") ||
            anfang.startsWith("\xEF\xBB\xBF<")) &&
           anfang.contains("<svg");
}

} // namespace zw
