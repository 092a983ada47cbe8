// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The WMF reader, placeable or not: a first pass checks that every record fits, a second plays
// them, one handler per record function. Parameters are 16-bit words, many in reverse order.
#include "metafile/bytes.h"
#include "metafile/formatleser.h"
#include "metafile/windows1252.h"

#include <array>
#include <cmath>

namespace zw::leser {
namespace {

using namespace bytes;

struct Lauf {
    TSpieler& sp;
    std::vector<QPointF> pts;
};

// The record's parameters, after its size and function.
using Handler = bool (*)(Lauf&, const TSatz&, std::uint16_t funktion);

double w(const TSatz& s, int i) { return liesI16(s.p + 2 * i); }
std::uint16_t uw(const TSatz& s, int i) { return liesU16(s.p + 2 * i); }
QColor farbe(const TSatz& s, int i) { return AusColorref(liesU32(s.p + 2 * i)); }
bool hatWorte(const TSatz& s, qsizetype worte) { return s.hat(2 * worte); }

bool fenster(Lauf& l, const TSatz& s, std::uint16_t f)
{
    if (f == META_SETWINDOWORG)
        l.sp.dc.windowOrg = QPointF(w(s, 1), w(s, 0));
    else
        l.sp.dc.windowExt = QSizeF(w(s, 1), w(s, 0));
    return true;
}

// The records that set one value of the device context.
bool wert(Lauf& l, const TSatz& s, std::uint16_t f)
{
    TGeraetekontext& dc = l.sp.dc;
    switch (f) {
    case META_SETBKMODE: dc.bkmodus = uw(s, 0); break;
    case META_SETPOLYFILLMODE:
        dc.regel = uw(s, 0) == gdi::WINDING ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case META_SETTEXTALIGN: dc.ausrichtung = uw(s, 0); break;
    case META_SELECTOBJECT: l.sp.waehle(uw(s, 0)); break;
    case META_DELETEOBJECT: l.sp.tabelle.loesche(uw(s, 0)); break;
    case META_RESTOREDC: l.sp.zurueck(static_cast<int>(w(s, 0))); break;
    default: break;
    }
    return true;
}

bool sichern(Lauf& l, const TSatz&, std::uint16_t)
{
    l.sp.sichern();
    return true;
}

bool farbeSetzen(Lauf& l, const TSatz& s, std::uint16_t f)
{
    (f == META_SETTEXTCOLOR ? l.sp.dc.textfarbe : l.sp.dc.bkfarbe) = farbe(s, 0);
    return true;
}

bool stift(Lauf& l, const TSatz& s, std::uint16_t)
{
    TObjekt o;
    o.art = TObjekt::Stift;
    o.stift = {uw(s, 0), w(s, 1), farbe(s, 3).rgb(), {}};
    l.sp.tabelle.legeFrei(std::move(o));
    return true;
}

bool pinsel(Lauf& l, const TSatz& s, std::uint16_t)
{
    TObjekt o;
    o.art = TObjekt::Pinsel;
    o.pinsel = {uw(s, 0), farbe(s, 1).rgb(), uw(s, 3)};
    l.sp.tabelle.legeFrei(std::move(o));
    return true;
}

bool schrift(Lauf& l, const TSatz& s, std::uint16_t)
{
    TObjekt o;
    o.art = TObjekt::Schrift;
    o.schrift = LogFont(s.p, false);
    const int platz = static_cast<int>(std::min<qsizetype>(32, s.n - 18));
    int n = 0;
    while (n < platz && s.p[18 + n] != 0)
        ++n;
    o.schrift.name = AusWindows1252(s.p + 18, n);
    l.sp.tabelle.legeFrei(std::move(o));
    return true;
}

// Not drawn, but each takes a slot that later indices count on.
bool platzhalter(Lauf& l, const TSatz&, std::uint16_t f)
{
    TObjekt o;
    if (f == META_CREATEPATTERNBRUSH || f == META_DIBCREATEPATTERNBRUSH) {
        o.art = TObjekt::Pinsel;
        o.pinsel = {gdi::BS_SOLID, 0x808080, 0};
    }
    l.sp.tabelle.legeFrei(std::move(o));
    return true;
}

// count points after the word at, appended to pts; false when they do not fit.
bool punkteLesen(const TSatz& s, int at, int anzahl, std::vector<QPointF>& pts)
{
    if (anzahl < 0 || !hatWorte(s, at + 2 * static_cast<qsizetype>(anzahl)))
        return false;
    for (int i = 0; i < anzahl; ++i)
        pts.emplace_back(w(s, at + 2 * i), w(s, at + 1 + 2 * i));
    return true;
}

bool poly(Lauf& l, const TSatz& s, std::uint16_t f)
{
    l.pts.clear();
    if (!punkteLesen(s, 1, liesI16(s.p), l.pts))
        return false;
    l.sp.poly(l.pts, f == META_POLYGON);
    return true;
}

bool polyPolygon(Lauf& l, const TSatz& s, std::uint16_t)
{
    const int teile = liesI16(s.p);
    if (teile < 0 || !hatWorte(s, 1 + teile))
        return false;
    std::vector<int> anzahlen(static_cast<std::size_t>(teile));
    int summe = 0;
    for (int i = 0; i < teile; ++i) {
        anzahlen[static_cast<std::size_t>(i)] = uw(s, 1 + i);
        summe += anzahlen[static_cast<std::size_t>(i)];
    }
    l.pts.clear();
    if (!punkteLesen(s, 1 + teile, summe, l.pts))
        return false;
    l.sp.polyPolygon(l.pts, anzahlen);
    return true;
}

bool linie(Lauf& l, const TSatz& s, std::uint16_t f)
{
    const QPointF p(w(s, 1), w(s, 0));
    if (f == META_MOVETO)
        l.sp.bewegeNach(p);
    else
        l.sp.linieNach(p);
    return true;
}

bool rechteck(Lauf& l, const TSatz& s, std::uint16_t f)
{
    l.sp.rechteck(QPointF(w(s, 3), w(s, 2)), QPointF(w(s, 1), w(s, 0)), f == META_ELLIPSE);
    return true;
}

bool clipRechteck(Lauf& l, const TSatz& s, std::uint16_t f)
{
    l.sp.clipRechteck(QPointF(w(s, 3), w(s, 2)), QPointF(w(s, 1), w(s, 0)),
                      f == META_EXCLUDECLIPRECT);
    return true;
}

bool clipRegion(Lauf& l, const TSatz&, std::uint16_t)
{
    // Regions are not kept; selecting one is how files undo their clipping.
    l.sp.clipAufheben();
    return true;
}

bool textErweitert(Lauf& l, const TSatz& s, std::uint16_t)
{
    const QPointF bezug(w(s, 1), w(s, 0));
    const int n = liesI16(s.p + 4);
    const std::uint16_t optionen = uw(s, 3);
    qsizetype at = 8;
    if (optionen & (gdi::ETO_OPAQUE | gdi::ETO_CLIPPED)) { // a rectangle follows
        if (!s.hat(16))
            return false;
        if (optionen & gdi::ETO_OPAQUE)
            l.sp.undurchsichtig(QPointF(w(s, 4), w(s, 5)), QPointF(w(s, 6), w(s, 7)));
        at = 16;
    }
    if (n < 0 || !s.hat(at + n))
        return false;
    const QString t = AusWindows1252(s.p + at, std::min(n, MaxText));
    const qsizetype dxAt = at + n + (n % 2);
    std::vector<double> dx;
    if (n > 0 && s.hat(dxAt + 2 * static_cast<qsizetype>(n))) {
        dx.resize(static_cast<std::size_t>(t.size()));
        for (qsizetype i = 0; i < t.size(); ++i)
            dx[static_cast<std::size_t>(i)] = liesI16(s.p + dxAt + 2 * i);
    }
    if (n > 0)
        l.sp.text(bezug, t, std::move(dx));
    return true;
}

bool text(Lauf& l, const TSatz& s, std::uint16_t)
{
    const int n = liesI16(s.p);
    const qsizetype nach = 2 + n + (n % 2);
    if (n < 0 || !s.hat(nach + 4))
        return false;
    const QPointF bezug(liesI16(s.p + nach + 2), liesI16(s.p + nach));
    if (n > 0)
        l.sp.text(bezug, AusWindows1252(s.p + 2, std::min(n, MaxText)), {});
    return true;
}

struct Eintrag {
    std::uint16_t funktion;
    qsizetype mindestens; // words of parameters
    Handler handler;
};

constexpr Eintrag kHandler[] = {
    {META_SETWINDOWORG, 2, fenster},
    {META_SETWINDOWEXT, 2, fenster},
    {META_SETBKMODE, 1, wert},
    {META_SETPOLYFILLMODE, 1, wert},
    {META_SETTEXTALIGN, 1, wert},
    {META_SELECTOBJECT, 1, wert},
    {META_DELETEOBJECT, 1, wert},
    {META_RESTOREDC, 1, wert},
    {META_SAVEDC, 0, sichern},
    {META_SETTEXTCOLOR, 2, farbeSetzen},
    {META_SETBKCOLOR, 2, farbeSetzen},
    {META_CREATEPENINDIRECT, 5, stift},
    {META_CREATEBRUSHINDIRECT, 4, pinsel},
    {META_CREATEFONTINDIRECT, 9, schrift},
    {META_CREATEPALETTE, 0, platzhalter},
    {META_CREATEPATTERNBRUSH, 0, platzhalter},
    {META_DIBCREATEPATTERNBRUSH, 0, platzhalter},
    {META_CREATEREGION, 0, platzhalter},
    {META_POLYGON, 1, poly},
    {META_POLYLINE, 1, poly},
    {META_POLYPOLYGON, 1, polyPolygon},
    {META_MOVETO, 2, linie},
    {META_LINETO, 2, linie},
    {META_RECTANGLE, 4, rechteck},
    {META_ELLIPSE, 4, rechteck},
    {META_INTERSECTCLIPRECT, 4, clipRechteck},
    {META_EXCLUDECLIPRECT, 4, clipRechteck},
    {META_SELECTCLIPREGION, 1, clipRegion},
    {META_EXTTEXTOUT, 4, textErweitert},
    {META_TEXTOUT, 1, text},
};

// A function's low byte alone tells the records apart.
constexpr std::array<const Eintrag*, 256> nachFunktion()
{
    std::array<const Eintrag*, 256> a{};
    for (const Eintrag& e : kHandler)
        a[e.funktion & 0xFF] = &e;
    return a;
}
constexpr std::array<const Eintrag*, 256> kNachFunktion = nachFunktion();

// The headers: where the records lie, and the placeable frame if there is one.
struct Kopf {
    qsizetype ende = 0;  // of the records
    qsizetype start = 0; // of the META header
    std::optional<QRect> rahmen;
    int proZoll = 0;
    std::uint16_t objekte = 0;
};

std::optional<Kopf> kopfLesen(const QByteArray& daten)
{
    const char* d = daten.constData();
    const qsizetype laenge = daten.size();
    Kopf k;
    if (laenge >= 22 && liesU32(d) == WMF_PLATZIERBAR) {
        if (WmfPlatzierbarPruefsumme(d) != liesU16(d + 20))
            return std::nullopt;
        k.rahmen =
            QRect(QPoint(liesI16(d + 6), liesI16(d + 8)), QPoint(liesI16(d + 10), liesI16(d + 12)));
        k.proZoll = liesU16(d + 14);
        if (k.proZoll == 0)
            return std::nullopt;
        k.start = 22;
    }
    if (laenge - k.start < 18)
        return std::nullopt;
    const char* h = d + k.start;
    const std::uint16_t typ = liesU16(h);
    if ((typ != 1 && typ != 2) || liesU16(h + 2) != 9)
        return std::nullopt;
    std::uint64_t bytes = 2ull * liesU32(h + 6);
    // Some writers count the placeable header in the size: then the file ends where it says.
    const auto rest = static_cast<std::uint64_t>(laenge - k.start);
    if (k.rahmen && bytes > rest && bytes <= static_cast<std::uint64_t>(laenge))
        bytes = rest;
    if (bytes < 18 || bytes > rest)
        return std::nullopt;
    k.ende = k.start + static_cast<qsizetype>(bytes);
    k.objekte = liesU16(h + 10);
    return k;
}

struct Ref {
    qsizetype at;
    qsizetype n;
    std::uint16_t funktion;
};

// Every record up to the end record, each checked to fit; the first window too, which frames
// a file without placeable header. False when a record does not fit or the end is missing.
bool saetzeSammeln(const char* d, const Kopf& k, std::vector<Ref>& saetze,
                   std::optional<QPointF>& ersteOrg, std::optional<QSizeF>& ersteExt)
{
    for (qsizetype at = k.start + 18;;) {
        if (static_cast<int>(saetze.size()) >= MaxSaetze || at + 6 > k.ende)
            return false;
        const std::uint64_t groesse = 2ull * liesU32(d + at);
        if (groesse < 6 || groesse > static_cast<std::uint64_t>(k.ende - at))
            return false;
        const std::uint16_t f = liesU16(d + at + 4);
        const qsizetype n = static_cast<qsizetype>(groesse) - 6;
        if (f == META_EOF)
            return true;
        if ((f == META_SETWINDOWORG || f == META_SETWINDOWEXT) && n >= 4) {
            const double y = liesI16(d + at + 6), x = liesI16(d + at + 8);
            if (f == META_SETWINDOWORG && !ersteOrg)
                ersteOrg = QPointF(x, y);
            if (f == META_SETWINDOWEXT && !ersteExt)
                ersteExt = QSizeF(x, y);
        }
        saetze.push_back({at + 6, n, f});
        at += static_cast<qsizetype>(groesse);
    }
}

} // namespace

std::optional<TBildDaten> WmfLesen(const QByteArray& daten)
{
    const std::optional<Kopf> k = kopfLesen(daten);
    std::vector<Ref> saetze;
    std::optional<QPointF> ersteOrg;
    std::optional<QSizeF> ersteExt;
    if (!k || !saetzeSammeln(daten.constData(), *k, saetze, ersteOrg, ersteExt))
        return std::nullopt;

    TBildDaten bild;
    TSpieler sp(TSpieler::Format::Wmf, k->objekte);
    if (k->rahmen) {
        const QRect r = k->rahmen->normalized();
        bild.groesse = QSize(static_cast<int>(std::lround((r.width() - 1) * 96.0 / k->proZoll)),
                             static_cast<int>(std::lround((r.height() - 1) * 96.0 / k->proZoll)));
        sp.wmfFenster = QRectF(r.left(), r.top(), r.width() - 1, r.height() - 1);
        sp.wmfEinPixel = k->proZoll / 96.0;
    } else {
        if (!ersteExt)
            return std::nullopt; // no way to know the picture's extent
        sp.wmfFenster = QRectF(ersteOrg.value_or(QPointF()), *ersteExt).normalized();
        bild.groesse = QSize(static_cast<int>(sp.wmfFenster.width()),
                             static_cast<int>(sp.wmfFenster.height()));
    }
    if (bild.groesse.width() <= 0 || bild.groesse.height() <= 0 ||
        bild.groesse.width() > MaxPixel || bild.groesse.height() > MaxPixel)
        return std::nullopt;
    // Until the file says otherwise, its logical units are those of the frame.
    sp.dc.windowOrg = sp.wmfFenster.topLeft();
    sp.dc.windowExt = sp.wmfFenster.size();
    bild.bild = sp.wmfFenster;
    bild.einPixel = sp.wmfEinPixel;
    sp.setzeBild(bild.bild);

    Lauf lauf{sp, {}};
    for (const Ref& r : saetze) {
        const Eintrag* e = kNachFunktion[r.funktion & 0xFF];
        if (e == nullptr || e->funktion != r.funktion)
            continue; // not needed to show the picture
        const TSatz s{daten.constData() + r.at, r.n};
        if (!hatWorte(s, e->mindestens) || !e->handler(lauf, s, r.funktion) || sp.fehler)
            return std::nullopt;
    }
    return sp.bildDaten(std::move(bild));
}

} // namespace zw::leser
