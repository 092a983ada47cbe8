// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testchart.h"
#include "ui/anwendung.h"
#include "ui/bildexport.h"
#include "ui/zwischenablage.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <QScopeGuard>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zw;

Q_DECLARE_METATYPE(zw::TBildArt)

namespace {

// Records every call of a melder.
struct TProtokoll {
    QStringList texte;
    TFehlerMelder melder()
    {
        return [this](const QString& t) { texte << t; };
    }
};

// A file name as failure texts show it: isolated, so that its direction marks stay in it.
QString Isoliert(const QString& name) { return QChar(0x2068) + name + QChar(0x2069); }

quint32 U32(const QByteArray& d, int pos)
{
    return qFromLittleEndian<quint32>(d.constData() + pos);
}
qint32 I32(const QByteArray& d, int pos) { return qFromLittleEndian<qint32>(d.constData() + pos); }
qint16 I16(const QByteArray& d, int pos) { return qFromLittleEndian<qint16>(d.constData() + pos); }

// Checks that daten is a file of the given kind for the 505 x 137 chart.
void PruefeBilddatei(const QByteArray& daten, TBildArt art, const QImage& gerendert)
{
    switch (art) {
    case TBildArt::Wmf:
        QVERIFY(daten.size() > 22 + 18);
        QCOMPARE(U32(daten, 0), 0x9AC6CDD7u);
        // Placeable header: bounding box and units per inch.
        QCOMPARE(I16(daten, 10) - I16(daten, 6), 504);
        QCOMPARE(I16(daten, 12) - I16(daten, 8), 136);
        QCOMPARE(I16(daten, 14), 96);
        break;
    case TBildArt::Emf:
        QVERIFY(daten.size() > 88);
        QCOMPARE(U32(daten, 0), 1u);
        QCOMPARE(daten.mid(40, 4), QByteArray(" EMF"));
        QCOMPARE(qint64(U32(daten, 48)), qint64(daten.size()));
        break;
    case TBildArt::Bmp: {
        QCOMPARE(daten.left(2), QByteArray("BM"));
        QCOMPARE(qint64(U32(daten, 2)), qint64(daten.size()));
        QCOMPARE(I32(daten, 18), 505);
        QCOMPARE(qAbs(I32(daten, 22)), 137);
        const QImage bild = QImage::fromData(daten, "BMP");
        QCOMPARE(bild.convertToFormat(QImage::Format_RGB32),
                 gerendert.convertToFormat(QImage::Format_RGB32));
        break;
    }
    case TBildArt::Png: {
        QCOMPARE(daten.left(8), QByteArray("\x89PNG\r\n\x1a\n"));
        const QImage bild = QImage::fromData(daten, "PNG");
        QCOMPARE(bild.convertToFormat(QImage::Format_RGB32),
                 gerendert.convertToFormat(QImage::Format_RGB32));
        break;
    }
    case TBildArt::Svg:
        QVERIFY(daten.startsWith("<?xml") || daten.startsWith("<svg"));
        QVERIFY(daten.contains("<svg"));
        QVERIFY(daten.contains("viewBox=\"0 0 505 137\""));
        QVERIFY(daten.contains("</svg>"));
        break;
    case TBildArt::Keine: QFAIL("no kind");
    }
}

// A clipboard that cannot be opened, or a recording one.
class TTestAblage final : public TZwischenablage {
public:
    explicit TTestAblage(bool offen) : offen_(offen) {}
    bool setzeDaten(std::unique_ptr<QMimeData> daten) override
    {
        ++aufrufe;
        if (!offen_)
            return false;
        inhalt = std::move(daten);
        return true;
    }
    QString text() const override { return inhalt ? inhalt->text() : QString(); }

    std::unique_ptr<QMimeData> inhalt;
    int aufrufe = 0;

private:
    bool offen_;
};

long SeitenfehlerBisher()
{
    rusage verbrauch{};
    getrusage(RUSAGE_SELF, &verbrauch);
    return verbrauch.ru_minflt;
}

} // namespace

class TstBildexport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { chart_ = test::BierChart(); }

    // Saving again takes no fresh memory from the kernel: the program keeps what the last
    // picture freed. Each page taken fresh is a fault, and on a virtual machine a slow one.
    void wiederSpeichernOhneFrischenSpeicher_data()
    {
        QTest::addColumn<TBildArt>("art");
        QTest::newRow("bmp") << TBildArt::Bmp;
        QTest::newRow("png") << TBildArt::Png;
    }
    void wiederSpeichernOhneFrischenSpeicher()
    {
        QFETCH(TBildArt, art);
        const bool gesetzt = BehalteFreienSpeicher();
        // glibc's allocator takes the setting; the sanitizers' own declines it.
        QCOMPARE(gesetzt, !ZW_MIT_SANITIZERN);
        if (!gesetzt)
            return;
        QVERIFY(!ChartBild(*chart_, art).isEmpty());
        const long vorher = SeitenfehlerBisher();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!ChartBild(*chart_, art).isEmpty());
        const long seitenfehler = SeitenfehlerBisher() - vorher;
        QVERIFY2(seitenfehler < 8, qPrintable(QString::number(seitenfehler)));
    }

    // Pictures that record fonts name the chart's fonts as it asks for them, also after the
    // chart has been drawn on screen under the names of the faces installed in their stead.
    void schriftnamen_data()
    {
        QTest::addColumn<TBildArt>("art");
        QTest::addColumn<bool>("utf16");
        QTest::newRow("emf") << TBildArt::Emf << true;
        QTest::newRow("wmf") << TBildArt::Wmf << false;
        QTest::newRow("svg") << TBildArt::Svg << false;
    }
    void schriftnamen()
    {
        QFETCH(TBildArt, art);
        QFETCH(bool, utf16);
        const QImage amSchirm = chart_->alsBild(1.0);
        QVERIFY(!amSchirm.isNull());
        const QByteArray bild = ChartBild(*chart_, art);
        for (const QString& name : {QStringLiteral("Arial"), QStringLiteral("Small Fonts")}) {
            QByteArray gesucht;
            for (const QChar c : name) {
                gesucht += char(c.unicode() & 0xff); // EMF's UTF-16 is little-endian
                if (utf16)
                    gesucht += char(c.unicode() >> 8);
            }
            QVERIFY2(bild.contains(gesucht), qPrintable(name));
        }
        QVERIFY(!bild.contains("Liberation"));
    }

    // The ending of the file name alone decides the kind, in any case; a name without a known
    // ending writes nothing and says why.
    void speichern_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TBildArt>("art");
        QTest::newRow("wmf") << "bild.wmf" << TBildArt::Wmf;
        QTest::newRow("WMF") << "bild.WMF" << TBildArt::Wmf;
        QTest::newRow("emf") << "bild.emf" << TBildArt::Emf;
        QTest::newRow("Emf in a folder") << "unter/bild.Emf" << TBildArt::Emf;
        QTest::newRow("bmp") << "bild.bmp" << TBildArt::Bmp;
        QTest::newRow("bMp") << "bild.bMp" << TBildArt::Bmp;
        QTest::newRow("png after other dots") << "bild.tar.png" << TBildArt::Png;
        QTest::newRow("svg") << "bild.svg" << TBildArt::Svg;
        QTest::newRow("SVG") << "bild.SVG" << TBildArt::Svg;
        QTest::newRow("only an ending") << ".bmp" << TBildArt::Bmp;
        QTest::newRow("no extension") << "bild" << TBildArt::Keine;
        QTest::newRow("ending without dot") << "bildbmp" << TBildArt::Keine;
        QTest::newRow("trailing dot") << "bild." << TBildArt::Keine;
        QTest::newRow("dot after the ending") << "bild.bmp." << TBildArt::Keine;
        QTest::newRow("picture ending before another") << "bild.bmp.txt" << TBildArt::Keine;
        QTest::newRow("dot in folder only") << "ordner.wmf/bild" << TBildArt::Keine;
        QTest::newRow("longer ending") << "bild.xbmp" << TBildArt::Keine;
        QTest::newRow("other kind") << "bild.jpg" << TBildArt::Keine;
        QTest::newRow("empty") << "" << TBildArt::Keine;
    }
    void speichern()
    {
        QFETCH(QString, name);
        QFETCH(TBildArt, art);
        QCOMPARE(BildArtFuer(name), art);

        QTemporaryDir ordner;
        QVERIFY(QDir().mkpath(QFileInfo(ordner.filePath(name)).path()));
        const QString pfad = name.isEmpty() ? QString() : ordner.filePath(name);
        const bool bekannt = art != TBildArt::Keine;
        TProtokoll fehler, hinweis;
        QCOMPARE(SpeichereChart(*chart_, pfad, fehler.melder(), hinweis.melder()),
                 bekannt ? TSpeicherErgebnis::Gespeichert : TSpeicherErgebnis::UnbekannteEndung);
        QCOMPARE(fehler.texte, QStringList());
        QCOMPARE(hinweis.texte, bekannt ? QStringList() : QStringList{UnbekannteEndungText()});
        QCOMPARE(test::Dateien(ordner.path()), bekannt ? QStringList{name} : QStringList());
        if (bekannt)
            PruefeBilddatei(test::Lies(pfad), art, chart_->alsBild(1.0));
    }

    // The bitmap is at the screen's depth: 16 bits as a 16-bit display holds them (5-6-5, named
    // by bit masks), 15 bits as 5-5-5 without masks.
    void bitmapFarbtiefe_data()
    {
        QTest::addColumn<int>("farbtiefe");
        QTest::addColumn<int>("bitsProPunkt");
        QTest::addColumn<int>("kompression"); // 0 plain, 3 with bit masks
        QTest::addColumn<int>("toleranz");    // per colour channel
        QTest::newRow("monochrome") << 1 << 1 << 0 << 0;
        QTest::newRow("256 colours") << 8 << 8 << 0 << 32;
        QTest::newRow("15 bits") << 15 << 16 << 0 << 8;
        QTest::newRow("high colour") << 16 << 16 << 3 << 8;
        QTest::newRow("true colour") << 24 << 24 << 0 << 0;
        QTest::newRow("32 bits") << 32 << 32 << 0 << 0;
    }
    void bitmapFarbtiefe()
    {
        QFETCH(int, farbtiefe);
        QFETCH(int, bitsProPunkt);
        QFETCH(int, kompression);
        QFETCH(int, toleranz);
        const QByteArray bmp = ChartBild(*chart_, TBildArt::Bmp, farbtiefe);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(I16(bmp, 28), bitsProPunkt);
        QCOMPARE(int(U32(bmp, 30)), kompression);
        QCOMPARE(qsizetype(U32(bmp, 2)), bmp.size());
        const int zeile = (505 * bitsProPunkt / 8 + 3) / 4 * 4;
        QCOMPARE(qsizetype(U32(bmp, 10)) + zeile * 137, bmp.size());
        if (kompression == 3) {
            QCOMPARE(U32(bmp, 54), 0xF800u);
            QCOMPARE(U32(bmp, 58), 0x07E0u);
            QCOMPARE(U32(bmp, 62), 0x001Fu);
        }
        const QImage bild = QImage::fromData(bmp, "BMP");
        QCOMPARE(bild.size(), QSize(505, 137));
        if (bitsProPunkt < 8)
            return;
        // Every pixel keeps its colour and its place, within what the depth allows.
        const QImage original = chart_->alsBild(1.0);
        for (int y = 0; y < 137; ++y) {
            for (int x = 0; x < 505; ++x) {
                const QColor soll = original.pixelColor(x, y);
                const QColor ist = bild.pixelColor(x, y);
                if (qAbs(soll.red() - ist.red()) > toleranz ||
                    qAbs(soll.green() - ist.green()) > toleranz ||
                    qAbs(soll.blue() - ist.blue()) > toleranz)
                    QFAIL(qPrintable(QStringLiteral("%1,%2: %3 / %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(soll.name(), ist.name())));
            }
        }
        QVERIFY(original.pixelColor(150, 100) !=
                original.pixelColor(2, 2)); // one point in the area
    }

    void ersetztVorhandeneDatei()
    {
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath(QStringLiteral("bild.emf"));
        {
            QFile alt(pfad);
            QVERIFY(alt.open(QIODevice::WriteOnly));
            alt.write(QByteArray(300000, 'x')); // longer than the picture: nothing of it may remain
        }
        TProtokoll fehler, hinweis;
        QCOMPARE(SpeichereChart(*chart_, pfad, fehler.melder(), hinweis.melder()),
                 TSpeicherErgebnis::Gespeichert);
        QCOMPARE(fehler.texte, QStringList());
        QCOMPARE(test::Dateien(ordner.path()), QStringList{QStringLiteral("bild.emf")});
        PruefeBilddatei(test::Lies(pfad), TBildArt::Emf, {});
    }

    void nichtErstellbar_data()
    {
        QTest::addColumn<QString>("relativ");
        QTest::newRow("missing folder") << "fehlt/bild.bmp";
        QTest::newRow("file where a folder is expected") << "datei.txt/bild.emf";
        QTest::newRow("target is a folder") << "ordner.wmf";
    }
    void nichtErstellbar()
    {
        QFETCH(QString, relativ);
        QTemporaryDir ordner;
        {
            QFile datei(ordner.filePath(QStringLiteral("datei.txt")));
            QVERIFY(datei.open(QIODevice::WriteOnly));
            datei.write("inhalt");
        }
        QVERIFY(QDir(ordner.path()).mkdir(QStringLiteral("ordner.wmf")));
        const QStringList vorher = test::Dateien(ordner.path());
        const QString pfad = ordner.filePath(relativ);

        TProtokoll fehler, hinweis;
        QCOMPARE(SpeichereChart(*chart_, pfad, fehler.melder(), hinweis.melder()),
                 TSpeicherErgebnis::Fehlgeschlagen);

        QCOMPARE(fehler.texte, QStringList{QStringLiteral("Cannot create file ") + Isoliert(pfad)});
        QCOMPARE(hinweis.texte, QStringList());
        QCOMPARE(test::Dateien(ordner.path()), vorher);
        QCOMPARE(test::Lies(ordner.filePath(QStringLiteral("datei.txt"))), QByteArray("inhalt"));
    }

    // A name taken by anything but a regular file, itself or where its links lead, is refused
    // and stays what it was; a link to a regular file is written through and stays a link.
    void nurRegulaereDateien_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("gespeichert");
        QTest::newRow("named pipe") << "rohr.emf" << false;
        QTest::newRow("link to a named pipe") << "zum_rohr.emf" << false;
        QTest::newRow("link to a device") << "zum_geraet.bmp" << false;
        QTest::newRow("socket") << "sockel.wmf" << false;
        QTest::newRow("link to a folder") << "zum_ordner.emf" << false;
        QTest::newRow("link round in a circle") << "kreis.emf" << false;
        QTest::newRow("link to a file") << "zur_datei.emf" << true;
        QTest::newRow("link to nothing yet") << "ins_leere.emf" << true;
    }
    void nurRegulaereDateien()
    {
        QFETCH(QString, name);
        QFETCH(bool, gespeichert);
        QTemporaryDir ordner;
        const auto pfad = [&](const char* n) { return ordner.filePath(QString::fromLatin1(n)); };
        QCOMPARE(mkfifo(QFile::encodeName(pfad("rohr.emf")).constData(), 0600), 0);
        QVERIFY(QFile::link(pfad("rohr.emf"), pfad("zum_rohr.emf")));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), pfad("zum_geraet.bmp")));
        QVERIFY(QDir(ordner.path()).mkdir(QStringLiteral("ordner")));
        QVERIFY(QFile::link(pfad("ordner"), pfad("zum_ordner.emf")));
        QVERIFY(QFile::link(pfad("kreis.emf"), pfad("kreis.emf")));
        QVERIFY(QFile::link(pfad("ziel.emf"), pfad("ins_leere.emf")));
        {
            QFile datei(pfad("datei.emf"));
            QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write("alt") == 3);
        }
        QVERIFY(QFile::link(pfad("datei.emf"), pfad("zur_datei.emf")));
        const int sockel = socket(AF_UNIX, SOCK_STREAM, 0);
        const auto zu = qScopeGuard([sockel] { ::close(sockel); });
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        const QByteArray sockelname = QFile::encodeName(pfad("sockel.wmf"));
        QVERIFY(sockelname.size() < qsizetype(sizeof adresse.sun_path));
        std::memcpy(adresse.sun_path, sockelname.constData(), std::size_t(sockelname.size()));
        QCOMPARE(bind(sockel, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
        const auto art = [](const QString& p) {
            struct stat info{};
            return lstat(QFile::encodeName(p).constData(), &info) == 0 ? int(info.st_mode) : -1;
        };
        QStringList arten;
        for (const QString& eintrag :
             QDir(ordner.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            arten << eintrag + QLatin1Char(':') + QString::number(art(ordner.filePath(eintrag)), 8);
        struct stat geraet{};
        QCOMPARE(stat("/dev/null", &geraet), 0);

        TProtokoll fehler, hinweis;
        const QString ziel = ordner.filePath(name);
        QCOMPARE(SpeichereChart(*chart_, ziel, fehler.melder(), hinweis.melder()),
                 gespeichert ? TSpeicherErgebnis::Gespeichert : TSpeicherErgebnis::Fehlgeschlagen);
        QCOMPARE(fehler.texte,
                 gespeichert ? QStringList() : QStringList{DateiNichtErstelltText(ziel)});

        struct stat nachher{};
        QCOMPARE(stat("/dev/null", &nachher), 0);
        QVERIFY(S_ISCHR(nachher.st_mode) && nachher.st_rdev == geraet.st_rdev);
        QStringList artenNachher;
        for (const QString& eintrag :
             QDir(ordner.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            artenNachher << eintrag + QLatin1Char(':') +
                                QString::number(art(ordner.filePath(eintrag)), 8);
        if (!gespeichert) {
            QCOMPARE(artenNachher, arten);
            return;
        }
        // Links stay links; what they lead to holds the picture.
        QVERIFY(QFileInfo(ziel).isSymLink());
        PruefeBilddatei(test::Lies(ziel), TBildArt::Emf, {});
        PruefeBilddatei(test::Lies(QFileInfo(ziel).symLinkTarget()), TBildArt::Emf, {});
    }

    // A write that fails half-way (here: the file size limit, which also binds root) must leave
    // the file that was there untouched and no temporary file behind.
    void fehlgeschlagenesSchreibenErhaeltDatei_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("bmp") << "bild.bmp";
        QTest::newRow("emf") << "bild.emf";
        QTest::newRow("wmf") << "bild.wmf";
        QTest::newRow("svg") << "bild.svg";
    }
    void fehlgeschlagenesSchreibenErhaeltDatei()
    {
        QFETCH(QString, name);
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath(name);
        const QByteArray alt("der alte Inhalt");
        {
            QFile f(pfad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(alt);
        }
        QVERIFY(ChartBild(*chart_, BildArtFuer(name)).size() > 1024);

        rlimit vorher{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &vorher), 0);
        rlimit eng = vorher;
        eng.rlim_cur = 1024;
        const auto alterHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &eng), 0);
        TProtokoll fehler, hinweis;
        const TSpeicherErgebnis ergebnis =
            SpeichereChart(*chart_, pfad, fehler.melder(), hinweis.melder());
        setrlimit(RLIMIT_FSIZE, &vorher);
        std::signal(SIGXFSZ, alterHandler);

        QCOMPARE(ergebnis, TSpeicherErgebnis::Fehlgeschlagen);
        QCOMPARE(fehler.texte, QStringList{QStringLiteral("Cannot create file ") + Isoliert(pfad)});
        QCOMPARE(test::Lies(pfad), alt);
        QCOMPARE(test::Dateien(ordner.path()), QStringList{name});
    }

    void zwischenablage_data()
    {
        QTest::addColumn<QString>("ablage");
        QTest::addColumn<bool>("erfolg");
        QTest::newRow("recording clipboard") << "offen" << true;
        QTest::newRow("clipboard that cannot be opened") << "zu" << false;
        QTest::newRow("no system clipboard") << "keine" << false;
        QTest::newRow("system clipboard") << "system" << true;
    }
    void zwischenablage()
    {
        QFETCH(QString, ablage);
        QFETCH(bool, erfolg);
        QClipboard* system = QGuiApplication::clipboard();
        system->setText(QStringLiteral("vorher"));

        std::unique_ptr<TZwischenablage> ziel;
        TTestAblage* test = nullptr;
        if (ablage == QLatin1String("system")) {
            ziel = std::make_unique<TSystemZwischenablage>();
        } else if (ablage == QLatin1String("keine")) {
            ziel = std::make_unique<TSystemZwischenablage>(nullptr);
        } else {
            auto t = std::make_unique<TTestAblage>(ablage == QLatin1String("offen"));
            test = t.get();
            ziel = std::move(t);
        }

        TProtokoll fehler;
        QCOMPARE(Zwischenspeicher(*chart_, *ziel, fehler.melder()), erfolg);

        QCOMPARE(fehler.texte,
                 erfolg ? QStringList() : QStringList{QStringLiteral("Cannot open clipboard")});
        if (test != nullptr)
            QCOMPARE(test->aufrufe, 1); // all formats in one step
        const QMimeData* daten = test != nullptr ? test->inhalt.get() : nullptr;
        if (ablage == QLatin1String("system"))
            daten = system->mimeData();
        if (!erfolg) {
            QVERIFY(daten == nullptr);
            QCOMPARE(system->text(), QStringLiteral("vorher"));
            return;
        }
        QVERIFY(daten != nullptr);
        for (const char* format :
             {"image/emf", "image/x-emf",
              "application/x-openoffice-emf;windows_formatname=\"Image EMF\""}) {
            const QByteArray emf = daten->data(QLatin1String(format));
            QVERIFY2(emf.size() > 88 && emf.mid(40, 4) == " EMF", format);
        }
        QCOMPARE(QImage::fromData(daten->data(QStringLiteral("image/png")), "png").size(),
                 QSize(505, 137));
        // An image object would make the Wayland clipboard answer every image/ type with it.
        QVERIFY(!daten->hasImage());
        QVERIFY(!daten->hasText());
    }

    void systemZwischenablageText()
    {
        TSystemZwischenablage ablage;
        auto daten = std::make_unique<QMimeData>();
        daten->setText(QStringLiteral("Zeile 1\nZeile 2 °/oo"));
        QVERIFY(ablage.setzeDaten(std::move(daten)));
        QCOMPARE(ablage.text(), QStringLiteral("Zeile 1\nZeile 2 °/oo"));
        QCOMPARE(TSystemZwischenablage(nullptr).text(), QString());
    }

private:
    std::unique_ptr<TChart> chart_;
};

QTEST_MAIN(TstBildexport)
#include "tst_bildexport.moc"
