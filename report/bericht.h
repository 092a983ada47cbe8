// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The plain-text report for the clipboard, built from what the controls show.
#pragma once

#include "calc/eingabe.h"

#include <array>
#include <string>
#include <vector>

namespace zw {

struct TBerichtDaten {
    std::int32_t Trinkzeitraum = 0;
    std::string Magenfuellung; // item text of the selection
    std::string Geschlecht;    // item text of the selection
    std::int32_t Koerpergewicht = 0;
    int Konstitution = 0;                  // slider position
    std::array<std::string, 6> LiterTexte; // litre fields as typed, in SchnellGetraenke order
    std::array<TGetraenk, 6> Getraenk{};   // fine rows 1 to 6
    std::string Aufnahme;                  // first displayed line of each result field
    std::string Maximum;
    std::string ZeitMaximum;
    std::string ZeitNuechtern;
    std::vector<std::string> WirkungZeilen; // the effect box's lines as displayed
};

// The whole report, UTF-8, CR LF line ends with the format's five lone LFs.
std::string Bericht(const TBerichtDaten& d);

} // namespace zw
