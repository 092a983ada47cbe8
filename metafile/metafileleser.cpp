#include "metafile/metafileleser.h"

#include "metafile/bytes.h"
#include "metafile/windows1252.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zw {
namespace {

using namespace bytes;

// Bounds on what one file may make us do; far above any honest picture of this kind.
// Parsing is cheap; drawing is what the limits on shapes, points and characters keep short.
constexpr int kMaxSaetze = 1'000'000;
constexpr int kMaxFormen = 250'000;
constexpr qsizetype kMaxPunkte = 2'000'000;
constexpr int kMaxText = 8192;
constexpr qsizetype kMaxTextGesamt = 50'000;
constexpr int kMaxDcStapel = 256;
constexpr int kMaxPixel = 32767;

enum class Art { Polygon, Polylinie, Rechteck, Ellipse, Text };

// One thing to draw, already in picture coordinates with everything it needs.
struct Op {
    Art art = Art::Polygon;
    QPolygonF punkte; // Rechteck/Ellipse: two corners, GDI's right and bottom exclusive
    QPen stift = QPen(Qt::NoPen);
    QBrush pinsel;
    Qt::FillRule regel = Qt::OddEvenFill;
    // Text
    QString text;
    QFont schrift;
    std::vector<double> dx;
    double winkel = 0; // degrees, counter-clockwise
    int ausrichtung = 0;
    QColor farbe;
    std::optional<QColor> hintergrund;
};

struct LogStift {
    int stil = 0;
    double breite = 0; // logical units
    QRgb farbe = 0;
};
struct LogPinsel {
    int stil = 0;
    QRgb farbe = 0xFFFFFF;
    int schraffur = 0;
};
struct LogSchrift {
    QString name;
    int hoehe = 0;
    int winkel = 0;
    int gewicht = 400;
    bool kursiv = false;
    bool unterstrichen = false;
    int familie = 0;
};

struct Objekt {
    enum { Stift, Pinsel, Schrift, Anderes } art = Anderes;
    LogStift stift;
    LogPinsel pinsel;
    LogSchrift schrift;
};

QColor ausColorref(std::uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

bool endlich(double v) { return std::isfinite(v) && std::abs(v) < 1e9; }

struct Dc {
    LogStift stift{0, 0, 0};
    LogPinsel pinsel{0, 0xFFFFFF, 0};
    LogSchrift schrift{QStringLiteral("System"), -16, 0, 700, false, false, 0x20};
    QColor textfarbe = Qt::black;
    QColor bkfarbe = Qt::white;
    int bkmodus = 2; // OPAQUE
    int ausrichtung = 0;
    Qt::FillRule regel = Qt::OddEvenFill;
    QPointF pos;
    int mapmodus = 1; // MM_TEXT
    QPointF fensterOrg, vpOrg;
    QSizeF fensterExt{1, 1}, vpExt{1, 1};
    QTransform welt;
};

struct BildDaten {
    QSize groesse;
    QRectF bild;          // the picture's rectangle in the coordinates of the ops
    double einPixel = 1;  // one device pixel in those coordinates
    std::vector<Op> ops;
};

} // namespace

struct TMetafileBild::Daten : BildDaten {};

namespace {

// Plays the records on a model of a GDI device context and collects what they draw.
class Spieler {
public:
    enum class Format { Emf, Wmf };

    Spieler(Format f, int objekte) : format_(f), tabelle_(static_cast<std::size_t>(objekte)) {}

    Dc dc;
    double emfPxProMm[2] = {96 / 25.4, 96 / 25.4};
    // WMF: the rectangle (in logical units) that the picture frame shows.
    QRectF wmfFenster;
    std::vector<Op> ops;
    bool fehler = false;

    QTransform abbildung() const
    {
        QTransform seite;
        if (format_ == Format::Wmf) {
            const QSizeF e = dc.fensterExt;
            const double sx = e.width() != 0 ? wmfFenster.width() / e.width() : 1;
            const double sy = e.height() != 0 ? wmfFenster.height() / e.height() : 1;
            seite = QTransform::fromTranslate(-dc.fensterOrg.x(), -dc.fensterOrg.y())
                    * QTransform::fromScale(sx, sy)
                    * QTransform::fromTranslate(wmfFenster.left(), wmfFenster.top());
            return seite;
        }
        double sx = 1, sy = 1;
        switch (dc.mapmodus) {
        case 2: sx = emfPxProMm[0] / 10, sy = -emfPxProMm[1] / 10; break;     // MM_LOMETRIC
        case 3: sx = emfPxProMm[0] / 100, sy = -emfPxProMm[1] / 100; break;   // MM_HIMETRIC
        case 4: sx = emfPxProMm[0] * 0.254, sy = -emfPxProMm[1] * 0.254; break; // MM_LOENGLISH
        case 5: sx = emfPxProMm[0] * 0.0254, sy = -emfPxProMm[1] * 0.0254; break;
        case 6: sx = emfPxProMm[0] * 25.4 / 1440, sy = -emfPxProMm[1] * 25.4 / 1440; break; // MM_TWIPS
        case 7:
        case 8:
            if (dc.fensterExt.width() != 0 && dc.fensterExt.height() != 0) {
                sx = dc.vpExt.width() / dc.fensterExt.width();
                sy = dc.vpExt.height() / dc.fensterExt.height();
                if (dc.mapmodus == 7) { // isotropic: the smaller scale both ways
                    const double s = std::min(std::abs(sx), std::abs(sy));
                    sx = std::copysign(s, sx), sy = std::copysign(s, sy);
                }
            }
            break;
        default: break;
        }
        seite = QTransform::fromTranslate(-dc.fensterOrg.x(), -dc.fensterOrg.y())
                * QTransform::fromScale(sx, sy) * QTransform::fromTranslate(dc.vpOrg.x(), dc.vpOrg.y());
        return dc.welt * seite;
    }

    void setzeBild(const QRectF& bild) { bild_ = bild; }

    // Objects --------------------------------------------------------------------------------
    bool platz(std::uint32_t i) const { return i < tabelle_.size(); }
    void lege(std::uint32_t i, const Objekt& o)
    {
        if (platz(i))
            tabelle_[i] = o;
    }
    // WMF: a new object goes into the lowest free slot; without one it is lost.
    void legeFrei(const Objekt& o)
    {
        for (auto& t : tabelle_)
            if (!t) {
                t = o;
                return;
            }
    }
    void waehle(const Objekt& o)
    {
        switch (o.art) {
        case Objekt::Stift: dc.stift = o.stift; break;
        case Objekt::Pinsel: dc.pinsel = o.pinsel; break;
        case Objekt::Schrift: dc.schrift = o.schrift; break;
        case Objekt::Anderes: break;
        }
    }
    void waehle(std::uint32_t i)
    {
        if (platz(i) && tabelle_[i])
            waehle(*tabelle_[i]);
    }
    void loesche(std::uint32_t i)
    {
        if (platz(i))
            tabelle_[i].reset();
    }
    void sichern()
    {
        if (stapel_.size() < kMaxDcStapel)
            stapel_.push_back(dc);
    }
    void zurueck(int n)
    {
        // Negative: relative to the top; positive: an absolute level (1 is the first save).
        const auto groesse = static_cast<long>(stapel_.size());
        long ziel = n < 0 ? groesse + n : static_cast<long>(n) - 1;
        if (ziel < 0 || ziel >= groesse)
            return;
        dc = stapel_[static_cast<std::size_t>(ziel)];
        stapel_.resize(static_cast<std::size_t>(ziel));
    }

    // Drawing --------------------------------------------------------------------------------
    void rechteck(QPointF a, QPointF b, bool ellipse)
    {
        const QTransform t = abbildung();
        Op op;
        op.art = ellipse ? Art::Ellipse : Art::Rechteck;
        op.punkte = {punkt(t.map(a)), punkt(t.map(b))};
        fuellung(op, t);
        hinzu(std::move(op));
    }

    void poly(const std::vector<QPointF>& p, bool geschlossen)
    {
        if (p.empty())
            return;
        const QTransform t = abbildung();
        Op op;
        op.art = geschlossen ? Art::Polygon : Art::Polylinie;
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

    void linieNach(QPointF ziel)
    {
        poly({dc.pos, ziel}, false);
        dc.pos = ziel;
    }

    void text(QPointF bezug, QString s, std::vector<double> dx)
    {
        const QTransform t = abbildung();
        const double m = std::sqrt(std::abs(t.determinant()));
        if (!endlich(m))
            return;
        const bool mitCp = dc.ausrichtung & 1; // TA_UPDATECP
        if (mitCp)
            bezug = dc.pos;
        textGesamt_ += s.size();
        if (textGesamt_ > kMaxTextGesamt) {
            fehler = true;
            return;
        }
        Op op;
        op.art = Art::Text;
        op.punkte = {punkt(t.map(bezug))};
        op.text = std::move(s);
        op.schrift = schrift(t);
        op.winkel = dc.schrift.winkel / 10.0;
        op.ausrichtung = dc.ausrichtung;
        op.farbe = dc.textfarbe;
        if (dc.bkmodus == 2)
            op.hintergrund = dc.bkfarbe;
        // Advances run along the logical x axis, wherever the mapping turns it.
        const double sx = std::hypot(t.m11(), t.m12());
        double summe = 0;
        for (double& d : dx) {
            summe += d;
            d = std::clamp(d * sx, -bildMass(), bildMass());
        }
        op.dx = std::move(dx);
        if (mitCp && endlich(summe))
            dc.pos = bezug + QPointF(summe, 0);
        hinzu(std::move(op));
    }

    void undurchsichtig(QPointF a, QPointF b)
    {
        const QTransform t = abbildung();
        Op op;
        op.art = Art::Rechteck;
        op.punkte = {punkt(t.map(a)), punkt(t.map(b))};
        op.pinsel = dc.bkfarbe;
        // ExtTextOut's rectangle has no pen: it covers exactly its pixels, one less than a
        // pen-less Rectangle would leave out.
        op.punkte[1] += QPointF(einPixel(), einPixel());
        hinzu(std::move(op));
    }

    double einPixel() const { return format_ == Format::Wmf ? wmfEinPixel : 1.0; }
    double wmfEinPixel = 1;

private:
    // GDI leaves out a thin line's last point. Qt's flat caps leave out the pixel at the larger
    // coordinate instead, whichever way the line runs: a line running backwards is moved one
    // pixel forwards to make up for it, which keeps a dotted line's pattern where GDI starts it.
    // A polyline's segments run every way, so it loses its last pixel and gets square caps.
    // False when nothing is left to draw.
    bool linienEnde(Op& op) const
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

    double bildMass() const { return 4 * std::max({bild_.width(), bild_.height(), 1.0}); }

    // Anything far outside the picture only needs to stay far outside: clamping keeps the
    // arithmetic of the painter in range whatever the file says.
    QPointF punkt(QPointF p) const
    {
        const double m = bildMass();
        const auto k = [&](double v, double lo, double hi) {
            if (!std::isfinite(v))
                return lo;
            return std::clamp(v, lo - m, hi + m);
        };
        return {k(p.x(), bild_.left(), bild_.right()), k(p.y(), bild_.top(), bild_.bottom())};
    }

    QPen stift(const QTransform& t) const
    {
        const LogStift& s = dc.stift;
        const int stil = s.stil & 0xF;
        if (stil == 5)
            return QPen(Qt::NoPen);
        QPen p(QColor(s.farbe));
        const double w = s.breite * std::sqrt(std::abs(t.determinant()));
        if (s.breite <= 1 || !std::isfinite(w) || w <= 1.5 * einPixel()) {
            p.setWidth(1);
            p.setCosmetic(true);
        } else {
            p.setWidthF(std::min(w, bildMass()));
        }
        switch (stil) {
        case 1: p.setStyle(Qt::DashLine); break;
        case 2: p.setStyle(Qt::DotLine); break;
        case 3: p.setStyle(Qt::DashDotLine); break;
        case 4: p.setStyle(Qt::DashDotDotLine); break;
        default: break;
        }
        // GDI lines leave out their last point; see linienEnde for thin ones.
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
        return p;
    }

    void fuellung(Op& op, const QTransform& t) const
    {
        op.stift = stift(t);
        op.regel = dc.regel;
        const LogPinsel& b = dc.pinsel;
        const QColor c(b.farbe);
        switch (b.stil) {
        case 0: op.pinsel = QBrush(c); break;
        case 2: {
            static constexpr Qt::BrushStyle kSchraffur[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                            Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
            op.pinsel = QBrush(c, b.schraffur >= 0 && b.schraffur < 6 ? kSchraffur[b.schraffur] : Qt::SolidPattern);
            break;
        }
        default: op.pinsel = QBrush(); break;
        }
    }

    QFont schrift(const QTransform& t) const
    {
        const LogSchrift& s = dc.schrift;
        QStringList familien{s.name};
        switch (s.familie & 0xF0) {
        case 0x10:
        case 0x40:
            familien << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif")
                     << QStringLiteral("DejaVu Serif");
            break;
        case 0x30:
            familien << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono")
                     << QStringLiteral("DejaVu Sans Mono");
            break;
        default:
            familien << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans");
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

    void hinzu(Op op)
    {
        punkteGesamt_ += op.punkte.size();
        if (punkteGesamt_ > kMaxPunkte || static_cast<int>(ops.size()) >= kMaxFormen) {
            fehler = true;
            return;
        }
        ops.push_back(std::move(op));
    }

    Format format_;
    std::vector<std::optional<Objekt>> tabelle_;
    std::vector<Dc> stapel_;
    QRectF bild_{0, 0, 1, 1};
    qsizetype punkteGesamt_ = 0;
    qsizetype textGesamt_ = 0;
};

// A record's bytes, with reads that fail instead of overrunning.
struct Satz {
    const char* p;
    qsizetype n;
    bool hat(qsizetype bis) const { return bis >= 0 && bis <= n; }
};

Objekt stockObjekt(std::uint32_t n, bool& bekannt)
{
    bekannt = true;
    Objekt o;
    const auto pinsel = [&](QRgb c, int stil = 0) {
        o.art = Objekt::Pinsel;
        o.pinsel = {stil, c, 0};
    };
    const auto stift = [&](QRgb c, int stil = 0) {
        o.art = Objekt::Stift;
        o.stift = {stil, 0, c};
    };
    const auto schrift = [&](const char* name, int hoehe, int familie, int gewicht = 400) {
        o.art = Objekt::Schrift;
        o.schrift = {QString::fromLatin1(name), hoehe, 0, gewicht, false, false, familie};
    };
    switch (n) {
    case 0: pinsel(0xFFFFFF); break;
    case 1: pinsel(0xC0C0C0); break;
    case 2: pinsel(0x808080); break;
    case 3: pinsel(0x404040); break;
    case 4: pinsel(0x000000); break;
    case 5: pinsel(0, 1); break;
    case 6: stift(0xFFFFFF); break;
    case 7: stift(0x000000); break;
    case 8: stift(0, 5); break;
    case 10:
    case 11:
    case 16: schrift("Courier New", -13, 0x30); break;
    case 12: schrift("Arial", -13, 0x20); break;
    case 13:
    case 14: schrift("System", -16, 0x20, 700); break;
    case 17: schrift("MS Shell Dlg", -11, 0x20); break;
    case 18: pinsel(0xFFFFFF); break;
    case 19: stift(0x000000); break;
    default: bekannt = false; break;
    }
    return o;
}

LogSchrift logFont(const char* p, bool breit)
{
    // LOGFONT: five 32-bit (EMF) or 16-bit (WMF) fields, eight bytes, then the face name.
    LogSchrift s;
    const int w = breit ? 4 : 2;
    const auto feld = [&](int i) { return breit ? liesI32(p + i * 4) : static_cast<std::int32_t>(liesI16(p + i * 2)); };
    s.hoehe = std::clamp(feld(0), -100000, 100000);
    s.winkel = feld(2) % 3600;
    s.gewicht = feld(4);
    const char* b = p + 5 * w;
    s.kursiv = b[0] != 0;
    s.unterstrichen = b[1] != 0;
    s.familie = static_cast<unsigned char>(b[7]);
    return s;
}

// EMF ------------------------------------------------------------------------------------------

enum : std::uint32_t {
    EMR_HEADER = 1, EMR_POLYGON = 3, EMR_POLYLINE = 4, EMR_POLYLINETO = 6, EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11, EMR_SETVIEWPORTORGEX = 12, EMR_EOF = 14,
    EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18, EMR_SETPOLYFILLMODE = 19, EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24, EMR_SETBKCOLOR = 25, EMR_MOVETOEX = 27, EMR_SAVEDC = 33, EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35, EMR_MODIFYWORLDTRANSFORM = 36, EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40, EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43, EMR_LINETO = 54, EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84, EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_POLYLINETO16 = 89,
    EMR_EXTCREATEPEN = 95,
};

bool xformLesen(const char* p, QTransform& t)
{
    double v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = liesF32(p + 4 * i);
        if (!endlich(v[i]))
            return false;
    }
    t = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
    return true;
}

// The text of EXTTEXTOUTA/W; false when the record's offsets do not fit it.
bool emfText(Spieler& sp, const Satz& s, bool breit)
{
    if (!s.hat(76))
        return false;
    const QPointF bezug(liesI32(s.p + 36), liesI32(s.p + 40));
    const std::uint32_t n = liesU32(s.p + 44);
    const std::uint32_t offText = liesU32(s.p + 48);
    const std::uint32_t optionen = liesU32(s.p + 52);
    const std::uint32_t offDx = liesU32(s.p + 72);
    const qsizetype zeichenBreite = breit ? 2 : 1;
    if (n > static_cast<std::uint32_t>(s.n) || (n > 0 && !s.hat(static_cast<qsizetype>(offText) + n * zeichenBreite)))
        return false;
    const qsizetype dxProZeichen = (optionen & 0x2000) ? 2 : 1; // ETO_PDY: x and y per character
    const bool mitDx = offDx != 0 && n > 0;
    if (mitDx && !s.hat(static_cast<qsizetype>(offDx) + static_cast<qsizetype>(n) * 4 * dxProZeichen))
        return false;
    if (optionen & 0x2) { // ETO_OPAQUE fills the rectangle first
        sp.undurchsichtig(QPointF(liesI32(s.p + 56), liesI32(s.p + 60)),
                          QPointF(liesI32(s.p + 64), liesI32(s.p + 68)));
    }
    if (n == 0)
        return true;
    const int zeigen = static_cast<int>(std::min<std::uint32_t>(n, kMaxText));
    QString text;
    if (breit) {
        text.resize(zeigen);
        for (int i = 0; i < zeigen; ++i)
            text[i] = QChar(liesU16(s.p + offText + 2 * i));
    } else {
        text = ausWindows1252(s.p + offText, zeigen);
    }
    std::vector<double> dx;
    if (mitDx) {
        dx.resize(static_cast<std::size_t>(zeigen));
        for (int i = 0; i < zeigen; ++i)
            dx[static_cast<std::size_t>(i)] = liesI32(s.p + offDx + 4 * dxProZeichen * i);
    }
    sp.text(bezug, text, std::move(dx));
    return true;
}

std::optional<BildDaten> emfLesen(const QByteArray& daten)
{
    const char* d = daten.constData();
    const qsizetype laenge = daten.size();
    if (laenge < 88 || liesU32(d) != EMR_HEADER || liesU32(d + 40) != 0x464D4520)
        return std::nullopt;
    const std::uint32_t kopf = liesU32(d + 4);
    const std::uint32_t gesamt = liesU32(d + 48);
    if (kopf < 88 || kopf % 4 || kopf > gesamt || gesamt > static_cast<std::uint64_t>(laenge))
        return std::nullopt;
    const QRect frame(QPoint(liesI32(d + 24), liesI32(d + 28)), QPoint(liesI32(d + 32), liesI32(d + 36)));
    const double gx = (static_cast<double>(frame.right()) - frame.left()) * 96.0 / 2540.0;
    const double gy = (static_cast<double>(frame.bottom()) - frame.top()) * 96.0 / 2540.0;
    if (!(gx >= 0.5 && gy >= 0.5 && gx <= kMaxPixel && gy <= kMaxPixel))
        return std::nullopt;

    Spieler sp(Spieler::Format::Emf, liesU16(d + 56));
    const std::int32_t devPx[2] = {liesI32(d + 72), liesI32(d + 76)};
    const std::int32_t devMm[2] = {liesI32(d + 80), liesI32(d + 84)};
    for (int i = 0; i < 2; ++i)
        if (devPx[i] > 0 && devMm[i] > 0)
            sp.emfPxProMm[i] = static_cast<double>(devPx[i]) / devMm[i];

    BildDaten bild;
    bild.groesse = QSize(static_cast<int>(std::lround(gx)), static_cast<int>(std::lround(gy)));
    // The frame's 0.01 mm are a few hundredths of a pixel: an edge that close to a whole pixel
    // is one, and drawing exactly one to one keeps the text as crisp as it was drawn.
    const auto kante = [](double mm100, double pxProMm) {
        const double px = mm100 * pxProMm / 100.0;
        return std::abs(px - std::round(px)) <= pxProMm / 200.0 ? std::round(px) : px;
    };
    bild.bild = QRectF(QPointF(kante(frame.left(), sp.emfPxProMm[0]), kante(frame.top(), sp.emfPxProMm[1])),
                       QPointF(kante(frame.right(), sp.emfPxProMm[0]), kante(frame.bottom(), sp.emfPxProMm[1])));
    if (!(bild.bild.width() > 0 && bild.bild.height() > 0))
        return std::nullopt;
    sp.setzeBild(bild.bild);

    qsizetype at = kopf;
    bool eof = false;
    std::vector<QPointF> pts;
    for (int saetze = 0; !eof; ++saetze) {
        if (saetze >= kMaxSaetze || at + 8 > gesamt)
            return std::nullopt;
        const std::uint32_t typ = liesU32(d + at);
        const std::uint32_t groesse = liesU32(d + at + 4);
        if (groesse < 8 || groesse % 4 || groesse > gesamt - at)
            return std::nullopt;
        const Satz s{d + at, static_cast<qsizetype>(groesse)};
        at += groesse;
        const auto braucht = [&](qsizetype n) { return s.hat(n); };
        const auto i32at = [&](int o) { return liesI32(s.p + o); };
        const auto u32at = [&](int o) { return liesU32(s.p + o); };
        const auto punktPaar = [&] { return QPointF(i32at(8), i32at(12)); };

        switch (typ) {
        case EMR_EOF: eof = true; break;
        case EMR_HEADER: return std::nullopt; // only ever the first record
        case EMR_POLYGON:
        case EMR_POLYLINE:
        case EMR_POLYLINETO:
        case EMR_POLYGON16:
        case EMR_POLYLINE16:
        case EMR_POLYLINETO16: {
            if (!braucht(28))
                return std::nullopt;
            const bool kurz = typ >= EMR_POLYGON16;
            const std::uint32_t n = u32at(24);
            const qsizetype proPunkt = kurz ? 4 : 8;
            if (n > static_cast<std::uint32_t>(groesse / proPunkt) || !braucht(28 + static_cast<qsizetype>(n) * proPunkt))
                return std::nullopt;
            const bool zu = typ == EMR_POLYGON || typ == EMR_POLYGON16;
            const bool ab = typ == EMR_POLYLINETO || typ == EMR_POLYLINETO16;
            pts.clear();
            if (ab)
                pts.push_back(sp.dc.pos);
            for (std::uint32_t i = 0; i < n; ++i) {
                const char* q = s.p + 28 + i * proPunkt;
                pts.emplace_back(kurz ? liesI16(q) : liesI32(q), kurz ? liesI16(q + 2) : liesI32(q + 4));
            }
            if (ab && n > 0)
                sp.dc.pos = pts.back();
            sp.poly(pts, zu);
            break;
        }
        case EMR_MOVETOEX:
        case EMR_LINETO:
            if (!braucht(16))
                return std::nullopt;
            if (typ == EMR_MOVETOEX)
                sp.dc.pos = punktPaar();
            else
                sp.linieNach(punktPaar());
            break;
        case EMR_RECTANGLE:
        case EMR_ELLIPSE:
            if (!braucht(24))
                return std::nullopt;
            sp.rechteck(QPointF(i32at(8), i32at(12)), QPointF(i32at(16), i32at(20)), typ == EMR_ELLIPSE);
            break;
        case EMR_EXTTEXTOUTA:
        case EMR_EXTTEXTOUTW:
            if (!emfText(sp, s, typ == EMR_EXTTEXTOUTW))
                return std::nullopt;
            break;
        case EMR_SETWINDOWEXTEX:
        case EMR_SETWINDOWORGEX:
        case EMR_SETVIEWPORTEXTEX:
        case EMR_SETVIEWPORTORGEX: {
            if (!braucht(16))
                return std::nullopt;
            const QPointF p = punktPaar();
            if (typ == EMR_SETWINDOWEXTEX)
                sp.dc.fensterExt = QSizeF(p.x(), p.y());
            else if (typ == EMR_SETWINDOWORGEX)
                sp.dc.fensterOrg = p;
            else if (typ == EMR_SETVIEWPORTEXTEX)
                sp.dc.vpExt = QSizeF(p.x(), p.y());
            else
                sp.dc.vpOrg = p;
            break;
        }
        case EMR_SETMAPMODE:
        case EMR_SETBKMODE:
        case EMR_SETPOLYFILLMODE:
        case EMR_SETTEXTALIGN:
        case EMR_SETTEXTCOLOR:
        case EMR_SETBKCOLOR:
        case EMR_SELECTOBJECT:
        case EMR_DELETEOBJECT:
        case EMR_RESTOREDC: {
            if (!braucht(12))
                return std::nullopt;
            const std::uint32_t v = u32at(8);
            switch (typ) {
            case EMR_SETMAPMODE: sp.dc.mapmodus = static_cast<int>(v); break;
            case EMR_SETBKMODE: sp.dc.bkmodus = static_cast<int>(v); break;
            case EMR_SETPOLYFILLMODE: sp.dc.regel = v == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
            case EMR_SETTEXTALIGN: sp.dc.ausrichtung = static_cast<int>(v); break;
            case EMR_SETTEXTCOLOR: sp.dc.textfarbe = ausColorref(v); break;
            case EMR_SETBKCOLOR: sp.dc.bkfarbe = ausColorref(v); break;
            case EMR_SELECTOBJECT:
                if (v & 0x80000000u) {
                    bool bekannt = false;
                    const Objekt o = stockObjekt(v & 0x7FFFFFFFu, bekannt);
                    if (bekannt)
                        sp.waehle(o);
                } else {
                    sp.waehle(v);
                }
                break;
            case EMR_DELETEOBJECT: sp.loesche(v); break;
            case EMR_RESTOREDC: sp.zurueck(static_cast<std::int32_t>(v)); break;
            default: break;
            }
            break;
        }
        case EMR_SAVEDC: sp.sichern(); break;
        case EMR_SETWORLDTRANSFORM: {
            if (!braucht(32))
                return std::nullopt;
            QTransform t;
            if (xformLesen(s.p + 8, t))
                sp.dc.welt = t;
            break;
        }
        case EMR_MODIFYWORLDTRANSFORM: {
            if (!braucht(36))
                return std::nullopt;
            QTransform t;
            if (!xformLesen(s.p + 8, t))
                break;
            switch (u32at(32)) {
            case 1: sp.dc.welt = QTransform(); break;
            case 2: sp.dc.welt = t * sp.dc.welt; break;
            case 3: sp.dc.welt = sp.dc.welt * t; break;
            case 4: sp.dc.welt = t; break;
            default: break;
            }
            break;
        }
        case EMR_CREATEPEN: {
            if (!braucht(28))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Stift;
            o.stift = {static_cast<int>(u32at(12)), static_cast<double>(i32at(16)), ausColorref(u32at(24)).rgb()};
            sp.lege(u32at(8), o);
            break;
        }
        case EMR_EXTCREATEPEN: {
            if (!braucht(52))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Stift;
            o.stift = {static_cast<int>(u32at(28)), static_cast<double>(u32at(32)), ausColorref(u32at(40)).rgb()};
            if (u32at(36) == 1) // a hollow brush draws nothing
                o.stift.stil = 5;
            sp.lege(u32at(8), o);
            break;
        }
        case EMR_CREATEBRUSHINDIRECT: {
            if (!braucht(24))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Pinsel;
            o.pinsel = {static_cast<int>(u32at(12)), ausColorref(u32at(16)).rgb(), static_cast<int>(u32at(20))};
            sp.lege(u32at(8), o);
            break;
        }
        case EMR_EXTCREATEFONTINDIRECTW: {
            if (!braucht(12 + 92))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Schrift;
            o.schrift = logFont(s.p + 12, true);
            QString name;
            for (int i = 0; i < 32; ++i) {
                const char16_t c = liesU16(s.p + 12 + 28 + 2 * i);
                if (c == 0)
                    break;
                name.append(QChar(c));
            }
            o.schrift.name = name;
            sp.lege(u32at(8), o);
            break;
        }
        default: break; // not needed to show the picture
        }
        if (sp.fehler)
            return std::nullopt;
    }
    bild.ops = std::move(sp.ops);
    return bild;
}

// WMF ------------------------------------------------------------------------------------------

std::optional<BildDaten> wmfLesen(const QByteArray& daten)
{
    const char* d = daten.constData();
    const qsizetype laenge = daten.size();
    qsizetype start = 0;
    std::optional<QRect> rahmen;
    int proZoll = 0;
    if (laenge >= 22 && liesU32(d) == 0x9AC6CDD7u) {
        std::uint16_t pruef = 0;
        for (int i = 0; i < 10; ++i)
            pruef ^= liesU16(d + 2 * i);
        if (pruef != liesU16(d + 20))
            return std::nullopt;
        rahmen = QRect(QPoint(liesI16(d + 6), liesI16(d + 8)), QPoint(liesI16(d + 10), liesI16(d + 12)));
        proZoll = liesU16(d + 14);
        if (proZoll == 0)
            return std::nullopt;
        start = 22;
    }
    if (laenge - start < 18)
        return std::nullopt;
    const char* h = d + start;
    const std::uint16_t typ = liesU16(h);
    if ((typ != 1 && typ != 2) || liesU16(h + 2) != 9)
        return std::nullopt;
    const std::uint64_t bytes = 2ull * liesU32(h + 6);
    if (bytes < 18 || bytes > static_cast<std::uint64_t>(laenge - start))
        return std::nullopt;
    const qsizetype ende = start + static_cast<qsizetype>(bytes);

    // First pass: every record fits; find the first window for a file without placeable header.
    std::optional<QPointF> ersteOrg;
    std::optional<QSizeF> ersteExt;
    struct Ref {
        qsizetype at;
        qsizetype n;
        std::uint16_t funktion;
    };
    std::vector<Ref> saetze;
    bool eof = false;
    for (qsizetype at = start + 18; !eof;) {
        if (static_cast<int>(saetze.size()) >= kMaxSaetze || at + 6 > ende)
            return std::nullopt;
        const std::uint64_t groesse = 2ull * liesU32(d + at);
        if (groesse < 6 || groesse > static_cast<std::uint64_t>(ende - at))
            return std::nullopt;
        const std::uint16_t f = liesU16(d + at + 4);
        const qsizetype n = static_cast<qsizetype>(groesse) - 6;
        if (f == 0x0000) {
            eof = true;
        } else if ((f == 0x020B || f == 0x020C) && n >= 4) {
            const double y = liesI16(d + at + 6), x = liesI16(d + at + 8);
            if (f == 0x020B && !ersteOrg)
                ersteOrg = QPointF(x, y);
            if (f == 0x020C && !ersteExt)
                ersteExt = QSizeF(x, y);
        }
        saetze.push_back({at + 6, n, f});
        at += static_cast<qsizetype>(groesse);
    }

    BildDaten bild;
    Spieler sp(Spieler::Format::Wmf, liesU16(h + 10));
    if (rahmen) {
        const QRect r = rahmen->normalized();
        bild.groesse = QSize(static_cast<int>(std::lround((r.width() - 1) * 96.0 / proZoll)),
                             static_cast<int>(std::lround((r.height() - 1) * 96.0 / proZoll)));
        sp.wmfFenster = QRectF(r.left(), r.top(), r.width() - 1, r.height() - 1);
        sp.wmfEinPixel = proZoll / 96.0;
    } else {
        if (!ersteExt)
            return std::nullopt; // no way to know the picture's extent
        const QPointF o = ersteOrg.value_or(QPointF());
        sp.wmfFenster = QRectF(o, *ersteExt).normalized();
        bild.groesse = QSize(static_cast<int>(sp.wmfFenster.width()), static_cast<int>(sp.wmfFenster.height()));
    }
    if (bild.groesse.width() <= 0 || bild.groesse.height() <= 0 || bild.groesse.width() > kMaxPixel
        || bild.groesse.height() > kMaxPixel)
        return std::nullopt;
    // Until the file says otherwise, its logical units are those of the frame.
    sp.dc.fensterOrg = sp.wmfFenster.topLeft();
    sp.dc.fensterExt = sp.wmfFenster.size();
    bild.bild = sp.wmfFenster;
    bild.einPixel = sp.wmfEinPixel;
    sp.setzeBild(bild.bild);

    std::vector<QPointF> pts;
    for (const Ref& r : saetze) {
        const Satz s{d + r.at, r.n};
        const auto w = [&](int i) { return static_cast<double>(liesI16(s.p + 2 * i)); };
        const auto uw = [&](int i) { return liesU16(s.p + 2 * i); };
        const auto braucht = [&](int worte) { return s.hat(2 * static_cast<qsizetype>(worte)); };
        const auto farbe = [&](int i) { return ausColorref(liesU32(s.p + 2 * i)); };
        switch (r.funktion) {
        case 0x020B:
        case 0x020C:
            if (!braucht(2))
                return std::nullopt;
            if (r.funktion == 0x020B)
                sp.dc.fensterOrg = QPointF(w(1), w(0));
            else
                sp.dc.fensterExt = QSizeF(w(1), w(0));
            break;
        case 0x0102: // SETBKMODE
        case 0x0106: // SETPOLYFILLMODE
        case 0x012E: // SETTEXTALIGN
        case 0x012D: // SELECTOBJECT
        case 0x01F0: // DELETEOBJECT
        case 0x0127: // RESTOREDC
            if (!braucht(1))
                return std::nullopt;
            switch (r.funktion) {
            case 0x0102: sp.dc.bkmodus = uw(0); break;
            case 0x0106: sp.dc.regel = uw(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
            case 0x012E: sp.dc.ausrichtung = uw(0); break;
            case 0x012D: sp.waehle(uw(0)); break;
            case 0x01F0: sp.loesche(uw(0)); break;
            default: sp.zurueck(static_cast<int>(w(0))); break;
            }
            break;
        case 0x001E: sp.sichern(); break;
        case 0x0209:
        case 0x0201:
            if (!braucht(2))
                return std::nullopt;
            (r.funktion == 0x0209 ? sp.dc.textfarbe : sp.dc.bkfarbe) = farbe(0);
            break;
        case 0x02FA: { // CREATEPENINDIRECT
            if (!braucht(5))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Stift;
            o.stift = {uw(0), w(1), farbe(3).rgb()};
            sp.legeFrei(o);
            break;
        }
        case 0x02FC: { // CREATEBRUSHINDIRECT
            if (!braucht(4))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Pinsel;
            o.pinsel = {uw(0), farbe(1).rgb(), uw(3)};
            sp.legeFrei(o);
            break;
        }
        case 0x02FB: { // CREATEFONTINDIRECT
            if (!braucht(9))
                return std::nullopt;
            Objekt o;
            o.art = Objekt::Schrift;
            o.schrift = logFont(s.p, false);
            const int platz = static_cast<int>(std::min<qsizetype>(32, s.n - 18));
            int n = 0;
            while (n < platz && s.p[18 + n] != 0)
                ++n;
            o.schrift.name = ausWindows1252(s.p + 18, n);
            sp.legeFrei(o);
            break;
        }
        case 0x00F7: // CREATEPALETTE
        case 0x01F9: // CREATEPATTERNBRUSH
        case 0x0142: // DIBCREATEPATTERNBRUSH
        case 0x06FF: // CREATEREGION
        {
            // Not drawn, but each takes a slot that later indices count on.
            Objekt o;
            if (r.funktion != 0x00F7 && r.funktion != 0x06FF) {
                o.art = Objekt::Pinsel;
                o.pinsel = {0, 0x808080, 0};
            }
            sp.legeFrei(o);
            break;
        }
        case 0x0324:
        case 0x0325: { // POLYGON, POLYLINE
            if (!braucht(1))
                return std::nullopt;
            const int n = liesI16(s.p);
            if (n < 0 || !braucht(1 + 2 * n))
                return std::nullopt;
            pts.clear();
            for (int i = 0; i < n; ++i)
                pts.emplace_back(w(1 + 2 * i), w(2 + 2 * i));
            sp.poly(pts, r.funktion == 0x0324);
            break;
        }
        case 0x0214:
        case 0x0213:
            if (!braucht(2))
                return std::nullopt;
            if (r.funktion == 0x0214)
                sp.dc.pos = QPointF(w(1), w(0));
            else
                sp.linieNach(QPointF(w(1), w(0)));
            break;
        case 0x041B:
        case 0x0418:
            if (!braucht(4))
                return std::nullopt;
            sp.rechteck(QPointF(w(3), w(2)), QPointF(w(1), w(0)), r.funktion == 0x0418);
            break;
        case 0x0A32: { // EXTTEXTOUT
            if (!braucht(4))
                return std::nullopt;
            const QPointF bezug(w(1), w(0));
            const int n = liesI16(s.p + 4);
            const std::uint16_t optionen = uw(3);
            qsizetype at = 8;
            if (optionen & 0x6) { // ETO_OPAQUE or ETO_CLIPPED: a rectangle follows
                if (!s.hat(16))
                    return std::nullopt;
                if (optionen & 0x2)
                    sp.undurchsichtig(QPointF(w(4), w(5)), QPointF(w(6), w(7)));
                at = 16;
            }
            if (n < 0 || !s.hat(at + n))
                return std::nullopt;
            const QString text = ausWindows1252(s.p + at, std::min(n, kMaxText));
            const qsizetype dxAt = at + n + (n % 2);
            std::vector<double> dx;
            if (n > 0 && s.hat(dxAt + 2 * static_cast<qsizetype>(n))) {
                dx.resize(static_cast<std::size_t>(text.size()));
                for (qsizetype i = 0; i < text.size(); ++i)
                    dx[static_cast<std::size_t>(i)] = liesI16(s.p + dxAt + 2 * i);
            }
            if (n > 0)
                sp.text(bezug, text, std::move(dx));
            break;
        }
        case 0x0521: { // TEXTOUT
            if (!braucht(1))
                return std::nullopt;
            const int n = liesI16(s.p);
            const qsizetype nach = 2 + n + (n % 2);
            if (n < 0 || !s.hat(nach + 4))
                return std::nullopt;
            const QPointF bezug(liesI16(s.p + nach + 2), liesI16(s.p + nach));
            if (n > 0)
                sp.text(bezug, ausWindows1252(s.p + 2, std::min(n, kMaxText)), {});
            break;
        }
        default: break;
        }
        if (sp.fehler)
            return std::nullopt;
    }
    bild.ops = std::move(sp.ops);
    return bild;
}

void zeichneText(QPainter& p, const Op& op)
{
    const QFontMetricsF fm(op.schrift);
    std::vector<double> dx = op.dx;
    if (dx.size() != static_cast<std::size_t>(op.text.size())) {
        dx.resize(static_cast<std::size_t>(op.text.size()));
        for (qsizetype i = 0; i < op.text.size(); ++i)
            dx[static_cast<std::size_t>(i)] = fm.horizontalAdvance(op.text.at(i));
    }
    double breite = 0;
    for (const double d : dx)
        breite += d;
    double x = 0, y = 0;
    switch (op.ausrichtung & 6) {
    case 2: x = -breite; break;       // TA_RIGHT
    case 6: x = -breite / 2; break;   // TA_CENTER
    default: break;
    }
    switch (op.ausrichtung & 24) {
    case 24: break;                   // TA_BASELINE
    case 8: y = -fm.descent(); break; // TA_BOTTOM
    default: y = fm.ascent(); break;  // TA_TOP
    }
    p.save();
    p.translate(op.punkte.front());
    p.rotate(-op.winkel);
    p.setFont(op.schrift);
    if (op.hintergrund)
        p.fillRect(QRectF(x, y - fm.ascent(), breite, fm.ascent() + fm.descent()), *op.hintergrund);
    p.setPen(op.farbe);
    // A file whose mapping disagrees wildly with its frame stretches or shears text far more in
    // one direction than another; Qt's glyph cache cannot render such glyphs safely (it has
    // crashed on them), so they are drawn as outlines instead. The two singular values of the
    // mapping tell how far it is from a plain rotation and scaling.
    const QTransform& geraet = p.deviceTransform();
    const double summe = geraet.m11() * geraet.m11() + geraet.m12() * geraet.m12() + geraet.m21() * geraet.m21()
                         + geraet.m22() * geraet.m22();
    const double det = geraet.m11() * geraet.m22() - geraet.m12() * geraet.m21();
    const double gross = std::sqrt((summe + std::sqrt(std::max(0.0, summe * summe - 4 * det * det))) / 2);
    const double klein = gross > 0 ? std::abs(det) / gross : 0;
    const bool alsUmriss = !(klein > 0.2 && gross < 3 * klein);
    QPainterPath umriss;
    // Each character where the file puts it; surrogate pairs stay together.
    for (qsizetype i = 0; i < op.text.size(); ++i) {
        const bool paar = op.text.at(i).isHighSurrogate() && i + 1 < op.text.size();
        const QString zeichen = op.text.mid(i, paar ? 2 : 1);
        if (alsUmriss)
            umriss.addText(QPointF(x, y), op.schrift, zeichen);
        else
            p.drawText(QPointF(x, y), zeichen);
        x += dx[static_cast<std::size_t>(i)];
        if (paar)
            x += dx[static_cast<std::size_t>(++i)];
    }
    if (alsUmriss)
        p.fillPath(umriss, op.farbe);
    p.restore();
}

} // namespace

TMetafileBild::TMetafileBild(std::unique_ptr<Daten> d) : d_(std::move(d)) {}
TMetafileBild::~TMetafileBild() = default;
TMetafileBild::TMetafileBild(TMetafileBild&&) noexcept = default;
TMetafileBild& TMetafileBild::operator=(TMetafileBild&&) noexcept = default;

std::optional<TMetafileBild> TMetafileBild::lesen(const QByteArray& daten)
{
    std::optional<BildDaten> d;
    if (daten.size() >= 44 && liesU32(daten.constData()) == EMR_HEADER && liesU32(daten.constData() + 40) == 0x464D4520)
        d = emfLesen(daten);
    else
        d = wmfLesen(daten);
    if (!d)
        return std::nullopt;
    auto daten_ = std::make_unique<Daten>();
    static_cast<BildDaten&>(*daten_) = std::move(*d);
    return TMetafileBild(std::move(daten_));
}

QSize TMetafileBild::groesse() const { return d_->groesse; }

void TMetafileBild::zeichne(QPainter& p, const QRectF& ziel) const
{
    const QRectF& b = d_->bild;
    if (ziel.isEmpty() || b.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(ziel.topLeft());
    p.scale(ziel.width() / b.width(), ziel.height() / b.height());
    p.translate(-b.topLeft());
    const double px = d_->einPixel;
    for (const Op& op : d_->ops) {
        switch (op.art) {
        case Art::Polygon:
            p.setPen(op.stift);
            p.setBrush(op.pinsel);
            p.drawPolygon(op.punkte, op.regel);
            break;
        case Art::Polylinie:
            p.setPen(op.stift);
            if (op.punkte.size() >= 2)
                p.drawPolyline(op.punkte);
            break;
        case Art::Rechteck:
        case Art::Ellipse: {
            // GDI leaves out the right and bottom edge, and with no pen one pixel more.
            const QRectF r = QRectF(op.punkte[0], op.punkte[1]).normalized().adjusted(0, 0, -px, -px);
            if (op.stift.style() == Qt::NoPen) {
                if (r.width() <= 0 || r.height() <= 0)
                    break;
                if (op.art == Art::Rechteck) {
                    p.fillRect(r, op.pinsel);
                    break;
                }
            }
            p.setPen(op.stift);
            p.setBrush(op.pinsel);
            if (op.art == Art::Rechteck)
                p.drawRect(r);
            else
                p.drawEllipse(r);
            break;
        }
        case Art::Text: zeichneText(p, op); break;
        }
    }
    p.restore();
}

} // namespace zw
