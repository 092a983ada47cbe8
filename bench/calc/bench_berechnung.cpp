// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/berechnung.h"
#include "report/ergebnistexte.h"

#include <benchmark/benchmark.h>

namespace {

zw::TEingabe Beispiel()
{
    zw::TEingabe e = zw::StartEingabe();
    e.LiterBier = 2;
    e.LiterWein = 0.5;
    e.Getraenk[0].Milliliter = 40;
    return e;
}

void BM_Berechne(benchmark::State& state)
{
    zw::TEingabe e = Beispiel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(e);
        zw::TErgebnis r = zw::Berechne(e);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Berechne);

void BM_ErgebnisTexte(benchmark::State& state)
{
    const zw::TErgebnis r = zw::Berechne(Beispiel());
    const zw::TTrennzeichen t;
    for (auto _ : state) {
        zw::TErgebnisTexte texte = zw::ErgebnisTexte(r, t);
        benchmark::DoNotOptimize(texte);
    }
}
BENCHMARK(BM_ErgebnisTexte);

} // namespace
