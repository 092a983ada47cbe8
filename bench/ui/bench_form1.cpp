// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// One recalculation as a keystroke in a litre field triggers it: the field's change, reading
// the controls, the calculation, writing the texts and handing the points to the chart.

#include "chart/tchart.h"
#include "ui/form1.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void Tastendruck(benchmark::State& state)
{
    zw::TForm1 form([](const QString&) {});
    const QString texte[2] = {QStringLiteral("1"), QStringLiteral("1,5")};
    int i = 0;
    for (auto _ : state) {
        form.Edit2->setText(texte[i]);
        i ^= 1;
    }
}
BENCHMARK(Tastendruck);

// A click on the beer arrow: the counter's text, its litre text and the recalculation.
void Zaehlerschritt(benchmark::State& state)
{
    zw::TForm1 form([](const QString&) {});
    const QString texte[2] = {QStringLiteral("10"), QStringLiteral("11")};
    int i = 0;
    for (auto _ : state) {
        form.Edit1->setText(texte[i]);
        i ^= 1;
    }
}
BENCHMARK(Zaehlerschritt);

// The same keystroke followed by the chart's next paint, until the window could show it.
void TastendruckMitGrafik(benchmark::State& state)
{
    zw::TForm1 form([](const QString&) {});
    QImage bild(form.Chart1->size(), QImage::Format_RGB32);
    const QString texte[2] = {QStringLiteral("1"), QStringLiteral("1,5")};
    int i = 0;
    for (auto _ : state) {
        form.Edit2->setText(texte[i]);
        i ^= 1;
        QPainter p(&bild);
        form.Chart1->zeichne(p);
    }
}
BENCHMARK(TastendruckMitGrafik);

} // namespace
