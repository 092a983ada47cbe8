// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the chart as EMF, WMF and BMP, and reading an EMF back for the preview.
#include "chart/tchart.h"
#include "metafile/bmpdatei.h"
#include "metafile/emfgeraet.h"
#include "metafile/metafileleser.h"
#include "metafile/wmfgeraet.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace zw;

constexpr QSize kFlaeche(505, 137);

// The chart after one litre of beer with the start values.
struct Diagramm {
    TChart chart;
    Diagramm()
    {
        chart.resize(kFlaeche);
        const QColor gold(255, 215, 0);
        chart.Series1.AddXY(0, 0, gold);
        chart.Series1.AddXY(2, 0.384931506849315, gold);
        chart.Series1.AddXY(4.5662100456621, 0, gold);
    }
};

template <typename Geraet>
void BM_Metadatei(benchmark::State& state)
{
    Diagramm d;
    for (auto _ : state) {
        Geraet g(kFlaeche);
        QPainter p(&g);
        d.chart.zeichne(p);
        p.end();
        benchmark::DoNotOptimize(g.daten());
    }
}
BENCHMARK_TEMPLATE(BM_Metadatei, TEmfGeraet)->Name("BM_Emf")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Metadatei, TWmfGeraet)->Name("BM_Wmf")->Unit(benchmark::kMicrosecond);

void BM_Bmp(benchmark::State& state)
{
    Diagramm d;
    for (auto _ : state) {
        QImage bild(kFlaeche, QImage::Format_RGB32);
        {
            QPainter p(&bild);
            d.chart.zeichne(p);
        }
        // The true-colour file "als Bitmap" saves from a 24-bit screen.
        const QByteArray daten = BmpDatei(bild, 24);
        benchmark::DoNotOptimize(daten.data());
    }
}
BENCHMARK(BM_Bmp)->Unit(benchmark::kMicrosecond);

// Reading our own chart's file back and drawing it, as the save dialog's preview does.
template <typename Geraet>
void BM_LesenUndZeichnen(benchmark::State& state)
{
    Diagramm d;
    Geraet g(kFlaeche);
    {
        QPainter p(&g);
        d.chart.zeichne(p);
    }
    const QByteArray datei = g.daten();
    QImage bild(kFlaeche, QImage::Format_RGB32);
    for (auto _ : state) {
        const auto m = TMetafileBild::lesen(datei);
        if (!m) {
            state.SkipWithError("our own file was not read back");
            return;
        }
        QPainter p(&bild);
        m->zeichne(p, QRectF(0, 0, 504, 136));
    }
}
BENCHMARK_TEMPLATE(BM_LesenUndZeichnen, TEmfGeraet)
    ->Name("BM_EmfLesenUndZeichnen")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_LesenUndZeichnen, TWmfGeraet)
    ->Name("BM_WmfLesenUndZeichnen")
    ->Unit(benchmark::kMicrosecond);

} // namespace
