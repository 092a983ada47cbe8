// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What the EMF and WMF readers share: a model of a GDI device context that plays the records
// and collects what they draw as a list of shapes in picture coordinates, and the drawing of
// that list. Every limit on the work a file can cause lives here.
#pragma once

#include "metafile/gdikonstanten.h"

#include <QBrush>
#include <QColor>
#include <QDeadlineTimer>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <queue>
#include <vector>

class QPainter;

namespace zw::leser {

// Bounds on what one file may make us do; far above any honest picture. Parsing stays cheap
// under them; what drawing costs is bounded by the work units below and by a deadline.
constexpr int MaxSaetze = 1'000'000;
constexpr int MaxFormen = 250'000;
constexpr qsizetype MaxPunkte = 2'000'000;
constexpr int MaxText = 8192;
constexpr qsizetype MaxTextGesamt = 50'000;
constexpr int MaxDcStapel = 256;
constexpr int MaxPixel = 32767;
constexpr int MaxClips = 4096;
constexpr int MaxClipElemente = 16384;
constexpr int MaxStrichmuster = 16;
// One unit is roughly one point to transform and draw; a wide or patterned pen costs in
// proportion to how much it covers. Past the budget the rest of the file is not drawn.
constexpr double MaxAufwand = 4'000'000;

enum class TArt { Polygon, Polylinie, Rechteck, Ellipse, Text, Pfad };

// One thing to draw, already in picture coordinates with everything it needs.
struct TFigur {
    TArt art = TArt::Polygon;
    QPolygonF punkte;  // Rechteck/Ellipse: two corners, GDI's right and bottom exclusive
    QPainterPath pfad; // Pfad
    QPen stift = QPen(Qt::NoPen);
    QBrush pinsel;
    Qt::FillRule regel = Qt::OddEvenFill;
    int clip = 0; // index into BildDaten::clips + 1; 0: unclipped
    // Text
    QString text;
    QFont schrift;
    std::vector<double> dx;
    double winkel = 0; // degrees, counter-clockwise
    int ausrichtung = 0;
    QColor farbe;
    std::optional<QColor> hintergrund;
};

struct TLogStift {
    int stil = 0;
    double breite = 0; // logical units
    QRgb farbe = 0;
    std::vector<double> muster; // PS_USERSTYLE: dash and gap lengths in logical units
};
struct TLogPinsel {
    int stil = 0;
    QRgb farbe = 0xFFFFFF;
    int schraffur = 0;
};
struct TLogSchrift {
    QString name;
    int hoehe = 0;
    int winkel = 0;
    int gewicht = 400;
    bool kursiv = false;
    bool unterstrichen = false;
    int familie = 0;
};

struct TObjekt {
    enum { Stift, Pinsel, Schrift, Anderes } art = Anderes;
    TLogStift stift;
    TLogPinsel pinsel;
    TLogSchrift schrift;
};

QColor AusColorref(std::uint32_t c);
bool Endlich(double v);
// A stock object by number; nullopt for numbers that name none this reader draws with.
std::optional<TObjekt> StockObjekt(std::uint32_t n);
// LOGFONT: five 32-bit (EMF) or 16-bit (WMF) fields and eight bytes; the face name is the
// caller's.
TLogSchrift LogFont(const char* p, bool breit);

struct TGeraetekontext {
    TLogStift stift{0, 0, 0, {}};
    TLogPinsel pinsel{0, 0xFFFFFF, 0};
    TLogSchrift schrift{QStringLiteral("System"), -16, 0, 700, false, false, 0x20};
    QColor textfarbe = Qt::black;
    QColor bkfarbe = Qt::white;
    int bkmodus = gdi::OPAQUE;
    int ausrichtung = 0;
    Qt::FillRule regel = Qt::OddEvenFill;
    QPointF pos;
    int mapmodus = gdi::MM_TEXT;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    QTransform welt;
    int clip = 0;
};

struct TBildDaten {
    QSize groesse;
    QRectF bild;         // the picture's rectangle in the coordinates of the ops
    double einPixel = 1; // one device pixel in those coordinates
    std::vector<TFigur> ops;
    std::vector<QPainterPath> clips;
};

// A record's parameter bytes, with reads that fail instead of overrunning.
struct TSatz {
    const char* p;
    qsizetype n;
    bool hat(qsizetype bis) const { return bis >= 0 && bis <= n; }
};

// The object table. WMF puts each new object into the lowest free slot, which a heap of freed
// slots finds without searching the table: a file may declare 65535 slots and fill them all.
class TObjektTabelle {
public:
    explicit TObjektTabelle(std::size_t plaetze) : plaetze_(plaetze) {}
    const TObjekt* holen(std::uint32_t i) const;
    void lege(std::uint32_t i, TObjekt o);
    // Without a free slot the object is lost, as GDI loses it.
    void legeFrei(TObjekt o);
    void loesche(std::uint32_t i);

private:
    std::vector<std::optional<TObjekt>> plaetze_;
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> frei_;
    std::uint32_t unbenutzt_ = 0; // no slot from here on has been used
};

// Plays the records on a model of a GDI device context and collects what they draw.
class TSpieler {
public:
    enum class Format { Emf, Wmf };

    TSpieler(Format f, int objekte) : tabelle(static_cast<std::size_t>(objekte)), format_(f) {}

    TGeraetekontext dc;
    double emfPxProMm[2] = {96 / 25.4, 96 / 25.4};
    // WMF: the rectangle (in logical units) that the picture frame shows.
    QRectF wmfFenster;
    double wmfEinPixel = 1;
    TObjektTabelle tabelle;
    bool fehler = false;

    QTransform abbildung() const;
    void setzeBild(const QRectF& bild) { bild_ = bild; }
    double einPixel() const { return format_ == Format::Wmf ? wmfEinPixel : 1.0; }

    void waehle(const TObjekt& o);
    void waehle(std::uint32_t i);
    void sichern();
    void zurueck(int n);

    // Drawing, in logical coordinates. Inside a path bracket the outlines go into the path.
    void rechteck(QPointF a, QPointF b, bool ellipse);
    void poly(const std::vector<QPointF>& p, bool geschlossen);
    // Several closed polygons filled as one shape (counts add up to p's size).
    void polyPolygon(const std::vector<QPointF>& p, const std::vector<int>& anzahlen);
    // Cubic curves: p holds the start point, then three points per curve.
    void bezier(const std::vector<QPointF>& p);
    void linieNach(QPointF ziel);
    void bewegeNach(QPointF ziel);
    void text(QPointF bezug, QString s, std::vector<double> dx);
    void undurchsichtig(QPointF a, QPointF b);

    // Paths.
    void pfadBeginnen();
    void pfadBeenden() { imPfad_ = false; }
    void pfadVerwerfen();
    void figurSchliessen();
    void pfadZeichnen(bool fuellen, bool umranden);
    void pfadAlsClip(int modus);

    // Clipping; rectangles in logical coordinates, regions in picture coordinates.
    void clipRechteck(QPointF a, QPointF b, bool ausschliessen);
    void clipRegion(const std::vector<QRectF>& rechtecke, int modus);
    void clipAufheben() { dc.clip = 0; }

    TBildDaten bildDaten(TBildDaten kopf);

private:
    bool linienEnde(TFigur& op) const;
    double bildMass() const;
    QPointF punkt(QPointF p) const;
    QPen stift(const QTransform& t) const;
    void fuellung(TFigur& op, const QTransform& t) const;
    QFont schrift(const QTransform& t) const;
    // Adds op unless what it costs to draw is more than is left of the budget.
    void hinzu(TFigur op);
    // The clip after intersecting or subtracting, or nullopt when that would cost too much.
    std::optional<QPainterPath> verknuepft(const QPainterPath& a, const QPainterPath& b,
                                           bool abziehen);
    void setzeClip(std::optional<QPainterPath> neu);

    Format format_;
    std::vector<TGeraetekontext> stapel_;
    QRectF bild_{0, 0, 1, 1};
    std::vector<TFigur> ops_;
    std::vector<QPainterPath> clips_;
    qsizetype punkteGesamt_ = 0;
    qsizetype textGesamt_ = 0;
    double aufwand_ = 0;
    bool imPfad_ = false;
    QPainterPath pfad_; // picture coordinates
};

// Draws the ops of b scaled into ziel; stops when frist expires. False when it stopped early.
bool zeichne(const TBildDaten& b, QPainter& p, const QRectF& ziel, QDeadlineTimer frist);

} // namespace zw::leser
