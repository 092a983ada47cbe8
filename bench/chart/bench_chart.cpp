// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Laying out and painting the standard 505 x 137 chart into an image.
#include "chart/chartlayout.h"
#include "chart/tchart.h"
#include "schrift/schriften.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace zw;

std::vector<TChartPunkt> bierPunkte()
{
    const QColor gold(255, 215, 0);
    return {{0, 0, gold}, {2, 0.384931506849315, gold}, {4.5662100456621, 0, gold}};
}

// As the chart widget lays out: with the widths its earlier layouts measured.
TChartEingabe eingabe(TChartMasse* masse)
{
    TChartEingabe e;
    e.masse = masse;
    e.groesse = QSize(505, 137);
    e.hintergrund = QColor(240, 240, 240);
    e.achsenSchrift = Arial();
    e.markenSchrift = SmallFonts();
    return e;
}

void BM_LayoutUndMalen(benchmark::State& state)
{
    const auto punkte = bierPunkte();
    TChartMasse masse;
    const TChartEingabe e = eingabe(&masse);
    QImage bild(e.groesse, QImage::Format_RGB32);
    for (auto _ : state) {
        const TChartLayout l = BerechneChartLayout(punkte, e);
        QPainter p(&bild);
        MaleChart(p, l, &masse);
    }
    benchmark::DoNotOptimize(bild.constBits());
}
BENCHMARK(BM_LayoutUndMalen)->Unit(benchmark::kMicrosecond);

void BM_NurLayout(benchmark::State& state)
{
    const auto punkte = bierPunkte();
    TChartMasse masse;
    const TChartEingabe e = eingabe(&masse);
    for (auto _ : state)
        benchmark::DoNotOptimize(BerechneChartLayout(punkte, e));
}
BENCHMARK(BM_NurLayout)->Unit(benchmark::kMicrosecond);

// Every layout with a peak of its own, as when each keystroke gives a new amount: the mark's
// text, and often the left axis's labels, are new each time.
void BM_NurLayoutNeueWerte(benchmark::State& state)
{
    auto punkte = bierPunkte();
    TChartMasse masse;
    const TChartEingabe e = eingabe(&masse);
    double spitze = 0.1;
    for (auto _ : state) {
        spitze += 0.0013717;
        if (spitze > 3.0)
            spitze = 0.1;
        punkte[1].Y = spitze;
        benchmark::DoNotOptimize(BerechneChartLayout(punkte, e));
    }
}
BENCHMARK(BM_NurLayoutNeueWerte)->Unit(benchmark::kMicrosecond);

// A chart's first layout: every text measured.
void BM_NurLayoutOhneVorwissen(benchmark::State& state)
{
    const auto punkte = bierPunkte();
    const TChartEingabe e = eingabe(nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(BerechneChartLayout(punkte, e));
}
BENCHMARK(BM_NurLayoutOhneVorwissen)->Unit(benchmark::kMicrosecond);

void BM_NurMalen(benchmark::State& state)
{
    TChartMasse masse;
    const TChartLayout l = BerechneChartLayout(bierPunkte(), eingabe(&masse));
    QImage bild(l.groesse, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&bild);
        MaleChart(p, l, &masse);
    }
    benchmark::DoNotOptimize(bild.constBits());
}
BENCHMARK(BM_NurMalen)->Unit(benchmark::kMicrosecond);

} // namespace
