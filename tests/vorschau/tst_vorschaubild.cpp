// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What the helper makes of a file, run in the test's own process: which files show a picture of
// which size, and which show nothing.
#include "ui/testchart.h"
#include "vorschau/feindlichebilder.h"
#include "vorschau/rasterdatei.h"
#include "vorschau/vorschaubild.h"

#include "ui/bildexport.h"

#include <QGuiApplication>
#include <QtTest>

using namespace zw;

namespace {

// An uncompressed bitmap: rows of one byte value each (row r holds r + 1), stored bottom-up or
// top-down as the sign of hoehe says. farben palette entries for depths up to 8;
// versatzKuerzer moves the pixel data's start that many bytes before where it belongs.
QByteArray Bmp(int breite, int hoehe, int bits, quint32 kompression = 0, int farben = -1,
               int versatzKuerzer = 0, int kopf = 40)
{
    using namespace bytes;
    if (farben < 0)
        farben = bits <= 8 ? 1 << bits : 0;
    const int masken = kompression == 3 && kopf == 40 ? 12 : 0;
    const int eintrag = kopf == 12 ? 3 : 4;
    const int zeile = (breite * bits + 31) / 32 * 4;
    const int versatz = 14 + kopf + masken + farben * eintrag - versatzKuerzer;
    const int zeilen = hoehe < 0 ? -hoehe : hoehe;
    QByteArray f;
    u8(f, 'B'), u8(f, 'M');
    u32(f, quint32(versatz + zeile * zeilen));
    u32(f, 0);
    u32(f, quint32(versatz));
    u32(f, quint32(kopf));
    if (kopf == 12) {
        u16(f, quint16(breite)), u16(f, quint16(hoehe)), u16(f, 1), u16(f, quint16(bits));
    } else {
        i32(f, breite), i32(f, hoehe);
        u16(f, 1), u16(f, quint16(bits));
        u32(f, kompression), u32(f, 0);
        i32(f, 2835), i32(f, 2835);
        u32(f, quint32(bits <= 8 ? farben : 0)), u32(f, 0);
        f.append(QByteArray(kopf - 40, '\0'));
    }
    if (masken)
        u32(f, 0xF800), u32(f, 0x07E0), u32(f, 0x001F);
    for (int i = 0; i < farben; ++i)
        for (int k = 0; k < eintrag; ++k)
            u8(f, quint8(i));
    f.truncate(versatz);
    for (int r = 0; r < zeilen; ++r)
        f.append(QByteArray(zeile, char(r + 1)));
    return f;
}

// A 24-bit bitmap of 4 x 3 pixels stored top-down: a red row above two blue ones.
QByteArray BmpVonOben()
{
    QByteArray f = Bmp(4, -3, 24);
    const qsizetype daten = f.size() - 3 * 12;
    for (int zeile = 0; zeile < 3; ++zeile) {
        for (int x = 0; x < 4; ++x) {
            char* bgr = f.data() + daten + 12 * zeile + 3 * x;
            bgr[0] = zeile == 0 ? '\0' : char(0xFF);
            bgr[1] = 0;
            bgr[2] = zeile == 0 ? char(0xFF) : '\0';
        }
    }
    return f;
}

} // namespace

class TstVorschaubild : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { chart_ = test::BierChart(); }

    void groesse_data()
    {
        QTest::addColumn<QByteArray>("daten");
        QTest::addColumn<QSize>("groesse"); // empty: nothing to show
        const QByteArray emf = ChartBild(*chart_, TBildArt::Emf);
        const QByteArray png = ChartBild(*chart_, TBildArt::Png);
        QTest::newRow("our EMF") << emf << QSize(504, 136);
        QTest::newRow("our WMF") << ChartBild(*chart_, TBildArt::Wmf) << QSize(504, 136);
        QTest::newRow("our BMP") << ChartBild(*chart_, TBildArt::Bmp) << QSize(505, 137);
        QTest::newRow("our PNG") << png << QSize(505, 137);
        QTest::newRow("our SVG") << ChartBild(*chart_, TBildArt::Svg) << QSize(505, 137);
        QTest::newRow("truncated EMF") << emf.left(60) << QSize();
        QTest::newRow("truncated PNG") << png.left(40) << QSize();
        QTest::newRow("PNG cut inside its data") << png.left(png.size() / 2) << QSize();
        QTest::newRow("empty") << QByteArray() << QSize();
        QTest::newRow("text") << QByteArray("BM this is not a bitmap at all") << QSize();

        QTest::newRow("bitmap, 8 bits") << Bmp(64, 20, 8) << QSize(64, 20);
        QTest::newRow("bitmap, top-down") << Bmp(64, -20, 8) << QSize(64, 20);
        QTest::newRow("bitmap, 16 colours used of 256") << Bmp(64, 20, 8, 0, 16) << QSize(64, 20);
        QTest::newRow("bitmap, 1 bit") << Bmp(33, 7, 1) << QSize(33, 7);
        QTest::newRow("bitmap, 16 bits with masks") << Bmp(10, 10, 16, 3) << QSize(10, 10);
        QTest::newRow("bitmap, OS/2 header") << Bmp(10, 10, 24, 0, 0, 0, 12) << QSize(10, 10);
        QTest::newRow("bitmap, version 5 header") << Bmp(10, 10, 32, 0, 0, 0, 124) << QSize(10, 10);
        QTest::newRow("bitmap, pixels inside the palette")
            << feindlich::BmpPixelImPalette() << QSize();
        QTest::newRow("bitmap, pixels one byte inside the palette")
            << Bmp(64, 20, 8, 0, -1, 1) << QSize();
        QTest::newRow("bitmap, pixels inside the masks") << Bmp(10, 10, 16, 3, 0, 4) << QSize();
        QTest::newRow("bitmap, data past the end") << feindlich::bmpOhneDaten() << QSize();
        QTest::newRow("bitmap, run-length coded") << Bmp(10, 10, 8, 1) << QSize();
        QTest::newRow("bitmap, more colours than 8 bits have") << Bmp(10, 10, 8, 0, 300) << QSize();
        QByteArray riesig = Bmp(100000, 1, 24);
        bytes::setzeU32(riesig, 22, 100000); // the height, with one row of data
        QTest::newRow("bitmap, 100000 x 100000") << riesig << QSize();
        QTest::newRow("bitmap, negative width") << Bmp(-5, 10, 24) << QSize();
        QTest::newRow("bitmap, 2 bits a pixel") << Bmp(10, 10, 2) << QSize();

        QTest::newRow("PNG with 100 text bombs") << feindlich::PngTextbombe() << QSize(1, 1);
        QTest::newRow("SVG named as a bitmap")
            << feindlich::SvgMitBild("/nowhere/at/all.png") << QSize(200, 100);
    }
    void groesse()
    {
        QFETCH(QByteArray, daten);
        QFETCH(QSize, groesse);
        const std::optional<TVorschauBild> bild = TVorschauBild::ausDaten(daten);
        QCOMPARE(bild ? bild->groesse() : QSize(), groesse);

        // The answer the helper sends for it: a header the program accepts, and exactly as many
        // pixels as the header announces.
        const TVorschauAnfrage anfrage{QSize(192, 160), QSize(720, 460)};
        const QByteArray antwort = VorschauAntwort(daten, anfrage);
        const auto kopf = LiesVorschauKopf(antwort.left(VorschauKopfBytes), anfrage);
        if (!kopf)
            QFAIL("the program refuses the answer's header");
        QCOMPARE(kopf->bild.isEmpty() ? QSize() : kopf->bild, groesse);
        QCOMPARE(antwort.size() - VorschauKopfBytes, VorschauPixelBytes(*kopf));
    }

    // Rows stored top-down are shown the right way up.
    void vonOben()
    {
        const std::optional<TVorschauBild> bild = TVorschauBild::ausDaten(BmpVonOben());
        if (!bild)
            QFAIL("not read");
        const QImage gezeigt = bild->alsBild(QSize(4, 3));
        QCOMPARE(gezeigt.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(gezeigt.pixel(3, 2), qRgb(0, 0, 255));
    }

    // A PNG keeps everything but its texts; a chunk that runs past the end makes it unreadable.
    void pngOhneTexte_data()
    {
        QTest::addColumn<QByteArray>("daten");
        QTest::addColumn<int>("groesse"); // -1: unreadable
        const QByteArray bombe = feindlich::PngTextbombe(3);
        const QByteArray leer = feindlich::LeeresPng(2, 2);
        QTest::newRow("three texts") << bombe << int(feindlich::PngTextbombe(0).size());
        QTest::newRow("no text") << leer << int(leer.size());
        QTest::newRow("chunk past the end") << bombe.left(bombe.size() - 20) << -1;
        QTest::newRow("not a PNG") << QByteArray("GIF89a") << -1;
    }
    void pngOhneTexte()
    {
        QFETCH(QByteArray, daten);
        QFETCH(int, groesse);
        const QByteArray ohne = PngOhneTexte(daten);
        QCOMPARE(ohne.isEmpty() ? -1 : int(ohne.size()), groesse);
        QVERIFY(!ohne.contains("zTXt"));
    }

private:
    std::unique_ptr<TChart> chart_;
};

QTEST_MAIN(TstVorschaubild)
#include "tst_vorschaubild.moc"
