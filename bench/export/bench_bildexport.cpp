// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole save path of the chart picture: drawing the chart and encoding the file's bytes.
#include "chart/tchart.h"
#include "ui/bildexport.h"

#include <QColor>

#include <benchmark/benchmark.h>

namespace {

void SpeicherWeg(benchmark::State& state, zw::TBildArt art)
{
    zw::TChart chart;
    chart.resize(505, 137);
    const QColor gold(255, 215, 0);
    chart.Series1.AddXY(0, 0, gold);
    chart.Series1.AddXY(2, 0.384931506849315, gold);
    chart.Series1.AddXY(4.5662100456621, 0, gold);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray daten = zw::ChartBild(chart, art, 24);
        bytes += daten.size();
        benchmark::DoNotOptimize(daten.constData());
    }
    state.SetBytesProcessed(bytes);
}

BENCHMARK_CAPTURE(SpeicherWeg, emf, zw::TBildArt::Emf)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SpeicherWeg, wmf, zw::TBildArt::Wmf)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SpeicherWeg, bmp, zw::TBildArt::Bmp)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SpeicherWeg, png, zw::TBildArt::Png)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SpeicherWeg, svg, zw::TBildArt::Svg)->Unit(benchmark::kMicrosecond);

} // namespace
