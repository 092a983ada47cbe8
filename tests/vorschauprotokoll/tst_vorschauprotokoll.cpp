// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program accepts from the helper a header that fits its request exactly, and nothing
// else: the header decides how many bytes it takes and how large the pictures it makes are.
#include "vorschauprotokoll/vorschauprotokoll.h"

#include <QtEndian>
#include <QtTest>

using namespace zw;

namespace {

QByteArray Kopf(const char* marke, std::initializer_list<quint32> felder)
{
    QByteArray d(marke, 4);
    for (const quint32 feld : felder) {
        char roh[4];
        qToLittleEndian(feld, roh);
        d.append(roh, 4);
    }
    return d;
}

const TVorschauAnfrage kAnfrage{QSize(192, 160), QSize(720, 460)};

} // namespace

class TstVorschauprotokoll : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kopf_data()
    {
        QTest::addColumn<QByteArray>("daten");
        QTest::addColumn<bool>("gelesen");
        QTest::addColumn<QSize>("bild");
        QTest::addColumn<qint64>("pixelBytes");
        QTest::newRow("our chart") << Kopf("ZWVK", {504, 136, 192, 51, 504, 136}) << true
                                   << QSize(504, 136) << qint64(4 * (192 * 51 + 504 * 136));
        QTest::newRow("larger than the window, shrunk")
            << Kopf("ZWVK", {1440, 920, 192, 122, 720, 460}) << true << QSize(1440, 920)
            << qint64(4 * (192 * 122 + 720 * 460));
        QTest::newRow("a line one pixel high, never empty")
            << Kopf("ZWVK", {16384, 1, 192, 1, 720, 1}) << true << QSize(16384, 1)
            << qint64(4 * (192 + 720));
        QTest::newRow("nothing to show")
            << Kopf("ZWVK", {0, 0, 0, 0, 0, 0}) << true << QSize() << qint64(0);
        QTest::newRow("pane picture larger than asked")
            << Kopf("ZWVK", {504, 136, 504, 136, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("window picture enlarged")
            << Kopf("ZWVK", {100, 50, 100, 50, 200, 100}) << false << QSize() << qint64(0);
        QTest::newRow("aspect changed")
            << Kopf("ZWVK", {504, 136, 192, 160, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("beyond the largest picture")
            << Kopf("ZWVK", {16385, 10, 192, 1, 720, 1}) << false << QSize() << qint64(0);
        QTest::newRow("width wraps round as a signed number")
            << Kopf("ZWVK", {0xFFFFFFFF, 10, 192, 1, 720, 1}) << false << QSize() << qint64(0);
        QTest::newRow("a size with one side zero")
            << Kopf("ZWVK", {504, 0, 0, 0, 0, 0}) << false << QSize() << qint64(0);
        QTest::newRow("none with sizes after it")
            << Kopf("ZWVK", {0, 0, 192, 51, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("other mark")
            << Kopf("ZWVA", {504, 136, 192, 51, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("short") << Kopf("ZWVK", {504, 136, 192, 51, 504}) << false << QSize()
                               << qint64(0);
        QTest::newRow("long") << Kopf("ZWVK", {504, 136, 192, 51, 504, 136, 0}) << false << QSize()
                              << qint64(0);
    }
    void kopf()
    {
        QFETCH(QByteArray, daten);
        QFETCH(bool, gelesen);
        QFETCH(QSize, bild);
        QFETCH(qint64, pixelBytes);
        const std::optional<TVorschauKopf> kopf = LiesVorschauKopf(daten, kAnfrage);
        QCOMPARE(kopf.has_value(), gelesen);
        if (!kopf)
            return;
        QCOMPARE(kopf->bild.isEmpty() ? QSize() : kopf->bild, bild);
        QCOMPARE(VorschauPixelBytes(*kopf), pixelBytes);
    }

    // The helper writes what the program reads back.
    void kopfHinUndZurueck_data()
    {
        QTest::addColumn<QSize>("bild");
        QTest::newRow("chart") << QSize(504, 136);
        QTest::newRow("tall") << QSize(10, 16384);
        QTest::newRow("small") << QSize(1, 1);
    }
    void kopfHinUndZurueck()
    {
        QFETCH(QSize, bild);
        const QByteArray daten = VorschauKopfDaten(bild, kAnfrage);
        QCOMPARE(daten.size(), VorschauKopfBytes);
        const std::optional<TVorschauKopf> kopf = LiesVorschauKopf(daten, kAnfrage);
        if (!kopf)
            QFAIL("refused");
        QCOMPARE(kopf->bild, bild);
        QVERIFY(kopf->flaeche.width() <= 192 && kopf->flaeche.height() <= 160);
        QVERIFY(kopf->vollbild.width() <= 720 && kopf->vollbild.height() <= 460);
    }

    void anfrage_data()
    {
        QTest::addColumn<QSize>("flaeche");
        QTest::addColumn<QSize>("vollbild");
        QTest::addColumn<bool>("zulaessig");
        QTest::newRow("pane and window") << QSize(192, 160) << QSize(720, 460) << true;
        QTest::newRow("largest") << QSize(4096, 1024) << QSize(2048, 2048) << true;
        QTest::newRow("too many pixels") << QSize(192, 160) << QSize(4096, 4096) << false;
        QTest::newRow("too wide") << QSize(4097, 1) << QSize(720, 460) << false;
        QTest::newRow("empty") << QSize(0, 160) << QSize(720, 460) << false;
    }
    void anfrage()
    {
        QFETCH(QSize, flaeche);
        QFETCH(QSize, vollbild);
        QFETCH(bool, zulaessig);
        const QByteArray daten = VorschauAnfrageDaten({flaeche, vollbild});
        QCOMPARE(daten.size(), VorschauAnfrageBytes);
        const std::optional<TVorschauAnfrage> gelesen = LiesVorschauAnfrage(daten);
        QCOMPARE(gelesen.has_value(), zulaessig);
        if (gelesen) {
            QCOMPARE(gelesen->flaeche, flaeche);
            QCOMPARE(gelesen->vollbild, vollbild);
        }
        QVERIFY(!LiesVorschauAnfrage(QByteArrayView(daten).first(VorschauAnfrageBytes - 1)));
    }

    void groesseIn_data()
    {
        QTest::addColumn<QSize>("bild");
        QTest::addColumn<QSize>("flaeche");
        QTest::addColumn<QSize>("gezeigt");
        QTest::newRow("fits: own size") << QSize(100, 50) << QSize(192, 160) << QSize(100, 50);
        QTest::newRow("too wide") << QSize(504, 136) << QSize(192, 160) << QSize(192, 51);
        QTest::newRow("too tall") << QSize(100, 800) << QSize(192, 160) << QSize(20, 160);
        QTest::newRow("thin line stays visible")
            << QSize(16384, 1) << QSize(192, 160) << QSize(192, 1);
    }
    void groesseIn()
    {
        QFETCH(QSize, bild);
        QFETCH(QSize, flaeche);
        QFETCH(QSize, gezeigt);
        QCOMPARE(GroesseIn(bild, flaeche), gezeigt);
    }
};

QTEST_APPLESS_MAIN(TstVorschauprotokoll)
#include "tst_vorschauprotokoll.moc"
