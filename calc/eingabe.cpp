// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/eingabe.h"

namespace zw {

const std::array<TSchnellGetraenk, 6> SchnellGetraenke{{
    {"Bier", TeilerBier, "Bier: 5 % Vol", " l Bier (5%)", &TEingabe::LiterBier},
    {"Wein", TeilerWein, "Wein: 11 % Vol", " l Wein (11%)", &TEingabe::LiterWein},
    {"Likör", TeilerLikoer, "Likör: 24 % Vol", " l Likör (24%)", &TEingabe::LiterLikoer},
    {"Korn", TeilerKorn, "Korn: 32 % Vol", " l Korn (32%)", &TEingabe::LiterKorn},
    {"Bacardi", TeilerBacardi, "Bacardi: 37 % Vol", " l Bacardi (37%)", &TEingabe::LiterBacardi},
    {"Whisky", TeilerWhisky, "Whisky: 42 % Vol", " l Whisky (42%)", &TEingabe::LiterWhisky},
}};

const std::array<std::string_view, 2> GeschlechtTexte{"männlich", "weiblich"};
const std::array<std::string_view, 4> MagenfuellungTexte{"leerer Magen", "kleine Mahlzeit",
                                                         "normale Mahlzeit", "große Mahlzeit"};

// The last row of each table covers every value the controls should not produce but a record
// may still carry.
double WidmarkFaktor(int geschlecht) { return geschlecht == 0 ? 0.73 : 0.66; }

double Abbaurate(int konstitution)
{
    switch (konstitution) {
    case 0: return 0.12;
    case 1: return 0.15;
    default: return 0.30;
    }
}

double Verzoegerung(int magenfuellung)
{
    switch (magenfuellung) {
    case 0: return 0.5;
    case 1: return 1.0;
    case 2: return 1.5;
    default: return 2.0;
    }
}

TEingabe StartEingabe()
{
    TEingabe e;
    for (std::size_t i = 0; i < e.Getraenk.size(); ++i) {
        e.Getraenk[i].Milliliter = 0;
        e.Getraenk[i].Volumenprozent = StartVolumenprozent[i];
    }
    e.Trinkzeitraum = StartTrinkzeitraum;
    e.Magenfuellung = StartMagenfuellung;
    e.Geschlecht = StartGeschlecht;
    e.Koerpergewicht = StartKoerpergewicht;
    e.Konstitution = StartKonstitution;
    return e;
}

} // namespace zw
