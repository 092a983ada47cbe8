// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Painting onto a raster image takes shortcuts (lines along the grid as rectangles, texts laid
// out once, a clip of the chart's own); they must give exactly Qt's pixels. The reference is
// the same chart recorded as a picture and played back: a recording draws every line and text
// the ordinary way.
#include "chart/chartlayout.h"
#include "schrift/schriften.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QtTest>

#include <cmath>

using namespace zw;

namespace {

struct Fall {
    std::vector<std::pair<double, double>> xy;
    QSize groesse{505, 137};
    QColor hintergrund{240, 240, 240};
    bool dunkel = false;
};

TChartLayout layoutFuer(const Fall& f, TChartMasse* masse)
{
    std::vector<TChartPunkt> punkte;
    punkte.reserve(f.xy.size());
    int i = 0;
    for (auto [x, y] : f.xy)
        punkte.push_back({x, y, QColor::fromHsv((i++ * 47) % 360, 200, 230)});
    TChartEingabe e;
    e.groesse = f.groesse;
    e.hintergrund = f.hintergrund;
    if (f.dunkel) {
        e.linienFarbe = QColor(240, 240, 240);
        e.textFarbe = QColor(240, 240, 240);
        e.gitterFarbe = QColor(153, 153, 153);
    }
    e.achsenSchrift = Arial();
    e.markenSchrift = SmallFonts();
    e.trennzeichen = {",", "."};
    e.masse = masse;
    return BerechneChartLayout(punkte, e);
}

QImage Direkt(const TChartLayout& l, TChartMasse* masse)
{
    QImage bild(l.groesse, QImage::Format_RGB32);
    bild.fill(Qt::magenta); // the chart must cover it all
    QPainter p(&bild);
    MaleChart(p, l, masse);
    return bild;
}

QImage Abgespielt(const TChartLayout& l)
{
    QPicture aufnahme;
    {
        QPainter p(&aufnahme);
        MaleChart(p, l);
    }
    QImage bild(l.groesse, QImage::Format_RGB32);
    bild.fill(Qt::magenta);
    QPainter p(&bild);
    aufnahme.play(&p);
    return bild;
}

} // namespace

Q_DECLARE_METATYPE(Fall)

class TstChartMalen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wieQt_data()
    {
        QTest::addColumn<Fall>("fall");
        QTest::newRow("a litre of beer") << Fall{{{0, 0}, {2, 0.384931506849315}, {4.566, 0}}};
        QTest::newRow("no points") << Fall{{}};
        QTest::newRow("flat") << Fall{{{0, 0}, {1, 0}, {2, 0}}};
        QTest::newRow("one point") << Fall{{{1, 0.5}}};
        QTest::newRow("steep and shallow")
            << Fall{{{0, 0}, {0.1, 2.5}, {0.5, 2.4}, {1, 3.1}, {5, 0.2}, {9, 0}}};
        QTest::newRow("negative") << Fall{{{-3, -1}, {0, 0.5}, {2, -0.25}}};
        QTest::newRow("huge") << Fall{{{0, 0}, {1e6, 4.3e12}, {2e6, 0}}};
        QTest::newRow("small window") << Fall{{{0, 0}, {2, 0.4}, {4, 0}}, QSize(150, 70)};
        QTest::newRow("dark") << Fall{
            {{0, 0}, {2, 0.384931506849315}, {4.566, 0}}, {505, 137}, QColor(50, 50, 50), true};
    }
    void wieQt()
    {
        QFETCH(Fall, fall);
        TChartMasse masse;
        const TChartLayout l = layoutFuer(fall, &masse);
        const QImage erwartet = Abgespielt(l);
        // A recording plays the upright title back with other antialiasing; the shortcuts
        // leave it to Qt on both ways, so its box is not compared.
        const QFontMetrics mass(l.achsenSchrift);
        const QPoint t = l.links.titel.position;
        const QRect titel(t.x() - mass.ascent() - 1,
                          t.y() - mass.horizontalAdvance(l.links.titel.text) - 1, mass.height() + 2,
                          mass.horizontalAdvance(l.links.titel.text) + 2);
        // The second paint draws the texts the first one laid out.
        for (int mal = 1; mal <= 2; ++mal) {
            const QImage bild = Direkt(l, &masse);
            for (int y = 0; y < bild.height(); ++y) {
                for (int x = 0; x < bild.width(); ++x) {
                    if (bild.pixel(x, y) == erwartet.pixel(x, y) || titel.contains(x, y))
                        continue;
                    QFAIL(qPrintable(
                        QStringLiteral("paint %1: first difference at %2,%3: "
                                       "%4 instead of %5")
                            .arg(mal)
                            .arg(x)
                            .arg(y)
                            .arg(bild.pixelColor(x, y).name(), erwartet.pixelColor(x, y).name())));
                }
            }
        }
    }
};

QTEST_MAIN(TstChartMalen)
#include "tst_chartmalen.moc"
