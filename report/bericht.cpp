// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/bericht.h"

#include <cstdint>

namespace zw {

namespace {

constexpr std::string_view CRLF = "\r\n";
constexpr std::string_view Linie =
    "---------------------------------------------------------------";

// Labels of the key/value lines, each padded to the 24-character column (ü and ö are one
// character, two bytes).
constexpr std::string_view LabelTrinkzeitraum = "Trinkzeitraum:          ";
constexpr std::string_view LabelMagenfuellung = "Magenfüllung:           ";
constexpr std::string_view LabelGeschlecht = "Geschlecht:             ";
constexpr std::string_view LabelKoerpergewicht = "Körpergewicht:          ";
constexpr std::string_view LabelKonstitution = "Konstitution:           ";
constexpr std::string_view LabelAufnahme = "Alkoholaufnahme gesamt: ";
constexpr std::string_view LabelMaximum = "Promille-Maximum:       ";
constexpr std::string_view LabelZeitMaximum = "Maximum erreicht nach:  ";
constexpr std::string_view LabelNuechtern = "Nüchtern nach:          ";

} // namespace

std::string Bericht(const TBerichtDaten& d)
{
    std::string b;
    b.reserve(1024);
    auto zeile = [&b](std::string_view label, std::string_view wert, std::string_view ende) {
        b += label;
        b += wert;
        b += ende;
    };

    b += "Berechnete Daten vom Zechwaage (Freeware, alle Angaben ohne Gewähr)";
    b += CRLF;
    b += Linie;
    b += "\r\n\n";

    zeile(LabelTrinkzeitraum, std::to_string(d.Trinkzeitraum) + " Stunde(n)", CRLF);
    zeile(LabelMagenfuellung, d.Magenfuellung, CRLF);
    zeile(LabelGeschlecht, d.Geschlecht, CRLF);
    zeile(LabelKoerpergewicht, std::to_string(d.Koerpergewicht) + " kg", CRLF);
    // Widened so that no slider position can overflow the "+ 1".
    zeile(LabelKonstitution,
          std::to_string(static_cast<std::int64_t>(d.Konstitution) + 1) +
              " (Nicht-Trinker = 1, Alkoholiker = 3)",
          "\r\n\n");

    b += "Verzehr (Prozent-Angaben = Alkohol):";
    b += CRLF;
    // Only the untouched start text "0" is left out; "0,0" was typed and is shown as typed.
    for (std::size_t i = 0; i < SchnellGetraenke.size(); ++i) {
        if (d.LiterTexte[i] == "0")
            continue;
        zeile("  ", d.LiterTexte[i], SchnellGetraenke[i].Berichtsendung);
        b += CRLF;
    }
    for (const TGetraenk& g : d.Getraenk) {
        if (g.Milliliter <= 0)
            continue;
        zeile("  ",
              std::to_string(g.Milliliter) + " ml (" + std::to_string(g.Volumenprozent) + " %)",
              CRLF);
    }

    b += '\n';
    zeile(LabelAufnahme, d.Aufnahme, "\r\n\n");
    zeile(LabelMaximum, d.Maximum, CRLF);
    zeile(LabelZeitMaximum, d.ZeitMaximum, CRLF);
    zeile(LabelNuechtern, d.ZeitNuechtern, "\r\n\n");

    b += "Wirkung:";
    b += CRLF;
    for (const std::string& z : d.WirkungZeilen)
        zeile("  ", z, CRLF);

    b += CRLF;
    b += Linie;
    b += CRLF;
    return b;
}

} // namespace zw
