// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The metafile writers and reader: file structure checked field by field, the pictures checked
// by drawing them back (ours and independent readers), and the reader fed broken files.
#include "feindlich.h"
#include "testbild.h"

#include "chart/tchart.h"
#include "metafile/bytes.h"
#include "metafile/emfgeraet.h"
#include "metafile/gdikonstanten.h"
#include "metafile/metafileleser.h"
#include "metafile/wmfgeraet.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <set>

using namespace zw;

namespace {

using Zeichner = std::function<void(QPainter&)>;

// The picture z draws, as recorded by one of our writers.
template <typename Geraet>
QByteArray aufgezeichnet(const Zeichner& z)
{
    Geraet g(QSize(testbild::kBreite, testbild::kHoehe));
    QPainter p(&g);
    z(p);
    p.end();
    return g.daten();
}
constexpr auto emfVon = &aufgezeichnet<TEmfGeraet>;
constexpr auto wmfVon = &aufgezeichnet<TWmfGeraet>;
QByteArray dateiVon(bool emf, const Zeichner& z) { return emf ? emfVon(z) : wmfVon(z); }

using bytes::setzeU16;
using bytes::setzeU32;
quint16 u16(const QByteArray& b, qsizetype at) { return bytes::liesU16(b.constData() + at); }
qint16 i16(const QByteArray& b, qsizetype at) { return bytes::liesI16(b.constData() + at); }
quint32 u32(const QByteArray& b, qsizetype at) { return bytes::liesU32(b.constData() + at); }
qint32 i32(const QByteArray& b, qsizetype at) { return bytes::liesI32(b.constData() + at); }

struct Satz {
    quint32 typ;
    qsizetype at; // offset of the record in the file
    QByteArray d; // the whole record
};

// Walks the records independently of the reader under test.
std::vector<Satz> emfSaetze(const QByteArray& f)
{
    std::vector<Satz> s;
    qsizetype at = 0;
    while (at + 8 <= f.size()) {
        const quint32 n = u32(f, at + 4);
        if (n < 8 || at + n > f.size())
            break;
        s.push_back({u32(f, at), at, f.mid(at, n)});
        at += n;
    }
    return s;
}

constexpr qsizetype kWmfStart = 22 + 18;

std::vector<Satz> wmfSaetze(const QByteArray& f)
{
    std::vector<Satz> s;
    qsizetype at = kWmfStart;
    while (at + 6 <= f.size()) {
        const qsizetype n = 2 * qsizetype(u32(f, at));
        if (n < 6 || at + n > f.size())
            break;
        s.push_back({u16(f, at + 4), at, f.mid(at, n)});
        at += n;
    }
    return s;
}

Satz ersterSatz(const std::vector<Satz>& s, quint32 typ)
{
    for (const Satz& x : s)
        if (x.typ == typ)
            return x;
    return {0, -1, {}};
}

int unterschiede(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// The file read back and drawn on white into ziel (default: its own size) of a picture of the
// given size (default: the file's); null when the reader refuses the file.
QImage gezeichnet(const QByteArray& datei, QSize flaeche = {}, QRectF ziel = {})
{
    const auto m = TMetafileBild::lesen(datei);
    if (!m)
        return {};
    QImage bild(flaeche.isEmpty() ? m->groesse() : flaeche, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    m->zeichne(p, ziel.isEmpty() ? QRectF(QPointF(0, 0), QSizeF(m->groesse())) : ziel);
    return bild;
}

const QSize kTestbild(testbild::kBreite, testbild::kHoehe);

void diagrammFuellen(TChart& c)
{
    c.resize(testbild::kBreite, testbild::kHoehe);
    const QColor gold(255, 215, 0);
    c.Series1.AddXY(0, 0, gold);
    c.Series1.AddXY(2, 0.384931506849315, gold);
    c.Series1.AddXY(4.5662100456621, 0, gold);
}

// Hand-made files in the style of other programs, for what our writers never emit.
QByteArray emfSatz(quint32 typ, std::initializer_list<qint32> werte)
{
    QByteArray b;
    b.resize(8 + 4 * qsizetype(werte.size()));
    setzeU32(b, 0, typ);
    setzeU32(b, 4, quint32(b.size()));
    qsizetype at = 8;
    for (const qint32 w : werte)
        setzeU32(b, at, quint32(w)), at += 4;
    return b;
}

QByteArray fremdesEmf(const QByteArray& saetze, QSize px = QSize(100, 50))
{
    QByteArray h(88, '\0');
    setzeU32(h, 0, EMR_HEADER);
    setzeU32(h, 4, 88);
    setzeU32(h, 32, quint32(qRound(px.width() * 2540 / 96.0)));
    setzeU32(h, 36, quint32(qRound(px.height() * 2540 / 96.0)));
    setzeU32(h, 40, EMF_SIGNATUR);
    setzeU32(h, 44, 0x10000);
    setzeU16(h, 56, 4);
    setzeU32(h, 72, 1920), setzeU32(h, 76, 1440), setzeU32(h, 80, 508), setzeU32(h, 84, 381);
    QByteArray f = h + saetze + emfSatz(EMR_EOF, {0, 16, 20});
    setzeU32(f, 48, quint32(f.size()));
    return f;
}

QByteArray wmfSatz(quint16 funktion, std::initializer_list<qint16> werte)
{
    QByteArray b(6 + 2 * qsizetype(werte.size()), '\0');
    setzeU32(b, 0, quint32(b.size() / 2));
    setzeU16(b, 4, funktion);
    qsizetype at = 6;
    for (const qint16 w : werte)
        setzeU16(b, at, quint16(w)), at += 2;
    return b;
}

// A plain WMF, or a placeable one with the given frame and units per inch.
QByteArray fremdesWmf(const QByteArray& saetze,
                      std::optional<std::pair<QRect, int>> rahmen = std::nullopt)
{
    QByteArray f;
    if (rahmen) {
        f.resize(22);
        f.fill('\0');
        setzeU32(f, 0, WMF_PLATZIERBAR);
        const QRect& r = rahmen->first;
        setzeU16(f, 6, quint16(r.left())), setzeU16(f, 8, quint16(r.top()));
        setzeU16(f, 10, quint16(r.right() + 1)), setzeU16(f, 12, quint16(r.bottom() + 1));
        setzeU16(f, 14, quint16(rahmen->second));
        setzeU16(f, 20, WmfPlatzierbarPruefsumme(f.constData()));
    }
    QByteArray h(18, '\0');
    setzeU16(h, 0, 1), setzeU16(h, 2, 9), setzeU16(h, 4, 0x300), setzeU16(h, 10, 4);
    const QByteArray rest = saetze + wmfSatz(META_EOF, {});
    setzeU32(h, 6, quint32((h.size() + rest.size()) / 2));
    return f + h + rest;
}

// A stock object as an EMF selects it.
constexpr qint32 bestand(gdi::Bestand b) { return qint32(gdi::STOCK_BIT | b); }

Zeichner testbildZeichner()
{
    return [](QPainter& p) { testbild::zeichne(p); };
}

} // namespace

Q_DECLARE_METATYPE(Zeichner)
Q_DECLARE_METATYPE(std::vector<int>)

class TstMetafile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emfKopf_data();
    void emfKopf();
    void wmfKopf_data() { emfKopf_data(); }
    void wmfKopf();
    void objektplaetze_data();
    void objektplaetze();
    void schriften_data();
    void schriften();
    void textKodierung_data();
    void textKodierung();
    void rundreise_data();
    void rundreise();
    void fremdeDateien_data();
    void fremdeDateien();
    void abgeschnitten_data();
    void abgeschnitten();
    void verfaelscht_data();
    void verfaelscht();
    void zufallsfehler_data() { abgeschnitten_data(); }
    void zufallsfehler();
    void satzZuKurz_data();
    void satzZuKurz();
    void andereProgramme_data();
    void andereProgramme();
    void grenzen_data();
    void grenzen();
    void teureFormWeggelassen();
    void nurWasDieDateiTraegt_data();
    void nurWasDieDateiTraegt();
};

void TstMetafile::emfKopf_data()
{
    QTest::addColumn<Zeichner>("zeichner");
    QTest::addColumn<QRect>("grenzen"); // inclusive pixels drawn

    QTest::newRow("testbild") << testbildZeichner() << QRect(QPoint(0, 0), QPoint(504, 136));
    QTest::newRow("eine linie") << Zeichner([](QPainter& p) { p.drawLine(10, 20, 30, 20); })
                                << QRect(QPoint(10, 20), QPoint(30, 20));
    QTest::newRow("linie rueckwaerts") << Zeichner([](QPainter& p) { p.drawLine(30, 40, 30, 20); })
                                       << QRect(QPoint(30, 20), QPoint(30, 40));
    QTest::newRow("flaeche") << Zeichner([](QPainter& p) {
        p.fillRect(QRect(5, 6, 10, 4), Qt::red);
    }) << QRect(QPoint(5, 6), QPoint(14, 9));
    QTest::newRow("rahmen") << Zeichner([](QPainter& p) { p.drawRect(QRect(5, 6, 10, 4)); })
                            << QRect(QPoint(5, 6), QPoint(15, 10));
    QTest::newRow("nichts") << Zeichner([](QPainter&) {}) << QRect();
}

void TstMetafile::emfKopf()
{
    QFETCH(Zeichner, zeichner);
    QFETCH(QRect, grenzen);
    const QByteArray f = emfVon(zeichner);
    const auto s = emfSaetze(f);
    QVERIFY(s.size() >= 2);

    const QByteArray& h = s.front().d;
    QCOMPARE(s.front().typ, quint32(EMR_HEADER));
    QVERIFY(h.size() >= 88);
    QCOMPARE(u32(f, 40), EMF_SIGNATUR);
    QCOMPARE(qsizetype(u32(f, 48)), f.size());
    QCOMPARE(qsizetype(u32(f, 52)), qsizetype(s.size()));
    const QRect gelesen(QPoint(i32(f, 8), i32(f, 12)), QPoint(i32(f, 16), i32(f, 20)));
    if (grenzen.isNull())
        QVERIFY(gelesen.right() < gelesen.left());
    else
        QCOMPARE(gelesen, grenzen);
    // 504 x 136 pixels at 96 dpi in 0.01 mm.
    QCOMPARE(QRect(QPoint(i32(f, 24), i32(f, 28)), QPoint(i32(f, 32), i32(f, 36))),
             QRect(QPoint(0, 0), QPoint(13335, 3598)));
    for (int i = 0; i < 2; ++i)
        QCOMPARE(qRound(i32(f, 72 + 4 * i) * 25.4 / i32(f, 80 + 4 * i)), 96);

    std::set<quint32> lebend;
    quint32 hoechster = 0;
    for (const Satz& x : s) {
        QVERIFY2(x.d.size() % 4 == 0, qPrintable(QStringLiteral("record %1").arg(x.typ)));
        const quint32 ih = x.d.size() >= 12 ? u32(x.d, 8) : 0;
        switch (x.typ) {
        case EMR_CREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_EXTCREATEFONTINDIRECTW:
            QVERIFY(ih != 0);
            QVERIFY2(!lebend.count(ih), "created over a live handle");
            lebend.insert(ih);
            hoechster = std::max(hoechster, ih);
            break;
        case EMR_SELECTOBJECT: QVERIFY((ih & 0x80000000u) || lebend.count(ih)); break;
        case EMR_DELETEOBJECT: QVERIFY(lebend.erase(ih) == 1); break;
        default: break;
        }
    }
    QVERIFY2(lebend.empty(), "handles left undeleted at the end");
    QCOMPARE(u16(f, 56), quint16(hoechster + 1));
    QCOMPARE(s.back().typ, quint32(EMR_EOF));
    QCOMPARE(s.back().d.size(), 20);
    QCOMPARE(s.back().at + 20, f.size());

    const auto m = TMetafileBild::lesen(f);
    if (!m)
        QFAIL("the reader refused the file");
    QCOMPARE(m->groesse(), QSize(504, 136));
}

void TstMetafile::wmfKopf()
{
    QFETCH(Zeichner, zeichner);
    const QByteArray f = wmfVon(zeichner);
    QVERIFY(f.size() > kWmfStart);
    QCOMPARE(u32(f, 0), WMF_PLATZIERBAR);
    QCOMPARE(u16(f, 4), quint16(0));
    QCOMPARE(QRect(QPoint(i16(f, 6), i16(f, 8)), QPoint(i16(f, 10), i16(f, 12))),
             QRect(QPoint(0, 0), QPoint(504, 136)));
    QCOMPARE(u16(f, 14), quint16(96));
    QCOMPARE(u32(f, 16), 0u);
    quint16 pruef = 0;
    for (int i = 0; i < 10; ++i)
        pruef ^= u16(f, 2 * i);
    QCOMPARE(u16(f, 20), pruef);

    QCOMPARE(u16(f, 22), quint16(1));
    QCOMPARE(u16(f, 24), quint16(9));
    QCOMPARE(u16(f, 26), quint16(0x0300));
    QCOMPARE(qsizetype(u32(f, 28)) * 2, f.size() - 22);
    QCOMPARE(u16(f, 38), quint16(0));

    const auto s = wmfSaetze(f);
    QVERIFY(!s.empty());
    QCOMPARE(s.back().typ, quint32(META_EOF));
    QCOMPARE(s.back().at + 6, f.size());
    quint32 groesster = 0;
    std::vector<bool> tabelle;
    int spitze = 0;
    bool windowOrg = false, windowExt = false;
    for (const Satz& x : s) {
        groesster = std::max(groesster, quint32(x.d.size() / 2));
        switch (x.typ) {
        case META_CREATEPENINDIRECT:
        case META_CREATEFONTINDIRECT:
        case META_CREATEBRUSHINDIRECT: {
            const auto frei = std::find(tabelle.begin(), tabelle.end(), false);
            const auto i = frei - tabelle.begin();
            if (frei == tabelle.end())
                tabelle.push_back(true);
            else
                *frei = true;
            spitze = std::max(spitze, int(i) + 1);
            break;
        }
        case META_SELECTOBJECT:
            QVERIFY(u16(x.d, 6) < tabelle.size() && tabelle[u16(x.d, 6)]);
            break;
        case META_DELETEOBJECT:
            QVERIFY(u16(x.d, 6) < tabelle.size() && tabelle[u16(x.d, 6)]);
            tabelle[u16(x.d, 6)] = false;
            break;
        case META_SETWINDOWORG: windowOrg = i16(x.d, 6) == 0 && i16(x.d, 8) == 0; break;
        case META_SETWINDOWEXT: windowExt = i16(x.d, 6) == 136 && i16(x.d, 8) == 504; break;
        default: break;
        }
    }
    QVERIFY(windowOrg && windowExt);
    QVERIFY2(std::count(tabelle.begin(), tabelle.end(), true) == 0,
             "objects left undeleted at the end");
    QCOMPARE(u16(f, 32), quint16(spitze));
    QCOMPARE(u32(f, 34), groesster);

    const auto m = TMetafileBild::lesen(f);
    if (!m)
        QFAIL("the reader refused the file");
    QCOMPARE(m->groesse(), QSize(504, 136));
}

void TstMetafile::objektplaetze_data()
{
    QTest::addColumn<Zeichner>("zeichner");
    QTest::addColumn<std::vector<int>>("wmfWahl"); // slots selected, in order
    QTest::addColumn<int>("wmfSpitze");
    QTest::addColumn<std::vector<int>>("emfWahl"); // created handles selected, in order

    QTest::newRow("ein stift fuer zwei linien") << Zeichner([](QPainter& p) {
        p.drawLine(0, 0, 5, 5);
        p.drawLine(5, 5, 9, 0);
    }) << std::vector<int>{0} << 1 << std::vector<int>{1};
    QTest::newRow("drei stifte") << Zeichner([](QPainter& p) {
        for (const QColor& c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
            p.setPen(c);
            p.drawLine(0, 0, 5, 5);
        }
    }) << std::vector<int>{0, 1, 0}
                                 << 2 << std::vector<int>{1, 2, 1};
    QTest::newRow("stift, pinsel, stift") << Zeichner([](QPainter& p) {
        p.setBrush(Qt::red);
        p.drawRect(1, 1, 5, 5);
        p.setPen(Qt::green);
        p.drawLine(0, 0, 5, 5);
    }) << std::vector<int>{0, 1, 2} << 3 << std::vector<int>{1, 2, 3};
    // A fill has no pen: the writer falls back on the stock null pen where there is one.
    QTest::newRow("flaeche ohne stift") << Zeichner([](QPainter& p) {
        p.fillRect(QRect(0, 0, 4, 4), Qt::red);
        p.fillRect(QRect(0, 0, 4, 4), Qt::blue);
    }) << std::vector<int>{0, 1, 2} << 3 << std::vector<int>{1, 2};
}

void TstMetafile::objektplaetze()
{
    QFETCH(Zeichner, zeichner);
    QFETCH(std::vector<int>, wmfWahl);
    QFETCH(int, wmfSpitze);
    QFETCH(std::vector<int>, emfWahl);

    const QByteArray w = wmfVon(zeichner);
    std::vector<int> gewaehlt;
    for (const Satz& x : wmfSaetze(w))
        if (x.typ == META_SELECTOBJECT)
            gewaehlt.push_back(u16(x.d, 6));
    QCOMPARE(gewaehlt, wmfWahl);
    QCOMPARE(int(u16(w, 32)), wmfSpitze);

    gewaehlt.clear();
    for (const Satz& x : emfSaetze(emfVon(zeichner)))
        if (x.typ == EMR_SELECTOBJECT && !(u32(x.d, 8) & gdi::STOCK_BIT))
            gewaehlt.push_back(int(u32(x.d, 8)));
    QCOMPARE(gewaehlt, emfWahl);
}

void TstMetafile::schriften_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixel");
    QTest::addColumn<bool>("gedreht");
    QTest::addColumn<bool>("fett");
    QTest::addColumn<int>("winkel");

    QTest::newRow("Arial 8 pt") << QStringLiteral("Arial") << 11 << false << false << 0;
    QTest::newRow("Small Fonts 7 pt") << QStringLiteral("Small Fonts") << 9 << false << false << 0;
    QTest::newRow("Achsentitel") << QStringLiteral("Arial") << 11 << true << false << 900;
    QTest::newRow("fett") << QStringLiteral("MS Sans Serif") << 11 << false << true << 0;
}

void TstMetafile::schriften()
{
    QFETCH(QString, name);
    QFETCH(int, pixel);
    QFETCH(bool, gedreht);
    QFETCH(bool, fett);
    QFETCH(int, winkel);
    const Zeichner z = [&](QPainter& p) {
        QFont f = testbild::schrift(name, pixel);
        f.setBold(fett);
        p.setFont(f);
        p.translate(20, 100);
        if (gedreht)
            p.rotate(-90);
        p.drawText(QPoint(0, 0), QStringLiteral("Promille"));
    };
    const int gewicht = fett ? 700 : 400;

    const Satz e = ersterSatz(emfSaetze(emfVon(z)), EMR_EXTCREATEFONTINDIRECTW);
    QVERIFY(e.at >= 0);
    QCOMPARE(i32(e.d, 12), -pixel);
    QCOMPARE(i32(e.d, 20), winkel);
    QCOMPARE(i32(e.d, 24), winkel);
    QCOMPARE(i32(e.d, 28), gewicht);
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(e.d.constData() + 40)), name);

    const Satz w = ersterSatz(wmfSaetze(wmfVon(z)), META_CREATEFONTINDIRECT);
    QVERIFY(w.at >= 0);
    QCOMPARE(i16(w.d, 6), qint16(-pixel));
    QCOMPARE(i16(w.d, 10), qint16(winkel));
    QCOMPARE(i16(w.d, 12), qint16(winkel));
    QCOMPARE(i16(w.d, 14), qint16(gewicht));
    QCOMPARE(QString::fromLatin1(w.d.constData() + 24), name);

    // The rotated title's reference point is where the painter put it, in device pixels.
    const Satz t = ersterSatz(emfSaetze(emfVon(z)), EMR_EXTTEXTOUTW);
    QCOMPARE(QPoint(i32(t.d, 36), i32(t.d, 40)), QPoint(20, 100));
}

void TstMetafile::textKodierung_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("ansi");

    QTest::newRow("umlaute") << QStringLiteral("Stunden äöüß")
                             << QByteArray("Stunden \xE4\xF6\xFC\xDF");
    QTest::newRow("euro und strich") << QStringLiteral("5 € – 6") << QByteArray("5 \x80 \x96 6");
    QTest::newRow("ausserhalb") << QStringLiteral("a✓b") << QByteArray("a?b");
    QTest::newRow("ersatzpaar") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void TstMetafile::textKodierung()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, ansi);
    const Zeichner z = [&](QPainter& p) {
        p.setFont(testbild::schrift(QStringLiteral("Arial"), 11));
        p.drawText(QPoint(10, 50), text);
    };
    const QFontMetricsF fm(testbild::schrift(QStringLiteral("Arial"), 11));
    const int breite = qRound(fm.horizontalAdvance(text));

    // Characters from a fallback font come as texts of their own: put them together again.
    // EMF: UTF-16 as it is, one advance per code unit, adding up to the text's width.
    QString emfText;
    int summe = 0, teile = 0;
    for (const Satz& e : emfSaetze(emfVon(z))) {
        if (e.typ != EMR_EXTTEXTOUTW)
            continue;
        ++teile;
        const quint32 n = u32(e.d, 44);
        emfText += QString::fromUtf16(
            reinterpret_cast<const char16_t*>(e.d.constData() + u32(e.d, 48)), n);
        for (quint32 i = 0; i < n; ++i)
            summe += i32(e.d, u32(e.d, 72) + 4 * i);
    }
    QCOMPARE(emfText, text);
    QVERIFY2(std::abs(summe - breite) <= teile,
             qPrintable(QStringLiteral("%1 vs %2").arg(summe).arg(breite)));

    // WMF: Windows-1252, one advance per byte, the same width.
    QByteArray wmfText;
    summe = 0;
    for (const Satz& w : wmfSaetze(wmfVon(z))) {
        if (w.typ != META_EXTTEXTOUT)
            continue;
        const int laenge = i16(w.d, 10);
        wmfText += w.d.mid(14, laenge);
        for (int i = 0; i < laenge; ++i)
            summe += i16(w.d, 14 + laenge + laenge % 2 + 2 * i);
        QCOMPARE(qsizetype(u32(w.d, 0)) * 2, w.d.size());
    }
    QCOMPARE(wmfText, ansi);
    QVERIFY(std::abs(summe - breite) <= teile);
}

void TstMetafile::rundreise_data()
{
    QTest::addColumn<bool>("emf");
    QTest::addColumn<bool>("diagramm");
    QTest::newRow("testbild emf") << true << false;
    QTest::newRow("testbild wmf") << false << false;
    QTest::newRow("diagramm emf") << true << true;
    QTest::newRow("diagramm wmf") << false << true;
}

void TstMetafile::rundreise()
{
    QFETCH(bool, emf);
    QFETCH(bool, diagramm);
    QImage soll;
    Zeichner z;
    TChart chart;
    if (diagramm) {
        diagrammFuellen(chart);
        soll = chart.alsBild();
        z = [&](QPainter& p) { chart.zeichne(p); };
    } else {
        soll = QImage(kTestbild, QImage::Format_RGB32);
        soll.fill(Qt::white);
        QPainter p(&soll);
        testbild::zeichne(p);
        z = testbildZeichner();
    }
    const QImage ist = gezeichnet(dateiVon(emf, z), kTestbild);
    QVERIFY(!ist.isNull());
    // Stray pixels at glyph edges are tolerable; a lost line or shifted edge is not.
    const int fehler = unterschiede(ist.convertToFormat(QImage::Format_RGB32),
                                    soll.convertToFormat(QImage::Format_RGB32));
    if (fehler > 12) {
        ist.save(QDir::temp().filePath(QStringLiteral("rundreise-ist.png")));
        soll.save(QDir::temp().filePath(QStringLiteral("rundreise-soll.png")));
    }
    QVERIFY2(fehler <= 12, qPrintable(QStringLiteral("%1 pixels differ").arg(fehler)));
}

void TstMetafile::fremdeDateien_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QSize>("groesse");  // empty: not readable
    QTest::addColumn<QPoint>("schwarz"); // negative: no pixels checked
    QTest::addColumn<QPoint>("weiss");
    const QSize standard(100, 50);
    const QPoint keiner(-1, -1);

    const QByteArray schwarzOhneRand = emfSatz(EMR_SELECTOBJECT, {bestand(gdi::BLACK_BRUSH)}) +
                                       emfSatz(EMR_SELECTOBJECT, {bestand(gdi::NULL_PEN)});
    QTest::newRow("rechteck ohne stift laesst rechts und unten zwei aus")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_RECTANGLE, {10, 10, 20, 20})) << standard
        << QPoint(18, 18) << QPoint(19, 19);
    QTest::newRow("rechteck mit stift")
        << fremdesEmf(emfSatz(EMR_SELECTOBJECT, {bestand(gdi::BLACK_BRUSH)}) +
                      emfSatz(EMR_RECTANGLE, {10, 10, 20, 20}))
        << standard << QPoint(19, 19) << QPoint(20, 20);
    QTest::newRow("anisotrop doppelt")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_SETMAPMODE, {gdi::MM_ANISOTROPIC}) +
                      emfSatz(EMR_SETWINDOWEXTEX, {100, 100}) +
                      emfSatz(EMR_SETVIEWPORTEXTEX, {200, 200}) +
                      emfSatz(EMR_RECTANGLE, {5, 5, 10, 11}))
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("restoredc holt den pinsel zurueck")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_SAVEDC, {}) +
                      emfSatz(EMR_SELECTOBJECT, {bestand(gdi::WHITE_BRUSH)}) +
                      emfSatz(EMR_RESTOREDC, {-1}) + emfSatz(EMR_RECTANGLE, {10, 10, 20, 20}))
        << standard << QPoint(12, 12) << QPoint(30, 30);
    QTest::newRow("polygon mit 32 bit")
        << fremdesEmf(schwarzOhneRand +
                      emfSatz(EMR_POLYGON, {30, 30, 40, 40, 4, 30, 30, 40, 30, 40, 40, 30, 40}))
        << standard << QPoint(35, 35) << QPoint(45, 35);
    QTest::newRow("weltverschiebung")
        << fremdesEmf(
               schwarzOhneRand +
               emfSatz(EMR_SETWORLDTRANSFORM, {0x3F800000, 0, 0, 0x3F800000, 0x42480000, 0}) +
               emfSatz(EMR_RECTANGLE, {0, 0, 10, 10}))
        << standard << QPoint(55, 5) << QPoint(5, 5);
    // Slot 0 holds a palette, so the brush created next goes into slot 1.
    QTest::newRow("wmf palette belegt einen platz")
        << fremdesWmf(
               wmfSatz(META_SETWINDOWEXT, {50, 100}) + wmfSatz(META_CREATEPALETTE, {0x300, 0}) +
               wmfSatz(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0}) +
               wmfSatz(META_CREATEPENINDIRECT, {5, 0, 0, 0, 0}) + wmfSatz(META_SELECTOBJECT, {1}) +
               wmfSatz(META_SELECTOBJECT, {2}) + wmfSatz(META_RECTANGLE, {20, 20, 10, 10}))
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("wmf fenster auf den rahmen abgebildet")
        << fremdesWmf(wmfSatz(META_SETWINDOWEXT, {25, 50}) +
                          wmfSatz(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0}) +
                          wmfSatz(META_SELECTOBJECT, {0}) + wmfSatz(META_RECTANGLE, {10, 10, 5, 5}),
                      std::make_pair(QRect(0, 0, 100, 50), 96))
        << standard << QPoint(15, 15) << QPoint(30, 30);

    // A square from 10 to 40 with a hole from 20 to 30, as two polygons filled alternately.
    const auto p16 = [](int x, int y) { return qint32((quint32(quint16(y)) << 16) | quint16(x)); };
    QTest::newRow("polypolygon 16 bit mit loch")
        << fremdesEmf(schwarzOhneRand +
                      emfSatz(EMR_POLYPOLYGON16,
                              {0, 0, 0, 0, 2, 8, 4, 4, p16(10, 10), p16(40, 10), p16(40, 40),
                               p16(10, 40), p16(20, 20), p16(30, 20), p16(30, 30), p16(20, 30)}))
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("polypolygon 32 bit mit loch")
        << fremdesEmf(schwarzOhneRand +
                      emfSatz(EMR_POLYPOLYGON, {0,  0,  0,  0,  2,  8,  4,  4,  10, 10, 40, 10,
                                                40, 40, 10, 40, 20, 20, 30, 20, 30, 30, 20, 30}))
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("pfad gefuellt")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_BEGINPATH, {}) +
                      emfSatz(EMR_MOVETOEX, {10, 10}) + emfSatz(EMR_LINETO, {40, 10}) +
                      emfSatz(EMR_LINETO, {40, 40}) + emfSatz(EMR_LINETO, {10, 40}) +
                      emfSatz(EMR_CLOSEFIGURE, {}) + emfSatz(EMR_ENDPATH, {}) +
                      emfSatz(EMR_FILLPATH, {0, 0, 0, 0}))
        << standard << QPoint(25, 25) << QPoint(45, 45);
    QTest::newRow("pfad geht mit polylineto weiter")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_BEGINPATH, {}) +
                      emfSatz(EMR_MOVETOEX, {10, 10}) + emfSatz(EMR_LINETO, {40, 10}) +
                      emfSatz(EMR_POLYLINETO16, {0, 0, 0, 0, 2, p16(40, 40), p16(10, 40)}) +
                      emfSatz(EMR_CLOSEFIGURE, {}) + emfSatz(EMR_ENDPATH, {}) +
                      emfSatz(EMR_FILLPATH, {0, 0, 0, 0}))
        << standard << QPoint(15, 20) << QPoint(45, 45);
    QTest::newRow("bezier im pfad")
        << fremdesEmf(
               schwarzOhneRand + emfSatz(EMR_BEGINPATH, {}) + emfSatz(EMR_MOVETOEX, {10, 10}) +
               emfSatz(EMR_POLYBEZIERTO16, {0, 0, 0, 0, 3, p16(10, 40), p16(40, 40), p16(40, 10)}) +
               emfSatz(EMR_CLOSEFIGURE, {}) + emfSatz(EMR_ENDPATH, {}) +
               emfSatz(EMR_FILLPATH, {0, 0, 0, 0}))
        << standard << QPoint(25, 25) << QPoint(25, 38);
    QTest::newRow("pfad offen gelassen zeichnet nichts")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_BEGINPATH, {}) +
                      emfSatz(EMR_RECTANGLE, {10, 10, 40, 40}) +
                      emfSatz(EMR_FILLPATH, {0, 0, 0, 0}) +
                      emfSatz(EMR_RECTANGLE, {50, 10, 60, 20}))
        << standard << QPoint(-1, -1) << QPoint(25, 25);
    QTest::newRow("clip rechteck")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_INTERSECTCLIPRECT, {0, 0, 20, 50}) +
                      emfSatz(EMR_RECTANGLE, {10, 10, 40, 40}))
        << standard << QPoint(15, 15) << QPoint(30, 30);
    QTest::newRow("clip aufgehoben")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_INTERSECTCLIPRECT, {0, 0, 20, 50}) +
                      emfSatz(EMR_EXTSELECTCLIPRGN, {0, gdi::RGN_COPY}) +
                      emfSatz(EMR_RECTANGLE, {10, 10, 40, 40}))
        << standard << QPoint(30, 30) << QPoint(45, 45);
    QTest::newRow("clip mit savedc zurueck")
        << fremdesEmf(schwarzOhneRand + emfSatz(EMR_SAVEDC, {}) +
                      emfSatz(EMR_INTERSECTCLIPRECT, {0, 0, 20, 50}) +
                      emfSatz(EMR_RESTOREDC, {-1}) + emfSatz(EMR_RECTANGLE, {10, 10, 40, 40}))
        << standard << QPoint(30, 30) << QPoint(45, 45);
    const QByteArray wmfSchwarzOhneRand =
        wmfSatz(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0}) +
        wmfSatz(META_CREATEPENINDIRECT, {gdi::PS_NULL, 0, 0, 0, 0}) +
        wmfSatz(META_SELECTOBJECT, {0}) + wmfSatz(META_SELECTOBJECT, {1});
    const std::pair<QRect, int> wmfRahmen(QRect(0, 0, 100, 50), 96);
    QTest::newRow("wmf polypolygon mit loch")
        << fremdesWmf(wmfSchwarzOhneRand +
                          wmfSatz(META_POLYPOLYGON, {2, 4, 4, 10, 10, 40, 10, 40, 40, 10, 40, 20,
                                                     20, 30, 20, 30, 30, 20, 30}),
                      wmfRahmen)
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("wmf clip rechteck")
        << fremdesWmf(wmfSchwarzOhneRand + wmfSatz(META_INTERSECTCLIPRECT, {50, 20, 0, 0}) +
                          wmfSatz(META_RECTANGLE, {40, 40, 10, 10}),
                      wmfRahmen)
        << standard << QPoint(15, 15) << QPoint(30, 30);
    // Slots 0 and 1 freed in that order: the next object goes into the lowest, not the last freed.
    const QByteArray weiss = wmfSatz(META_CREATEBRUSHINDIRECT, {0, -1, 0xFF, 0});
    QTest::newRow("wmf neues objekt in den niedrigsten freien platz")
        << fremdesWmf(weiss + weiss + weiss + wmfSatz(META_DELETEOBJECT, {0}) +
                          wmfSatz(META_DELETEOBJECT, {1}) +
                          wmfSatz(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0}) +
                          wmfSatz(META_SELECTOBJECT, {0}) +
                          wmfSatz(META_RECTANGLE, {40, 40, 10, 10}),
                      wmfRahmen)
        << standard << QPoint(15, 15) << QPoint(45, 45);

    const QByteArray linie = wmfSatz(META_MOVETO, {0, 0}) + wmfSatz(META_LINETO, {10, 10});
    QTest::newRow("emf 300 x 200")
        << fremdesEmf({}, QSize(300, 200)) << QSize(300, 200) << keiner << keiner;
    QTest::newRow("wmf in twips") << fremdesWmf(linie,
                                                std::make_pair(QRect(0, 0, 2880, 1440), 1440))
                                  << QSize(192, 96) << keiner << keiner;
    QTest::newRow("wmf ohne platzierung")
        << fremdesWmf(wmfSatz(META_SETWINDOWEXT, {200, 300}) + linie) << QSize(300, 200) << keiner
        << keiner;
    QTest::newRow("wmf ohne platzierung und fenster")
        << fremdesWmf(linie) << QSize() << keiner << keiner;
    QTest::newRow("wmf 0 einheiten je zoll")
        << fremdesWmf(linie, std::make_pair(QRect(0, 0, 100, 100), 0)) << QSize() << keiner
        << keiner;
    QTest::newRow("emf ohne ende") << fremdesEmf({}).chopped(20) << QSize() << keiner << keiner;
}

void TstMetafile::fremdeDateien()
{
    QFETCH(QByteArray, datei);
    QFETCH(QSize, groesse);
    QFETCH(QPoint, schwarz);
    QFETCH(QPoint, weiss);
    const QImage bild = gezeichnet(datei);
    QCOMPARE(bild.isNull(), groesse.isEmpty());
    if (bild.isNull())
        return;
    QCOMPARE(bild.size(), groesse);
    if (schwarz.x() >= 0)
        QCOMPARE(QColor(bild.pixel(schwarz)), QColor(Qt::black));
    if (weiss.x() >= 0)
        QCOMPARE(QColor(bild.pixel(weiss)), QColor(Qt::white));
}

void TstMetafile::abgeschnitten_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::newRow("emf") << emfVon(testbildZeichner());
    QTest::newRow("wmf") << wmfVon(testbildZeichner());
}

void TstMetafile::abgeschnitten()
{
    QFETCH(QByteArray, datei);
    QVERIFY(TMetafileBild::lesen(datei));
    for (qsizetype n = 0; n < datei.size(); ++n)
        QVERIFY2(!TMetafileBild::lesen(datei.left(n)), qPrintable(QString::number(n)));
}

namespace {
using Aenderung = std::function<void(QByteArray&)>;

// Changes a field of the first record of the given type.
Aenderung emfFeld(quint32 typ, qsizetype feld, quint32 wert)
{
    return [=](QByteArray& f) {
        const Satz s = ersterSatz(emfSaetze(f), typ);
        if (s.at >= 0)
            setzeU32(f, s.at + feld, wert);
    };
}
Aenderung wmfFeld(quint32 funktion, qsizetype feld, quint16 wert)
{
    return [=](QByteArray& f) {
        const Satz s = ersterSatz(wmfSaetze(f), funktion);
        if (s.at >= 0)
            setzeU16(f, s.at + feld, wert);
    };
}
} // namespace

Q_DECLARE_METATYPE(Aenderung)

void TstMetafile::verfaelscht_data()
{
    QTest::addColumn<bool>("emf");
    QTest::addColumn<Aenderung>("aenderung");
    QTest::addColumn<bool>("lesbar");

    QTest::newRow("emf satzgroesse 0") << true << emfFeld(EMR_POLYGON16, 4, 0) << false;
    QTest::newRow("emf satzgroesse ungerade") << true << emfFeld(EMR_POLYGON16, 4, 30) << false;
    QTest::newRow("emf satzgroesse riesig")
        << true << emfFeld(EMR_POLYGON16, 4, 0xFFFFFFF0u) << false;
    QTest::newRow("emf punktzahl riesig")
        << true << emfFeld(EMR_POLYGON16, 24, 0x40000000u) << false;
    QTest::newRow("emf punktzahl zu gross") << true << emfFeld(EMR_POLYGON16, 24, 5) << false;
    QTest::newRow("emf textlaenge riesig")
        << true << emfFeld(EMR_EXTTEXTOUTW, 44, 0x7FFFFFFFu) << false;
    QTest::newRow("emf textversatz ausserhalb")
        << true << emfFeld(EMR_EXTTEXTOUTW, 48, 0xFFFFFFF0u) << false;
    QTest::newRow("emf dx ausserhalb") << true << emfFeld(EMR_EXTTEXTOUTW, 72, 0x10000u) << false;
    QTest::newRow("emf dateilaenge zu gross")
        << true << emfFeld(EMR_HEADER, 48, 0x7FFFFFFFu) << false;
    QTest::newRow("emf kopf zu klein") << true << emfFeld(EMR_HEADER, 4, 40) << false;
    QTest::newRow("emf rahmen leer") << true << emfFeld(EMR_HEADER, 32, 0) << false;
    QTest::newRow("emf objekt ausserhalb der tabelle")
        << true << emfFeld(EMR_CREATEPEN, 8, 60000) << true;
    QTest::newRow("emf handles 0")
        << true << Aenderung([](QByteArray& f) { setzeU16(f, 56, 0); }) << true;
    QTest::newRow("emf schrift riesig")
        << true << emfFeld(EMR_EXTCREATEFONTINDIRECTW, 12, 0x80000000u) << true;
    QTest::newRow("emf stiftbreite riesig")
        << true << emfFeld(EMR_CREATEPEN, 16, 0x7FFFFFFFu) << true;
    QTest::newRow("emf unbekannter satz") << true << emfFeld(EMR_POLYGON16, 0, 0x7777) << true;
    QTest::newRow("emf ende fehlt") << true << emfFeld(EMR_EOF, 0, 0x7777) << false;

    QTest::newRow("wmf satzgroesse 0") << false << wmfFeld(META_POLYGON, 0, 0) << false;
    QTest::newRow("wmf satzgroesse riesig") << false << wmfFeld(META_POLYGON, 2, 0x7FFF) << false;
    QTest::newRow("wmf punktzahl riesig") << false << wmfFeld(META_POLYGON, 6, 0x7FFF) << false;
    QTest::newRow("wmf punktzahl negativ") << false << wmfFeld(META_POLYGON, 6, 0x8000) << false;
    QTest::newRow("wmf textlaenge riesig")
        << false << wmfFeld(META_EXTTEXTOUT, 10, 0x7FFF) << false;
    QTest::newRow("wmf dateigroesse zu gross")
        << false << Aenderung([](QByteArray& f) { setzeU32(f, 28, 0x7FFFFFFF); }) << false;
    QTest::newRow("wmf pruefsumme")
        << false << Aenderung([](QByteArray& f) { f[20] = static_cast<char>(f[20] ^ 1); }) << false;
    QTest::newRow("wmf objekttabelle leer")
        << false << Aenderung([](QByteArray& f) { setzeU16(f, 32, 0); }) << true;
    QTest::newRow("wmf objekttabelle riesig")
        << false << Aenderung([](QByteArray& f) { setzeU16(f, 32, 0xFFFF); }) << true;
    QTest::newRow("wmf auswahl ausserhalb")
        << false << wmfFeld(META_SELECTOBJECT, 6, 0xFFFF) << true;
    QTest::newRow("wmf fenster 0") << false << wmfFeld(META_SETWINDOWEXT, 6, 0) << true;
    QTest::newRow("wmf schrift riesig")
        << false << wmfFeld(META_CREATEFONTINDIRECT, 6, 0x8000) << true;
}

void TstMetafile::verfaelscht()
{
    QFETCH(bool, emf);
    QFETCH(Aenderung, aenderung);
    QFETCH(bool, lesbar);
    QByteArray f = dateiVon(emf, testbildZeichner());
    const QByteArray vorher = f;
    aenderung(f);
    QVERIFY(f != vorher);
    // Drawn scaled down as well: damaged sizes must not upset the mapping.
    QCOMPARE(!gezeichnet(f, QSize(200, 60), QRectF(0, 0, 200, 60)).isNull(), lesbar);
}

void TstMetafile::zufallsfehler()
{
    QFETCH(QByteArray, datei);
    QRandomGenerator zufall(4711);
    int gelesen = 0;
    for (int runde = 0; runde < 1500; ++runde) {
        QByteArray f = datei;
        const int stellen = 1 + zufall.bounded(4);
        for (int i = 0; i < stellen; ++i)
            f[zufall.bounded(int(f.size()))] = static_cast<char>(zufall.bounded(256));
        gelesen += !gezeichnet(f, QSize(120, 40), QRectF(0, 0, 120, 40)).isNull();
    }
    // Most single-byte damage hits coordinates and colours, which stay readable.
    QVERIFY(gelesen > 0);
}

// Every record type the reader handles, at its least size and one field (EMF) or word (WMF)
// shorter: the short one makes the file unreadable. EMF records are whole numbers of 32-bit
// fields, so a record one byte short is refused before its type is looked at.
void TstMetafile::satzZuKurz_data()
{
    QTest::addColumn<QByteArray>("ganz");
    QTest::addColumn<QByteArray>("kurz");
    const auto emf = [](quint32 typ, int bytes) {
        QByteArray s(bytes, '\0');
        setzeU32(s, 0, typ);
        setzeU32(s, 4, quint32(bytes));
        return fremdesEmf(s);
    };
    const std::pair<Emr, int> emfSaetze[] = {
        {EMR_POLYBEZIER, 28},
        {EMR_POLYGON, 28},
        {EMR_POLYLINE, 28},
        {EMR_POLYBEZIERTO, 28},
        {EMR_POLYLINETO, 28},
        {EMR_POLYBEZIER16, 28},
        {EMR_POLYGON16, 28},
        {EMR_POLYLINE16, 28},
        {EMR_POLYBEZIERTO16, 28},
        {EMR_POLYLINETO16, 28},
        {EMR_POLYPOLYLINE, 32},
        {EMR_POLYPOLYGON, 32},
        {EMR_POLYPOLYLINE16, 32},
        {EMR_POLYPOLYGON16, 32},
        {EMR_MOVETOEX, 16},
        {EMR_LINETO, 16},
        {EMR_RECTANGLE, 24},
        {EMR_ELLIPSE, 24},
        {EMR_EXTTEXTOUTA, 76},
        {EMR_EXTTEXTOUTW, 76},
        {EMR_SETWINDOWEXTEX, 16},
        {EMR_SETWINDOWORGEX, 16},
        {EMR_SETVIEWPORTEXTEX, 16},
        {EMR_SETVIEWPORTORGEX, 16},
        {EMR_SETMAPMODE, 12},
        {EMR_SETBKMODE, 12},
        {EMR_SETPOLYFILLMODE, 12},
        {EMR_SETTEXTALIGN, 12},
        {EMR_SETTEXTCOLOR, 12},
        {EMR_SETBKCOLOR, 12},
        {EMR_SELECTOBJECT, 12},
        {EMR_DELETEOBJECT, 12},
        {EMR_RESTOREDC, 12},
        {EMR_SETWORLDTRANSFORM, 32},
        {EMR_MODIFYWORLDTRANSFORM, 36},
        {EMR_CREATEPEN, 28},
        {EMR_EXTCREATEPEN, 52},
        {EMR_CREATEBRUSHINDIRECT, 24},
        {EMR_EXTCREATEFONTINDIRECTW, 104},
        {EMR_FILLPATH, 24},
        {EMR_STROKEANDFILLPATH, 24},
        {EMR_STROKEPATH, 24},
        {EMR_SELECTCLIPPATH, 12},
        {EMR_INTERSECTCLIPRECT, 24},
        {EMR_EXTSELECTCLIPRGN, 16},
    };
    for (const auto& [typ, bytes] : emfSaetze)
        QTest::addRow("emf %u", quint32(typ)) << emf(typ, bytes) << emf(typ, bytes - 4);

    const auto wmf = [](quint16 funktion, int worte) {
        QByteArray s(6 + 2 * worte, '\0');
        setzeU32(s, 0, quint32(s.size() / 2));
        setzeU16(s, 4, funktion);
        return fremdesWmf(s, std::make_pair(QRect(0, 0, 100, 50), 96));
    };
    // TEXTOUT: the count, then the place after the (empty) text.
    const std::pair<Meta, int> wmfSaetze[] = {
        {META_SETWINDOWORG, 2},
        {META_SETWINDOWEXT, 2},
        {META_SETBKMODE, 1},
        {META_SETPOLYFILLMODE, 1},
        {META_SETTEXTALIGN, 1},
        {META_SELECTOBJECT, 1},
        {META_DELETEOBJECT, 1},
        {META_RESTOREDC, 1},
        {META_SETTEXTCOLOR, 2},
        {META_SETBKCOLOR, 2},
        {META_CREATEPENINDIRECT, 5},
        {META_CREATEBRUSHINDIRECT, 4},
        {META_CREATEFONTINDIRECT, 9},
        {META_POLYGON, 1},
        {META_POLYLINE, 1},
        {META_POLYPOLYGON, 1},
        {META_MOVETO, 2},
        {META_LINETO, 2},
        {META_RECTANGLE, 4},
        {META_ELLIPSE, 4},
        {META_INTERSECTCLIPRECT, 4},
        {META_EXCLUDECLIPRECT, 4},
        {META_SELECTCLIPREGION, 1},
        {META_EXTTEXTOUT, 4},
        {META_TEXTOUT, 3},
    };
    for (const auto& [funktion, worte] : wmfSaetze)
        QTest::addRow("wmf 0x%04x", unsigned(funktion))
            << wmf(funktion, worte) << wmf(funktion, worte - 1);
}

void TstMetafile::satzZuKurz()
{
    QFETCH(QByteArray, ganz);
    QFETCH(QByteArray, kurz);
    QVERIFY(TMetafileBild::lesen(ganz));
    QVERIFY(!TMetafileBild::lesen(kurz));
}

// What Inkscape and LibreOffice write for a gold rectangle, a blue circle over it and a red
// curve (tests/metafile/daten/zeichnung.svg): each shows as that drawing.
void TstMetafile::andereProgramme_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QSize>("groesse");
    QTest::addColumn<QPoint>("gold");
    QTest::addColumn<QPoint>("blau");
    QTest::addColumn<QPoint>("rot");
    QTest::addColumn<QPoint>("weiss");
    // Inkscape keeps the page; LibreOffice crops to the drawing and scales it a little.
    QTest::newRow("inkscape emf") << "inkscape.emf" << QSize(121, 83) << QPoint(30, 30)
                                  << QPoint(75, 45) << QPoint(60, 74) << QPoint(110, 20);
    QTest::newRow("inkscape wmf") << "inkscape.wmf" << QSize(120, 80) << QPoint(30, 30)
                                  << QPoint(75, 45) << QPoint(60, 74) << QPoint(110, 20);
    QTest::newRow("libreoffice emf") << "libreoffice.emf" << QSize(112, 72) << QPoint(21, 21)
                                     << QPoint(66, 36) << QPoint(50, 69) << QPoint(101, 11);
    QTest::newRow("libreoffice wmf") << "libreoffice.wmf" << QSize(112, 72) << QPoint(21, 21)
                                     << QPoint(66, 36) << QPoint(50, 69) << QPoint(101, 11);
}

void TstMetafile::andereProgramme()
{
    QFETCH(QString, datei);
    QFETCH(QSize, groesse);
    QFETCH(QPoint, gold);
    QFETCH(QPoint, blau);
    QFETCH(QPoint, rot);
    QFETCH(QPoint, weiss);
    QFile f(QStringLiteral(ZW_TESTDATEN "/") + datei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QImage bild = gezeichnet(f.readAll());
    QVERIFY(!bild.isNull());
    QCOMPARE(bild.size(), groesse);
    QCOMPARE(QColor(bild.pixel(gold)), QColor(255, 215, 0));
    QCOMPARE(QColor(bild.pixel(blau)), QColor(0, 0, 255));
    QCOMPARE(QColor(bild.pixel(rot)), QColor(255, 0, 0));
    QCOMPARE(QColor(bild.pixel(weiss)), QColor(Qt::white));
    // The rectangle's black outline is there: somewhere left of the gold, in its row.
    bool rand = false;
    for (int x = 0; x < gold.x(); ++x)
        rand = rand || QColor(bild.pixel(x, gold.y())) == QColor(Qt::black);
    QVERIFY(rand);
}

// Files made to be costly stay readable within the reader's bounds, and drawing stops at its
// deadline.
void TstMetafile::grenzen_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QSize>("groesse");
    QTest::addColumn<bool>("formen"); // whether there is anything to draw
    QTest::newRow("wmf mit allen plaetzen belegt")
        << feindlich::wmfVolleTabelle() << QSize(100, 100) << false;
    QTest::newRow("emf mit breitem punktstift")
        << feindlich::emfBreiterPunktstift() << QSize(500, 500) << true;
    QTest::newRow("unser testbild") << emfVon(testbildZeichner()) << QSize(504, 136) << true;
}

void TstMetafile::grenzen()
{
    QFETCH(QByteArray, datei);
    QFETCH(QSize, groesse);
    QFETCH(bool, formen);
    const auto m = TMetafileBild::lesen(datei);
    if (!m)
        QFAIL("the reader refused the file");
    QCOMPARE(m->groesse(), groesse);
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    // A deadline already past: nothing at all is drawn, and the drawing says so.
    QCOMPARE(m->zeichne(p, QRectF(QPointF(0, 0), QSizeF(groesse)), QDeadlineTimer(0)), !formen);
    p.end();
    QImage weiss(groesse, QImage::Format_RGB32);
    weiss.fill(Qt::white);
    QCOMPARE(bild, weiss);
}

// A shape that alone would cost more than the whole budget is left out; what follows is drawn.
void TstMetafile::teureFormWeggelassen()
{
    const QImage mit = gezeichnet(feindlich::emfZufallsvieleck(100'000));
    const QImage ohne = gezeichnet(feindlich::emfZufallsvieleck(0));
    QVERIFY(!ohne.isNull());
    QCOMPARE(QColor(ohne.pixel(20, 20)), QColor(Qt::black));
    QCOMPARE(mit, ohne);
    // A few hundred such points are an ordinary shape, and drawn.
    QVERIFY(gezeichnet(feindlich::emfZufallsvieleck(200)) != ohne);
}

// A shape the records can express is written, whatever the transform; one they cannot (a
// gradient, a translucent colour, reduced opacity) is left out, not written in a wrong colour.
void TstMetafile::nurWasDieDateiTraegt_data()
{
    QTest::addColumn<Zeichner>("zeichner");
    QTest::addColumn<int>("flaechen"); // filled rectangles and polygons in the EMF

    const QRect r(2, 2, 10, 10);
    QTest::newRow("volle farbe") << Zeichner([r](QPainter& p) { p.fillRect(r, Qt::red); }) << 1;
    QTest::newRow("gedreht") << Zeichner([r](QPainter& p) {
        p.rotate(30);
        p.fillRect(r, Qt::red);
    }) << 1;
    QTest::newRow("pfad") << Zeichner([r](QPainter& p) {
        QPainterPath pfad;
        pfad.addEllipse(r);
        p.fillPath(pfad, Qt::red);
    }) << 1;
    QTest::newRow("verlauf") << Zeichner([r](QPainter& p) {
        QLinearGradient verlauf(r.topLeft(), r.bottomRight());
        verlauf.setColorAt(0, Qt::red);
        verlauf.setColorAt(1, Qt::blue);
        p.fillRect(r, verlauf);
    }) << 0;
    QTest::newRow("durchscheinend")
        << Zeichner([r](QPainter& p) { p.fillRect(r, QColor(255, 0, 0, 128)); }) << 0;
    QTest::newRow("deckkraft") << Zeichner([r](QPainter& p) {
        p.setOpacity(0.5);
        p.fillRect(r, Qt::red);
    }) << 0;
}

void TstMetafile::nurWasDieDateiTraegt()
{
    QFETCH(Zeichner, zeichner);
    QFETCH(int, flaechen);
    int n = 0;
    for (const Satz& x : emfSaetze(emfVon(zeichner)))
        n += x.typ == EMR_RECTANGLE || x.typ == EMR_POLYGON || x.typ == EMR_POLYGON16;
    QCOMPARE(n, flaechen);
}

QTEST_MAIN(TstMetafile)
#include "tst_metafile.moc"
