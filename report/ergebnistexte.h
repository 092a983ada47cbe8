// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The texts that show one result in the main window.
#pragma once

#include "report/zahltext.h"

#include "calc/berechnung.h"

#include <string>

namespace zw {

std::string PromilleText(double promille, const TTrennzeichen& t); // "0,385 °/oo"
std::string AlkoholText(double alkohol, const TTrennzeichen& t);   // "40 g"
std::string StundenText(double stunden, const TTrennzeichen& t);   // "2,0 Stunde(n)"
std::string WirkungUeberschrift(double promille,
                                const TTrennzeichen& t); // "Wirkung bei 0,385 Promille:"

struct TErgebnisTexte {
    std::string Maximum;       // Memo2
    std::string Aufnahme;      // Memo4
    std::string ZeitMaximum;   // Memo3
    std::string ZeitNuechtern; // Memo5
    std::string Ueberschrift;  // Label15
    std::string Wirkung;       // Memo1, one line
};

TErgebnisTexte ErgebnisTexte(const TErgebnis& e, const TTrennzeichen& t);

} // namespace zw
