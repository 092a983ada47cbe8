// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The save dialog's preview of one file: reading it from disk and drawing it once into the
// pane, for our own chart's pictures and for files made to be costly to a reader.
#include "metafile/feindlich.h"
#include "ui/bildexport.h"
#include "ui/tsavepicturedialog.h"

#include "chart/tchart.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using namespace zw;

// What the pane offers a picture in the dialog as it opens.
constexpr QSize kFlaeche(192, 160);

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

void Vorschau(benchmark::State& state, const std::function<QByteArray()>& datei)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("bild"));
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(datei()) < 0) {
        state.SkipWithError("cannot write the file");
        return;
    }
    f.close();
    bool gelesen = false;
    for (auto _ : state) {
        const auto bild = TVorschauBild::lade(pfad);
        gelesen = bild.has_value();
        if (bild)
            benchmark::DoNotOptimize(bild->alsVorschau(kFlaeche).constBits());
    }
    state.SetLabel(gelesen ? "shown" : "(None)");
}

BENCHMARK_CAPTURE(Vorschau, chart_emf, [] {
    return ChartDatei(TBildArt::Emf);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Vorschau, chart_wmf, [] {
    return ChartDatei(TBildArt::Wmf);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Vorschau, wmf_volle_tabelle, [] {
    return feindlich::wmfVolleTabelle();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, emf_breiter_punktstift, [] {
    return feindlich::emfBreiterPunktstift();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Vorschau, bmp_ohne_daten, [] {
    return feindlich::bmpOhneDaten();
})->Unit(benchmark::kMicrosecond);

} // namespace
