// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/feindlich.h"
#include "testchart.h"
#include "ui/bildexport.h"
#include "ui/tsavepicturedialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

// A guard against a stall, not a measurement (the benchmark measures the preview): the reader
// once took over a minute on the hostile files. Sanitizer builds run many times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kStillstandMs = 30000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr qint64 kStillstandMs = 30000;
#else
constexpr qint64 kStillstandMs = 2000;
#endif
#else
constexpr qint64 kStillstandMs = 2000;
#endif

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
        QVERIFY(Schreibe(pfad("abgeschnitten.png"), ChartBild(*chart_, TBildArt::Png).left(40)));
        QVERIFY(Schreibe(pfad("muell.bmp"),
                         QByteArray("BM this is not a bitmap at all, just some text")));
        QVERIFY(Schreibe(pfad("leer.wmf"), QByteArray()));
        QVERIFY(Schreibe(pfad("riesig.bmp"), BmpKopf(100000, 100000)));
        QVERIFY(Schreibe(pfad("viele_punkte.bmp"), BmpKopf(16000, 16000)));
        QVERIFY(Schreibe(pfad("negativ.bmp"), BmpKopf(-5, 10)));
        QVERIFY(Schreibe(pfad("ohne_daten.bmp"), feindlich::bmpOhneDaten()));
        QVERIFY(Schreibe(pfad("volle_tabelle.wmf"), feindlich::wmfVolleTabelle()));
        QVERIFY(Schreibe(pfad("breiter_stift.emf"), feindlich::emfBreiterPunktstift()));
        QVERIFY(QDir(ordner_.path()).mkdir(QStringLiteral("ordner.bmp")));
#ifdef Q_OS_UNIX
        QCOMPARE(mkfifo(QFile::encodeName(pfad("rohr.bmp")).constData(), 0600), 0);
#endif
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
        QTest::newRow("truncated EMF") << "abgeschnitten.emf"
                                       << "Picture:";
        QTest::newRow("truncated PNG") << "abgeschnitten.png"
                                       << "Picture:";
        QTest::newRow("garbage") << "muell.bmp"
                                 << "Picture:";
        QTest::newRow("empty file") << "leer.wmf"
                                    << "Picture:";
        QTest::newRow("header claims 100000x100000") << "riesig.bmp"
                                                     << "Picture:";
        QTest::newRow("header claims 256 M pixels") << "viele_punkte.bmp"
                                                    << "Picture:";
        QTest::newRow("negative width") << "negativ.bmp"
                                        << "Picture:";
        QTest::newRow("pixels past the end of the file") << "ohne_daten.bmp"
                                                         << "Picture:";
        QTest::newRow("WMF filling 65535 slots") << "volle_tabelle.wmf"
                                                 << "Picture: (100x100)";
        QTest::newRow("EMF of wide dotted ellipses") << "breiter_stift.emf"
                                                     << "Picture: (500x500)";
        QTest::newRow("folder") << "ordner.bmp"
                                << "Picture:";
        QTest::newRow("missing file") << "fehlt.emf"
                                      << "Picture:";
        QTest::newRow("nothing selected") << ""
                                          << "Picture:";
#ifdef Q_OS_UNIX
        QTest::newRow("named pipe") << "rohr.bmp"
                                    << "Picture:";
#endif
    }
    void vorschau()
    {
        QFETCH(QString, name);
        QFETCH(QString, ueberschrift);
        TSavePictureDialog dialog;
        // A readable picture first, so that every case shows a change of selection.
        Q_EMIT dialog.currentChanged(pfad("chart.bmp"));
        QVERIFY(dialog.vorschauKnopfAktiv());

        QElapsedTimer uhr;
        uhr.start();
        Q_EMIT dialog.currentChanged(name.isEmpty() ? QString() : pfad(name));
        QVERIFY2(uhr.elapsed() < kStillstandMs, "reading the preview took too long");

        const bool lesbar = ueberschrift != QLatin1String("Picture:");
        QCOMPARE(dialog.ueberschrift(), ueberschrift);
        QCOMPARE(dialog.vorschauKnopfAktiv(), lesbar);
        QCOMPARE(dialog.vorschauText(), lesbar ? QString() : QStringLiteral("(None)"));
        dialog.resize(800, 500);
        dialog.grab(); // paints the pane with whatever it holds
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
        auto* feld = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(feld);
        // As if the bitmap had been clicked in the list, which names it in the field too.
        Q_EMIT dialog.currentChanged(pfad("chart.bmp"));
        feld->setText(QStringLiteral("chart.bmp"));
        QCOMPARE(dialog.ueberschrift(), QStringLiteral("Picture: (505x137)"));

        feld->setText(name);
        QCOMPARE(dialog.ueberschrift(), ueberschrift);
        QCOMPARE(dialog.vorschauKnopfAktiv(), lesbar);
        QCOMPARE(dialog.vorschauText(), lesbar ? QString() : QStringLiteral("(None)"));

        // Cancelled and opened again, it shows what the field names, not what it showed last.
        dialog.show();
        dialog.reject();
        Q_EMIT dialog.currentChanged(pfad("chart.bmp"));
        feld->setText(name);
        dialog.show();
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

    void vollbildZeigtGanzeGroesse()
    {
        TSavePictureDialog dialog;
        dialog.zeigeVorschau(pfad("chart.emf"));
        QVERIFY(dialog.vorschauKnopfAktiv());
        QSize gezeigt;
        TDialogFuehrer fuehrer([&] {
            if (QWidget* fenster = QApplication::activeModalWidget()) {
                if (auto* flaeche = fenster->findChild<QScrollArea*>();
                    flaeche && flaeche->widget())
                    gezeigt = flaeche->widget()->size();
                fenster->close();
            }
        });
        dialog.zeigeVollbild();
        QVERIFY(!fuehrer.haengt);
        QCOMPARE(gezeigt, QSize(504, 136));
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
    std::unique_ptr<TChart> chart_;
};

QTEST_MAIN(TstTSavePictureDialog)
#include "tst_tsavepicturedialog.moc"
