// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts with regional separators, and reading a litre text. No global state: the
// separators are always passed in.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace zw {

// Regional separators as UTF-8 (a separator may be more than one byte, e.g. U+202F).
struct TTrennzeichen {
    std::string Dezimal = ",";
    std::string Tausender = ".";
};

// Number text with n decimals: grouped integer digits, exactly n decimals, rounded half away
// from zero after expanding the value to 18 significant digits. |v| >= 1e18 goes scientific.
std::string ZahlText(double wert, int dezimalen, const TTrennzeichen& t);

// General number text: the exact value rounded once, half away from zero, to 15 significant
// digits, trailing zeros dropped, no grouping; scientific outside 0.0001 <= |v| < 1e15.
std::string AllgemeinerZahlText(double wert, const TTrennzeichen& t);

// The chart's label format "#,##0.###": grouped, up to three decimals, trailing zeros dropped.
std::string AchsenText(double wert, const TTrennzeichen& t);

// A text that is not a floating point number.
class EConvertError final : public std::exception {
public:
    explicit EConvertError(std::string meldung) : meldung_(std::move(meldung)) {}
    const char* what() const noexcept override { return meldung_.c_str(); }

private:
    std::string meldung_;
};

// Reads a litre field's text. Throws EConvertError("'<text>' is not a valid floating point
// value"), the text isolated as Isoliert() does.
double LiesGleitkomma(std::string_view text, const TTrennzeichen& t);

// A text the user typed, as it goes into a message: between FIRST STRONG ISOLATE and POP
// DIRECTIONAL ISOLATE (U+2068, U+2069), so that direction marks in it (a right-to-left
// override, say) turn only the text itself around, never the message. Isolates the text leaves
// open are closed and closing marks without an opening one dropped, so that it cannot end the
// isolation early; each line is isolated on its own, as each line of a message is laid out on
// its own. UTF-8 in and out; every other character is kept.
std::string Isoliert(std::string_view text);

} // namespace zw
