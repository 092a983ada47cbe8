// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ergebnistexte.h"

namespace zw {

std::string PromilleText(double promille, const TTrennzeichen& t)
{
    return ZahlText(promille, 3, t) + " °/oo";
}

std::string AlkoholText(double alkohol, const TTrennzeichen& t)
{
    return ZahlText(alkohol, 0, t) + " g";
}

std::string StundenText(double stunden, const TTrennzeichen& t)
{
    return ZahlText(stunden, 1, t) + " Stunde(n)";
}

std::string WirkungUeberschrift(double promille, const TTrennzeichen& t)
{
    return "Wirkung bei " + ZahlText(promille, 3, t) + " Promille:";
}

TErgebnisTexte ErgebnisTexte(const TErgebnis& e, const TTrennzeichen& t)
{
    TErgebnisTexte texte;
    texte.Maximum = PromilleText(e.Promille, t);
    texte.Aufnahme = AlkoholText(e.Alkohol, t);
    texte.ZeitMaximum = StundenText(e.ZeitBisMaximum, t);
    texte.ZeitNuechtern = StundenText(e.ZeitBisNuechtern, t);
    texte.Ueberschrift = WirkungUeberschrift(e.Promille, t);
    texte.Wirkung = e.Wirkung;
    return texte;
}

} // namespace zw
