// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's side of the preview, with the real helper: what it shows depends on the file
// alone, and a helper that loops or takes all the memory it can costs the program nothing.
#include "testchart.h"
#include "ui/bildexport.h"
#include "ui/vorschaudienst.h"
#include "vorschau/feindlichebilder.h"
#include "vorschautest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace zw;

namespace {

const TVorschauAnfrage kAnfrage{QSize(192, 160), QSize(720, 460)};

struct TErgebnis {
    TVorschau vorschau;
    qint64 ms = -1; // -1: no answer
};

// Asks once a helper is ready, and waits for the answer.
TErgebnis Frage(TVorschauDienst& dienst, const QString& pfad)
{
    dienst.bereite();
    if (!QTest::qWaitFor([&] { return dienst.bereit(); }, 5000))
        return {};
    QSignalSpy fertig(&dienst, &TVorschauDienst::fertig);
    QElapsedTimer uhr;
    uhr.start();
    dienst.zeige(pfad, kAnfrage);
    if (fertig.isEmpty() && !fertig.wait(5000))
        return {};
    return {fertig.first().first().value<TVorschau>(), uhr.elapsed()};
}

} // namespace

class TstVorschaudienst : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!TVorschauDienst::HelferPfad().isEmpty());
        QVERIFY(ordner_.isValid());
        QVERIFY(feindlich::SchreibeFeindlicheDateien(ordner_.path()));
        const auto chart = test::BierChart();
        for (const TBildArt art :
             {TBildArt::Emf, TBildArt::Wmf, TBildArt::Bmp, TBildArt::Png, TBildArt::Svg}) {
            QFile f(ordner_.filePath(QStringLiteral("chart%1").arg(int(art))));
            const QByteArray daten = ChartBild(*chart, art);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size());
        }
    }

    // The helper hands fresh memory out filled with one byte; told to fill it with another, it
    // must show every file the same: a picture that showed memory the file did not supply would
    // change with it.
    void nurWasDieDateiHaelt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bild"); // must show a picture (else it may, if in time)
        for (const TBildArt art :
             {TBildArt::Emf, TBildArt::Wmf, TBildArt::Bmp, TBildArt::Png, TBildArt::Svg})
            QTest::addRow("our chart, kind %d", int(art))
                << QStringLiteral("chart%1").arg(int(art)) << true;
        for (const feindlich::TDatei& datei : feindlich::FeindlicheDateien(ordner_.path()))
            QTest::newRow(qPrintable(datei.name)) << datei.name << false;
    }
    void nurWasDieDateiHaelt()
    {
        QFETCH(QString, name);
        QFETCH(bool, bild);
        TVorschauDienst ueblich;
        TVorschauDienst anders(nullptr, {QStringLiteral("--fuellbyte"), QStringLiteral("0x5A")});
        const TErgebnis a = Frage(ueblich, ordner_.filePath(name));
        const TErgebnis b = Frage(anders, ordner_.filePath(name));
        QVERIFY(a.ms >= 0 && b.ms >= 0);
        if (bild)
            QVERIFY(!a.vorschau.bild.isEmpty() && !b.vorschau.bild.isEmpty());
        // A picture killed for its time in one run may have been done in time in the other.
        if (a.vorschau.bild.isEmpty() || b.vorschau.bild.isEmpty())
            return;
        std::printf("compared: %s\n", qPrintable(name));
        QCOMPARE(a.vorschau.bild, b.vorschau.bild);
        QCOMPARE(a.vorschau.flaeche, b.vorschau.flaeche);
        QCOMPARE(a.vorschau.vollbild, b.vorschau.vollbild);
    }

    // A helper that never finishes is ended when its time is up, and the answer is "nothing".
    void schleifeWirdBeendet()
    {
        TVorschauDienst dienst(nullptr, {QStringLiteral("--probe"), QStringLiteral("schleife")});
        const TErgebnis e = Frage(dienst, ordner_.filePath(QStringLiteral("chart1")));
        QVERIFY(e.ms >= TVorschauDienst::FristMs - 20);
        QVERIFY2(e.ms <= TVorschauDienst::FristMs + 50, qPrintable(QString::number(e.ms)));
        QVERIFY(e.vorschau.bild.isEmpty() && e.vorschau.vollbild.isNull());
        dienst.ruhe();
        // Every helper it started has ended.
        QVERIFY(QTest::qWaitFor([&] {
            const auto prozesse = dienst.findChildren<QProcess*>();
            return std::all_of(prozesse.begin(), prozesse.end(), [](const QProcess* p) {
                return p->state() == QProcess::NotRunning;
            });
        }));
    }

    // A helper that takes all the memory it may dies alone: the program's memory stays as it was.
    void speicherStirbtAllein()
    {
        TVorschauDienst dienst(nullptr, {QStringLiteral("--probe"), QStringLiteral("speicher")});
        const qint64 vorher = test::Resident();
        const TErgebnis e = Frage(dienst, ordner_.filePath(QStringLiteral("chart1")));
        QVERIFY(e.ms >= 0);
        QVERIFY(e.vorschau.bild.isEmpty());
        QVERIFY(test::Resident() - vorher < 8 * 1024 * 1024);
    }

private:
    QTemporaryDir ordner_;
};

QTEST_MAIN(TstVorschaudienst)
#include "tst_vorschaudienst.moc"
