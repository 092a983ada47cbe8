// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/spieler.h"

#include "metafile/bytes.h"

#include <algorithm>
#include <cmath>

namespace zw::leser {

using namespace bytes;

QColor AusColorref(std::uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

bool Endlich(double v) { return std::isfinite(v) && std::abs(v) < 1e9; }

std::optional<TObjekt> StockObjekt(std::uint32_t n)
{
    TObjekt o;
    const auto pinsel = [&](QRgb c, int stil = gdi::BS_SOLID) {
        o.art = TObjekt::Pinsel;
        o.pinsel = {stil, c, 0};
    };
    const auto stift = [&](QRgb c, int stil = gdi::PS_SOLID) {
        o.art = TObjekt::Stift;
        o.stift = {stil, 0, c, {}};
    };
    const auto schrift = [&](const char* name, int hoehe, int familie,
                             int gewicht = gdi::FW_NORMAL) {
        o.art = TObjekt::Schrift;
        o.schrift = {QString::fromLatin1(name), hoehe, 0, gewicht, false, false, familie};
    };
    using namespace gdi;
    switch (n) {
    case WHITE_BRUSH: pinsel(0xFFFFFF); break;
    case LTGRAY_BRUSH: pinsel(0xC0C0C0); break;
    case GRAY_BRUSH: pinsel(0x808080); break;
    case DKGRAY_BRUSH: pinsel(0x404040); break;
    case BLACK_BRUSH: pinsel(0x000000); break;
    case NULL_BRUSH: pinsel(0, BS_NULL); break;
    case WHITE_PEN: stift(0xFFFFFF); break;
    case BLACK_PEN: stift(0x000000); break;
    case NULL_PEN: stift(0, PS_NULL); break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: schrift("Courier New", -13, FF_MODERN); break;
    case ANSI_VAR_FONT: schrift("Arial", -13, FF_SWISS); break;
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: schrift("System", -16, FF_SWISS, FW_BOLD); break;
    case DEFAULT_GUI_FONT: schrift("MS Shell Dlg", -11, FF_SWISS); break;
    case DC_BRUSH: pinsel(0xFFFFFF); break;
    case DC_PEN: stift(0x000000); break;
    default: return std::nullopt;
    }
    return o;
}

TLogSchrift LogFont(const char* p, bool breit)
{
    TLogSchrift s;
    const int w = breit ? 4 : 2;
    const auto feld = [&](int i) {
        return breit ? liesI32(p + i * 4) : static_cast<std::int32_t>(liesI16(p + i * 2));
    };
    s.hoehe = std::clamp(feld(0), -100000, 100000);
    s.winkel = feld(2) % 3600;
    s.gewicht = feld(4);
    const char* b = p + 5 * w;
    s.kursiv = b[0] != 0;
    s.unterstrichen = b[1] != 0;
    s.familie = static_cast<unsigned char>(b[7]);
    return s;
}

// Object table -------------------------------------------------------------------------------

const TObjekt* TObjektTabelle::holen(std::uint32_t i) const
{
    if (i >= plaetze_.size())
        return nullptr;
    const std::optional<TObjekt>& platz = plaetze_[i];
    return platz ? &*platz : nullptr;
}

void TObjektTabelle::lege(std::uint32_t i, TObjekt o)
{
    if (i < plaetze_.size())
        plaetze_[i] = std::move(o);
}

void TObjektTabelle::legeFrei(TObjekt o)
{
    // Freed slots lie below the unused ones; an entry may be stale when lege() refilled it.
    while (!frei_.empty()) {
        const std::uint32_t i = frei_.top();
        frei_.pop();
        if (!plaetze_[i]) {
            plaetze_[i] = std::move(o);
            return;
        }
    }
    while (unbenutzt_ < plaetze_.size() && plaetze_[unbenutzt_])
        ++unbenutzt_;
    if (unbenutzt_ < plaetze_.size())
        plaetze_[unbenutzt_++] = std::move(o);
}

void TObjektTabelle::loesche(std::uint32_t i)
{
    if (i >= plaetze_.size() || !plaetze_[i])
        return;
    plaetze_[i].reset();
    if (i < unbenutzt_)
        frei_.push(i);
}

// Device context -----------------------------------------------------------------------------

QTransform TSpieler::abbildung() const
{
    if (format_ == Format::Wmf) {
        const QSizeF e = dc.windowExt;
        const double sx = e.width() != 0 ? wmfFenster.width() / e.width() : 1;
        const double sy = e.height() != 0 ? wmfFenster.height() / e.height() : 1;
        return QTransform::fromTranslate(-dc.windowOrg.x(), -dc.windowOrg.y()) *
               QTransform::fromScale(sx, sy) *
               QTransform::fromTranslate(wmfFenster.left(), wmfFenster.top());
    }
    double sx = 1, sy = 1;
    const double mx = emfPxProMm[0], my = emfPxProMm[1];
    switch (dc.mapmodus) {
    case gdi::MM_LOMETRIC: sx = mx / 10, sy = -my / 10; break;
    case gdi::MM_HIMETRIC: sx = mx / 100, sy = -my / 100; break;
    case gdi::MM_LOENGLISH: sx = mx * 0.254, sy = -my * 0.254; break;
    case gdi::MM_HIENGLISH: sx = mx * 0.0254, sy = -my * 0.0254; break;
    case gdi::MM_TWIPS: sx = mx * 25.4 / 1440, sy = -my * 25.4 / 1440; break;
    case gdi::MM_ISOTROPIC:
    case gdi::MM_ANISOTROPIC:
        if (dc.windowExt.width() != 0 && dc.windowExt.height() != 0) {
            sx = dc.viewportExt.width() / dc.windowExt.width();
            sy = dc.viewportExt.height() / dc.windowExt.height();
            if (dc.mapmodus == gdi::MM_ISOTROPIC) { // the smaller scale both ways
                const double s = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(s, sx), sy = std::copysign(s, sy);
            }
        }
        break;
    default: break;
    }
    const QTransform seite = QTransform::fromTranslate(-dc.windowOrg.x(), -dc.windowOrg.y()) *
                             QTransform::fromScale(sx, sy) *
                             QTransform::fromTranslate(dc.viewportOrg.x(), dc.viewportOrg.y());
    return dc.welt * seite;
}

void TSpieler::waehle(const TObjekt& o)
{
    switch (o.art) {
    case TObjekt::Stift: dc.stift = o.stift; break;
    case TObjekt::Pinsel: dc.pinsel = o.pinsel; break;
    case TObjekt::Schrift: dc.schrift = o.schrift; break;
    case TObjekt::Anderes: break;
    }
}

void TSpieler::waehle(std::uint32_t i)
{
    if (const TObjekt* o = tabelle.holen(i))
        waehle(*o);
}

void TSpieler::sichern()
{
    if (stapel_.size() < MaxDcStapel)
        stapel_.push_back(dc);
}

void TSpieler::zurueck(int n)
{
    // Negative: relative to the top; positive: an absolute level (1 is the first save).
    const auto groesse = static_cast<long>(stapel_.size());
    const long ziel = n < 0 ? groesse + n : static_cast<long>(n) - 1;
    if (ziel < 0 || ziel >= groesse)
        return;
    dc = stapel_[static_cast<std::size_t>(ziel)];
    stapel_.resize(static_cast<std::size_t>(ziel));
}

// Drawing ------------------------------------------------------------------------------------

void TSpieler::rechteck(QPointF a, QPointF b, bool ellipse)
{
    const QTransform t = abbildung();
    if (imPfad_) {
        if (pfad_.elementCount() > MaxPunkte) // too costly to draw already: it takes no more
            return;
        QPainterPath teil;
        const QRectF r = QRectF(a, b).normalized();
        if (ellipse)
            teil.addEllipse(r);
        else
            teil.addRect(r);
        pfad_.addPath(t.map(teil));
        return;
    }
    TFigur op;
    op.art = ellipse ? TArt::Ellipse : TArt::Rechteck;
    op.punkte = {punkt(t.map(a)), punkt(t.map(b))};
    fuellung(op, t);
    hinzu(std::move(op));
}

void TSpieler::poly(const std::vector<QPointF>& p, bool geschlossen)
{
    if (p.empty())
        return;
    const QTransform t = abbildung();
    if (imPfad_) {
        if (pfad_.elementCount() > MaxPunkte) // too costly to draw already: it takes no more
            return;
        // PolylineTo starts where the figure stands and goes on with it.
        const QPointF anfang = punkt(t.map(p.front()));
        if (pfad_.elementCount() == 0 || pfad_.currentPosition() != anfang)
            pfad_.moveTo(anfang);
        for (std::size_t i = 1; i < p.size(); ++i)
            pfad_.lineTo(punkt(t.map(p[i])));
        if (geschlossen)
            pfad_.closeSubpath();
        return;
    }
    TFigur op;
    op.art = geschlossen ? TArt::Polygon : TArt::Polylinie;
    op.punkte.reserve(static_cast<qsizetype>(p.size()));
    for (const QPointF& q : p)
        op.punkte.append(punkt(t.map(q)));
    if (geschlossen) {
        fuellung(op, t);
    } else {
        op.stift = stift(t);
        if (op.stift.isCosmetic() && !linienEnde(op))
            return;
    }
    hinzu(std::move(op));
}

void TSpieler::polyPolygon(const std::vector<QPointF>& p, const std::vector<int>& anzahlen)
{
    const QTransform t = abbildung();
    QPainterPath flaeche;
    std::size_t at = 0;
    for (const int n : anzahlen) {
        if (n <= 0)
            continue;
        flaeche.moveTo(punkt(t.map(p[at])));
        for (int i = 1; i < n; ++i)
            flaeche.lineTo(punkt(t.map(p[at + static_cast<std::size_t>(i)])));
        flaeche.closeSubpath();
        at += static_cast<std::size_t>(n);
    }
    if (imPfad_) {
        if (pfad_.elementCount() > MaxPunkte) // too costly to draw already: it takes no more
            return;
        pfad_.addPath(flaeche);
        return;
    }
    TFigur op;
    op.art = TArt::Pfad;
    fuellung(op, t);
    flaeche.setFillRule(op.regel);
    op.pfad = std::move(flaeche);
    hinzu(std::move(op));
}

void TSpieler::bezier(const std::vector<QPointF>& p)
{
    if (p.size() < 4)
        return;
    const QTransform t = abbildung();
    QPainterPath kurve;
    kurve.moveTo(punkt(t.map(p[0])));
    for (std::size_t i = 1; i + 2 < p.size(); i += 3)
        kurve.cubicTo(punkt(t.map(p[i])), punkt(t.map(p[i + 1])), punkt(t.map(p[i + 2])));
    if (imPfad_) {
        if (pfad_.elementCount() > MaxPunkte) // too costly to draw already: it takes no more
            return;
        // PolyBezierTo goes on from where the figure stands.
        const QPointF anfang = kurve.elementAt(0);
        if (pfad_.elementCount() == 0 || pfad_.currentPosition() != anfang)
            pfad_.moveTo(anfang);
        for (int i = 1; i < kurve.elementCount(); i += 3)
            pfad_.cubicTo(kurve.elementAt(i), kurve.elementAt(i + 1), kurve.elementAt(i + 2));
        return;
    }
    TFigur op;
    op.art = TArt::Pfad;
    op.stift = stift(t);
    op.pinsel = Qt::NoBrush;
    op.pfad = std::move(kurve);
    hinzu(std::move(op));
}

void TSpieler::linieNach(QPointF ziel)
{
    if (imPfad_) {
        // A path too costly to draw already takes no more.
        if (pfad_.elementCount() <= MaxPunkte) {
            const QTransform t = abbildung();
            if (pfad_.elementCount() == 0)
                pfad_.moveTo(punkt(t.map(dc.pos)));
            pfad_.lineTo(punkt(t.map(ziel)));
        }
    } else {
        poly({dc.pos, ziel}, false);
    }
    dc.pos = ziel;
}

void TSpieler::bewegeNach(QPointF ziel)
{
    dc.pos = ziel;
    if (imPfad_)
        pfad_.moveTo(punkt(abbildung().map(ziel)));
}

void TSpieler::text(QPointF bezug, QString s, std::vector<double> dx)
{
    const QTransform t = abbildung();
    const double m = std::sqrt(std::abs(t.determinant()));
    if (!Endlich(m))
        return;
    const bool mitCp = dc.ausrichtung & gdi::TA_UPDATECP;
    if (mitCp)
        bezug = dc.pos;
    textGesamt_ += s.size();
    if (textGesamt_ > MaxTextGesamt) {
        fehler = true;
        return;
    }
    TFigur op;
    op.art = TArt::Text;
    op.punkte = {punkt(t.map(bezug))};
    op.text = std::move(s);
    op.schrift = schrift(t);
    op.winkel = dc.schrift.winkel / 10.0;
    op.ausrichtung = dc.ausrichtung;
    op.farbe = dc.textfarbe;
    if (dc.bkmodus == gdi::OPAQUE)
        op.hintergrund = dc.bkfarbe;
    // Advances run along the logical x axis, wherever the mapping turns it.
    const double sx = std::hypot(t.m11(), t.m12());
    double summe = 0;
    for (double& d : dx) {
        summe += d;
        d = std::clamp(d * sx, -bildMass(), bildMass());
    }
    op.dx = std::move(dx);
    if (mitCp && Endlich(summe))
        dc.pos = bezug + QPointF(summe, 0);
    hinzu(std::move(op));
}

void TSpieler::undurchsichtig(QPointF a, QPointF b)
{
    const QTransform t = abbildung();
    TFigur op;
    op.art = TArt::Rechteck;
    op.punkte = {punkt(t.map(a)), punkt(t.map(b))};
    op.pinsel = dc.bkfarbe;
    // ExtTextOut's rectangle has no pen: it covers exactly its pixels, one less than a
    // pen-less Rectangle would leave out.
    op.punkte[1] += QPointF(einPixel(), einPixel());
    hinzu(std::move(op));
}

// Paths --------------------------------------------------------------------------------------

void TSpieler::pfadBeginnen()
{
    pfad_ = QPainterPath();
    imPfad_ = true;
}

void TSpieler::pfadVerwerfen()
{
    pfad_ = QPainterPath();
    imPfad_ = false;
}

void TSpieler::figurSchliessen()
{
    if (imPfad_ && pfad_.elementCount() > 0)
        pfad_.closeSubpath();
}

void TSpieler::pfadZeichnen(bool fuellen, bool umranden)
{
    if (imPfad_ || pfad_.isEmpty()) { // GDI draws no path that is still open
        pfadVerwerfen();
        return;
    }
    const QTransform t = abbildung();
    TFigur op;
    op.art = TArt::Pfad;
    fuellung(op, t);
    if (!fuellen)
        op.pinsel = Qt::NoBrush;
    if (!umranden)
        op.stift = QPen(Qt::NoPen);
    pfad_.setFillRule(op.regel);
    op.pfad = std::move(pfad_);
    pfad_ = QPainterPath();
    hinzu(std::move(op));
}

void TSpieler::pfadAlsClip(int modus)
{
    if (imPfad_) {
        pfadVerwerfen();
        return;
    }
    QPainterPath neu;
    neu.swap(pfad_); // leaves pfad_ empty for the next path
    neu.setFillRule(dc.regel);
    if (modus == gdi::RGN_AND && dc.clip > 0)
        setzeClip(verknuepft(clips_[static_cast<std::size_t>(dc.clip - 1)], neu, false));
    else
        setzeClip(std::move(neu));
}

void TSpieler::clipRechteck(QPointF a, QPointF b, bool ausschliessen)
{
    QPainterPath r;
    r.addPolygon(abbildung().map(QPolygonF(QRectF(a, b).normalized())));
    r.closeSubpath();
    QPainterPath alt;
    if (dc.clip > 0) {
        alt = clips_[static_cast<std::size_t>(dc.clip - 1)];
    } else {
        // Unclipped: the whole picture, with room for what the file draws beyond it.
        const double m = bildMass();
        alt.addRect(bild_.adjusted(-m, -m, m, m));
    }
    setzeClip(verknuepft(alt, r, ausschliessen));
}

void TSpieler::clipRegion(const std::vector<QRectF>& rechtecke, int modus)
{
    if (rechtecke.empty() && modus == gdi::RGN_COPY) {
        clipAufheben();
        return;
    }
    if (modus != gdi::RGN_AND && modus != gdi::RGN_COPY)
        return; // OR, XOR and DIFF are not needed for the pictures we show
    QPainterPath neu;
    for (const QRectF& r : rechtecke)
        neu.addRect(QRectF(punkt(r.topLeft()), punkt(r.bottomRight())).normalized());
    neu.setFillRule(Qt::WindingFill);
    if (modus == gdi::RGN_AND && dc.clip > 0)
        setzeClip(verknuepft(clips_[static_cast<std::size_t>(dc.clip - 1)], neu, false));
    else
        setzeClip(std::move(neu));
}

std::optional<QPainterPath> TSpieler::verknuepft(const QPainterPath& a, const QPainterPath& b,
                                                 bool abziehen)
{
    // Boolean operations grow with the size of both paths, and so does the result.
    const qsizetype n = a.elementCount() + b.elementCount();
    const double k = 64 + 16 * static_cast<double>(n);
    if (n > MaxClipElemente || aufwand_ + k > MaxAufwand)
        return std::nullopt;
    aufwand_ += k;
    return abziehen ? a.subtracted(b) : a.intersected(b);
}

void TSpieler::setzeClip(std::optional<QPainterPath> neu)
{
    // Past the limits the clip stays as it is: the picture may show more than it should, but
    // the work stays bounded.
    if (!neu || static_cast<int>(clips_.size()) >= MaxClips ||
        neu->elementCount() > MaxClipElemente)
        return;
    aufwand_ += 64 + static_cast<double>(neu->elementCount());
    clips_.push_back(std::move(*neu));
    dc.clip = static_cast<int>(clips_.size());
}

TBildDaten TSpieler::bildDaten(TBildDaten kopf)
{
    kopf.ops = std::move(ops_);
    kopf.clips = std::move(clips_);
    return kopf;
}

// GDI leaves out a thin line's last point. Qt's flat caps leave out the pixel at the larger
// coordinate instead, whichever way the line runs: a line running backwards is moved one pixel
// forwards to make up for it, which keeps a dotted line's pattern where GDI starts it. A
// polyline's segments run every way, so it loses its last pixel and gets square caps. False
// when nothing is left to draw.
bool TSpieler::linienEnde(TFigur& op) const
{
    QPolygonF& p = op.punkte;
    if (p.size() < 2)
        return false;
    const QPointF d = p.back() - p[p.size() - 2];
    if (d.isNull())
        return p.size() > 2;
    const double px = einPixel();
    const bool waagrecht = std::abs(d.x()) >= std::abs(d.y());
    if (p.size() == 2) {
        if ((waagrecht ? d.x() : d.y()) < 0)
            p.translate(waagrecht ? QPointF(px, 0) : QPointF(0, px));
        return true;
    }
    op.stift.setCapStyle(Qt::SquareCap);
    const double n = std::max(std::abs(d.x()), std::abs(d.y()));
    p.back() -= d * (std::min(px, n) / n);
    return true;
}

double TSpieler::bildMass() const { return 4 * std::max({bild_.width(), bild_.height(), 1.0}); }

// Anything far outside the picture only needs to stay far outside: clamping keeps the
// arithmetic of the painter in range whatever the file says.
QPointF TSpieler::punkt(QPointF p) const
{
    const double m = bildMass();
    const auto k = [&](double v, double lo, double hi) {
        if (!std::isfinite(v))
            return lo;
        return std::clamp(v, lo - m, hi + m);
    };
    return {k(p.x(), bild_.left(), bild_.right()), k(p.y(), bild_.top(), bild_.bottom())};
}

QPen TSpieler::stift(const QTransform& t) const
{
    const TLogStift& s = dc.stift;
    const int stil = s.stil & gdi::PS_STYLE_MASK;
    if (stil == gdi::PS_NULL)
        return QPen(Qt::NoPen);
    QPen p(QColor(s.farbe));
    const double w = s.breite * std::sqrt(std::abs(t.determinant()));
    const bool geometrisch = s.stil & 0x10000; // PS_GEOMETRIC: the file chose caps and joins
    if (s.breite <= 1 || !std::isfinite(w) || w <= 1.5 * einPixel()) {
        p.setWidth(1);
        p.setCosmetic(true);
    } else {
        p.setWidthF(std::min(w, bildMass()));
    }
    switch (stil) {
    case gdi::PS_DASH: p.setStyle(Qt::DashLine); break;
    case gdi::PS_DOT: p.setStyle(Qt::DotLine); break;
    case gdi::PS_DASHDOT: p.setStyle(Qt::DashDotLine); break;
    case gdi::PS_DASHDOTDOT: p.setStyle(Qt::DashDotDotLine); break;
    case gdi::PS_USERSTYLE: {
        // Qt counts dashes in pen widths; a pattern with nothing in it would be no pattern.
        const double einheit = std::max(s.breite, 1.0);
        QList<qreal> muster;
        double summe = 0;
        for (const double m : s.muster) {
            muster.append(std::clamp(m / einheit, 0.1, 1000.0));
            summe += muster.back();
        }
        if (muster.size() >= 2 && muster.size() % 2 == 0 && summe > 0)
            p.setDashPattern(muster);
        break;
    }
    default: break;
    }
    if (geometrisch) {
        static constexpr Qt::PenCapStyle kEnden[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap,
                                                     Qt::RoundCap};
        static constexpr Qt::PenJoinStyle kEcken[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin,
                                                      Qt::RoundJoin};
        p.setCapStyle(kEnden[(s.stil >> 8) & 3]);
        p.setJoinStyle(kEcken[(s.stil >> 12) & 3]);
    } else {
        // GDI lines leave out their last point; see linienEnde for thin ones.
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
    }
    return p;
}

void TSpieler::fuellung(TFigur& op, const QTransform& t) const
{
    op.stift = stift(t);
    op.regel = dc.regel;
    const TLogPinsel& b = dc.pinsel;
    const QColor c(b.farbe);
    switch (b.stil) {
    case gdi::BS_SOLID: op.pinsel = QBrush(c); break;
    case gdi::BS_HATCHED: {
        static constexpr Qt::BrushStyle kSchraffur[] = {Qt::HorPattern,   Qt::VerPattern,
                                                        Qt::FDiagPattern, Qt::BDiagPattern,
                                                        Qt::CrossPattern, Qt::DiagCrossPattern};
        op.pinsel = QBrush(c, b.schraffur >= 0 && b.schraffur < 6 ? kSchraffur[b.schraffur]
                                                                  : Qt::SolidPattern);
        break;
    }
    default: op.pinsel = QBrush(); break;
    }
}

QFont TSpieler::schrift(const QTransform& t) const
{
    const TLogSchrift& s = dc.schrift;
    QStringList familien{s.name};
    switch (s.familie & 0xF0) {
    case gdi::FF_ROMAN:
    case gdi::FF_SCRIPT:
        familien << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif")
                 << QStringLiteral("DejaVu Serif");
        break;
    case gdi::FF_MODERN:
        familien << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono")
                 << QStringLiteral("DejaVu Sans Mono");
        break;
    default:
        familien << QStringLiteral("Arial") << QStringLiteral("Liberation Sans")
                 << QStringLiteral("DejaVu Sans");
        break;
    }
    QFont f;
    f.setFamilies(familien);
    // Negative heights are the character height; positive ones include the internal leading.
    double px = s.hoehe < 0 ? -static_cast<double>(s.hoehe) : s.hoehe > 0 ? s.hoehe * 0.85 : 12.0;
    px *= std::hypot(t.m21(), t.m22());
    const double grenze = std::min(2.0 * std::max(bild_.height(), bild_.width()), 2000.0);
    f.setPixelSize(static_cast<int>(std::lround(std::clamp(px, 1.0, std::max(grenze, 1.0)))));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(s.gewicht == 0 ? 400 : s.gewicht, 100, 900)));
    f.setItalic(s.kursiv);
    f.setUnderline(s.unterstrichen);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

namespace {

// How far a shape's outline runs, and how far up and down: filling costs one step per edge
// and scan line it crosses, stroking grows with the length.
struct Ausmass {
    double laenge = 0;
    double hoehe = 0;
    qsizetype punkte = 0;
    void kante(QPointF a, QPointF b)
    {
        const QPointF d = b - a;
        laenge += std::abs(d.x()) + std::abs(d.y());
        hoehe += std::abs(d.y());
    }
};

Ausmass ausmass(const TFigur& op)
{
    Ausmass a;
    switch (op.art) {
    case TArt::Polygon:
    case TArt::Polylinie:
        a.punkte = op.punkte.size();
        for (qsizetype i = 1; i < op.punkte.size(); ++i)
            a.kante(op.punkte[i - 1], op.punkte[i]);
        if (op.art == TArt::Polygon && a.punkte > 1)
            a.kante(op.punkte.back(), op.punkte.front());
        break;
    case TArt::Pfad:
        // Curves by their control points, which run at least as far as the curve.
        a.punkte = op.pfad.elementCount();
        for (int i = 1; i < op.pfad.elementCount(); ++i)
            if (!op.pfad.elementAt(i).isMoveTo())
                a.kante(op.pfad.elementAt(i - 1), op.pfad.elementAt(i));
        break;
    case TArt::Rechteck:
    case TArt::Ellipse:
        a.punkte = 4;
        a.kante(op.punkte[0], op.punkte[1]);
        a.laenge *= 2;
        a.hoehe *= 2;
        break;
    case TArt::Text: break;
    }
    return a;
}

// The work units one shape costs. An outline crossing itself at every step (a polygon of
// random points) has many edges on every scan line, and each line costs more the more there
// are: hence the factor that grows with the number of points.
double kosten(const TFigur& op)
{
    if (op.art == TArt::Text)
        return 1 + 16 * static_cast<double>(op.text.size());
    const Ausmass a = ausmass(op);
    const double viele = 1 + static_cast<double>(a.punkte) / 256;
    double k = 1 + static_cast<double>(a.punkte);
    if (op.pinsel.style() != Qt::NoBrush)
        k += a.hoehe * viele / 4;
    if (op.stift.style() != Qt::NoPen) {
        const double breite = op.stift.isCosmetic() ? 1.0 : std::max(op.stift.widthF(), 1.0);
        k += a.laenge * breite / 64;
        if (!op.stift.isCosmetic()) // the outline of the stroke is filled like a shape
            k += (2 * a.hoehe + static_cast<double>(a.punkte) * breite) * viele / 4;
        if (op.stift.style() != Qt::SolidLine) // every dash is a shape of its own
            k += 4 * a.laenge / breite;
    }
    return k;
}

} // namespace

void TSpieler::hinzu(TFigur op)
{
    op.clip = dc.clip;
    const double k = kosten(op);
    const qsizetype punkte = op.punkte.size() + op.pfad.elementCount();
    // A shape past the budget is left out; cheaper ones after it may still fit.
    if (punkteGesamt_ + punkte > MaxPunkte || static_cast<int>(ops_.size()) >= MaxFormen ||
        aufwand_ + k > MaxAufwand)
        return;
    punkteGesamt_ += punkte;
    aufwand_ += k;
    ops_.push_back(std::move(op));
}

} // namespace zw::leser
