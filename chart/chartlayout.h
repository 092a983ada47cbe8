// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's geometry as plain data, and the one routine that draws it.
//
// Laying out (ranges, steps, label texts, every line, polygon and box) is kept apart from
// painting so that the screen, bitmaps and metafiles all get the same drawing, and so the
// geometry can be checked without looking at pixels. All coordinates are logical pixels on the
// integer grid; the painter only ever sees simple primitives a metafile can record one to one.
#pragma once

#include "chart/textmass.h"
#include "report/zahltext.h"

#include <QColor>
#include <QFont>
#include <QLine>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace zw {

// One point of the chart's series, in the series' own units (hours, per mille).
struct TChartPunkt {
    double X = 0;
    double Y = 0;
    QColor Farbe; // of the segment that ends at this point
};

// A straight line; width 1 or 2, solid or dotted. Like a metafile's line-to, it covers the
// pixels from `linie.p1()` up to but not including `linie.p2()`; a 2-pixel line adds the row
// above (or the column left of) the 1-pixel one.
struct TChartLinie {
    QLine linie;
    QColor farbe;
    int breite = 1;
    bool gepunktet = false;
};

// A text drawn with its baseline starting at `position`.
struct TChartText {
    QString text;
    QPoint position;
};

struct TChartBeschriftung {
    double wert = 0;
    int pixel = 0; // position along the axis: y for the left axis, x for the bottom axis
    TChartText text;
};

struct TChartAchse {
    double minimum = 0;
    double maximum = 0;
    double schritt = 0;                             // 0 when no labels are drawn
    int laenge = 0;                                 // pixels the range is spread over
    int passend = 0;                                // number of labels that fit
    std::vector<TChartBeschriftung> beschriftungen; // left: strictly inside; bottom: ends too
    std::vector<TChartLinie> striche;               // major and minor ticks
    std::vector<TChartLinie> gitter;                // dotted grid lines on the walls
    TChartLinie linie;                              // the axis line itself
    TChartText titel;
    bool titelGedreht = false; // true: the text runs upwards, `position` is its baseline start
};

struct TChartFlaeche {
    QPolygon ecken;
    QColor fuellung;
    QColor rand = Qt::black;
};

struct TChartMarke {
    QRect kasten; // covers every pixel of the box, frame included
    TChartText text;
    QLine pfeil; // from just below the box down to the point
};

struct TChartLayout {
    QSize groesse;
    QColor hintergrund;
    QColor textFarbe; // axis labels and titles
    QFont achsenSchrift;
    QFont markenSchrift;
    QRect plot; // the front face of the plot: left/top/right/bottom are the axis coordinates
    int tiefe = 0;
    std::vector<TChartLinie> waende;
    TChartAchse links;
    TChartAchse unten;
    std::vector<TChartFlaeche> flaechen; // in drawing order: per segment front, then top face
    std::vector<TChartMarke> marken;
};

struct TChartEingabe {
    QSize groesse;
    QColor hintergrund;
    // What is drawn straight onto the background: walls and axis lines, labels and titles,
    // grid and ticks. The marks and the area bring their own colours.
    QColor linienFarbe = Qt::black;
    QColor textFarbe = Qt::black;
    QColor gitterFarbe = QColor(128, 128, 128);
    QFont achsenSchrift; // titles and labels
    QFont markenSchrift; // value marks
    TTrennzeichen trennzeichen;
    // Widths measured by earlier layouts of the same chart; none: measured afresh.
    TChartMasse* masse = nullptr;
};

// The whole geometry for these points. Points with a non-finite coordinate are left out.
TChartLayout BerechneChartLayout(const std::vector<TChartPunkt>& alle, const TChartEingabe& e);

// Draws the layout, background included, with the painter's origin at the chart's top left.
// `masse`, the chart's own, keeps texts laid out for the next paint.
void MaleChart(QPainter& p, const TChartLayout& l, TChartMasse* masse = nullptr);

// The label step for a range: the first of 1, 2, 5, 10, ... (from 1e-12 for ranges under 1)
// whose rounded number of steps is at most `passend`. 0 when there is no sensible step.
double AchsenSchritt(double spanne, int passend);

} // namespace zw
