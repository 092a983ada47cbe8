// The metafile writers and reader: file structure checked field by field, the pictures checked
// by drawing them back (ours and independent readers), and the reader fed broken files.
#include "testbild.h"

#include "chart/tchart.h"
#include "metafile/emfgeraet.h"
#include "metafile/metafileleser.h"
#include "metafile/wmfgeraet.h"

#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
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
constexpr auto emfVon = &aufgezeichnet<EmfGeraet>;
constexpr auto wmfVon = &aufgezeichnet<WmfGeraet>;
QByteArray dateiVon(bool emf, const Zeichner& z) { return emf ? emfVon(z) : wmfVon(z); }

quint16 u16(const QByteArray& b, qsizetype at)
{
    return static_cast<quint16>(static_cast<uchar>(b[at]) | (static_cast<uchar>(b[at + 1]) << 8));
}
qint16 i16(const QByteArray& b, qsizetype at) { return static_cast<qint16>(u16(b, at)); }
quint32 u32(const QByteArray& b, qsizetype at) { return u16(b, at) | (quint32(u16(b, at + 2)) << 16); }
qint32 i32(const QByteArray& b, qsizetype at) { return static_cast<qint32>(u32(b, at)); }
void setzeU32(QByteArray& b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void setzeU16(QByteArray& b, qsizetype at, quint16 v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

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
    setzeU32(h, 0, 1);
    setzeU32(h, 4, 88);
    setzeU32(h, 32, quint32(qRound(px.width() * 2540 / 96.0)));
    setzeU32(h, 36, quint32(qRound(px.height() * 2540 / 96.0)));
    setzeU32(h, 40, 0x464D4520);
    setzeU32(h, 44, 0x10000);
    setzeU16(h, 56, 4);
    setzeU32(h, 72, 1920), setzeU32(h, 76, 1440), setzeU32(h, 80, 508), setzeU32(h, 84, 381);
    QByteArray f = h + saetze + emfSatz(14, {0, 16, 20});
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
QByteArray fremdesWmf(const QByteArray& saetze, std::optional<std::pair<QRect, int>> rahmen = std::nullopt)
{
    QByteArray f;
    if (rahmen) {
        f.resize(22);
        f.fill('\0');
        setzeU32(f, 0, 0x9AC6CDD7);
        const QRect& r = rahmen->first;
        setzeU16(f, 6, quint16(r.left())), setzeU16(f, 8, quint16(r.top()));
        setzeU16(f, 10, quint16(r.right() + 1)), setzeU16(f, 12, quint16(r.bottom() + 1));
        setzeU16(f, 14, quint16(rahmen->second));
        quint16 pruef = 0;
        for (int i = 0; i < 10; ++i)
            pruef ^= u16(f, 2 * i);
        setzeU16(f, 20, pruef);
    }
    QByteArray h(18, '\0');
    setzeU16(h, 0, 1), setzeU16(h, 2, 9), setzeU16(h, 4, 0x300), setzeU16(h, 10, 4);
    const QByteArray rest = saetze + wmfSatz(0, {});
    setzeU32(h, 6, quint32((h.size() + rest.size()) / 2));
    return f + h + rest;
}

constexpr qint32 kBestand = qint32(0x80000000u);

Zeichner testbildZeichner() { return [](QPainter& p) { testbild::zeichne(p); }; }

} // namespace

Q_DECLARE_METATYPE(Zeichner)
Q_DECLARE_METATYPE(std::vector<int>)

class TestMetafile : public QObject {
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
    void externeLeser_data();
    void externeLeser();
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
};

void TestMetafile::emfKopf_data()
{
    QTest::addColumn<Zeichner>("zeichner");
    QTest::addColumn<QRect>("grenzen"); // inclusive pixels drawn

    QTest::newRow("testbild") << testbildZeichner() << QRect(QPoint(0, 0), QPoint(504, 136));
    QTest::newRow("eine linie") << Zeichner([](QPainter& p) { p.drawLine(10, 20, 30, 20); })
                                << QRect(QPoint(10, 20), QPoint(30, 20));
    QTest::newRow("linie rueckwaerts") << Zeichner([](QPainter& p) { p.drawLine(30, 40, 30, 20); })
                                       << QRect(QPoint(30, 20), QPoint(30, 40));
    QTest::newRow("flaeche") << Zeichner([](QPainter& p) { p.fillRect(QRect(5, 6, 10, 4), Qt::red); })
                             << QRect(QPoint(5, 6), QPoint(14, 9));
    QTest::newRow("rahmen") << Zeichner([](QPainter& p) { p.drawRect(QRect(5, 6, 10, 4)); })
                            << QRect(QPoint(5, 6), QPoint(15, 10));
    QTest::newRow("nichts") << Zeichner([](QPainter&) {}) << QRect();
}

void TestMetafile::emfKopf()
{
    QFETCH(Zeichner, zeichner);
    QFETCH(QRect, grenzen);
    const QByteArray f = emfVon(zeichner);
    const auto s = emfSaetze(f);
    QVERIFY(s.size() >= 2);

    const QByteArray& h = s.front().d;
    QCOMPARE(s.front().typ, 1u);
    QVERIFY(h.size() >= 88);
    QCOMPARE(u32(f, 40), 0x464D4520u);
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
        case 38:
        case 39:
        case 82:
            QVERIFY(ih != 0);
            QVERIFY2(!lebend.count(ih), "created over a live handle");
            lebend.insert(ih);
            hoechster = std::max(hoechster, ih);
            break;
        case 37:
            QVERIFY((ih & 0x80000000u) || lebend.count(ih));
            break;
        case 40:
            QVERIFY(lebend.erase(ih) == 1);
            break;
        default: break;
        }
    }
    QVERIFY2(lebend.empty(), "handles left undeleted at the end");
    QCOMPARE(u16(f, 56), quint16(hoechster + 1));
    QCOMPARE(s.back().typ, 14u);
    QCOMPARE(s.back().d.size(), 20);
    QCOMPARE(s.back().at + 20, f.size());

    const auto m = TMetafileBild::lesen(f);
    QVERIFY(m);
    QCOMPARE(m->groesse(), QSize(504, 136));
}

void TestMetafile::wmfKopf()
{
    QFETCH(Zeichner, zeichner);
    const QByteArray f = wmfVon(zeichner);
    QVERIFY(f.size() > kWmfStart);
    QCOMPARE(u32(f, 0), 0x9AC6CDD7u);
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
    QCOMPARE(s.back().typ, 0u);
    QCOMPARE(s.back().at + 6, f.size());
    quint32 groesster = 0;
    std::vector<bool> tabelle;
    int spitze = 0;
    bool fensterOrg = false, fensterExt = false;
    for (const Satz& x : s) {
        groesster = std::max(groesster, quint32(x.d.size() / 2));
        switch (x.typ) {
        case 0x02FA:
        case 0x02FB:
        case 0x02FC: {
            const auto frei = std::find(tabelle.begin(), tabelle.end(), false);
            const auto i = frei - tabelle.begin();
            if (frei == tabelle.end())
                tabelle.push_back(true);
            else
                *frei = true;
            spitze = std::max(spitze, int(i) + 1);
            break;
        }
        case 0x012D:
            QVERIFY(u16(x.d, 6) < tabelle.size() && tabelle[u16(x.d, 6)]);
            break;
        case 0x01F0:
            QVERIFY(u16(x.d, 6) < tabelle.size() && tabelle[u16(x.d, 6)]);
            tabelle[u16(x.d, 6)] = false;
            break;
        case 0x020B:
            fensterOrg = i16(x.d, 6) == 0 && i16(x.d, 8) == 0;
            break;
        case 0x020C:
            fensterExt = i16(x.d, 6) == 136 && i16(x.d, 8) == 504;
            break;
        default: break;
        }
    }
    QVERIFY(fensterOrg && fensterExt);
    QVERIFY2(std::count(tabelle.begin(), tabelle.end(), true) == 0, "objects left undeleted at the end");
    QCOMPARE(u16(f, 32), quint16(spitze));
    QCOMPARE(u32(f, 34), groesster);

    const auto m = TMetafileBild::lesen(f);
    QVERIFY(m);
    QCOMPARE(m->groesse(), QSize(504, 136));
}

void TestMetafile::objektplaetze_data()
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
    }) << std::vector<int>{0, 1, 0} << 2 << std::vector<int>{1, 2, 1};
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

void TestMetafile::objektplaetze()
{
    QFETCH(Zeichner, zeichner);
    QFETCH(std::vector<int>, wmfWahl);
    QFETCH(int, wmfSpitze);
    QFETCH(std::vector<int>, emfWahl);

    const QByteArray w = wmfVon(zeichner);
    std::vector<int> gewaehlt;
    for (const Satz& x : wmfSaetze(w))
        if (x.typ == 0x012D)
            gewaehlt.push_back(u16(x.d, 6));
    QCOMPARE(gewaehlt, wmfWahl);
    QCOMPARE(int(u16(w, 32)), wmfSpitze);

    gewaehlt.clear();
    for (const Satz& x : emfSaetze(emfVon(zeichner)))
        if (x.typ == 37 && !(u32(x.d, 8) & 0x80000000u))
            gewaehlt.push_back(int(u32(x.d, 8)));
    QCOMPARE(gewaehlt, emfWahl);
}

void TestMetafile::schriften_data()
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

void TestMetafile::schriften()
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

    const Satz e = ersterSatz(emfSaetze(emfVon(z)), 82);
    QVERIFY(e.at >= 0);
    QCOMPARE(i32(e.d, 12), -pixel);
    QCOMPARE(i32(e.d, 20), winkel);
    QCOMPARE(i32(e.d, 24), winkel);
    QCOMPARE(i32(e.d, 28), gewicht);
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(e.d.constData() + 40)), name);

    const Satz w = ersterSatz(wmfSaetze(wmfVon(z)), 0x02FB);
    QVERIFY(w.at >= 0);
    QCOMPARE(i16(w.d, 6), qint16(-pixel));
    QCOMPARE(i16(w.d, 10), qint16(winkel));
    QCOMPARE(i16(w.d, 12), qint16(winkel));
    QCOMPARE(i16(w.d, 14), qint16(gewicht));
    QCOMPARE(QString::fromLatin1(w.d.constData() + 24), name);

    // The rotated title's reference point is where the painter put it, in device pixels.
    const Satz t = ersterSatz(emfSaetze(emfVon(z)), 84);
    QCOMPARE(QPoint(i32(t.d, 36), i32(t.d, 40)), QPoint(20, 100));
}

void TestMetafile::textKodierung_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("ansi");

    QTest::newRow("umlaute") << QStringLiteral("Stunden äöüß") << QByteArray("Stunden \xE4\xF6\xFC\xDF");
    QTest::newRow("euro und strich") << QStringLiteral("5 € – 6") << QByteArray("5 \x80 \x96 6");
    QTest::newRow("ausserhalb") << QStringLiteral("a✓b") << QByteArray("a?b");
    QTest::newRow("ersatzpaar") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void TestMetafile::textKodierung()
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
        if (e.typ != 84)
            continue;
        ++teile;
        const quint32 n = u32(e.d, 44);
        emfText += QString::fromUtf16(reinterpret_cast<const char16_t*>(e.d.constData() + u32(e.d, 48)), n);
        for (quint32 i = 0; i < n; ++i)
            summe += i32(e.d, u32(e.d, 72) + 4 * i);
    }
    QCOMPARE(emfText, text);
    QVERIFY2(std::abs(summe - breite) <= teile, qPrintable(QStringLiteral("%1 vs %2").arg(summe).arg(breite)));

    // WMF: Windows-1252, one advance per byte, the same width.
    QByteArray wmfText;
    summe = 0;
    for (const Satz& w : wmfSaetze(wmfVon(z))) {
        if (w.typ != 0x0A32)
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

void TestMetafile::externeLeser_data()
{
    QTest::addColumn<bool>("emf");
    QTest::newRow("emf2svg-conv") << true;
    QTest::newRow("wmf2svg") << false;
}

void TestMetafile::externeLeser()
{
    QFETCH(bool, emf);
    const QString programm = QStandardPaths::findExecutable(emf ? QStringLiteral("emf2svg-conv") : QStringLiteral("wmf2svg"));
    if (programm.isEmpty())
        QSKIP("converter not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ein = dir.filePath(emf ? QStringLiteral("bild.emf") : QStringLiteral("bild.wmf"));
    const QString aus = dir.filePath(QStringLiteral("bild.svg"));
    QFile f(ein);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dateiVon(emf, testbildZeichner()));
    f.close();

    QProcess p;
    const QStringList args = emf ? QStringList{QStringLiteral("-i"), ein, QStringLiteral("-o"), aus}
                                 : QStringList{QStringLiteral("-o"), aus, ein};
    p.start(programm, args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QFile svg(aus);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString inhalt = QString::fromLatin1(svg.readAll());
    // Text may come out one element per character: join what the text elements hold.
    QString texte;
    const QRegularExpression textElement(QStringLiteral("<text[^>]*>(?:<!\\[CDATA\\[)?([^<\\]]*)"));
    for (auto it = textElement.globalMatch(inhalt); it.hasNext();)
        texte += it.next().captured(1).trimmed();
    QVERIFY2(texte.contains(QStringLiteral("Promille")), qPrintable(texte));
    QVERIFY2(texte.contains(QStringLiteral("Stunden")), qPrintable(texte));
    QVERIFY(texte.contains(QStringLiteral("0,385")));
    QVERIFY(inhalt.count(QStringLiteral("<rect")) >= 3);
    QVERIFY(inhalt.count(QStringLiteral("<polygon")) + inhalt.count(QStringLiteral("<path")) >= 3);
    // The gold of the area, by number or by its SVG name.
    QVERIFY(inhalt.contains(QStringLiteral("FFD700"), Qt::CaseInsensitive) || inhalt.contains(QStringLiteral("fill:gold")));
}

void TestMetafile::rundreise_data()
{
    QTest::addColumn<bool>("emf");
    QTest::addColumn<bool>("diagramm");
    QTest::newRow("testbild emf") << true << false;
    QTest::newRow("testbild wmf") << false << false;
    QTest::newRow("diagramm emf") << true << true;
    QTest::newRow("diagramm wmf") << false << true;
}

void TestMetafile::rundreise()
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
    const int fehler = unterschiede(ist.convertToFormat(QImage::Format_RGB32), soll.convertToFormat(QImage::Format_RGB32));
    if (fehler > 12) {
        ist.save(QDir::temp().filePath(QStringLiteral("rundreise-ist.png")));
        soll.save(QDir::temp().filePath(QStringLiteral("rundreise-soll.png")));
    }
    QVERIFY2(fehler <= 12, qPrintable(QStringLiteral("%1 pixels differ").arg(fehler)));
}

void TestMetafile::fremdeDateien_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QSize>("groesse"); // empty: not readable
    QTest::addColumn<QPoint>("schwarz"); // negative: no pixels checked
    QTest::addColumn<QPoint>("weiss");
    const QSize standard(100, 50);
    const QPoint keiner(-1, -1);

    const QByteArray schwarzOhneRand = emfSatz(37, {kBestand | 4}) + emfSatz(37, {kBestand | 8});
    QTest::newRow("rechteck ohne stift laesst rechts und unten zwei aus")
        << fremdesEmf(schwarzOhneRand + emfSatz(43, {10, 10, 20, 20})) << standard << QPoint(18, 18) << QPoint(19, 19);
    QTest::newRow("rechteck mit stift")
        << fremdesEmf(emfSatz(37, {kBestand | 4}) + emfSatz(43, {10, 10, 20, 20})) << standard << QPoint(19, 19) << QPoint(20, 20);
    QTest::newRow("anisotrop doppelt")
        << fremdesEmf(schwarzOhneRand + emfSatz(17, {8}) + emfSatz(9, {100, 100}) + emfSatz(11, {200, 200})
                      + emfSatz(43, {5, 5, 10, 11}))
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("restoredc holt den pinsel zurueck")
        << fremdesEmf(schwarzOhneRand + emfSatz(33, {}) + emfSatz(37, {kBestand | 0}) + emfSatz(34, {-1})
                      + emfSatz(43, {10, 10, 20, 20}))
        << standard << QPoint(12, 12) << QPoint(30, 30);
    QTest::newRow("polygon mit 32 bit")
        << fremdesEmf(schwarzOhneRand + emfSatz(3, {30, 30, 40, 40, 4, 30, 30, 40, 30, 40, 40, 30, 40}))
        << standard << QPoint(35, 35) << QPoint(45, 35);
    QTest::newRow("weltverschiebung")
        << fremdesEmf(schwarzOhneRand + emfSatz(35, {0x3F800000, 0, 0, 0x3F800000, 0x42480000, 0})
                      + emfSatz(43, {0, 0, 10, 10}))
        << standard << QPoint(55, 5) << QPoint(5, 5);
    // Slot 0 holds a palette, so the brush created next goes into slot 1.
    QTest::newRow("wmf palette belegt einen platz")
        << fremdesWmf(wmfSatz(0x020C, {50, 100}) + wmfSatz(0x00F7, {0x300, 0})
                      + wmfSatz(0x02FC, {0, 0, 0, 0}) + wmfSatz(0x02FA, {5, 0, 0, 0, 0})
                      + wmfSatz(0x012D, {1}) + wmfSatz(0x012D, {2}) + wmfSatz(0x041B, {20, 20, 10, 10}))
        << standard << QPoint(15, 15) << QPoint(25, 25);
    QTest::newRow("wmf fenster auf den rahmen abgebildet")
        << fremdesWmf(wmfSatz(0x020C, {25, 50}) + wmfSatz(0x02FC, {0, 0, 0, 0}) + wmfSatz(0x012D, {0})
                          + wmfSatz(0x041B, {10, 10, 5, 5}),
                      std::make_pair(QRect(0, 0, 100, 50), 96))
        << standard << QPoint(15, 15) << QPoint(30, 30);

    const QByteArray linie = wmfSatz(0x0214, {0, 0}) + wmfSatz(0x0213, {10, 10});
    QTest::newRow("emf 300 x 200") << fremdesEmf({}, QSize(300, 200)) << QSize(300, 200) << keiner << keiner;
    QTest::newRow("wmf in twips") << fremdesWmf(linie, std::make_pair(QRect(0, 0, 2880, 1440), 1440)) << QSize(192, 96) << keiner << keiner;
    QTest::newRow("wmf ohne platzierung") << fremdesWmf(wmfSatz(0x020C, {200, 300}) + linie) << QSize(300, 200) << keiner << keiner;
    QTest::newRow("wmf ohne platzierung und fenster") << fremdesWmf(linie) << QSize() << keiner << keiner;
    QTest::newRow("wmf 0 einheiten je zoll") << fremdesWmf(linie, std::make_pair(QRect(0, 0, 100, 100), 0)) << QSize() << keiner << keiner;
    QTest::newRow("emf ohne ende") << fremdesEmf({}).chopped(20) << QSize() << keiner << keiner;
}

void TestMetafile::fremdeDateien()
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
    if (schwarz.x() >= 0) {
        QCOMPARE(QColor(bild.pixel(schwarz)), QColor(Qt::black));
        QCOMPARE(QColor(bild.pixel(weiss)), QColor(Qt::white));
    }
}

void TestMetafile::abgeschnitten_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::newRow("emf") << emfVon(testbildZeichner());
    QTest::newRow("wmf") << wmfVon(testbildZeichner());
}

void TestMetafile::abgeschnitten()
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

void TestMetafile::verfaelscht_data()
{
    QTest::addColumn<bool>("emf");
    QTest::addColumn<Aenderung>("aenderung");
    QTest::addColumn<bool>("lesbar");

    QTest::newRow("emf satzgroesse 0") << true << emfFeld(86, 4, 0) << false;
    QTest::newRow("emf satzgroesse ungerade") << true << emfFeld(86, 4, 30) << false;
    QTest::newRow("emf satzgroesse riesig") << true << emfFeld(86, 4, 0xFFFFFFF0u) << false;
    QTest::newRow("emf punktzahl riesig") << true << emfFeld(86, 24, 0x40000000u) << false;
    QTest::newRow("emf punktzahl zu gross") << true << emfFeld(86, 24, 5) << false;
    QTest::newRow("emf textlaenge riesig") << true << emfFeld(84, 44, 0x7FFFFFFFu) << false;
    QTest::newRow("emf textversatz ausserhalb") << true << emfFeld(84, 48, 0xFFFFFFF0u) << false;
    QTest::newRow("emf dx ausserhalb") << true << emfFeld(84, 72, 0x10000u) << false;
    QTest::newRow("emf dateilaenge zu gross") << true << emfFeld(1, 48, 0x7FFFFFFFu) << false;
    QTest::newRow("emf kopf zu klein") << true << emfFeld(1, 4, 40) << false;
    QTest::newRow("emf rahmen leer") << true << emfFeld(1, 32, 0) << false;
    QTest::newRow("emf objekt ausserhalb der tabelle") << true << emfFeld(38, 8, 60000) << true;
    QTest::newRow("emf handles 0") << true << Aenderung([](QByteArray& f) { setzeU16(f, 56, 0); }) << true;
    QTest::newRow("emf schrift riesig") << true << emfFeld(82, 12, 0x80000000u) << true;
    QTest::newRow("emf stiftbreite riesig") << true << emfFeld(38, 16, 0x7FFFFFFFu) << true;
    QTest::newRow("emf unbekannter satz") << true << emfFeld(86, 0, 0x7777) << true;
    QTest::newRow("emf ende fehlt") << true << emfFeld(14, 0, 0x7777) << false;

    QTest::newRow("wmf satzgroesse 0") << false << wmfFeld(0x0324, 0, 0) << false;
    QTest::newRow("wmf satzgroesse riesig") << false << wmfFeld(0x0324, 2, 0x7FFF) << false;
    QTest::newRow("wmf punktzahl riesig") << false << wmfFeld(0x0324, 6, 0x7FFF) << false;
    QTest::newRow("wmf punktzahl negativ") << false << wmfFeld(0x0324, 6, 0x8000) << false;
    QTest::newRow("wmf textlaenge riesig") << false << wmfFeld(0x0A32, 10, 0x7FFF) << false;
    QTest::newRow("wmf dateigroesse zu gross") << false << Aenderung([](QByteArray& f) { setzeU32(f, 28, 0x7FFFFFFF); }) << false;
    QTest::newRow("wmf pruefsumme") << false << Aenderung([](QByteArray& f) { f[20] = static_cast<char>(f[20] ^ 1); }) << false;
    QTest::newRow("wmf objekttabelle leer") << false << Aenderung([](QByteArray& f) { setzeU16(f, 32, 0); }) << true;
    QTest::newRow("wmf objekttabelle riesig") << false << Aenderung([](QByteArray& f) { setzeU16(f, 32, 0xFFFF); }) << true;
    QTest::newRow("wmf auswahl ausserhalb") << false << wmfFeld(0x012D, 6, 0xFFFF) << true;
    QTest::newRow("wmf fenster 0") << false << wmfFeld(0x020C, 6, 0) << true;
    QTest::newRow("wmf schrift riesig") << false << wmfFeld(0x02FB, 6, 0x8000) << true;
}

void TestMetafile::verfaelscht()
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

void TestMetafile::zufallsfehler()
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

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
