// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/berechnung.h"

#include "calc/gleitkomma.h"

#include <array>
#include <cmath>

namespace zw {

namespace {

// A threshold given as the exact decimal fraction zaehler / nenner. Its nearest double may lie
// above or below the decimal value (0.3 lies below, 0.8 and 1.6 above); no double lies strictly
// between the two, so one comparison with the nearest double decides exactly.
struct Schwelle {
    double naechste; // the double nearest to the decimal value
    bool darunter;   // naechste is smaller than the decimal value
};

Schwelle MacheSchwelle(int zaehler, int nenner)
{
    const double naechste = static_cast<double>(zaehler) / nenner; // correctly rounded
    // naechste * nenner - zaehler is a small multiple of naechste's unit in the last place, so
    // the fused operation yields it exactly and its sign tells on which side naechste lies.
    const double rest =
        std::fma(naechste, static_cast<double>(nenner), -static_cast<double>(zaehler));
    return {naechste, rest < 0};
}

bool Mindestens(double wert, const Schwelle& s)
{
    return s.darunter ? wert > s.naechste : wert >= s.naechste;
}

constexpr std::array<std::string_view, 6> Wirkungen{
    "Konfusion, Koma, starke Vergiftungserscheinungen, Tod durch Kreislaufversagen oder "
    "Atemblockade",
    "starke Beeinträchtigung der Wahrnehmung, Gehen ist kaum noch möglich, erste "
    "Vergiftungserscheinungen",
    "Beeinträchtigung des Körpergleichgewichts, Lallen, Erinnerungs- und Beurteilungsvermögen "
    "sinken",
    "erste Beeinträchtigungen der Wahrnehmung (Gedächtnis, Sehen und Hören gedämpft) leichte "
    "Beeinträchtigung des Körpergleichgewichts",
    "leicht euphorisch und anregend",
    "gleich Null",
};

} // namespace

int Wirkungsstufe(double promille)
{
    static const std::array<Schwelle, 5> schwellen{MacheSchwelle(3, 1), MacheSchwelle(16, 10),
                                                   MacheSchwelle(8, 10), MacheSchwelle(5, 10),
                                                   MacheSchwelle(3, 10)};
    for (std::size_t i = 0; i < schwellen.size(); ++i) {
        if (Mindestens(promille, schwellen[i]))
            return static_cast<int>(i) + 1;
    }
    return 6;
}

std::string_view WirkungsText(int stufe)
{
    if (stufe < 1 || stufe > static_cast<int>(Wirkungen.size()))
        return {};
    return Wirkungen[static_cast<std::size_t>(stufe - 1)];
}

std::string WirkungFuer(double promille)
{
    return std::string(WirkungsText(Wirkungsstufe(promille)));
}

TErgebnis Berechne(const TEingabe& e)
{
    using gleitkomma::Durch;
    using gleitkomma::Mal;
    using gleitkomma::Minus;
    using gleitkomma::Plus;

    // The order of the terms is part of the result: summing in another order changes the last
    // bits, and this is the order the results have always been computed in.
    double summe = Durch(Mal(e.LiterBier, 1000), TeilerBier);
    summe = Plus(summe, Durch(Mal(e.LiterWein, 1000), TeilerWein));
    summe = Plus(summe, Durch(Mal(e.LiterWhisky, 1000), TeilerWhisky));
    summe = Plus(summe, Durch(Mal(e.LiterKorn, 1000), TeilerKorn));
    summe = Plus(summe, Durch(Mal(e.LiterLikoer, 1000), TeilerLikoer));
    summe = Plus(summe, Durch(Mal(e.LiterBacardi, 1000), TeilerBacardi));

    for (const TGetraenk& g : e.Getraenk) {
        const double q = Durch(100, g.Volumenprozent);
        // An empty row adds exactly nothing; only its strength can still fail above.
        if (g.Milliliter != 0)
            summe = Plus(Durch(g.Milliliter, q), summe);
    }

    TErgebnis erg;
    erg.Alkohol = Mal(summe, AlkoholDichte);

    const double r = WidmarkFaktor(e.Geschlecht);
    const double beta = Abbaurate(e.Konstitution);
    const double d = Verzoegerung(e.Magenfuellung);
    const double t = e.Trinkzeitraum;
    const double w = e.Koerpergewicht;

    double promille = Minus(Minus(Durch(erg.Alkohol, Mal(w, r)), Mal(t, beta)), Mal(d, beta));
    if (!(promille > 0))
        promille = 0; // also turns a negative zero into zero
    erg.Promille = promille;
    erg.ZeitBisMaximum = Plus(t, d);
    erg.ZeitBisNuechtern = Plus(Durch(erg.Promille, beta), erg.ZeitBisMaximum);
    erg.Wirkung = WirkungFuer(erg.Promille);
    return erg;
}

} // namespace zw
