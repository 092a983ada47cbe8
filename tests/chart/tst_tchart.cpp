// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control: its series, its pictures and its mouse.
#include "chart/chartlayout.h"
#include "chart/farben.h"
#include "chart/tchart.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace zw;

namespace {

using Punkte = std::vector<std::pair<double, double>>;

const QColor kGold(255, 215, 0);
const QColor kDunkelGold(191, 151, 0);
const QColor kMarke(255, 255, 128);

// At the size of the main window's chart.
void fuelle(TChart& c, const Punkte& xy)
{
    c.resize(505, 137);
    c.Series1.Clear();
    for (auto [x, y] : xy)
        c.Series1.AddXY(x, y, kGold);
}

int zaehle(const QImage& bild, const QColor& farbe)
{
    int n = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            n += bild.pixelColor(x, y) == farbe;
    return n;
}

const Punkte kBier{{0, 0}, {2, 0.384931506849315}, {4.5662100456621, 0}};
const Punkte kSteil{{0, 0}, {0.2, 0.8}, {6, 0}};

} // namespace

class TstTChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reihenfolge_data()
    {
        QTest::addColumn<Punkte>("hinzu");
        QTest::addColumn<QList<double>>("ys"); // y values in the resulting order
        QTest::newRow("ascending") << Punkte{{0, 1}, {1, 2}, {2, 3}} << QList<double>{1, 2, 3};
        QTest::newRow("descending") << Punkte{{2, 1}, {1, 2}, {0, 3}} << QList<double>{3, 2, 1};
        QTest::newRow("equal x keeps adding order")
            << Punkte{{2, 1}, {0, 2}, {2, 3}, {2, 4}} << QList<double>{2, 1, 3, 4};
        QTest::newRow("nothing drunk")
            << Punkte{{0, 0}, {2, 0}, {2, 0.5}} << QList<double>{0, 0, 0.5};
        QTest::newRow("between") << Punkte{{0, 1}, {4, 2}, {1, 3}, {3, 4}}
                                 << QList<double>{1, 3, 4, 2};
        QTest::newRow("no x goes last")
            << Punkte{{1, 1}, {qQNaN(), 2}, {0, 3}, {5, 4}} << QList<double>{3, 1, 4, 2};
    }
    void reihenfolge()
    {
        QFETCH(Punkte, hinzu);
        QFETCH(QList<double>, ys);
        TChart c;
        fuelle(c, hinzu);
        QList<double> ist;
        for (const TChartPunkt& p : c.Series1.Punkte())
            ist << p.Y;
        QCOMPARE(ist, ys);
    }

    void farben_data()
    {
        QTest::addColumn<Punkte>("punkte");
        QTest::addColumn<QColor>("farbe");
        QTest::addColumn<bool>("da");
        QTest::newRow("beer: gold area") << kBier << kGold << true;
        QTest::newRow("beer: no steep face") << kBier << kDunkelGold << false;
        QTest::newRow("beer: mark boxes") << kBier << kMarke << true;
        QTest::newRow("steep rise: darker top face") << kSteil << kDunkelGold << true;
        QTest::newRow("empty: no area") << Punkte{} << kGold << false;
        QTest::newRow("empty: no marks") << Punkte{} << kMarke << false;
    }
    void farben()
    {
        QFETCH(Punkte, punkte);
        QFETCH(QColor, farbe);
        QFETCH(bool, da);
        TChart c;
        fuelle(c, punkte);
        const QImage bild = c.alsBild();
        QCOMPARE(bild.size(), QSize(505, 137));
        QCOMPARE(zaehle(bild, farbe) > 0, da);
        const QColor grau = c.palette().color(QPalette::Window);
        for (QPoint ecke : {QPoint(0, 0), QPoint(504, 0), QPoint(0, 136), QPoint(504, 136)})
            QCOMPARE(bild.pixelColor(ecke), grau);
    }

    // What the layout says is where the pixels are.
    void bildFolgtLayout_data()
    {
        QTest::addColumn<Punkte>("punkte");
        QTest::newRow("beer") << kBier;
        QTest::newRow("steep") << kSteil;
        QTest::newRow("nothing drunk") << Punkte{{0, 0}, {2, 0}, {2, 0}};
    }
    void bildFolgtLayout()
    {
        QFETCH(Punkte, punkte);
        TChart c;
        fuelle(c, punkte);
        const QImage bild = c.alsBild();
        const TChartLayout& l = c.layout();
        const TChartMarke& m = l.marken.back();
        const QRect k = m.kasten;
        for (QPoint ecke : {k.topLeft(), k.topRight(), k.bottomLeft(), k.bottomRight(),
                            QPoint(k.center().x(), k.bottom())})
            QCOMPARE(bild.pixelColor(ecke), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(k.left() + 1, k.top() + 1), kMarke);
        QCOMPARE(bild.pixelColor(k.left() - 1, k.top() - 1) == kMarke, false);
        // The arrow between box and point is white.
        if (m.pfeil.y2() - m.pfeil.y1() > 1)
            QCOMPARE(bild.pixelColor(m.pfeil.x1(), m.pfeil.y1()), QColor(Qt::white));
        // The axis lines are two pixels of black along the plot's left and bottom edges.
        // (Near the top, where no mark's arrow crosses the left axis.)
        QCOMPARE(bild.pixelColor(l.plot.left() - 1, l.plot.top() + 1), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(l.plot.left(), l.plot.top() + 1), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(l.plot.right() - 2, l.plot.bottom()), QColor(Qt::black));
        QCOMPARE(bild.pixelColor(l.plot.right() - 2, l.plot.bottom() + 1), QColor(Qt::black));
        // Just above the bottom axis, left of the last point: inside the area.
        QCOMPARE(bild.pixelColor(l.plot.left() + l.unten.laenge / 2, l.plot.bottom() - 2), kGold);
    }

    void cacheFolgtAenderungen()
    {
        TChart c;
        fuelle(c, kBier);
        const QImage vorher = c.alsBild();
        QVERIFY(zaehle(vorher, kGold) > 0);
        c.setTrennzeichen({".", ","});
        QVERIFY(c.alsBild() != vorher); // "0.385" instead of "0,385"
        c.Series1.Clear();
        QCOMPARE(zaehle(c.alsBild(), kGold), 0);
        c.resize(300, 100);
        QCOMPARE(c.alsBild().size(), QSize(300, 100));
    }

    void scharfBeiDoppelterDichte()
    {
        TChart c;
        fuelle(c, kBier);
        const QImage bild = c.alsBild(2);
        QCOMPARE(bild.size(), QSize(1010, 274));
        QCOMPARE(bild.devicePixelRatio(), 2.0);
        // A blown-up copy would consist of uniform 2 x 2 blocks only.
        int gemischt = 0;
        for (int y = 0; y < bild.height(); y += 2)
            for (int x = 0; x < bild.width(); x += 2) {
                const QRgb a = bild.pixel(x, y);
                gemischt += bild.pixel(x + 1, y) != a || bild.pixel(x, y + 1) != a ||
                            bild.pixel(x + 1, y + 1) != a;
            }
        QVERIFY(gemischt > 100);
    }

    // Every way of asking for the menu, and where it opens: at the mouse, or over the chart's
    // centre when the keyboard asks (the mouse may be anywhere then).
    void menue_data()
    {
        QTest::addColumn<QString>("weg");
        QTest::addColumn<bool>("offen");
        QTest::addColumn<bool>("mitte");
        QTest::newRow("right button") << QStringLiteral("rechts") << true << false;
        QTest::newRow("left button") << QStringLiteral("links") << false << false;
        QTest::newRow("Menu key") << QStringLiteral("menuetaste") << true << true;
        QTest::newRow("Shift+F10") << QStringLiteral("umschaltF10") << true << true;
        QTest::newRow("F10 alone") << QStringLiteral("f10") << false << false;
        QTest::newRow("Ctrl+Shift+F10") << QStringLiteral("strgUmschaltF10") << false << false;
    }
    void menue()
    {
        QFETCH(QString, weg);
        QFETCH(bool, offen);
        QFETCH(bool, mitte);
        TChart c;
        fuelle(c, kBier);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        c.setFocus();
        QSignalSpy spy(&c, &TChart::kontextmenuAngefordert);
        const QPoint wo(100, 50);
        if (weg == QLatin1String("rechts") || weg == QLatin1String("links")) {
            // Through the window, as the window system delivers it: Qt makes the context menu
            // event from the press there.
            QTest::mouseClick(c.windowHandle(),
                              weg == QLatin1String("rechts") ? Qt::RightButton : Qt::LeftButton, {},
                              wo);
        } else if (weg == QLatin1String("menuetaste")) {
            // What the window system sends for the Menu key, with the mouse elsewhere.
            QContextMenuEvent e(QContextMenuEvent::Keyboard, wo, c.mapToGlobal(wo));
            QApplication::sendEvent(&c, &e);
        } else {
            const Qt::KeyboardModifiers mod = weg == QLatin1String("f10") ? Qt::NoModifier
                                              : weg == QLatin1String("umschaltF10")
                                                  ? Qt::ShiftModifier
                                                  : Qt::ShiftModifier | Qt::ControlModifier;
            QTest::keyClick(&c, Qt::Key_F10, mod);
        }
        QCOMPARE(spy.size(), offen ? 1 : 0);
        if (offen) {
            const QPoint erwartet = c.mapToGlobal(mitte ? c.rect().center() : wo);
            QCOMPARE(spy.front().front().toPoint(), erwartet);
        }
    }

    // A keyboard user reaches the chart with Tab before asking for its menu.
    void tabErreichtChart()
    {
        QWidget fenster;
        auto* feld = new QLineEdit(&fenster);
        auto* c = new TChart(&fenster);
        c->setGeometry(0, 30, 505, 137);
        fenster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenster));
        feld->setFocus();
        QTest::keyClick(feld, Qt::Key_Tab);
        QVERIFY(c->hasFocus());
    }
    void dunklePalette_data()
    {
        QTest::addColumn<QColor>("gesicht");
        QTest::addColumn<QColor>("text");
        QTest::newRow("Adwaita dark") << QColor(0x35, 0x35, 0x35) << QColor(0xee, 0xee, 0xec);
        QTest::newRow("Breeze Dark") << QColor(0x20, 0x23, 0x26) << QColor(0xfc, 0xfc, 0xfc);
        QTest::newRow("dark face, dim text colour")
            << QColor(0x30, 0x30, 0x30) << QColor(0x5a, 0x5a, 0x5a);
    }

    // On a dark face what the chart draws onto it reads as text must: 4.5 : 1 or more. The
    // palette's own text colour is taken where it reaches that.
    void dunklePalette()
    {
        QFETCH(QColor, gesicht);
        QFETCH(QColor, text);
        TChart c;
        QPalette pal = c.palette();
        pal.setColor(QPalette::Window, gesicht);
        pal.setColor(QPalette::WindowText, text);
        c.setPalette(pal);
        fuelle(c, kBier);
        const TChartLayout& l = c.layout();
        QCOMPARE(l.hintergrund, gesicht);
        for (const auto& [was, farbe] :
             {std::pair{"walls and axis lines", l.waende.front().farbe},
              std::pair{"axis line", l.links.linie.farbe}, std::pair{"labels", l.textFarbe},
              std::pair{"grid", l.links.gitter.front().farbe},
              std::pair{"ticks", l.unten.striche.front().farbe}})
            QVERIFY2(Kontrast(farbe, gesicht) >= MindestKontrast,
                     qPrintable(QStringLiteral("%1: %2 on %3, %4 : 1")
                                    .arg(QLatin1String(was), farbe.name(), gesicht.name())
                                    .arg(Kontrast(farbe, gesicht), 0, 'f', 2)));
        if (Kontrast(text, gesicht) >= MindestKontrast)
            QCOMPARE(l.textFarbe, text);
        // What the screen shows: the walls and axis lines in that colour, no black ones.
        const QImage bild = c.alsBild(1.0).convertToFormat(QImage::Format_RGB32);
        QVERIFY(zaehle(bild, l.waende.front().farbe) > 300);
        QVERIFY(zaehle(bild, l.links.gitter.front().farbe) > 50);
    }

    void hellePaletteBleibtSchwarz()
    {
        TChart c;
        fuelle(c, kBier);
        const TChartLayout& l = c.layout();
        QCOMPARE(l.waende.front().farbe, QColor(Qt::black));
        QCOMPARE(l.links.linie.farbe, QColor(Qt::black));
        QCOMPARE(l.textFarbe, QColor(Qt::black));
        QCOMPARE(l.links.gitter.front().farbe, QColor(128, 128, 128));
    }
};

QTEST_MAIN(TstTChart)
#include "tst_tchart.moc"
