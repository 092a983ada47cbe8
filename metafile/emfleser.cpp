// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The EMF reader: one handler per record type, each given a record whose size the table's
// minimum has already been checked against; a record too short for its type makes the file
// unreadable.
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
    bool eof = false;
};

// The record with its type and size; offsets are from the record's start.
using Handler = bool (*)(Lauf&, const TSatz&);

std::int32_t i32(const TSatz& s, qsizetype at) { return liesI32(s.p + at); }
std::uint32_t u32(const TSatz& s, qsizetype at) { return liesU32(s.p + at); }
QPointF paar(const TSatz& s, qsizetype at) { return QPointF(i32(s, at), i32(s, at + 4)); }

bool xformLesen(const char* p, QTransform& t)
{
    double v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = liesF32(p + 4 * i);
        if (!Endlich(v[i]))
            return false;
    }
    t = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
    return true;
}

// n points of 16 or 32 bits each from at on, appended to pts; false when they do not fit.
bool punkteLesen(const TSatz& s, qsizetype at, std::uint32_t n, bool kurz,
                 std::vector<QPointF>& pts)
{
    const qsizetype proPunkt = kurz ? 4 : 8;
    if (n > static_cast<std::uint32_t>(s.n / proPunkt) ||
        !s.hat(at + static_cast<qsizetype>(n) * proPunkt))
        return false;
    pts.reserve(pts.size() + n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const char* q = s.p + at + i * proPunkt;
        pts.emplace_back(kurz ? liesI16(q) : liesI32(q), kurz ? liesI16(q + 2) : liesI32(q + 4));
    }
    return true;
}

bool kurz(std::uint32_t typ) { return typ >= EMR_POLYBEZIER16 && typ <= EMR_POLYPOLYGON16; }

bool ende(Lauf& l, const TSatz&)
{
    l.eof = true;
    return true;
}
bool kopfNochmal(Lauf&, const TSatz&) { return false; } // only ever the first record

bool poly(Lauf& l, const TSatz& s)
{
    const std::uint32_t typ = u32(s, 0);
    const bool ab = typ == EMR_POLYLINETO || typ == EMR_POLYLINETO16 || typ == EMR_POLYBEZIERTO ||
                    typ == EMR_POLYBEZIERTO16;
    l.pts.clear();
    if (ab)
        l.pts.push_back(l.sp.dc.pos);
    const std::uint32_t n = u32(s, 24);
    if (!punkteLesen(s, 28, n, kurz(typ), l.pts))
        return false;
    if (ab && n > 0)
        l.sp.dc.pos = l.pts.back();
    switch (typ) {
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16:
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16: l.sp.bezier(l.pts); break;
    default: l.sp.poly(l.pts, typ == EMR_POLYGON || typ == EMR_POLYGON16); break;
    }
    return true;
}

bool polyPoly(Lauf& l, const TSatz& s)
{
    const std::uint32_t typ = u32(s, 0);
    const std::uint32_t teile = u32(s, 24);
    const std::uint32_t n = u32(s, 28);
    if (teile > static_cast<std::uint32_t>(s.n / 4) ||
        !s.hat(32 + 4 * static_cast<qsizetype>(teile)))
        return false;
    std::vector<int> anzahlen(teile);
    std::uint64_t summe = 0;
    for (std::uint32_t i = 0; i < teile; ++i) {
        const std::uint32_t k = u32(s, 32 + 4 * i);
        summe += k;
        anzahlen[i] = static_cast<int>(std::min<std::uint32_t>(k, 0x7FFFFFFF));
    }
    l.pts.clear();
    if (summe != n || !punkteLesen(s, 32 + 4 * static_cast<qsizetype>(teile), n, kurz(typ), l.pts))
        return false;
    if (typ == EMR_POLYPOLYGON || typ == EMR_POLYPOLYGON16) {
        l.sp.polyPolygon(l.pts, anzahlen);
        return true;
    }
    std::vector<QPointF> linie;
    std::size_t at = 0;
    for (const int k : anzahlen) {
        linie.assign(l.pts.begin() + static_cast<std::ptrdiff_t>(at),
                     l.pts.begin() + static_cast<std::ptrdiff_t>(at + k));
        l.sp.poly(linie, false);
        at += static_cast<std::size_t>(k);
    }
    return true;
}

bool bewegen(Lauf& l, const TSatz& s)
{
    l.sp.bewegeNach(paar(s, 8));
    return true;
}
bool linie(Lauf& l, const TSatz& s)
{
    l.sp.linieNach(paar(s, 8));
    return true;
}
bool rechteck(Lauf& l, const TSatz& s)
{
    l.sp.rechteck(paar(s, 8), paar(s, 16), u32(s, 0) == EMR_ELLIPSE);
    return true;
}

bool text(Lauf& l, const TSatz& s)
{
    const bool breit = u32(s, 0) == EMR_EXTTEXTOUTW;
    const QPointF bezug = paar(s, 36);
    const std::uint32_t n = u32(s, 44);
    const std::uint32_t offText = u32(s, 48);
    const std::uint32_t optionen = u32(s, 52);
    const std::uint32_t offDx = u32(s, 72);
    const qsizetype zeichenBreite = breit ? 2 : 1;
    if (n > static_cast<std::uint32_t>(s.n) ||
        (n > 0 && !s.hat(static_cast<qsizetype>(offText) + n * zeichenBreite)))
        return false;
    const qsizetype dxProZeichen = (optionen & gdi::ETO_PDY) ? 2 : 1; // x and y per character
    const bool mitDx = offDx != 0 && n > 0;
    if (mitDx &&
        !s.hat(static_cast<qsizetype>(offDx) + static_cast<qsizetype>(n) * 4 * dxProZeichen))
        return false;
    if (optionen & gdi::ETO_OPAQUE) // fills the rectangle first
        l.sp.undurchsichtig(paar(s, 56), paar(s, 64));
    if (n == 0)
        return true;
    const int zeigen = static_cast<int>(std::min<std::uint32_t>(n, MaxText));
    QString t;
    if (breit) {
        t.resize(zeigen);
        for (int i = 0; i < zeigen; ++i)
            t[i] = QChar(liesU16(s.p + offText + 2 * i));
    } else {
        t = AusWindows1252(s.p + offText, zeigen);
    }
    std::vector<double> dx;
    if (mitDx) {
        dx.resize(static_cast<std::size_t>(zeigen));
        for (int i = 0; i < zeigen; ++i)
            dx[static_cast<std::size_t>(i)] = liesI32(s.p + offDx + 4 * dxProZeichen * i);
    }
    l.sp.text(bezug, t, std::move(dx));
    return true;
}

bool fensterUndSicht(Lauf& l, const TSatz& s)
{
    const QPointF p = paar(s, 8);
    TGeraetekontext& dc = l.sp.dc;
    switch (u32(s, 0)) {
    case EMR_SETWINDOWEXTEX: dc.windowExt = QSizeF(p.x(), p.y()); break;
    case EMR_SETWINDOWORGEX: dc.windowOrg = p; break;
    case EMR_SETVIEWPORTEXTEX: dc.viewportExt = QSizeF(p.x(), p.y()); break;
    default: dc.viewportOrg = p; break;
    }
    return true;
}

// The records that set one value of the device context.
bool wert(Lauf& l, const TSatz& s)
{
    const std::uint32_t v = u32(s, 8);
    TGeraetekontext& dc = l.sp.dc;
    switch (u32(s, 0)) {
    case EMR_SETMAPMODE: dc.mapmodus = static_cast<int>(v); break;
    case EMR_SETBKMODE: dc.bkmodus = static_cast<int>(v); break;
    case EMR_SETPOLYFILLMODE:
        dc.regel = v == gdi::WINDING ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case EMR_SETTEXTALIGN: dc.ausrichtung = static_cast<int>(v); break;
    case EMR_SETTEXTCOLOR: dc.textfarbe = AusColorref(v); break;
    case EMR_SETBKCOLOR: dc.bkfarbe = AusColorref(v); break;
    case EMR_SELECTOBJECT:
        if (v & gdi::STOCK_BIT) {
            if (const std::optional<TObjekt> o = StockObjekt(v & ~gdi::STOCK_BIT))
                l.sp.waehle(*o);
        } else {
            l.sp.waehle(v);
        }
        break;
    case EMR_DELETEOBJECT: l.sp.tabelle.loesche(v); break;
    case EMR_RESTOREDC: l.sp.zurueck(static_cast<std::int32_t>(v)); break;
    default: break;
    }
    return true;
}

bool sichern(Lauf& l, const TSatz&)
{
    l.sp.sichern();
    return true;
}

bool weltSetzen(Lauf& l, const TSatz& s)
{
    QTransform t;
    if (xformLesen(s.p + 8, t))
        l.sp.dc.welt = t;
    return true;
}

bool weltAendern(Lauf& l, const TSatz& s)
{
    QTransform t;
    if (!xformLesen(s.p + 8, t))
        return true;
    QTransform& welt = l.sp.dc.welt;
    switch (u32(s, 32)) {
    case gdi::MWT_IDENTITY: welt = QTransform(); break;
    case gdi::MWT_LEFTMULTIPLY: welt = t * welt; break;
    case gdi::MWT_RIGHTMULTIPLY: welt = welt * t; break;
    case gdi::MWT_SET: welt = t; break;
    default: break;
    }
    return true;
}

bool stift(Lauf& l, const TSatz& s)
{
    TObjekt o;
    o.art = TObjekt::Stift;
    o.stift = {static_cast<int>(u32(s, 12)),
               static_cast<double>(i32(s, 16)),
               AusColorref(u32(s, 24)).rgb(),
               {}};
    l.sp.tabelle.lege(u32(s, 8), std::move(o));
    return true;
}

bool stiftErweitert(Lauf& l, const TSatz& s)
{
    TObjekt o;
    o.art = TObjekt::Stift;
    o.stift = {static_cast<int>(u32(s, 28)),
               static_cast<double>(u32(s, 32)),
               AusColorref(u32(s, 40)).rgb(),
               {}};
    if (u32(s, 36) == gdi::BS_NULL) // a hollow brush draws nothing
        o.stift.stil = gdi::PS_NULL;
    const std::uint32_t eintraege = u32(s, 48);
    if (eintraege > static_cast<std::uint32_t>(s.n / 4) ||
        !s.hat(52 + 4 * static_cast<qsizetype>(eintraege)))
        return false;
    if ((o.stift.stil & gdi::PS_STYLE_MASK) == gdi::PS_USERSTYLE)
        for (std::uint32_t i = 0; i < std::min<std::uint32_t>(eintraege, MaxStrichmuster); ++i)
            o.stift.muster.push_back(u32(s, 52 + 4 * i));
    l.sp.tabelle.lege(u32(s, 8), std::move(o));
    return true;
}

bool pinsel(Lauf& l, const TSatz& s)
{
    TObjekt o;
    o.art = TObjekt::Pinsel;
    o.pinsel = {static_cast<int>(u32(s, 12)), AusColorref(u32(s, 16)).rgb(),
                static_cast<int>(u32(s, 20))};
    l.sp.tabelle.lege(u32(s, 8), std::move(o));
    return true;
}

bool schrift(Lauf& l, const TSatz& s)
{
    TObjekt o;
    o.art = TObjekt::Schrift;
    o.schrift = LogFont(s.p + 12, true);
    QString name;
    for (int i = 0; i < 32; ++i) {
        const char16_t c = liesU16(s.p + 12 + 28 + 2 * i);
        if (c == 0)
            break;
        name.append(QChar(c));
    }
    o.schrift.name = name;
    l.sp.tabelle.lege(u32(s, 8), std::move(o));
    return true;
}

bool pfad(Lauf& l, const TSatz& s)
{
    switch (u32(s, 0)) {
    case EMR_BEGINPATH: l.sp.pfadBeginnen(); break;
    case EMR_ENDPATH: l.sp.pfadBeenden(); break;
    case EMR_CLOSEFIGURE: l.sp.figurSchliessen(); break;
    case EMR_ABORTPATH: l.sp.pfadVerwerfen(); break;
    case EMR_FILLPATH: l.sp.pfadZeichnen(true, false); break;
    case EMR_STROKEANDFILLPATH: l.sp.pfadZeichnen(true, true); break;
    case EMR_STROKEPATH: l.sp.pfadZeichnen(false, true); break;
    default: break;
    }
    return true;
}

bool clipPfad(Lauf& l, const TSatz& s)
{
    l.sp.pfadAlsClip(static_cast<int>(u32(s, 8)));
    return true;
}

bool clipRechteck(Lauf& l, const TSatz& s)
{
    l.sp.clipRechteck(paar(s, 8), paar(s, 16), false);
    return true;
}

bool clipRegion(Lauf& l, const TSatz& s)
{
    const std::uint32_t bytes = u32(s, 8);
    const int modus = static_cast<int>(u32(s, 12));
    if (bytes == 0) {
        l.sp.clipRegion({}, modus);
        return true;
    }
    // RGNDATA: a 32-byte header (its size, type, count, size, bounds), then the rectangles.
    if (bytes < 32 || bytes > static_cast<std::uint32_t>(s.n) ||
        !s.hat(16 + static_cast<qsizetype>(bytes)))
        return false;
    const std::uint32_t anzahl = u32(s, 16 + 8);
    if (anzahl > (bytes - 32) / 16)
        return false;
    const auto rechteck = [&](qsizetype at) { return QRectF(paar(s, at), paar(s, at + 8)); };
    std::vector<QRectF> rechtecke;
    // A region of many rectangles is shown by its bounds: the clip stays cheap to apply.
    if (anzahl > 256) {
        rechtecke.push_back(rechteck(16 + 16));
    } else {
        for (std::uint32_t i = 0; i < anzahl; ++i)
            rechtecke.push_back(rechteck(16 + 32 + 16 * i));
    }
    l.sp.clipRegion(rechtecke, modus);
    return true;
}

struct Eintrag {
    std::uint32_t typ;
    qsizetype mindestens; // bytes, type and size included
    Handler handler;
};

constexpr Eintrag kHandler[] = {
    {EMR_EOF, 8, ende},
    {EMR_HEADER, 8, kopfNochmal},
    {EMR_POLYBEZIER, 28, poly},
    {EMR_POLYGON, 28, poly},
    {EMR_POLYLINE, 28, poly},
    {EMR_POLYBEZIERTO, 28, poly},
    {EMR_POLYLINETO, 28, poly},
    {EMR_POLYBEZIER16, 28, poly},
    {EMR_POLYGON16, 28, poly},
    {EMR_POLYLINE16, 28, poly},
    {EMR_POLYBEZIERTO16, 28, poly},
    {EMR_POLYLINETO16, 28, poly},
    {EMR_POLYPOLYLINE, 32, polyPoly},
    {EMR_POLYPOLYGON, 32, polyPoly},
    {EMR_POLYPOLYLINE16, 32, polyPoly},
    {EMR_POLYPOLYGON16, 32, polyPoly},
    {EMR_MOVETOEX, 16, bewegen},
    {EMR_LINETO, 16, linie},
    {EMR_RECTANGLE, 24, rechteck},
    {EMR_ELLIPSE, 24, rechteck},
    {EMR_EXTTEXTOUTA, 76, text},
    {EMR_EXTTEXTOUTW, 76, text},
    {EMR_SETWINDOWEXTEX, 16, fensterUndSicht},
    {EMR_SETWINDOWORGEX, 16, fensterUndSicht},
    {EMR_SETVIEWPORTEXTEX, 16, fensterUndSicht},
    {EMR_SETVIEWPORTORGEX, 16, fensterUndSicht},
    {EMR_SETMAPMODE, 12, wert},
    {EMR_SETBKMODE, 12, wert},
    {EMR_SETPOLYFILLMODE, 12, wert},
    {EMR_SETTEXTALIGN, 12, wert},
    {EMR_SETTEXTCOLOR, 12, wert},
    {EMR_SETBKCOLOR, 12, wert},
    {EMR_SELECTOBJECT, 12, wert},
    {EMR_DELETEOBJECT, 12, wert},
    {EMR_RESTOREDC, 12, wert},
    {EMR_SAVEDC, 8, sichern},
    {EMR_SETWORLDTRANSFORM, 32, weltSetzen},
    {EMR_MODIFYWORLDTRANSFORM, 36, weltAendern},
    {EMR_CREATEPEN, 28, stift},
    {EMR_EXTCREATEPEN, 52, stiftErweitert},
    {EMR_CREATEBRUSHINDIRECT, 24, pinsel},
    {EMR_EXTCREATEFONTINDIRECTW, 12 + 92, schrift},
    {EMR_BEGINPATH, 8, pfad},
    {EMR_ENDPATH, 8, pfad},
    {EMR_CLOSEFIGURE, 8, pfad},
    {EMR_ABORTPATH, 8, pfad},
    {EMR_FILLPATH, 24, pfad},
    {EMR_STROKEANDFILLPATH, 24, pfad},
    {EMR_STROKEPATH, 24, pfad},
    {EMR_SELECTCLIPPATH, 12, clipPfad},
    {EMR_INTERSECTCLIPRECT, 24, clipRechteck},
    {EMR_EXTSELECTCLIPRGN, 16, clipRegion},
};

constexpr std::size_t kHoechsterTyp = 128;

constexpr std::array<const Eintrag*, kHoechsterTyp> nachTyp()
{
    std::array<const Eintrag*, kHoechsterTyp> a{};
    for (const Eintrag& e : kHandler)
        a[e.typ] = &e;
    return a;
}
constexpr std::array<const Eintrag*, kHoechsterTyp> kNachTyp = nachTyp();

// The header: where the records lie, the picture's frame and the reference device.
struct Kopf {
    std::uint32_t kopf = 0, gesamt = 0; // sizes of the header and the file
    QSize groesse;
    QRectF bild;
    double pxProMm[2] = {96 / 25.4, 96 / 25.4};
    std::uint16_t objekte = 0;
};

std::optional<Kopf> kopfLesen(const char* d, qsizetype laenge)
{
    Kopf k;
    k.kopf = liesU32(d + 4);
    k.gesamt = liesU32(d + 48);
    if (k.kopf < 88 || k.kopf % 4 || k.kopf > k.gesamt ||
        k.gesamt > static_cast<std::uint64_t>(laenge))
        return std::nullopt;
    const QRect frame(QPoint(liesI32(d + 24), liesI32(d + 28)),
                      QPoint(liesI32(d + 32), liesI32(d + 36)));
    const double gx = (static_cast<double>(frame.right()) - frame.left()) * 96.0 / 2540.0;
    const double gy = (static_cast<double>(frame.bottom()) - frame.top()) * 96.0 / 2540.0;
    if (!(gx >= 0.5 && gy >= 0.5 && gx <= MaxPixel && gy <= MaxPixel))
        return std::nullopt;
    k.groesse = QSize(static_cast<int>(std::lround(gx)), static_cast<int>(std::lround(gy)));
    k.objekte = liesU16(d + 56);
    const std::int32_t devPx[2] = {liesI32(d + 72), liesI32(d + 76)};
    const std::int32_t devMm[2] = {liesI32(d + 80), liesI32(d + 84)};
    for (int i = 0; i < 2; ++i)
        if (devPx[i] > 0 && devMm[i] > 0)
            k.pxProMm[i] = static_cast<double>(devPx[i]) / devMm[i];
    // The frame's 0.01 mm are a few hundredths of a pixel: an edge that close to a whole pixel
    // is one, and drawing exactly one to one keeps the text as crisp as it was drawn.
    const auto kante = [](double mm100, double pxProMm) {
        const double px = mm100 * pxProMm / 100.0;
        return std::abs(px - std::round(px)) <= pxProMm / 200.0 ? std::round(px) : px;
    };
    k.bild =
        QRectF(QPointF(kante(frame.left(), k.pxProMm[0]), kante(frame.top(), k.pxProMm[1])),
               QPointF(kante(frame.right(), k.pxProMm[0]), kante(frame.bottom(), k.pxProMm[1])));
    if (!(k.bild.width() > 0 && k.bild.height() > 0))
        return std::nullopt;
    return k;
}

} // namespace

bool IstEmf(const QByteArray& daten)
{
    return daten.size() >= 44 && liesU32(daten.constData()) == EMR_HEADER &&
           liesU32(daten.constData() + 40) == EMF_SIGNATUR;
}

std::optional<TBildDaten> EmfLesen(const QByteArray& daten)
{
    if (daten.size() < 88 || !IstEmf(daten))
        return std::nullopt;
    const char* d = daten.constData();
    const std::optional<Kopf> k = kopfLesen(d, daten.size());
    if (!k)
        return std::nullopt;
    TSpieler sp(TSpieler::Format::Emf, k->objekte);
    sp.emfPxProMm[0] = k->pxProMm[0];
    sp.emfPxProMm[1] = k->pxProMm[1];
    sp.setzeBild(k->bild);
    TBildDaten bild;
    bild.groesse = k->groesse;
    bild.bild = k->bild;

    Lauf lauf{sp, {}, false};
    qsizetype at = k->kopf;
    for (int saetze = 0; !lauf.eof; ++saetze) {
        if (saetze >= MaxSaetze || at + 8 > k->gesamt)
            return std::nullopt;
        const std::uint32_t typ = liesU32(d + at);
        const std::uint32_t groesse = liesU32(d + at + 4);
        if (groesse < 8 || groesse % 4 || groesse > k->gesamt - at)
            return std::nullopt;
        const TSatz s{d + at, static_cast<qsizetype>(groesse)};
        at += groesse;
        const Eintrag* e = typ < kHoechsterTyp ? kNachTyp[typ] : nullptr;
        if (e == nullptr)
            continue; // not needed to show the picture
        if (!s.hat(e->mindestens) || !e->handler(lauf, s) || sp.fehler)
            return std::nullopt;
    }
    return sp.bildDaten(std::move(bild));
}

} // namespace zw::leser
