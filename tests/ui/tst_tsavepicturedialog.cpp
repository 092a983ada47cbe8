// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testchart.h"
#include "ui/bildexport.h"
#include "ui/tsavepicturedialog.h"
#include "vorschau/feindlichebilder.h"
#include "vorschautest.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtEndian>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <sys/stat.h>
#include <thread>

using namespace zw;

namespace {

bool Schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

// A bitmap header that claims breite x hoehe pixels at 24 bits, followed by a few bytes only.
QByteArray BmpKopf(qint32 breite, qint32 hoehe)
{
    QByteArray d(54 + 16, '\0');
    d[0] = 'B';
    d[1] = 'M';
    qToLittleEndian<quint32>(quint32(d.size()), d.data() + 2);
    qToLittleEndian<quint32>(54, d.data() + 10);
    qToLittleEndian<quint32>(40, d.data() + 14);
    qToLittleEndian<qint32>(breite, d.data() + 18);
    qToLittleEndian<qint32>(hoehe, d.data() + 22);
    qToLittleEndian<quint16>(1, d.data() + 26);
    qToLittleEndian<quint16>(24, d.data() + 28);
    return d;
}

// A 24-bit bitmap of breite x hoehe pixels (top-down when hoehe is negative) holding zeilen.
QByteArray Bmp(qint32 breite, qint32 hoehe, const QByteArray& zeilen)
{
    QByteArray d = BmpKopf(breite, hoehe).left(54) + zeilen;
    qToLittleEndian<quint32>(quint32(d.size()), d.data() + 2);
    return d;
}

// The answer to a selection, "(None)" included, is on show within the helper's time, plus what
// a timer's delivery may lag on a machine whose cores other programs keep busy (the work the
// program itself does meanwhile is measured strictly, as processor time). The old reader in the
// program's own process took up to two minutes.
constexpr qint64 kAntwortMs = TVorschauDienst::FristMs + 50;

// The longest the event loop may work at one go while the files are previewed. Decoding the
// costliest of them takes the helper its whole time, so here it would hold the loop for far
// longer; what the loop does itself takes about a millisecond. Processor time still includes the
// kernel's share: starting a helper copies the program's page tables, and on a busy machine
// under the sanitizers one such start was seen to take 17 ms. Hence a fifth of the helper's time
// rather than one frame.
constexpr double kSchleifeMs = TVorschauDienst::FristMs / 5.0;

// Selects pfad as the file list does and waits for the answer, with the event loop watched
// meanwhile if a watch is given; its time in ms, or -1 when none came within seconds.
qint64 Waehle(TSavePictureDialog& dialog, const QString& pfad,
              test::TSchleifenwache* wache = nullptr)
{
    QSignalSpy gezeigt(&dialog, &TSavePictureDialog::vorschauGezeigt);
    QElapsedTimer uhr;
    if (wache)
        wache->beginne();
    uhr.start();
    Q_EMIT dialog.currentChanged(pfad);
    const bool beantwortet = !gezeigt.isEmpty() || gezeigt.wait(5000);
    const qint64 ms = uhr.elapsed();
    if (wache)
        wache->halte();
    return beantwortet ? ms : -1;
}

// Waits until the dialog's helper is ready, as it is once the dialog has been open a moment.
bool Bereit(TSavePictureDialog& dialog)
{
    dialog.dienst().bereite();
    return QTest::qWaitFor([&] { return dialog.dienst().bereit(); }, 5000);
}

// Runs aktion as soon as a modal event loop runs; closes any modal window left open after a few
// seconds so that a test fails instead of hanging.
class TDialogFuehrer {
public:
    explicit TDialogFuehrer(std::function<void()> aktion)
    {
        QTimer::singleShot(0, std::move(aktion));
        wache_.setSingleShot(true);
        QObject::connect(&wache_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                haengt = true;
                modal->close();
            }
        });
        wache_.start(5000);
    }
    bool haengt = false;

private:
    QTimer wache_;
};

} // namespace

class TstTSavePictureDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(ordner_.isValid());
        chart_ = test::BierChart();
        const std::pair<const char*, TBildArt> eigene[] = {
            {"chart.emf", TBildArt::Emf}, {"chart.wmf", TBildArt::Wmf},
            {"chart.bmp", TBildArt::Bmp}, {"chart.png", TBildArt::Png},
            {"chart.svg", TBildArt::Svg},
        };
        for (const auto& [name, art] : eigene)
            QVERIFY(Schreibe(pfad(name), ChartBild(*chart_, art)));
        // Our metafile, with another ending: recognised by content.
        QVERIFY(Schreibe(pfad("metafile.bin"), ChartBild(*chart_, TBildArt::Emf)));
        QVERIFY(Schreibe(pfad("abgeschnitten.emf"), ChartBild(*chart_, TBildArt::Emf).left(60)));
        QVERIFY(Schreibe(pfad("muell.bmp"),
                         QByteArray("BM this is not a bitmap at all, just some text")));
        QVERIFY(Schreibe(pfad("leer.wmf"), QByteArray()));
        QVERIFY(Schreibe(pfad("riesig.bmp"), BmpKopf(100000, 100000)));
        QVERIFY(Schreibe(pfad("von_oben.bmp"), Bmp(5, -10, QByteArray(10 * 16, 'x'))));
        QVERIFY(Schreibe(pfad("zu_gross.emf"), QByteArray(MaxVorschauDateiBytes + 1, '\0')));
        QVERIFY(QDir(ordner_.path()).mkdir(QStringLiteral("ordner.bmp")));
        QCOMPARE(mkfifo(QFile::encodeName(pfad("rohr.bmp")).constData(), 0600), 0);
        QVERIFY(QFile::link(pfad("chart.emf"), pfad("verweis.emf")));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pfad("geraet.bmp")));
        QVERIFY(feindlicherOrdner_.isValid());
        QVERIFY(feindlich::SchreibeFeindlicheDateien(feindlicherOrdner_.path()));
    }

    void vorschau_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ueberschrift");
        QTest::newRow("our EMF") << "chart.emf"
                                 << "Picture: (504x136)";
        QTest::newRow("our WMF") << "chart.wmf"
                                 << "Picture: (504x136)";
        QTest::newRow("our BMP") << "chart.bmp"
                                 << "Picture: (505x137)";
        QTest::newRow("our PNG") << "chart.png"
                                 << "Picture: (505x137)";
        QTest::newRow("our SVG") << "chart.svg"
                                 << "Picture: (505x137)";
        QTest::newRow("metafile without ending") << "metafile.bin"
                                                 << "Picture: (504x136)";
        QTest::newRow("link to a picture") << "verweis.emf"
                                           << "Picture: (504x136)";
        QTest::newRow("bitmap stored top-down") << "von_oben.bmp"
                                                << "Picture: (5x10)";
        QTest::newRow("truncated EMF") << "abgeschnitten.emf"
                                       << "Picture:";
        QTest::newRow("garbage") << "muell.bmp"
                                 << "Picture:";
        QTest::newRow("empty file") << "leer.wmf"
                                    << "Picture:";
        QTest::newRow("header claims 100000x100000") << "riesig.bmp"
                                                     << "Picture:";
        QTest::newRow("larger than 32 MB") << "zu_gross.emf"
                                           << "Picture:";
        QTest::newRow("folder") << "ordner.bmp"
                                << "Picture:";
        QTest::newRow("missing file") << "fehlt.emf"
                                      << "Picture:";
        QTest::newRow("nothing selected") << ""
                                          << "Picture:";
        QTest::newRow("named pipe") << "rohr.bmp"
                                    << "Picture:";
        QTest::newRow("link to a device") << "geraet.bmp"
                                          << "Picture:";
    }
    void vorschau()
    {
        QFETCH(QString, name);
        QFETCH(QString, ueberschrift);
        TSavePictureDialog dialog;
        QVERIFY(Bereit(dialog));
        // A readable picture first, so that every case shows a change of selection.
        QVERIFY(Waehle(dialog,
                       pfad(name == QLatin1String("chart.bmp") ? "chart.wmf" : "chart.bmp")) >= 0);
        QVERIFY(dialog.vorschauKnopfAktiv());
        QVERIFY(Bereit(dialog));

        const qint64 ms = Waehle(dialog, name.isEmpty() ? QString() : pfad(name));
        QVERIFY2(ms >= 0 && ms <= kAntwortMs, qPrintable(QString::number(ms)));

        const bool lesbar = ueberschrift != QLatin1String("Picture:");
        QCOMPARE(dialog.ueberschrift(), ueberschrift);
        QCOMPARE(dialog.vorschauKnopfAktiv(), lesbar);
        QCOMPARE(dialog.vorschauText(), lesbar ? QString() : QStringLiteral("(None)"));
        QCOMPARE(dialog.vorschau().vollbild.isNull(), !lesbar);
        dialog.resize(800, 500);
        dialog.grab(); // paints the pane with whatever it holds
    }

    // The rows of a bitmap stored top-down come out the right way up.
    void vonOben()
    {
        TSavePictureDialog dialog;
        QVERIFY(Bereit(dialog));
        const QByteArray zeilen = QByteArray("\0\0\xFF\0\0\xFF\0\0", 8)    // top row red
                                  + QByteArray("\xFF\0\0\xFF\0\0\0\0", 8); // bottom row blue
        QVERIFY(Schreibe(pfad("zwei_zeilen.bmp"), Bmp(2, -2, zeilen)));
        QVERIFY(Waehle(dialog, pfad("zwei_zeilen.bmp")) >= 0);
        const QImage bild = dialog.vorschau().vollbild;
        QCOMPARE(bild.size(), QSize(2, 2));
        QCOMPARE(bild.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(bild.pixel(1, 1), qRgb(0, 0, 255));
    }

    // The preview follows the name field as well: what is typed there is shown, or "(None)".
    void namensfeld_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ueberschrift");
        QTest::newRow("a picture") << "chart.emf"
                                   << "Picture: (504x136)";
        QTest::newRow("a name without a file") << "fehlt.bmp"
                                               << "Picture:";
        QTest::newRow("not a picture") << "muell.bmp"
                                       << "Picture:";
        QTest::newRow("emptied") << ""
                                 << "Picture:";
    }
    void namensfeld()
    {
        QFETCH(QString, name);
        QFETCH(QString, ueberschrift);
        const bool lesbar = ueberschrift != QLatin1String("Picture:");
        TSavePictureDialog dialog;
        dialog.setDirectory(ordner_.path());
        QVERIFY(Bereit(dialog));
        auto* feld = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(feld);
        QSignalSpy gezeigt(&dialog, &TSavePictureDialog::vorschauGezeigt);
        const auto tippe = [&](const QString& text) {
            gezeigt.clear();
            feld->setText(text);
            return !gezeigt.isEmpty() || gezeigt.wait(5000);
        };
        // As if the bitmap had been clicked in the list, which names it in the field too.
        QVERIFY(Waehle(dialog, pfad("chart.bmp")) >= 0);
        feld->setText(QStringLiteral("chart.bmp"));
        QCOMPARE(dialog.ueberschrift(), QStringLiteral("Picture: (505x137)"));
        QVERIFY(Bereit(dialog));

        QVERIFY(tippe(name));
        QCOMPARE(dialog.ueberschrift(), ueberschrift);
        QCOMPARE(dialog.vorschauKnopfAktiv(), lesbar);
        QCOMPARE(dialog.vorschauText(), lesbar ? QString() : QStringLiteral("(None)"));

        // Cancelled and opened again, it shows what the field names, not what it showed last.
        dialog.show();
        dialog.reject();
        QVERIFY(Bereit(dialog));
        QVERIFY(Waehle(dialog, pfad("chart.bmp")) >= 0);
        feld->setText(name);
        gezeigt.clear();
        dialog.show();
        QVERIFY(!gezeigt.isEmpty() || gezeigt.wait(5000));
        QCOMPARE(dialog.ueberschrift(), ueberschrift);
        QCOMPARE(dialog.vorschauKnopfAktiv(), lesbar);
        dialog.reject();
    }

    // The semicolons of the first filter separate patterns: the list shows each kind.
    void filterListe_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("dateien"); // as the list shows them, apart at blanks
        QTest::newRow("Alle Dateien") << 0 << "a.bmp b.emf c.wmf";
        QTest::newRow("Bitmaps") << 1 << "a.bmp";
        QTest::newRow("Metadateien") << 3 << "c.wmf";
        QTest::newRow("PNG-Bilder") << 4 << "d.png";
    }
    void filterListe()
    {
        QFETCH(int, filter);
        QFETCH(QString, dateien);
        QTemporaryDir ziel;
        for (const char* name : {"a.bmp", "b.emf", "c.wmf", "d.png", "e.txt", "f.bmp.txt"})
            QVERIFY(Schreibe(ziel.filePath(QString::fromLatin1(name)), "x"));
        TSavePictureDialog dialog;
        QCOMPARE(dialog.nameFilters().value(0), QStringLiteral("Alle Dateien (*.bmp;*.emf;*.wmf)"));
        dialog.setDirectory(ziel.path());
        auto* art = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* modell = dialog.findChild<QFileSystemModel*>();
        QVERIFY(art && modell);
        // Chosen as the user does: the box changes, then tells what was activated.
        art->setCurrentIndex(filter);
        Q_EMIT art->activated(filter);
        Q_EMIT art->textActivated(art->currentText());
        const auto sichtbar = [&] {
            QStringList namen;
            const QModelIndex wurzel = modell->index(ziel.path());
            for (int i = 0; i < modell->rowCount(wurzel); ++i)
                namen << modell->index(i, 0, wurzel).data().toString();
            namen.sort();
            return namen;
        };
        QTRY_COMPARE(sichtbar(), dateien.split(QLatin1Char(' ')));
    }

    // At the size the dialog opens at, every column of the file list shows its texts whole, in
    // German as in English, without scrolling sideways.
    void spalten_data()
    {
        QTest::addColumn<QLocale>("region");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
    }
    void spalten()
    {
        QFETCH(QLocale, region);
        QLocale::setDefault(region);
        const auto zurueck = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        QTemporaryDir ordner;
        QVERIFY(Schreibe(ordner.filePath(QStringLiteral("Blutalkohol am Samstagabend.bmp")),
                         ChartBild(*chart_, TBildArt::Bmp)));
        QVERIFY(
            Schreibe(ordner.filePath(QStringLiteral("b.wmf")), ChartBild(*chart_, TBildArt::Wmf)));
        TSavePictureDialog dialog;
        dialog.setDirectory(ordner.path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* liste = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(liste && liste->model() && liste->isVisible());
        const QModelIndex wurzel = liste->rootIndex();
        QTRY_COMPARE(liste->model()->rowCount(wurzel), 2);
        QTest::qWait(100); // sizes and types are filled in after the names
        const QFontMetrics metrik(liste->font());
        const QHeaderView* kopf = liste->header();
        int breite = 0;
        for (int spalte = 0; spalte < kopf->count(); ++spalte) {
            breite += kopf->sectionSize(spalte);
            for (int zeile = 0; zeile < liste->model()->rowCount(wurzel); ++zeile) {
                const QModelIndex zelle = liste->model()->index(zeile, spalte, wurzel);
                const QString text = zelle.data().toString();
                const int noetig =
                    metrik.horizontalAdvance(text) + (spalte == 0 ? liste->iconSize().width() : 0);
                QVERIFY2(kopf->sectionSize(spalte) >= noetig, qPrintable(text));
            }
        }
        QVERIFY(breite <= liste->viewport()->width());
        dialog.reject();
    }

    // The Preview window shows the pixels the pane was made from, at the picture's size, under
    // a German title like the button that closes it.
    void vollbild()
    {
        TSavePictureDialog dialog;
        QVERIFY(Bereit(dialog));
        QVERIFY(Waehle(dialog, pfad("chart.emf")) >= 0);
        QVERIFY(dialog.vorschauKnopfAktiv());
        QSize gezeigt;
        QImage pixel;
        QString titel;
        QStringList knoepfe;
        TDialogFuehrer fuehrer([&] {
            if (QWidget* fenster = QApplication::activeModalWidget()) {
                titel = fenster->windowTitle();
                if (auto* kasten = fenster->findChild<QDialogButtonBox*>()) {
                    for (QAbstractButton* knopf : kasten->buttons())
                        knoepfe << knopf->text();
                }
                if (auto* flaeche = fenster->findChild<QScrollArea*>();
                    flaeche && flaeche->widget()) {
                    gezeigt = flaeche->widget()->size();
                    pixel = flaeche->widget()->grab().toImage();
                }
                fenster->close();
            }
        });
        dialog.zeigeVollbild();
        QVERIFY(!fuehrer.haengt);
        QCOMPARE(gezeigt, QSize(504, 136));
        QCOMPARE(titel, QStringLiteral("Vorschau"));
        QCOMPARE(knoepfe, QStringList{QStringLiteral("Schließen")});
        QCOMPARE(pixel.convertToFormat(QImage::Format_RGB32),
                 dialog.vorschau().vollbild.convertToFormat(QImage::Format_RGB32));
    }

    // Every hostile file, selected one after the other: each answered in time, the event loop
    // never held up, the program's memory never growing by the files' sizes, and nothing shown
    // that the files did not hold. Once at a user's pace, with a helper ready for each file as
    // the dialog keeps one, and once as fast as the answers come, when each file may have to
    // wait for a helper to start.
    void feindlicherOrdner_data()
    {
        QTest::addColumn<bool>("bereit");
        QTest::addColumn<qint64>("antwortMs");
        QTest::newRow("a helper ready") << true << kAntwortMs;
        QTest::newRow("straight on") << false << kAntwortMs + TVorschauDienst::StartFristMs;
    }
    void feindlicherOrdner()
    {
        QFETCH(bool, bereit);
        QFETCH(qint64, antwortMs);
        const QDir ordner(feindlicherOrdner_.path());
        QStringList namen;
        for (const feindlich::TDatei& datei : feindlich::FeindlicheDateien(ordner.path()))
            namen << datei.name;
        namen << feindlich::RohrName() << feindlich::GeheimName();
        TSavePictureDialog dialog;
        dialog.setDirectory(ordner.path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(Bereit(dialog));
        // The folder listed and the dialog drawn, as before anyone can choose a file.
        QTest::qWait(200);
        const qint64 vorher = test::Resident();
        test::TSchleifenwache wache;
        qint64 hoechsterStand = vorher;
        for (const QString& name : std::as_const(namen)) {
            // The private picture is shown for what it is: the check for its colour can see it.
            if (bereit || name == feindlich::GeheimName())
                QVERIFY(Bereit(dialog));
            const qint64 ms = Waehle(dialog, ordner.filePath(name), &wache);
            QVERIFY2(ms >= 0 && ms <= antwortMs,
                     qPrintable(name + QStringLiteral(": %1 ms").arg(ms)));
            hoechsterStand = std::max(hoechsterStand, test::Resident());
            // Whatever the pictures drew, the private picture's colour shows only in its own
            // preview.
            if (name != feindlich::GeheimName()) {
                const QImage& bild = dialog.vorschau().vollbild;
                for (int y = 0; y < bild.height(); ++y) {
                    const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
                    QVERIFY2(std::find(zeile, zeile + bild.width(), feindlich::GeheimFarbe()) ==
                                 zeile + bild.width(),
                             qPrintable(name));
                }
            }
            dialog.grab();
        }
        QCOMPARE(dialog.ueberschrift(), QStringLiteral("Picture: (8x8)"));
        QVERIFY2(hoechsterStand - vorher < 50 * 1024 * 1024,
                 qPrintable(QStringLiteral("%1 MB more").arg((hoechsterStand - vorher) >> 20)));
        std::printf("event loop busy for at most %.1f ms, memory grew by at most %lld kB\n",
                    wache.laengsteMs(), (hoechsterStand - vorher) >> 10);
        QVERIFY2(wache.laengsteMs() <= kSchleifeMs,
                 qPrintable(QString::number(wache.laengsteMs())));
        dialog.reject();
    }

    // A newer selection cancels the one still at work, whose answer never comes.
    void neuereAuswahl()
    {
        QTemporaryDir ordner;
        const QString langsam = ordner.filePath(QStringLiteral("stern.emf"));
        QVERIFY(Schreibe(langsam, feindlich::emfSternClip(8000)));
        TSavePictureDialog dialog;
        QVERIFY(Bereit(dialog));
        QSignalSpy gezeigt(&dialog, &TSavePictureDialog::vorschauGezeigt);
        Q_EMIT dialog.currentChanged(langsam);
        QTest::qWait(20);
        Q_EMIT dialog.currentChanged(pfad("chart.wmf"));
        QVERIFY(gezeigt.wait(5000));
        QCOMPARE(dialog.ueberschrift(), QStringLiteral("Picture: (504x136)"));
        QTest::qWait(2 * TVorschauDienst::FristMs);
        QCOMPARE(gezeigt.size(), 1);
        QCOMPARE(dialog.ueberschrift(), QStringLiteral("Picture: (504x136)"));
    }

    // A name that another process keeps turning from a picture into a pipe and back is never
    // opened as a pipe: each selection is answered, the pipe's never with a picture.
    void dateiWirdRohr()
    {
        QTemporaryDir ordner;
        const QString name = ordner.filePath(QStringLiteral("wechsel.emf"));
        const QString datei = ordner.filePath(QStringLiteral("datei.emf"));
        const QString rohr = ordner.filePath(QStringLiteral("rohr.emf"));
        std::atomic<bool> fertig = false;
        const QByteArray emf = ChartBild(*chart_, TBildArt::Emf);
        std::thread wechsler([&] {
            const QByteArray ziel = QFile::encodeName(name);
            for (int i = 0; !fertig; ++i) {
                if (i % 2 == 0) {
                    QFile f(datei);
                    if (f.open(QIODevice::WriteOnly))
                        f.write(emf);
                    f.close();
                    std::rename(QFile::encodeName(datei).constData(), ziel.constData());
                } else {
                    mkfifo(QFile::encodeName(rohr).constData(), 0600);
                    std::rename(QFile::encodeName(rohr).constData(), ziel.constData());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        const auto ende = qScopeGuard([&] {
            fertig = true;
            wechsler.join();
        });
        TSavePictureDialog dialog;
        int bilder = 0;
        for (int i = 0; i < 40; ++i) {
            QVERIFY(Bereit(dialog));
            QTest::qWait(1 + i % 3); // not always in the same phase of the changes
            const qint64 ms = Waehle(dialog, i % 2 ? name : QString());
            QVERIFY2(ms >= 0 && ms <= kAntwortMs, qPrintable(QString::number(ms)));
            bilder += dialog.vorschauKnopfAktiv() ? 1 : 0;
            QCOMPARE(dialog.ueberschrift(), dialog.vorschauKnopfAktiv()
                                                ? QStringLiteral("Picture: (504x136)")
                                                : QStringLiteral("Picture:"));
        }
        std::printf("%d of 20 selections showed the picture\n", bilder);
    }

    // Nothing the dialog is left with may touch the folder: neither cancelling it (also after
    // an earlier save) nor a name without a picture ending, which is not completed either.
    void keinSpeichern_data()
    {
        QTest::addColumn<bool>("vorherGespeichert");
        QTest::addColumn<QString>("auswahl"); // empty: cancelled
        QTest::newRow("cancel on first use") << false << QString();
        QTest::newRow("cancel after a save") << true << QString();
        QTest::newRow("no ending") << false << "ohne_endung";
    }
    void keinSpeichern()
    {
        QFETCH(bool, vorherGespeichert);
        QFETCH(QString, auswahl);
        QTemporaryDir ziel;
        QStringList fehler, hinweise;
        TSavePictureDialog dialog;
        dialog.setDirectory(ziel.path());
        const auto speichern = [&](const QString& name) {
            TDialogFuehrer fuehrer([&] {
                if (name.isEmpty())
                    return dialog.reject();
                dialog.selectFile(ziel.filePath(name));
                static_cast<QDialog&>(dialog).accept(); // as the Save button does
            });
            AlsWMFspeichern(
                nullptr, *chart_, dialog, [&](const QString& t) { fehler << t; },
                [&](const QString& t) { hinweise << t; });
            return !fuehrer.haengt;
        };

        const QString datei = ziel.filePath(QStringLiteral("gespeichert.emf"));
        if (vorherGespeichert) {
            QVERIFY(speichern(QStringLiteral("gespeichert.emf")));
            QCOMPARE(test::Dateien(ziel.path()), QStringList{QStringLiteral("gespeichert.emf")});
            QCOMPARE(test::Lies(datei).mid(40, 4), QByteArray(" EMF"));
            // Marked, as saving the same chart again would give the same bytes.
            QVERIFY(Schreibe(datei, "markiert"));
        }
        const QStringList vorher = test::Dateien(ziel.path());
        const QByteArray gespeichert = test::Lies(datei);

        QVERIFY(speichern(auswahl));
        QCOMPARE(test::Dateien(ziel.path()), vorher);
        QCOMPARE(test::Lies(datei), gespeichert);
        QCOMPARE(fehler, QStringList());
        QCOMPARE(hinweise, auswahl.isEmpty() ? QStringList() : QStringList{UnbekannteEndungText()});
    }

private:
    QString pfad(const char* name) const { return ordner_.filePath(QString::fromUtf8(name)); }
    QString pfad(const QString& name) const { return ordner_.filePath(name); }

    QTemporaryDir ordner_;
    QTemporaryDir feindlicherOrdner_;
    std::unique_ptr<TChart> chart_;
};

QTEST_MAIN(TstTSavePictureDialog)
#include "tst_tsavepicturedialog.moc"
