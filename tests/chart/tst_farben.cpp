// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast ratios and readable colours, against figures the accessibility guidelines publish.
#include "chart/farben.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <limits>

using namespace zw;

class TstFarben : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kontrast_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("verhaeltnis");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("equal colours")
            << QColor(0x35, 0x35, 0x35) << QColor(0x35, 0x35, 0x35) << 1.0;
        // The grey the guidelines name as just failing on white.
        QTest::newRow("#777777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
        QTest::newRow("pure blue on white") << QColor(Qt::blue) << QColor(Qt::white) << 8.59;
        QTest::newRow("black on a dark face")
            << QColor(Qt::black) << QColor(0x35, 0x35, 0x35) << 1.71;
    }
    void kontrast()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, verhaeltnis);
        QVERIFY2(std::abs(Kontrast(a, b) - verhaeltnis) < 0.01,
                 qPrintable(QString::number(Kontrast(a, b))));
        QCOMPARE(Kontrast(a, b), Kontrast(b, a));
    }

    // Every value a channel can take, each against the guidelines' formula as std::pow gives
    // it: the luminance is computed without std::pow and must not drift from it.
    void helligkeit_data()
    {
        QTest::addColumn<int>("kanal");
        QTest::addColumn<double>("gewicht");
        QTest::newRow("red") << 0 << 0.2126;
        QTest::newRow("green") << 1 << 0.7152;
        QTest::newRow("blue") << 2 << 0.0722;
    }
    void helligkeit()
    {
        QFETCH(int, kanal);
        QFETCH(double, gewicht);
        for (int wert = 0; wert <= 0xffff; ++wert) {
            std::array<quint16, 3> rgb{};
            rgb.at(size_t(kanal)) = quint16(wert);
            const QColor farbe = QColor::fromRgba64(rgb[0], rgb[1], rgb[2]);
            // The channel as QColor hands it out (a float).
            const double c =
                std::array{farbe.redF(), farbe.greenF(), farbe.blueF()}.at(size_t(kanal));
            const double linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            const double ist = RelativeHelligkeit(farbe);
            // Within a few units in the last place.
            if (std::abs(ist - gewicht * linear) >
                4 * std::numeric_limits<double>::epsilon() * gewicht * linear)
                QFAIL(qPrintable(QStringLiteral("%1: %2 against %3")
                                     .arg(wert)
                                     .arg(ist, 0, 'g', 17)
                                     .arg(gewicht * linear, 0, 'g', 17)));
        }
        QCOMPARE(RelativeHelligkeit(Qt::black), 0.0);
        QCOMPARE(RelativeHelligkeit(Qt::white), 1.0);
    }

    void lesbar_data()
    {
        QTest::addColumn<QColor>("wunsch");
        QTest::addColumn<QColor>("grund");
        QTest::addColumn<bool>("unveraendert");
        QTest::newRow("blue link on the light face stays")
            << QColor(Qt::blue) << QColor(0xef, 0xef, 0xef) << true;
        QTest::newRow("light text on a dark face stays")
            << QColor(0xee, 0xee, 0xec) << QColor(0x35, 0x35, 0x35) << true;
        QTest::newRow("dark blue link on a dark face is lightened")
            << QColor(0x1b, 0x6a, 0xcb) << QColor(0x35, 0x35, 0x35) << false;
        QTest::newRow("grey grid on a dark face is lightened")
            << QColor(128, 128, 128) << QColor(0x2a, 0x2e, 0x32) << false;
        QTest::newRow("yellow on white is darkened")
            << QColor(Qt::yellow) << QColor(Qt::white) << false;
        QTest::newRow("mid grey face: the better end wins")
            << QColor(0x80, 0x80, 0x80) << QColor(0x76, 0x76, 0x76) << false;
    }
    void lesbar()
    {
        QFETCH(QColor, wunsch);
        QFETCH(QColor, grund);
        QFETCH(bool, unveraendert);
        const QColor ergebnis = LesbareFarbe(wunsch, grund);
        QVERIFY2(Kontrast(ergebnis, grund) >= MindestKontrast, qPrintable(ergebnis.name()));
        QCOMPARE(ergebnis == wunsch, unveraendert);
        if (!unveraendert) {
            // Changed no further than needed: one step less would not be enough. The hue is
            // kept: the colour moved straight towards white or black.
            QVERIFY(Kontrast(ergebnis, grund) < MindestKontrast + 0.1);
        }
    }

    void dunkel_data()
    {
        QTest::addColumn<QColor>("grund");
        QTest::addColumn<bool>("dunkel");
        QTest::newRow("Fusion's light face") << QColor(0xef, 0xef, 0xef) << false;
        QTest::newRow("Adwaita dark") << QColor(0x35, 0x35, 0x35) << true;
        QTest::newRow("Breeze Dark") << QColor(0x20, 0x23, 0x26) << true;
        QTest::newRow("mid grey where black still reads") << QColor(0x80, 0x80, 0x80) << false;
    }
    void dunkel()
    {
        QFETCH(QColor, grund);
        QFETCH(bool, dunkel);
        QCOMPARE(IstDunkel(grund), dunkel);
    }
};

QTEST_APPLESS_MAIN(TstFarben)
#include "tst_farben.moc"
