// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The input record of one calculation and the constant tables behind the user's choices.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zw {

// One free beverage row of the fine entry.
struct TGetraenk {
    std::int32_t Milliliter = 0;
    std::int32_t Volumenprozent = 0;
};

// Everything one calculation needs. Values outside the controls' ranges can arrive here while
// a field is being typed in; the calculation takes whatever it is given.
struct TEingabe {
    double LiterBier = 0;
    double LiterWein = 0;
    double LiterWhisky = 0;
    double LiterKorn = 0;
    double LiterLikoer = 0;
    double LiterBacardi = 0;
    std::array<TGetraenk, 6> Getraenk{}; // index 0 is row 1 ("Getränk 1:")
    std::int32_t Trinkzeitraum = 0;      // hours
    int Magenfuellung = 0;               // 0 .. 3
    int Geschlecht = 0;                  // 0 männlich, 1 weiblich
    std::int32_t Koerpergewicht = 0;     // kilograms
    int Konstitution = 0;                // slider position 0 .. 2
};

// Millilitres of drink per millilitre of pure alcohol. Rounded values, used as divisors exactly as
// written: they are not 100 divided by a whole strength (Bacardi is 37.5 %, not 37 %).
inline constexpr double TeilerBier = 20;
inline constexpr double TeilerWein = 9.09091;
inline constexpr double TeilerLikoer = 4.16667;
inline constexpr double TeilerKorn = 3.125;
inline constexpr double TeilerBacardi = 2.66667;
inline constexpr double TeilerWhisky = 2.38095;

// A beverage of the quick entry, in on-screen order (also the report's order).
struct TSchnellGetraenk {
    std::string_view Name; // "Bier"
    double Teiler;         // millilitres of drink per millilitre of alcohol, used as a divisor
    std::string_view Statustext;     // "Bier: 5 % Vol"
    std::string_view Berichtsendung; // " l Bier (5%)"
    double TEingabe::* Liter;        // the litre field of the record it fills
};

// Quick-entry beverages, left to right on screen: Bier, Wein, Likör, Korn, Bacardi, Whisky.
extern const std::array<TSchnellGetraenk, 6> SchnellGetraenke;

// Item texts of the sex radio group and the stomach-fill list, by index.
extern const std::array<std::string_view, 2> GeschlechtTexte;
extern const std::array<std::string_view, 4> MagenfuellungTexte;

// Start values of the controls.
inline constexpr std::array<std::int32_t, 6> StartVolumenprozent{5, 10, 15, 20, 25, 30};
inline constexpr std::int32_t StartTrinkzeitraum = 1;
inline constexpr int StartMagenfuellung = 1;
inline constexpr int StartGeschlecht = 0;
inline constexpr std::int32_t StartKoerpergewicht = 80;
inline constexpr int StartKonstitution = 1;

// Parameter lookups; each is defined for every integer.
double WidmarkFaktor(int geschlecht);   // r
double Abbaurate(int konstitution);     // beta, per mille per hour
double Verzoegerung(int magenfuellung); // d, hours

inline constexpr double AlkoholDichte = 0.8; // grams per millilitre

// The record as the controls hold it after start-up.
TEingabe StartEingabe();

} // namespace zw
