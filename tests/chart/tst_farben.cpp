// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast ratios and readable colours, against figures the accessibility guidelines publish.
#include "chart/farben.h"

#include <QtTest>

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
