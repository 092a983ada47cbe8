// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary text as a litre field. The first byte picks the separators. Whatever the text,
// reading either yields a finite value or fails with the conversion message naming the text.
#include "report/zahltext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const zw::TTrennzeichen Regionen[] = {
    {",", "."}, {".", ","}, {"\u066b", "\u066c"}, {",", "\u202f"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    if (groesse == 0)
        return 0;
    const zw::TTrennzeichen& t = Regionen[daten[0] % std::size(Regionen)];
    const std::string text(reinterpret_cast<const char*>(daten + 1), groesse - 1);
    try {
        const double wert = zw::LiesGleitkomma(text, t);
        if (!std::isfinite(wert))
            std::abort();
        // A valid text never has anything but blanks around the number.
        if (text.find('\t') != std::string::npos || text.find('\n') != std::string::npos)
            std::abort();
    } catch (const zw::EConvertError& f) {
        // what() is a C string, so a text with a NUL byte is compared up to that byte.
        const std::string erwartet =
            "'" + zw::Isoliert(text) + "' is not a valid floating point value";
        if (erwartet.substr(0, erwartet.find('\0')) != f.what())
            std::abort();
    }
    return 0;
}
