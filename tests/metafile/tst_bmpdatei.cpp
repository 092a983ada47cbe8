// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmap writer: true-colour files stay byte for byte what Qt's own writer made of the same
// picture (files saved by earlier versions compare equal), and every depth keeps each pixel in
// its place, whatever padding the row width needs.
#include "metafile/bmpdatei.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

namespace {

// A picture whose every pixel differs from its neighbours, so a pixel in the wrong place or
// a channel swapped shows.
QImage Muster(int breite, int hoehe, int punkteProMeter)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    for (int y = 0; y < hoehe; ++y)
        for (int x = 0; x < breite; ++x)
            bild.setPixel(x, y,
                          qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 73) & 0xFF,
                               (x * 101 + y * 3 + 7) & 0xFF));
    bild.setDotsPerMeterX(punkteProMeter);
    bild.setDotsPerMeterY(punkteProMeter + 1);
    return bild;
}

QByteArray MitQtGeschrieben(const QImage& bild)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "BMP"))
        return {};
    return daten;
}

} // namespace

class TstBmpDatei : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wieQt_data()
    {
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<int>("punkteProMeter");
        // Rows of 3, 6, 9 and 12 bytes: padding of 1, 2, 3 and no bytes.
        QTest::newRow("1 wide") << QSize(1, 3) << 3780;
        QTest::newRow("2 wide") << QSize(2, 2) << 3780;
        QTest::newRow("3 wide") << QSize(3, 5) << 5906;
        QTest::newRow("4 wide") << QSize(4, 1) << 2834;
        QTest::newRow("the chart") << QSize(505, 137) << 3780;
    }
    void wieQt()
    {
        QFETCH(QSize, groesse);
        QFETCH(int, punkteProMeter);
        const QImage bild = Muster(groesse.width(), groesse.height(), punkteProMeter);
        const QByteArray erwartet = MitQtGeschrieben(bild);
        QVERIFY(!erwartet.isEmpty());
        QCOMPARE(zw::BmpDatei(bild, 24), erwartet);
    }

    void tiefen_data()
    {
        QTest::addColumn<int>("farbtiefe");
        QTest::addColumn<int>("toleranz"); // per colour channel
        QTest::newRow("15 bits") << 15 << 7;
        QTest::newRow("16 bits") << 16 << 7;
        QTest::newRow("24 bits") << 24 << 0;
        QTest::newRow("32 bits") << 32 << 0;
    }
    void tiefen()
    {
        QFETCH(int, farbtiefe);
        QFETCH(int, toleranz);
        for (int breite = 1; breite <= 4; ++breite) {
            const QImage bild = Muster(breite, 3, 3780);
            const QImage gelesen = QImage::fromData(zw::BmpDatei(bild, farbtiefe), "BMP");
            QCOMPARE(gelesen.size(), bild.size());
            for (int y = 0; y < bild.height(); ++y) {
                for (int x = 0; x < breite; ++x) {
                    const QColor soll = bild.pixelColor(x, y), ist = gelesen.pixelColor(x, y);
                    if (qAbs(soll.red() - ist.red()) > toleranz ||
                        qAbs(soll.green() - ist.green()) > toleranz ||
                        qAbs(soll.blue() - ist.blue()) > toleranz)
                        QFAIL(qPrintable(QStringLiteral("width %1, %2,%3: %4 read as %5")
                                             .arg(breite)
                                             .arg(x)
                                             .arg(y)
                                             .arg(soll.name(), ist.name())));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstBmpDatei)
#include "tst_bmpdatei.moc"
