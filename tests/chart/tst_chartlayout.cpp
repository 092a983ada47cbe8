// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry of the chart without pixels: steps, label texts and places, marks.
#include "chart/chartlayout.h"
#include "chart/tchart.h"
#include "chart/textmass.h"
#include "schrift/schriften.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace zw;

namespace {

using Punkte = std::vector<std::pair<double, double>>;

const TTrennzeichen kDeutsch{",", "."};
const TTrennzeichen kEnglisch{".", ","};

TChartLayout layoutFuer(const Punkte& xy, const TTrennzeichen& t = kDeutsch,
                        QSize groesse = {505, 137})
{
    std::vector<TChartPunkt> punkte;
    for (auto [x, y] : xy)
        punkte.push_back({x, y, QColor(255, 215, 0)});
    TChartEingabe e;
    e.groesse = groesse;
    e.hintergrund = QColor(240, 240, 240);
    e.achsenSchrift = Arial();
    e.markenSchrift = SmallFonts();
    e.trennzeichen = t;
    return BerechneChartLayout(punkte, e);
}

// The texts of an axis's labels or of the marks.
template <typename Liste>
QStringList texte(const Liste& liste)
{
    QStringList s;
    for (const auto& b : liste)
        s << b.text.text;
    return s;
}

const double kNan = std::numeric_limits<double>::quiet_NaN();

QStringList L(std::initializer_list<const char*> texte)
{
    QStringList s;
    for (const char* t : texte)
        s << QString::fromUtf8(t);
    return s;
}

} // namespace

class TstChartLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void schritt_data()
    {
        QTest::addColumn<double>("spanne");
        QTest::addColumn<int>("passend");
        QTest::addColumn<double>("schritt");
        QTest::newRow("beer peak, six fit") << 0.384931506849315 << 6 << 0.1;
        QTest::newRow("beer peak, eight fit") << 0.384931506849315 << 8 << 0.05;
        QTest::newRow("hours, plenty of room") << 4.5662100456621 << 30 << 1.0;
        QTest::newRow("range of 1 starts at 1") << 1.0 << 1 << 1.0;
        QTest::newRow("large range") << 12345.0 << 5 << 5000.0;
        QTest::newRow("hundred in six") << 100.0 << 6 << 20.0;
        QTest::newRow("tiny range") << 1e-9 << 5 << 2e-10;
        QTest::newRow("millionths") << 3.3e-6 << 4 << 1e-6;
        QTest::newRow("largest exact power") << 4e22 << 4 << 1e22;
        QTest::newRow("beyond the exact powers") << 9e45 << 2 << 5e45;
        QTest::newRow("near the largest double") << 1e300 << 1 << 1e300;
        QTest::newRow("flat range") << 0.0 << 6 << 1e-12;
        QTest::newRow("nothing fits") << 1.0 << 0 << 5.0;
        QTest::newRow("infinite range") << std::numeric_limits<double>::infinity() << 6 << 0.0;
        QTest::newRow("nan range") << kNan << 6 << 0.0;
    }
    void schritt()
    {
        QFETCH(double, spanne);
        QFETCH(int, passend);
        QFETCH(double, schritt);
        const double ist = AchsenSchritt(spanne, passend);
        if (schritt == 0)
            QCOMPARE(ist, 0.0);
        else
            QVERIFY2(std::abs(ist - schritt) <= schritt * 1e-12, qPrintable(QString::number(ist)));
    }

    void beschriftung_data()
    {
        QTest::addColumn<Punkte>("punkte");
        QTest::addColumn<bool>("deutsch");
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<QStringList>("unten");
        QTest::addColumn<QStringList>("marken");
        QTest::newRow("nothing drunk") << Punkte{{0, 0}, {2, 0}, {2, 0}} << true << L({"0"})
                                       << L({"2", "1", "0"}) << L({"0", "0", "0"});
        QTest::newRow("one litre of beer")
            << Punkte{{0, 0}, {2, 0.384931506849315}, {4.5662100456621, 0}} << true
            << L({"0,3", "0,2", "0,1"}) << L({"4", "3", "2", "1", "0"}) << L({"0", "0,385", "0"});
        QTest::newRow("peak on a step loses its label")
            << Punkte{{0, 0}, {1, 0.4}, {6, 0}} << true << L({"0,3", "0,2", "0,1"})
            << L({"6", "5", "4", "3", "2", "1", "0"}) << L({"0", "0,4", "0"});
        QTest::newRow("thousands, German")
            << Punkte{{0, 0}, {2, 1600.5}, {3, 0}} << true << L({"1.500", "1.000", "500"})
            << L({"3", "2", "1", "0"}) << L({"0", "1.600,5", "0"});
        QTest::newRow("thousands, English")
            << Punkte{{0, 0}, {2, 1600.5}, {3, 0}} << false << L({"1,500", "1,000", "500"})
            << L({"3", "2", "1", "0"}) << L({"0", "1,600.5", "0"});
        QTest::newRow("empty series")
            << Punkte{} << true << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("a point without a value is left out")
            << Punkte{{0, 0}, {1, kNan}, {2, 0.5}} << true << L({"0,4", "0,3", "0,2", "0,1"})
            << L({"2", "1", "0"}) << L({"0", "0,5"});
        QTest::newRow("range beyond double draws no labels")
            << Punkte{{0, -1e308}, {1, 1e308}} << true << QStringList{} << L({"1", "0"})
            << L({"-1,00000000000000001E308", "1,00000000000000001E308"});
    }
    void beschriftung()
    {
        QFETCH(Punkte, punkte);
        QFETCH(bool, deutsch);
        QFETCH(QStringList, links);
        QFETCH(QStringList, unten);
        QFETCH(QStringList, marken);
        const TChartLayout l = layoutFuer(punkte, deutsch ? kDeutsch : kEnglisch);
        QCOMPARE(texte(l.links.beschriftungen), links);
        QCOMPARE(texte(l.unten.beschriftungen), unten);
        QCOMPARE(texte(l.marken), marken);
        // The left axis draws only labels strictly inside it, the bottom axis its ends too; each
        // with a tick and a grid line.
        for (const auto& b : l.links.beschriftungen) {
            if (l.links.minimum != l.links.maximum)
                QVERIFY(b.pixel > l.plot.top() && b.pixel < l.plot.bottom());
        }
        for (const auto& b : l.unten.beschriftungen)
            QVERIFY(b.pixel >= l.plot.left() && b.pixel <= l.plot.left() + l.unten.laenge);
        // Major ticks and grid lines at the labels, three minor ticks between neighbouring labels
        // and none beyond the outermost ones.
        for (const TChartAchse* a : {&l.links, &l.unten}) {
            const bool links = a == &l.links;
            std::vector<int> gross, klein, orte;
            for (const TChartLinie& s : a->striche) {
                const int laenge = links ? s.linie.dx() : s.linie.dy();
                (laenge == 4 ? gross : klein).push_back(links ? s.linie.y1() : s.linie.x1());
            }
            for (const auto& b : a->beschriftungen)
                orte.push_back(b.pixel);
            QCOMPARE(gross, orte);
            QCOMPARE(a->gitter.size(), 2 * orte.size());
            QCOMPARE(klein.size(), orte.empty() ? size_t(0) : 3 * (orte.size() - 1));
            for (int k : klein) {
                const auto [erster, letzter] = std::minmax_element(orte.begin(), orte.end());
                QVERIFY(k > *erster && k < *letzter);
            }
        }
    }

    // Awkward data still gives a finite layout with every label inside its axis.
    void extremeWerte_data()
    {
        QTest::addColumn<Punkte>("punkte");
        QTest::newRow("one unit of rounding at 1e20") << Punkte{{0, 1e20}, {1, 1e20 + 16384}};
        QTest::newRow("negative values") << Punkte{{-3, -0.5}, {-1, -2.25}, {4, 0.75}};
        QTest::newRow("denormal range") << Punkte{{0, 0}, {1e-310, 4e-310}};
        QTest::newRow("all infinite") << Punkte{{qInf(), 1}, {0, -qInf()}};
    }
    void extremeWerte()
    {
        QFETCH(Punkte, punkte);
        const TChartLayout l = layoutFuer(punkte);
        for (const TChartAchse* a : {&l.links, &l.unten}) {
            QVERIFY(a->beschriftungen.size() < 100);
            for (const auto& b : a->beschriftungen)
                QVERIFY(b.wert >= a->minimum && b.wert <= a->maximum);
            for (const auto& s : a->striche)
                QVERIFY(l.plot.adjusted(-20, -20, 20, 20).contains(s.linie.p1()));
        }
    }

    // The frame of the standard 505 x 137 chart.
    void rahmen()
    {
        const TChartLayout l = layoutFuer({{0, 0}, {2, 0.384931506849315}, {4.5662100456621, 0}});
        QCOMPARE(l.tiefe, 5);
        // Top: the 14-pixel margin and the depth; right: 25 pixels of margin and the depth;
        // left: room for the widest label "0,3" and the axis title.
        QCOMPARE(l.plot, QRect(QPoint(60, 19), QPoint(474, 105)));
        // The hours take 95 % of the 414 pixels between the plot's left and right edges.
        QCOMPARE(l.unten.laenge, 393);
        // First point at the left end, last at 95 % of the width.
        QCOMPARE(l.marken.front().pfeil.x1(), l.plot.left());
        QCOMPARE(l.marken.back().pfeil.x1(), l.plot.left() + l.unten.laenge);
        QCOMPARE(l.marken[1].pfeil.y2(), l.plot.top());
        QCOMPARE(l.waende.size(), size_t(9));
        // Two fronts, two top faces and the end face.
        QCOMPARE(l.flaechen.size(), size_t(5));
    }

    void marken_data()
    {
        QTest::addColumn<Punkte>("punkte");
        QTest::newRow("beer") << Punkte{{0, 0}, {2, 0.384931506849315}, {4.5662100456621, 0}};
        QTest::newRow("nothing drunk") << Punkte{{0, 0}, {2, 0}, {2, 0}};
        QTest::newRow("wide text") << Punkte{{0, 0}, {1, 1234.567}};
    }
    // What the eye checks: each box holds its text with room on both sides, sits centred above
    // its point, and its arrow runs straight down from just below the box to the area's corner.
    void marken()
    {
        QFETCH(Punkte, punkte);
        const TChartLayout l = layoutFuer(punkte);
        const QFontMetrics mass(SmallFonts());
        QCOMPARE(l.marken.size(), punkte.size());
        for (const TChartMarke& m : l.marken) {
            const QRect text(m.text.position.x(), m.text.position.y() - mass.ascent(),
                             mass.horizontalAdvance(m.text.text), mass.height());
            QVERIFY(m.kasten.adjusted(1, 0, -1, 0).contains(text));
            QVERIFY(qAbs(m.kasten.center().x() - m.pfeil.x1()) <= 1);
            QCOMPARE(m.pfeil.x1(), m.pfeil.x2());
            QCOMPARE(m.pfeil.y1(), m.kasten.bottom() + 1);
            QVERIFY(m.pfeil.y2() > m.pfeil.y1());
            const bool aufEcke =
                std::any_of(l.flaechen.begin(), l.flaechen.end(),
                            [&](const TChartFlaeche& f) { return f.ecken.contains(m.pfeil.p2()); });
            QVERIFY(aufEcke);
        }
    }

    void flacherBereichInDerMitte()
    {
        const TChartLayout l = layoutFuer({{0, 0}, {2, 0}, {2, 0}});
        const int mitte = l.plot.bottom() - qRound(0.5 * l.links.laenge);
        QCOMPARE(l.links.beschriftungen.size(), size_t(1));
        QCOMPARE(l.links.beschriftungen[0].pixel, mitte);
        // The bottom axis reads 0 at its left end and 2 at 95 % of the plot width.
        QCOMPARE(l.unten.beschriftungen.front().pixel, l.plot.left() + l.unten.laenge);
        QCOMPARE(l.unten.beschriftungen.back().pixel, l.plot.left());
        for (const TChartMarke& m : l.marken)
            QCOMPARE(m.pfeil.y2(), mitte);
        // The second and third point coincide, so do their marks.
        QCOMPARE(l.marken[1].kasten, l.marken[2].kasten);
    }

    // A step so fine that range / step reaches 10000 draws no labels; just below it does.
    void zuVieleBeschriftungen_data()
    {
        QTest::addColumn<int>("hoehe");
        QTest::addColumn<bool>("beschriftet");
        QTest::newRow("10000 steps of 0.00005") << 300000 << false;
        QTest::newRow("2500 steps of 0.0002") << 60000 << true;
    }
    void zuVieleBeschriftungen()
    {
        QFETCH(int, hoehe);
        QFETCH(bool, beschriftet);
        const TChartLayout l = layoutFuer({{0, 0}, {1, 0.5}}, kDeutsch, QSize(505, hoehe));
        QVERIFY(l.links.passend >= 10000 || beschriftet); // else the case proves nothing
        QCOMPARE(!l.links.beschriftungen.empty(), beschriftet);
        if (beschriftet)
            QCOMPARE(l.links.beschriftungen.size(), size_t(2499));
    }

    // The chart measures, and draws on screen, under the first installed name of its fonts'
    // lists: the names before it are taken off, the rest stays, and a list with none installed
    // keeps its last name.
    void installierteSchrift_data()
    {
        QTest::addColumn<QStringList>("familien");
        QTest::addColumn<QStringList>("erwartet");
        // An installed family that writes Latin, under a plain name (Qt lists some with their
        // foundry in brackets, a name no program asks for).
        QString da;
        for (const QString& f : QFontDatabase::families(QFontDatabase::Latin))
            if (da.isEmpty() && !f.contains(QLatin1Char('[')))
                da = f;
        const QString fehlt1 = QStringLiteral("Zechwaage Keine Schrift");
        const QString fehlt2 = QStringLiteral("Zechwaage Auch Keine");
        QTest::newRow("installed first") << QStringList{da, fehlt1} << QStringList{da, fehlt1};
        QTest::newRow("one missing before") << QStringList{fehlt1, da} << QStringList{da};
        QTest::newRow("two missing before")
            << QStringList{fehlt1, fehlt2, da, fehlt1} << QStringList{da, fehlt1};
        QTest::newRow("none installed") << QStringList{fehlt1, fehlt2} << QStringList{fehlt2};
        QTest::newRow("the chart's marks")
            << SmallFonts().families()
            << QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("DejaVu Sans")};
    }
    void installierteSchrift()
    {
        QFETCH(QStringList, familien);
        QFETCH(QStringList, erwartet);
        QVERIFY(!erwartet.value(0).isEmpty());
        if (QFontDatabase::families().contains(QStringLiteral("Small Fonts")) &&
            familien == SmallFonts().families())
            erwartet = familien;
        QFont schrift = SmallFonts();
        schrift.setFamilies(familien);
        TTextMass mass;
        mass.setzeSchrift(schrift);
        QCOMPARE(mass.installiert().families(), erwartet);
        QCOMPARE(mass.installiert().pixelSize(), schrift.pixelSize());
        // Measured in the face Qt picks for the list as asked.
        QCOMPARE(mass.hoehe(), QFontMetrics(schrift).height());
        QCOMPARE(mass.breite(QStringLiteral("Promille")),
                 QFontMetrics(schrift).horizontalAdvance(QStringLiteral("Promille")));
    }
};

QTEST_MAIN(TstChartLayout)
#include "tst_chartlayout.moc"
