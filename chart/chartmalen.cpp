// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartlayout.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

namespace zw {
namespace {

// How the lines and texts reach the device. A metafile records every line and text as it is
// given; a raster device painted one logical pixel to one device pixel takes the shortcuts
// below, which give the same pixels as Qt's own lines and texts.
struct Malweise {
    bool raster = false;
    TChartMasse* masse = nullptr; // laid-out texts kept by the chart; none: shaped each time
};

bool ganzzahligVerschoben(const QTransform& t)
{
    return t.type() <= QTransform::TxTranslate && t.dx() == static_cast<int>(t.dx()) &&
           t.dy() == static_cast<int>(t.dy());
}

bool EinsZuEinsRaster(const QPainter& p)
{
    const QPaintEngine* engine = p.paintEngine();
    return engine != nullptr && engine->type() == QPaintEngine::Raster && p.device() != nullptr &&
           p.device()->devicePixelRatio() == 1.0 && ganzzahligVerschoben(p.combinedTransform()) &&
           ganzzahligVerschoben(p.deviceTransform()) && p.opacity() == 1.0 &&
           p.compositionMode() == QPainter::CompositionMode_SourceOver &&
           !p.testRenderHint(QPainter::Antialiasing);
}

// A solid line along the grid as the rectangle of pixels Qt's line covers: from the smaller end
// up to but not including the larger one, whichever way it runs; a 2-pixel line adds the row
// above (the column left). False for what this does not cover; Qt then draws the line.
bool AlsRechteck(QPainter& p, const TChartLinie& l)
{
    const QLine& s = l.linie;
    const bool waagerecht = s.y1() == s.y2();
    const bool senkrecht = s.x1() == s.x2();
    if (waagerecht == senkrecht || (l.breite != 1 && l.breite != 2))
        return false;
    const int von = waagerecht ? s.x1() : s.y1();
    const int bis = waagerecht ? s.x2() : s.y2();
    const int anfang = std::min(von, bis);
    const int laenge = std::max(von, bis) - anfang;
    QRect r = waagerecht ? QRect(anfang, s.y1(), laenge, 1) : QRect(s.x1(), anfang, 1, laenge);
    if (l.breite == 2)
        r.adjust(waagerecht ? 0 : -1, waagerecht ? -1 : 0, 0, 0);
    p.fillRect(r, l.farbe);
    return true;
}

void linie(QPainter& p, const TChartLinie& l, const Malweise& weise)
{
    if (weise.raster && !l.gepunktet && AlsRechteck(p, l))
        return;
    QPen stift(l.farbe, l.breite, l.gepunktet ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
               Qt::MiterJoin);
    p.setPen(stift);
    p.drawLine(l.linie);
}

// The painter's font and pen draw the text with its baseline starting at `grundlinie`;
// `oberlaenge` is the font's ascent on the painter's device.
void text(QPainter& p, const QPoint& grundlinie, const QString& s, TTextBilder* bilder,
          int oberlaenge)
{
    if (bilder == nullptr) {
        p.drawText(grundlinie, s);
        return;
    }
    p.drawStaticText(grundlinie - QPoint(0, oberlaenge), bilder->text(p.font(), s));
}

void achse(QPainter& p, const TChartAchse& a, const QFont& schrift, const QColor& textFarbe,
           const Malweise& weise)
{
    for (const TChartLinie& g : a.gitter)
        linie(p, g, weise);
    for (const TChartLinie& s : a.striche)
        linie(p, s, weise);
    p.setFont(schrift);
    p.setPen(QPen(textFarbe));
    TTextBilder* bilder = weise.masse != nullptr ? &weise.masse->achsenTexte : nullptr;
    const int oberlaenge = bilder != nullptr ? p.fontMetrics().ascent() : 0;
    for (const TChartBeschriftung& b : a.beschriftungen)
        text(p, b.text.position, b.text.text, bilder, oberlaenge);
    if (a.titelGedreht) {
        p.save();
        p.translate(a.titel.position);
        p.rotate(-90);
        p.drawText(QPoint(0, 0), a.titel.text);
        p.restore();
    } else {
        text(p, a.titel.position, a.titel.text, bilder, oberlaenge);
    }
}

} // namespace

void MaleChart(QPainter& p, const TChartLayout& l, TChartMasse* masse)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setBrush(Qt::NoBrush);
    Malweise weise;
    weise.raster = EinsZuEinsRaster(p);
    weise.masse = weise.raster ? masse : nullptr;

    // With a clip of its own the raster engine writes the pixels of a line straight to the
    // image instead of through its span functions; the chart draws nothing outside itself.
    if (weise.raster)
        p.setClipRect(QRect(QPoint(0, 0), l.groesse), Qt::IntersectClip);
    p.fillRect(QRect(QPoint(0, 0), l.groesse), l.hintergrund);

    for (const TChartLinie& w : l.waende)
        linie(p, w, weise);

    // On a raster image the chart draws with the fonts it measures with: the same faces under
    // installed names. Other devices record the names as asked.
    QFont achsenSchrift = l.achsenSchrift;
    QFont markenSchrift = l.markenSchrift;
    if (weise.masse != nullptr) {
        weise.masse->achsen.setzeSchrift(l.achsenSchrift);
        weise.masse->marken.setzeSchrift(l.markenSchrift);
        achsenSchrift = weise.masse->achsen.installiert();
        markenSchrift = weise.masse->marken.installiert();
    }
    achse(p, l.links, achsenSchrift, l.textFarbe, weise);
    achse(p, l.unten, achsenSchrift, l.textFarbe, weise);
    linie(p, l.links.linie, weise);
    linie(p, l.unten.linie, weise);

    QPen rand(Qt::black, 1);
    rand.setCosmetic(true);
    for (const TChartFlaeche& f : l.flaechen) {
        rand.setColor(f.rand);
        p.setPen(rand);
        p.setBrush(f.fuellung);
        p.drawPolygon(f.ecken);
    }
    p.setBrush(Qt::NoBrush);

    const QColor kastenFarbe(255, 255, 128);
    p.setFont(markenSchrift);
    TTextBilder* bilder = weise.masse != nullptr ? &weise.masse->markenTexte : nullptr;
    const int oberlaenge = bilder != nullptr ? p.fontMetrics().ascent() : 0;
    for (const TChartMarke& m : l.marken) {
        // The arrow's pen has square caps: it covers both of its ends.
        if (weise.raster && m.pfeil.x1() == m.pfeil.x2()) {
            p.fillRect(QRect(QPoint(m.pfeil.x1(), std::min(m.pfeil.y1(), m.pfeil.y2())),
                             QPoint(m.pfeil.x1(), std::max(m.pfeil.y1(), m.pfeil.y2()))),
                       Qt::white);
        } else {
            p.setPen(QPen(Qt::white, 1));
            p.drawLine(m.pfeil);
        }
        p.fillRect(m.kasten, kastenFarbe);
        p.setPen(QPen(Qt::black, 1));
        if (weise.raster) {
            // The frame is the outermost ring of the box's pixels.
            const QRect& k = m.kasten;
            p.fillRect(QRect(k.left(), k.top(), k.width(), 1), Qt::black);
            p.fillRect(QRect(k.left(), k.bottom(), k.width(), 1), Qt::black);
            p.fillRect(QRect(k.left(), k.top(), 1, k.height()), Qt::black);
            p.fillRect(QRect(k.right(), k.top(), 1, k.height()), Qt::black);
        } else {
            // An outline rectangle covers one pixel more than its size each way.
            p.drawRect(m.kasten.adjusted(0, 0, -1, -1));
        }
        text(p, m.text.position, m.text.text, bilder, oberlaenge);
    }
    p.restore();
}

} // namespace zw
