// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are small to write but costly to a reader that does not bound its work, and a
// bitmap whose data falls short of its header; for the regression tests and the benchmark of
// the preview.
#pragma once

#include "metafile/bytes.h"
#include "metafile/gdikonstanten.h"

#include <QByteArray>

#include <cmath>
#include <numbers>
#include <numeric>

namespace zw::feindlich {

// A placeable WMF of 100 x 100 pixels declaring every object slot there is, then filling and
// overfilling them with palettes, each of which must find the lowest free slot.
inline QByteArray wmfVolleTabelle(int paletten = 999'000)
{
    using namespace bytes;
    QByteArray f;
    u32(f, WMF_PLATZIERBAR);
    u16(f, 0);
    i16(f, 0), i16(f, 0), i16(f, 100), i16(f, 100);
    u16(f, 96);
    u32(f, 0);
    u16(f, WmfPlatzierbarPruefsumme(f.constData()));
    const qsizetype kopf = f.size();
    u16(f, 1), u16(f, 9), u16(f, 0x0300);
    u32(f, 0); // size, below
    u16(f, 0xFFFF);
    u32(f, 3);
    u16(f, 0);
    f.reserve(f.size() + 6 * static_cast<qsizetype>(paletten) + 6);
    for (int i = 0; i < paletten; ++i)
        u32(f, 3), u16(f, META_CREATEPALETTE);
    u32(f, 3), u16(f, META_EOF);
    setzeU32(f, kopf + 6, static_cast<std::uint32_t>((f.size() - kopf) / 2));
    return f;
}

// The header of an EMF of 500 x 500 pixels at 96 dpi; its file size is set once the file is
// complete (setzeU32 at 48).
inline QByteArray emfKopf500(std::uint32_t datensaetze, std::uint16_t handles)
{
    using namespace bytes;
    QByteArray f;
    u32(f, EMR_HEADER);
    u32(f, 88);
    i32(f, 0), i32(f, 0), i32(f, 499), i32(f, 499);
    i32(f, 0), i32(f, 0), i32(f, 13229), i32(f, 13229);
    u32(f, EMF_SIGNATUR);
    u32(f, 0x10000);
    u32(f, 0); // size
    u32(f, datensaetze);
    u16(f, handles), u16(f, 0);
    u32(f, 0), u32(f, 0), u32(f, 0);
    i32(f, 1920), i32(f, 1440), i32(f, 508), i32(f, 381);
    return f;
}

// An EMF of 500 x 500 pixels drawing the same large ellipse over and over with a dotted pen
// 700 units wide.
inline QByteArray emfBreiterPunktstift(int ellipsen = 249'000)
{
    using namespace bytes;
    QByteArray f = emfKopf500(static_cast<std::uint32_t>(ellipsen + 4), 2);
    u32(f, EMR_CREATEPEN), u32(f, 28), u32(f, 1), u32(f, gdi::PS_DOT), i32(f, 700), i32(f, 0),
        u32(f, 0xFF);
    u32(f, EMR_SELECTOBJECT), u32(f, 12), u32(f, 1);
    f.reserve(f.size() + 24 * static_cast<qsizetype>(ellipsen) + 20);
    for (int i = 0; i < ellipsen; ++i)
        u32(f, EMR_ELLIPSE), u32(f, 24), i32(f, 10), i32(f, 10), i32(f, 490), i32(f, 490);
    u32(f, EMR_EOF), u32(f, 20), u32(f, 0), u32(f, 16), u32(f, 20);
    setzeU32(f, 48, static_cast<std::uint32_t>(f.size()));
    return f;
}

// An EMF of 500 x 500 pixels with a polygon of random points, whose every edge crosses many
// others (unless punkte is 0), then a black square from 10 to 40: filling the polygon would
// take seconds.
inline QByteArray emfZufallsvieleck(int punkte)
{
    using namespace bytes;
    QByteArray f = emfKopf500(5, 1);
    u32(f, EMR_SELECTOBJECT), u32(f, 12), u32(f, gdi::STOCK_BIT | gdi::BLACK_BRUSH);
    if (punkte > 0) {
        u32(f, EMR_POLYGON16), u32(f, static_cast<std::uint32_t>(28 + 4 * punkte));
        i32(f, 0), i32(f, 0), i32(f, 499), i32(f, 499);
        u32(f, static_cast<std::uint32_t>(punkte));
        std::uint32_t zufall = 4711; // a fixed sequence: the same file every time
        for (int i = 0; i < 2 * punkte; ++i) {
            zufall = zufall * 1664525u + 1013904223u;
            i16(f, static_cast<std::int16_t>((zufall >> 16) % 500));
        }
    }
    u32(f, EMR_RECTANGLE), u32(f, 24), i32(f, 10), i32(f, 10), i32(f, 40), i32(f, 40);
    u32(f, EMR_EOF), u32(f, 20), u32(f, 0), u32(f, 16), u32(f, 20);
    setzeU32(f, 48, static_cast<std::uint32_t>(f.size()));
    return f;
}

// The EMF's end record and its size in the header; the file is then complete.
inline void emfSchluss(QByteArray& f)
{
    using namespace bytes;
    u32(f, EMR_EOF), u32(f, 20), u32(f, 0), u32(f, 16), u32(f, 20);
    setzeU32(f, 48, static_cast<std::uint32_t>(f.size()));
}

// A path holding one star of punkte points that crosses itself at nearly every edge, selected
// as the clip with modus (RGN_COPY, RGN_AND).
inline void emfSternAlsClip(QByteArray& f, int punkte, double drehung, int modus)
{
    using namespace bytes;
    // Each step jumps almost half way round, so that every edge crosses most others; a step
    // sharing no factor with the count visits every point once.
    int schritt = punkte / 2 - 1;
    while (schritt > 1 && std::gcd(schritt, punkte) != 1)
        --schritt;
    u32(f, EMR_BEGINPATH), u32(f, 8);
    u32(f, EMR_POLYGON), u32(f, static_cast<std::uint32_t>(28 + 8 * punkte));
    i32(f, 0), i32(f, 0), i32(f, 499), i32(f, 499);
    u32(f, static_cast<std::uint32_t>(punkte));
    for (int i = 0; i < punkte; ++i) {
        const double winkel = drehung + 2 * std::numbers::pi * double(i) * schritt / punkte;
        i32(f, static_cast<std::int32_t>(std::lround(250 + 240 * std::cos(winkel))));
        i32(f, static_cast<std::int32_t>(std::lround(250 + 240 * std::sin(winkel))));
    }
    u32(f, EMR_ENDPATH), u32(f, 8);
    u32(f, EMR_SELECTCLIPPATH), u32(f, 12), u32(f, static_cast<std::uint32_t>(modus));
}

// An EMF of 500 x 500 pixels clipped to one star of punkte points, or to the intersection of
// two, then filled black through the clip: intersecting the two took a reader that combined
// clip paths exactly minutes while it read the file.
inline QByteArray emfSternClip(int punkte, int sterne = 2)
{
    using namespace bytes;
    QByteArray f = emfKopf500(static_cast<std::uint32_t>(4 + 4 * sterne), 1);
    for (int i = 0; i < sterne; ++i)
        emfSternAlsClip(f, punkte, 0.1 * i, i == 0 ? gdi::RGN_COPY : gdi::RGN_AND);
    u32(f, EMR_SELECTOBJECT), u32(f, 12), u32(f, gdi::STOCK_BIT | gdi::BLACK_BRUSH);
    u32(f, EMR_RECTANGLE), u32(f, 24), i32(f, 0), i32(f, 0), i32(f, 500), i32(f, 500);
    emfSchluss(f);
    return f;
}

// An EMF of 500 x 500 pixels with one polyline of punkte points zigzagging across it.
inline QByteArray emfLangePolylinie(int punkte = 1'000'000)
{
    using namespace bytes;
    QByteArray f = emfKopf500(3, 1);
    f.reserve(f.size() + 28 + 4 * static_cast<qsizetype>(punkte) + 20);
    u32(f, EMR_POLYLINE16), u32(f, static_cast<std::uint32_t>(28 + 4 * punkte));
    i32(f, 0), i32(f, 0), i32(f, 499), i32(f, 499);
    u32(f, static_cast<std::uint32_t>(punkte));
    for (int i = 0; i < punkte; ++i) {
        i16(f, static_cast<std::int16_t>(i % 2 == 0 ? 0 : 499));
        i16(f, static_cast<std::int16_t>((i / 2) % 500));
    }
    emfSchluss(f);
    return f;
}

// 154 bytes: a bitmap header promising 100 x 100 pixels at 24 bits whose pixel data would
// start past the end of the file.
inline QByteArray bmpOhneDaten()
{
    using namespace bytes;
    QByteArray f;
    u8(f, 'B'), u8(f, 'M');
    u32(f, 154);
    u32(f, 0);
    u32(f, 200); // pixel data offset
    u32(f, 40);
    i32(f, 100), i32(f, 100);
    u16(f, 1), u16(f, 24);
    u32(f, 0), u32(f, 0);
    i32(f, 2835), i32(f, 2835);
    u32(f, 0), u32(f, 0);
    f.append(QByteArray(154 - f.size(), '\x55'));
    return f;
}

} // namespace zw::feindlich
