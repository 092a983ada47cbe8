// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Formats arbitrary doubles. The texts may hold nothing but digits, the separators, "-" and "E";
// the general number text of a finite value reads back within its 15 significant digits.
#include "report/zahltext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

const zw::TTrennzeichen Regionen[] = {{",", "."}, {".", ","}, {",", "\u202f"}};

bool NurErlaubt(std::string_view text, const zw::TTrennzeichen& t)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '-' || c == 'E') {
            ++i;
        } else if (text.substr(i).starts_with(t.Dezimal)) {
            i += t.Dezimal.size();
        } else if (text.substr(i).starts_with(t.Tausender)) {
            i += t.Tausender.size();
        } else {
            return false;
        }
    }
    return !text.empty();
}

void Pruefe(bool bedingung)
{
    if (!bedingung)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    if (groesse < 10)
        return 0;
    double wert = 0;
    std::memcpy(&wert, daten, sizeof wert);
    if (!std::isfinite(wert))
        return 0;
    const int dezimalen = daten[8] % 19;
    const zw::TTrennzeichen& t = Regionen[daten[9] % std::size(Regionen)];

    const std::string zahl = zw::ZahlText(wert, dezimalen, t);
    const std::string allgemein = zw::AllgemeinerZahlText(wert, t);
    const std::string achse = zw::AchsenText(wert, t);
    Pruefe(NurErlaubt(zahl, t));
    Pruefe(NurErlaubt(allgemein, t));
    Pruefe(NurErlaubt(achse, t));

    // Fixed texts carry exactly the requested decimals after the separator.
    if (zahl.find('E') == std::string::npos && dezimalen > 0) {
        const auto sep = zahl.rfind(t.Dezimal);
        Pruefe(sep != std::string::npos &&
               zahl.size() - sep - t.Dezimal.size() == static_cast<std::size_t>(dezimalen));
    }
    // No minus sign in front of a text that shows zero.
    if (zahl[0] == '-')
        Pruefe(zahl.find_first_of("123456789") != std::string::npos);
    if (achse[0] == '-')
        Pruefe(achse.find_first_of("123456789") != std::string::npos);

    // The general text reads back within 15 significant digits, except where rounding up to
    // 15 digits has left the range of a double.
    try {
        const double zurueck = zw::LiesGleitkomma(allgemein, t);
        const double grenze = std::fabs(wert) * 1e-14 + std::numeric_limits<double>::denorm_min();
        Pruefe(std::fabs(zurueck - wert) <= grenze);
    } catch (const zw::EConvertError&) {
        Pruefe(std::fabs(wert) > 1.79769313486231e308);
    }
    return 0;
}
