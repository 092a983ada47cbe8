// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartlayout.h"

#include <QPainter>

namespace zw {
namespace {

void linie(QPainter& p, const TChartLinie& l)
{
    QPen stift(l.farbe, l.breite, l.gepunktet ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
               Qt::MiterJoin);
    p.setPen(stift);
    p.drawLine(l.linie);
}

void achse(QPainter& p, const TChartAchse& a, const QFont& schrift, const QColor& textFarbe)
{
    for (const TChartLinie& g : a.gitter)
        linie(p, g);
    for (const TChartLinie& s : a.striche)
        linie(p, s);
    p.setFont(schrift);
    p.setPen(QPen(textFarbe));
    for (const TChartBeschriftung& b : a.beschriftungen)
        p.drawText(b.text.position, b.text.text);
    if (a.titelGedreht) {
        p.save();
        p.translate(a.titel.position);
        p.rotate(-90);
        p.drawText(QPoint(0, 0), a.titel.text);
        p.restore();
    } else {
        p.drawText(a.titel.position, a.titel.text);
    }
}

} // namespace

void MaleChart(QPainter& p, const TChartLayout& l)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setBrush(Qt::NoBrush);

    p.fillRect(QRect(QPoint(0, 0), l.groesse), l.hintergrund);

    for (const TChartLinie& w : l.waende)
        linie(p, w);

    achse(p, l.links, l.achsenSchrift, l.textFarbe);
    achse(p, l.unten, l.achsenSchrift, l.textFarbe);
    linie(p, l.links.linie);
    linie(p, l.unten.linie);

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
    p.setFont(l.markenSchrift);
    for (const TChartMarke& m : l.marken) {
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(m.pfeil);
        p.fillRect(m.kasten, kastenFarbe);
        p.setPen(QPen(Qt::black, 1));
        // An outline rectangle covers one pixel more than its size each way.
        p.drawRect(m.kasten.adjusted(0, 0, -1, -1));
        p.drawText(m.text.position, m.text.text);
    }
    p.restore();
}

} // namespace zw
