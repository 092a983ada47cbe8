// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/gdiengine.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTextItem>

#include <algorithm>
#include <cmath>

namespace zw {
namespace {

// Far beyond any picture, small enough that rounding and 16-bit clamping stay defined.
constexpr double kGrenze = 1 << 20;

QPoint pixel(const QPointF& p)
{
    const auto k = [](double v) {
        if (!std::isfinite(v))
            return 0;
        return static_cast<int>(std::lround(std::clamp(v, -kGrenze, kGrenze)));
    };
    return {k(p.x()), k(p.y())};
}

int vorzeichen(int v) { return (v > 0) - (v < 0); }

// One pixel further along the line's major axis: how far GDI must be told to go so that it
// draws the end point Qt's capped lines include.
QPoint schritt(const QPoint& von, const QPoint& bis)
{
    const QPoint d = bis - von;
    if (d.isNull())
        return {1, 0};
    if (std::abs(d.x()) >= std::abs(d.y()))
        return {vorzeichen(d.x()), 0};
    return {0, vorzeichen(d.y())};
}

// One step further along the line, so that GDI, which leaves out the end point, draws the end
// pixel Qt's capped lines include; a diagonal goes on diagonally.
QPoint verlaengerung(const QPoint& von, const QPoint& bis)
{
    const QPoint d = bis - von;
    const int n = std::max(std::abs(d.x()), std::abs(d.y()));
    if (n == 0)
        return {1, 0};
    return {static_cast<int>(std::lround(static_cast<double>(d.x()) / n)),
            static_cast<int>(std::lround(static_cast<double>(d.y()) / n))};
}

QRect inklusiv(const QPoint& a, const QPoint& b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QRect umStift(const QRect& r, int breite)
{
    if (breite <= 1)
        return r;
    return r.adjusted(-(breite / 2), -(breite / 2), (breite - 1) / 2, (breite - 1) / 2);
}

double massstab(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

} // namespace

std::optional<int> GeraeteMetrik(QPaintDevice::PaintDeviceMetric m, const QSize& flaeche)
{
    switch (m) {
    case QPaintDevice::PdmWidth: return flaeche.width();
    case QPaintDevice::PdmHeight: return flaeche.height();
    case QPaintDevice::PdmWidthMM:
        return static_cast<int>(std::lround(flaeche.width() * 25.4 / 96.0));
    case QPaintDevice::PdmHeightMM:
        return static_cast<int>(std::lround(flaeche.height() * 25.4 / 96.0));
    case QPaintDevice::PdmNumColors: return 0xFFFFFF;
    case QPaintDevice::PdmDepth: return 24;
    case QPaintDevice::PdmDpiX:
    case QPaintDevice::PdmDpiY:
    case QPaintDevice::PdmPhysicalDpiX:
    case QPaintDevice::PdmPhysicalDpiY: return 96;
    case QPaintDevice::PdmDevicePixelRatio: return 1;
    case QPaintDevice::PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    default: return std::nullopt;
    }
}

// What the records can say: any transform is applied to the points, and paths become polygons.
// For everything else (gradients, patterns, translucency, opacity) QPainter hands us a rendered
// image, which these files do not carry: such drawing is left out instead of coming out in
// a wrong solid colour.
TGdiEngine::TGdiEngine(const QSize& flaeche)
    : QPaintEngine(QPaintEngine::PrimitiveTransform | QPaintEngine::PerspectiveTransform |
                   QPaintEngine::PainterPaths),
      flaeche_(flaeche)
{}

bool TGdiEngine::begin(QPaintDevice* geraet)
{
    geraet_ = geraet;
    pen_ = QPen();
    brush_ = QBrush();
    font_ = QFont();
    xf_ = QTransform();
    // Emptied in place: copying a fresh Auswahl over them copies an empty variant's storage,
    // which GCC 14 then takes for uninitialised.
    for (Auswahl* a : {&stift_, &pinsel_, &schrift_}) {
        a->objekt.reset();
        a->handle = 0;
        a->erzeugt = false;
    }
    belegt_.clear();
    tabellenSpitze_ = ersterIndex();
    textfarbe_.reset();
    fuellmodus_ = gdi::ALTERNATE;
    bereich_ = QRect();
    anfangen();
    return true;
}

bool TGdiEngine::end()
{
    alleFreigeben();
    beenden();
    return true;
}

void TGdiEngine::updateState(const QPaintEngineState& zustand)
{
    const auto dirty = zustand.state();
    if (dirty & DirtyPen)
        pen_ = zustand.pen();
    if (dirty & DirtyBrush)
        brush_ = zustand.brush();
    if (dirty & DirtyFont)
        font_ = zustand.font();
    if (dirty & DirtyTransform)
        xf_ = zustand.transform();
}

std::optional<TGdiStift> TGdiEngine::stiftFuerZeichnung() const
{
    if (pen_.style() == Qt::NoPen || pen_.color().alpha() == 0)
        return std::nullopt;
    TGdiStift s;
    const double w = pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * massstab(xf_);
    s.breite = std::isfinite(w) ? static_cast<int>(std::clamp(std::lround(w), 1L, 1000L)) : 1;
    switch (pen_.style()) {
    case Qt::DotLine: s.stil = gdi::PS_DOT; break;
    case Qt::DashLine: s.stil = gdi::PS_DASH; break;
    case Qt::DashDotLine: s.stil = gdi::PS_DASHDOT; break;
    case Qt::DashDotDotLine: s.stil = gdi::PS_DASHDOTDOT; break;
    default: s.stil = gdi::PS_SOLID; break;
    }
    // Styled GDI pens are one pixel wide; wider ones are drawn solid anyway.
    if (s.stil != gdi::PS_SOLID)
        s.breite = 1;
    s.farbe = pen_.color().rgb() & 0xFFFFFF;
    return s;
}

TGdiPinsel TGdiEngine::pinselFuerZeichnung() const
{
    TGdiPinsel p;
    if (brush_.style() == Qt::NoBrush || brush_.color().alpha() == 0) {
        p.leer = true;
        return p;
    }
    // Only solid opaque brushes get here (see the constructor's features).
    p.farbe = brush_.color().rgb() & 0xFFFFFF;
    return p;
}

TGdiSchrift TGdiEngine::schriftFuer(const QFont& f) const
{
    TGdiSchrift s;
    s.name = f.families().isEmpty() ? f.family() : f.families().first();
    s.name.truncate(31);
    double px = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * 96.0 / 72.0;
    px *= massstab(xf_);
    s.hoehe = std::isfinite(px) ? -static_cast<int>(std::clamp(std::lround(px), 1L, 30000L)) : -1;
    s.gewicht = std::clamp(static_cast<int>(f.weight()), 100, 900);
    s.kursiv = f.italic();
    s.unterstrichen = f.underline();
    const QPointF x = xf_.map(QPointF(1, 0)) - xf_.map(QPointF(0, 0));
    // GDI angles run counter-clockwise on a y-down screen.
    double grad = std::atan2(-x.y(), x.x()) * 180.0 / M_PI;
    if (!std::isfinite(grad))
        grad = 0;
    int zehntel = static_cast<int>(std::lround(grad * 10)) % 3600;
    if (zehntel < 0)
        zehntel += 3600;
    s.winkel = zehntel;
    switch (f.styleHint()) {
    case QFont::Serif: s.familie = gdi::FF_ROMAN | gdi::VARIABLE_PITCH; break;
    case QFont::TypeWriter:
    case QFont::Monospace: s.familie = gdi::FF_MODERN | 1; break;
    default: s.familie = gdi::FF_SWISS | gdi::VARIABLE_PITCH; break;
    }
    return s;
}

int TGdiEngine::freierIndex()
{
    // Lowest free slot first, as GDI's own object table hands them out.
    const int basis = ersterIndex();
    std::size_t i = 0;
    while (i < belegt_.size() && belegt_[i])
        ++i;
    if (i == belegt_.size())
        belegt_.push_back(true);
    else
        belegt_[i] = true;
    const int index = basis + static_cast<int>(i);
    tabellenSpitze_ = std::max(tabellenSpitze_, index + 1);
    return index;
}

void TGdiEngine::sorgeFuer(Auswahl& a, const TGdiObjekt& o)
{
    if (a.objekt && *a.objekt == o)
        return;
    Auswahl neu;
    neu.objekt = o;
    if (const auto b = bestand(o)) {
        neu.handle = *b;
    } else {
        const int index = freierIndex();
        erzeugen(index, o);
        neu.handle = static_cast<std::uint32_t>(index);
        neu.erzeugt = true;
    }
    waehlen(neu.handle);
    // Only once deselected may the old object go.
    if (a.erzeugt) {
        loeschen(static_cast<int>(a.handle));
        belegt_[a.handle - ersterIndex()] = false;
    }
    a = neu;
}

void TGdiEngine::alleFreigeben()
{
    bestandWaehlen();
    for (Auswahl* a : {&stift_, &pinsel_, &schrift_}) {
        if (a->erzeugt) {
            loeschen(static_cast<int>(a->handle));
            belegt_[a->handle - ersterIndex()] = false;
        }
        *a = Auswahl{};
    }
}

void TGdiEngine::merke(const QRect& gezeichnet)
{
    // Nothing lands outside the surface, however far a shape reaches.
    const QRect r = gezeichnet.intersected(QRect(QPoint(0, 0), flaeche_));
    if (r.isValid())
        bereich_ = bereich_.isValid() ? bereich_.united(r) : r;
}

void TGdiEngine::drawRects(const QRect* rects, int anzahl)
{
    for (int i = 0; i < anzahl; ++i) {
        const QRectF r(rects[i]);
        drawRects(&r, 1);
    }
}

void TGdiEngine::drawRects(const QRectF* rects, int anzahl)
{
    const auto stift = stiftFuerZeichnung();
    const TGdiPinsel pinsel = pinselFuerZeichnung();
    if (!stift && pinsel.leer)
        return;
    const bool achsentreu = xf_.type() <= QTransform::TxScale;
    for (int i = 0; i < anzahl; ++i) {
        if (!achsentreu) {
            zeichnePolygon(xf_.map(QPolygonF(rects[i])), true, Qt::OddEvenFill);
            continue;
        }
        const QRectF g = xf_.mapRect(rects[i]).normalized();
        const QPoint lo = pixel(g.topLeft());
        const QPoint ru = pixel(g.bottomRight());
        if (!stift && (ru.x() <= lo.x() || ru.y() <= lo.y()))
            continue; // an empty fill draws nothing
        sorgeFuer(stift_, stift ? TGdiObjekt(*stift) : TGdiObjekt(TGdiStift{gdi::PS_NULL, 1, 0}));
        sorgeFuer(pinsel_, pinsel);
        // GDI leaves out the right and bottom edge (with a null pen one pixel more): one more each
        // way gives the pixels Qt fills, outline or not.
        rechteck(lo.x(), lo.y(), ru.x() + 1, ru.y() + 1);
        merke(stift ? umStift(inklusiv(lo, ru), stift->breite) : inklusiv(lo, ru - QPoint(1, 1)));
    }
}

void TGdiEngine::drawLines(const QLine* linien, int anzahl)
{
    for (int i = 0; i < anzahl; ++i)
        zeichneLinie(xf_.map(QPointF(linien[i].p1())), xf_.map(QPointF(linien[i].p2())));
}

void TGdiEngine::drawLines(const QLineF* linien, int anzahl)
{
    for (int i = 0; i < anzahl; ++i)
        zeichneLinie(xf_.map(linien[i].p1()), xf_.map(linien[i].p2()));
}

void TGdiEngine::zeichneLinie(QPointF a, QPointF b)
{
    const auto stift = stiftFuerZeichnung();
    if (!stift)
        return;
    QPoint von = pixel(a);
    QPoint bis = pixel(b);
    if (pen_.capStyle() == Qt::FlatCap) {
        if (von == bis)
            return;
        // Qt leaves out the pixel at the larger coordinate, GDI the end point: a line running
        // backwards moves one pixel back to cover the same pixels.
        const QPoint s = schritt(von, bis);
        if (s.x() < 0 || s.y() < 0) {
            von += s;
            bis += s;
        }
    } else if (stift->breite <= 1) {
        bis += verlaengerung(von, bis);
    } else {
        // Square and round caps reach half the width beyond both ends.
        const QPoint s = schritt(von, bis) * (stift->breite / 2);
        von -= s;
        bis += s;
    }
    sorgeFuer(stift_, *stift);
    linie(von, bis);
    merke(umStift(inklusiv(von, bis - verlaengerung(von, bis)), stift->breite));
}

void TGdiEngine::drawPolygon(const QPoint* punkte, int anzahl, PolygonDrawMode modus)
{
    QPolygonF p;
    p.reserve(anzahl);
    for (int i = 0; i < anzahl; ++i)
        p.append(QPointF(punkte[i]));
    drawPolygon(p.constData(), anzahl, modus);
}

void TGdiEngine::drawPolygon(const QPointF* punkte, int anzahl, PolygonDrawMode modus)
{
    if (anzahl <= 0)
        return;
    QPolygonF p(anzahl);
    for (int i = 0; i < anzahl; ++i)
        p[i] = xf_.map(punkte[i]);
    if (modus == PolylineMode) {
        zeichnePolygon(p, false, Qt::OddEvenFill);
        return;
    }
    zeichnePolygon(p, true, modus == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
}

void TGdiEngine::drawPath(const QPainterPath& pfad)
{
    const bool fuellen = !pinselFuerZeichnung().leer;
    for (const QPolygonF& teil : pfad.toSubpathPolygons(xf_)) {
        const bool zu = teil.size() > 2 && teil.isClosed();
        zeichnePolygon(teil, zu || fuellen, pfad.fillRule());
    }
}

void TGdiEngine::zeichnePolygon(const QPolygonF& geraetepunkte, bool geschlossen,
                                Qt::FillRule regel)
{
    const auto stift = stiftFuerZeichnung();
    const TGdiPinsel pinsel = pinselFuerZeichnung();
    if (geraetepunkte.isEmpty() || (!stift && (pinsel.leer || !geschlossen)))
        return;
    QPolygon p;
    p.reserve(geraetepunkte.size());
    for (const QPointF& q : geraetepunkte)
        p.append(pixel(q));
    if (!geschlossen) {
        if (p.size() == 1)
            p.append(p.front());
        if (pen_.capStyle() != Qt::FlatCap)
            p.back() += verlaengerung(p[p.size() - 2], p.back());
        sorgeFuer(stift_, *stift);
        const QRect r = umStift(p.boundingRect().adjusted(0, 0, -1, -1), stift->breite);
        polylinie(p, r);
        merke(r);
        return;
    }
    const int modus = regel == Qt::WindingFill ? gdi::WINDING : gdi::ALTERNATE;
    if (modus != fuellmodus_) {
        fuellmodus(modus);
        fuellmodus_ = modus;
    }
    sorgeFuer(stift_, stift ? TGdiObjekt(*stift) : TGdiObjekt(TGdiStift{gdi::PS_NULL, 1, 0}));
    sorgeFuer(pinsel_, pinsel);
    // QRect::boundingRect is already inclusive; a fill without outline stops short of the
    // right and bottom edge.
    const QRect r =
        stift ? umStift(p.boundingRect(), stift->breite) : p.boundingRect().adjusted(0, 0, -1, -1);
    polygon(p, r);
    merke(r);
}

void TGdiEngine::drawTextItem(const QPointF& p, const QTextItem& stueck)
{
    const QString s = stueck.text();
    if (s.isEmpty() || pen_.style() == Qt::NoPen || pen_.color().alpha() == 0)
        return;
    const QFont f = stueck.font();
    const TGdiSchrift schrift = schriftFuer(f);
    const double m = massstab(xf_);
    const QFontMetricsF fm(f, geraet_);
    // Advances from whole prefixes, rounded once each, so that kerning and rounding do not add up.
    std::vector<int> dx(static_cast<std::size_t>(s.size()), 0);
    long vorher = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size())
            continue; // the pair's advance goes to its second half
        const long jetzt = std::lround(fm.horizontalAdvance(s.left(i + 1)) * m);
        dx[static_cast<std::size_t>(i)] = static_cast<int>(jetzt - vorher);
        vorher = jetzt;
    }
    const QPoint bezug = pixel(xf_.map(p));
    QTransform dreh;
    dreh.translate(bezug.x(), bezug.y());
    dreh.rotate(-schrift.winkel / 10.0);
    const QRectF kasten(0, -fm.ascent() * m, static_cast<double>(vorher),
                        (fm.ascent() + fm.descent()) * m);
    const QRectF g = dreh.mapRect(kasten);

    sorgeFuer(schrift_, schrift);
    const QRgb farbe = pen_.color().rgb() & 0xFFFFFF;
    if (textfarbe_ != farbe) {
        textfarbe(farbe);
        textfarbe_ = farbe;
    }
    const QRect grenzen = inklusiv(pixel(g.topLeft()), pixel(g.bottomRight()));
    text(bezug, s, dx, grenzen);
    merke(grenzen);
}

} // namespace zw
