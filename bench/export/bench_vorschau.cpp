// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The save dialog's preview of one file, end to end through the helper process: from the
// selection until the checked pixels are there, with a helper ready as the dialog keeps one.
// Beside it what the same work costs in the benchmark's own process, what starting a helper
// costs, and how long files made to be costly to a reader take to be answered.
#include "metafile/feindlich.h"
#include "ui/bildexport.h"
#include "ui/vorschaudienst.h"
#include "vorschau/vorschaubild.h"

#include "chart/tchart.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using namespace zw;

// What the dialog asks for as it opens: its pane, and the window on a screen of 1920 x 1080.
const TVorschauAnfrage kAnfrage{QSize(192, 160), QSize(1840, 940)};

QByteArray ChartDatei(TBildArt art)
{
    TChart chart;
    chart.resize(505, 137);
    const QColor gold(255, 215, 0);
    chart.Series1.AddXY(0, 0, gold);
    chart.Series1.AddXY(2, 0.384931506849315, gold);
    chart.Series1.AddXY(4.5662100456621, 0, gold);
    return ChartBild(chart, art, 24);
}

bool Schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

void Vorschau(benchmark::State& state, const std::function<QByteArray()>& datei)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("bild"));
    if (!Schreibe(pfad, datei())) {
        state.SkipWithError("cannot write the file");
        return;
    }
    TVorschauDienst dienst;
    bool gezeigt = false;
    for (auto _ : state) {
        // Not timed: the dialog starts the next helper while the user looks.
        dienst.bereite();
        if (!QTest::qWaitFor([&] { return dienst.bereit(); }, 10000)) {
            state.SkipWithError("no helper");
            return;
        }
        QEventLoop schleife;
        QObject::connect(&dienst, &TVorschauDienst::fertig, &schleife, [&](const TVorschau& v) {
            gezeigt = !v.bild.isEmpty();
            schleife.quit();
        });
        QElapsedTimer uhr;
        uhr.start();
        dienst.zeige(pfad, kAnfrage);
        if (dienst.offen())
            schleife.exec();
        state.SetIterationTime(double(uhr.nsecsElapsed()) / 1e9);
    }
    state.SetLabel(gezeigt ? "shown" : "(None)");
}

// The helper's work alone, in this process: reading, drawing both pictures, the answer's bytes.
void ImProzess(benchmark::State& state, const std::function<QByteArray()>& datei)
{
    const QByteArray daten = datei();
    qsizetype groesse = 0;
    for (auto _ : state) {
        groesse = VorschauAntwort(daten, kAnfrage).size();
        benchmark::DoNotOptimize(groesse);
    }
    state.SetLabel(groesse > VorschauKopfBytes ? "shown" : "(None)");
}

// From starting a helper until it has loaded what it needs, closed itself in and is ready.
void Helferstart(benchmark::State& state)
{
    TVorschauDienst dienst;
    for (auto _ : state) {
        dienst.bereite();
        if (!QTest::qWaitFor([&] { return dienst.bereit(); }, 10000)) {
            state.SkipWithError("no helper");
            return;
        }
        state.PauseTiming();
        dienst.ruhe();
        state.ResumeTiming();
    }
}

QByteArray Emf() { return ChartDatei(TBildArt::Emf); }
QByteArray Wmf() { return ChartDatei(TBildArt::Wmf); }

BENCHMARK_CAPTURE(Vorschau, chart_emf, Emf)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, chart_wmf, Wmf)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImProzess, chart_emf, Emf)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ImProzess, chart_wmf, Wmf)->Unit(benchmark::kMicrosecond);
BENCHMARK(Helferstart)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, wmf_volle_tabelle, [] { return feindlich::wmfVolleTabelle(); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, emf_breiter_punktstift,
                  [] { return feindlich::emfBreiterPunktstift(); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, emf_stern_clip_500, [] { return feindlich::emfSternClip(500); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, bmp_ohne_daten, [] { return feindlich::bmpOhneDaten(); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
