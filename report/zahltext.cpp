// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/zahltext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace zw {

namespace {

// A finite value as a decimal digit string: |value| = 0.z0 z1 z2 ... * 10^(exponent + 1), i.e.
// z0 is the digit at 10^exponent. Digits past the end of the string are zeros; an empty string
// (or one of zeros only) is zero.
struct Dezimal {
    bool negativ = false;
    std::string ziffern;
    int exponent = 0;
};

// The most significant digits the exact decimal expansion of a double can have.
constexpr int MaxExakteStellen = 767;

// The value expanded to `stellen` significant digits (at most MaxExakteStellen, which is the
// exact value). std::to_chars is exact and correctly rounded and, unlike printf, does not
// depend on the C locale.
Dezimal Entwickle(double wert, int stellen)
{
    std::array<char, MaxExakteStellen + 16> puffer{};
    const auto [ende, fehler] = std::to_chars(puffer.data(), puffer.data() + puffer.size(), wert,
                                              std::chars_format::scientific, stellen - 1);
    (void)fehler; // the buffer holds the digits, a sign, the point and a three-digit exponent
    Dezimal d;
    const char* p = puffer.data();
    if (*p == '-') {
        d.negativ = true;
        ++p;
    }
    for (; p != ende && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.ziffern.push_back(*p);
    }
    if (p != ende)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), ende, d.exponent);
    if (d.ziffern.find_first_not_of('0') == std::string::npos)
        d.ziffern.clear();
    return d;
}

Dezimal Entwickle18(double wert) { return Entwickle(wert, 18); }

bool IstNull(const Dezimal& d) { return d.ziffern.find_first_not_of('0') == std::string::npos; }

// Keeps the first `stellen` digits, rounding half away from zero on the digits as they stand.
// A carry out of the first digit raises the exponent.
void Runde(Dezimal& d, int stellen)
{
    if (stellen >= static_cast<int>(d.ziffern.size()))
        return;
    if (stellen < 0) {
        d.ziffern.clear();
        return;
    }
    const bool auf = d.ziffern[static_cast<std::size_t>(stellen)] >= '5';
    d.ziffern.resize(static_cast<std::size_t>(stellen));
    if (!auf)
        return;
    int i = stellen - 1;
    while (i >= 0 && d.ziffern[static_cast<std::size_t>(i)] == '9') {
        d.ziffern[static_cast<std::size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.ziffern[static_cast<std::size_t>(i)];
    } else {
        d.ziffern.insert(d.ziffern.begin(), '1');
        ++d.exponent;
    }
}

void StreicheNullen(Dezimal& d)
{
    const auto letzte = d.ziffern.find_last_not_of('0');
    d.ziffern.resize(letzte == std::string::npos ? 0 : letzte + 1);
}

char ZifferBei(const Dezimal& d, int zehnerpotenz)
{
    const int i = d.exponent - zehnerpotenz;
    if (i < 0 || i >= static_cast<int>(d.ziffern.size()))
        return '0';
    return d.ziffern[static_cast<std::size_t>(i)];
}

// Fixed notation with exactly `dezimalen` decimals of an already rounded value.
std::string Festkomma(const Dezimal& d, int dezimalen, bool gruppieren, const TTrennzeichen& t)
{
    std::string ganz;
    for (int p = std::max(d.exponent, 0); p >= 0; --p)
        ganz.push_back(ZifferBei(d, p));
    const auto erste = ganz.find_first_not_of('0');
    ganz.erase(0, erste == std::string::npos ? ganz.size() - 1 : erste);

    std::string text;
    if (d.negativ && !IstNull(d))
        text.push_back('-');
    for (std::size_t i = 0; i < ganz.size(); ++i) {
        if (gruppieren && i > 0 && (ganz.size() - i) % 3 == 0)
            text += t.Tausender;
        text.push_back(ganz[i]);
    }
    if (dezimalen > 0) {
        text += t.Dezimal;
        for (int p = -1; p >= -dezimalen; --p)
            text.push_back(ZifferBei(d, p));
    }
    return text;
}

// Scientific notation with at most `stellen` significant digits: "1,5E20", "-2E-7".
std::string Wissenschaftlich(Dezimal d, int stellen, const TTrennzeichen& t)
{
    Runde(d, stellen);
    StreicheNullen(d);
    if (d.ziffern.empty())
        return "0";
    std::string text;
    if (d.negativ)
        text.push_back('-');
    text.push_back(d.ziffern[0]);
    if (d.ziffern.size() > 1) {
        text += t.Dezimal;
        text.append(d.ziffern, 1);
    }
    text.push_back('E');
    text += std::to_string(d.exponent);
    return text;
}

// Not produced by the calculation, which never yields inf or NaN; written the way the
// number formatting of the platform has always written them.
std::string NichtEndlich(double wert)
{
    if (std::isnan(wert))
        return "NAN";
    return wert < 0 ? "-INF" : "INF";
}

// The value rounded once, half away from zero, to 15 significant digits of its exact decimal
// expansion. Rounding an 18-digit expansion again would round values just below a half up
// (0.64835514725102449951... to ...025). Twenty correctly rounded digits decide it, unless the
// five past the fifteenth read 50000: only then may the exact value lie below the half.
Dezimal AufFuenfzehn(double wert)
{
    Dezimal d = Entwickle(wert, 20);
    if (d.ziffern.size() == 20 && d.ziffern.compare(15, 5, "50000") == 0)
        d = Entwickle(wert, MaxExakteStellen);
    Runde(d, 15);
    return d;
}

constexpr double GrenzeFestkomma = 1e18;
constexpr int MaxDezimalen = 18;

std::string Grosse(double wert, const TTrennzeichen& t)
{
    return Wissenschaftlich(Entwickle18(wert), 18, t);
}

} // namespace

std::string ZahlText(double wert, int dezimalen, const TTrennzeichen& t)
{
    if (!std::isfinite(wert))
        return NichtEndlich(wert);
    if (std::fabs(wert) >= GrenzeFestkomma)
        return Grosse(wert, t);
    dezimalen = std::clamp(dezimalen, 0, MaxDezimalen);
    Dezimal d = Entwickle18(wert);
    Runde(d, d.exponent + 1 + dezimalen);
    return Festkomma(d, dezimalen, true, t);
}

std::string AllgemeinerZahlText(double wert, const TTrennzeichen& t)
{
    if (!std::isfinite(wert))
        return NichtEndlich(wert);
    Dezimal d = AufFuenfzehn(wert);
    StreicheNullen(d);
    if (d.ziffern.empty())
        return "0";
    if (d.exponent < -4 || d.exponent >= 15)
        return Wissenschaftlich(d, 15, t);
    const int dezimalen = std::max(0, static_cast<int>(d.ziffern.size()) - d.exponent - 1);
    return Festkomma(d, dezimalen, false, t);
}

std::string AchsenText(double wert, const TTrennzeichen& t)
{
    if (!std::isfinite(wert))
        return NichtEndlich(wert);
    if (std::fabs(wert) >= GrenzeFestkomma)
        return Grosse(wert, t);
    Dezimal d = Entwickle18(wert);
    Runde(d, d.exponent + 1 + 3);
    StreicheNullen(d);
    if (d.ziffern.empty())
        return "0";
    const int dezimalen = std::clamp(static_cast<int>(d.ziffern.size()) - d.exponent - 1, 0, 3);
    return Festkomma(d, dezimalen, true, t);
}

namespace {

[[noreturn]] void Ungueltig(std::string_view text)
{
    std::string meldung;
    meldung.reserve(text.size() + 48);
    meldung += '\'';
    meldung += Isoliert(text);
    meldung += "' is not a valid floating point value";
    throw EConvertError(std::move(meldung));
}

// The isolates in UTF-8: LEFT-TO-RIGHT, RIGHT-TO-LEFT and FIRST STRONG ISOLATE open one, POP
// DIRECTIONAL ISOLATE closes it.
constexpr std::string_view kFsi = "\xE2\x81\xA8";
constexpr std::string_view kPdi = "\xE2\x81\xA9";

bool IstIsolatBeginn(std::string_view s, std::size_t pos)
{
    return s.substr(pos, 2) == "\xE2\x81" && pos + 2 < s.size() &&
           (s[pos + 2] == '\xA6' || s[pos + 2] == '\xA7' || s[pos + 2] == '\xA8');
}

// The length of the paragraph separator at pos (line feed, carriage return, the information
// separators, NEXT LINE, PARAGRAPH SEPARATOR), or 0.
std::size_t AbsatzEnde(std::string_view s, std::size_t pos)
{
    const char c = s[pos];
    if (c == '\n' || c == '\r' || c == '\x1C' || c == '\x1D' || c == '\x1E')
        return 1;
    if (s.substr(pos, 2) == "\xC2\x85")
        return 2;
    if (s.substr(pos, 3) == "\xE2\x80\xA9")
        return 3;
    return 0;
}

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string Isoliert(std::string_view text)
{
    std::string ergebnis;
    ergebnis.reserve(text.size() + 8);
    ergebnis += kFsi;
    int offen = 0; // isolates the text opened in this line
    const auto schliesse = [&] {
        for (; offen > 0; --offen)
            ergebnis += kPdi;
        ergebnis += kPdi;
    };
    for (std::size_t pos = 0; pos < text.size();) {
        if (const std::size_t ende = AbsatzEnde(text, pos)) {
            schliesse();
            ergebnis += text.substr(pos, ende);
            ergebnis += kFsi;
            pos += ende;
        } else if (IstIsolatBeginn(text, pos)) {
            ++offen;
            ergebnis += text.substr(pos, 3);
            pos += 3;
        } else if (text.substr(pos, 3) == kPdi) {
            if (offen > 0) {
                --offen;
                ergebnis += kPdi;
            }
            pos += 3;
        } else {
            ergebnis += text[pos];
            ++pos;
        }
    }
    schliesse();
    return ergebnis;
}

namespace {

std::string_view Ziffernfolge(std::string_view s, std::size_t& pos)
{
    const std::size_t anfang = pos;
    while (pos < s.size() && IstZiffer(s[pos]))
        ++pos;
    return s.substr(anfang, pos - anfang);
}

} // namespace

double LiesGleitkomma(std::string_view text, const TTrennzeichen& t)
{
    // Only blanks are skipped; a tab or any other white space makes the text invalid.
    const auto anfang = text.find_first_not_of(' ');
    if (anfang == std::string_view::npos)
        Ungueltig(text);
    const std::string_view s = text.substr(anfang, text.find_last_not_of(' ') + 1 - anfang);

    std::size_t pos = 0;
    bool negativ = false;
    if (s[pos] == '+' || s[pos] == '-') {
        negativ = s[pos] == '-';
        ++pos;
    }
    const std::string_view ganz = Ziffernfolge(s, pos);
    std::string_view bruch;
    bool mitTrenner = false;
    if (!t.Dezimal.empty() && s.substr(pos).starts_with(t.Dezimal)) {
        mitTrenner = true;
        pos += t.Dezimal.size();
        bruch = Ziffernfolge(s, pos);
    }
    // A lone separator counts as a number (zero); a bare sign does not.
    if (ganz.empty() && bruch.empty() && !mitTrenner)
        Ungueltig(text);

    long long exponent = 0;
    if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e')) {
        ++pos;
        bool expNegativ = false;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
            expNegativ = s[pos] == '-';
            ++pos;
        }
        // Saturate: anything this far out is beyond the range of a double either way.
        for (const char c : Ziffernfolge(s, pos))
            exponent = std::min(exponent * 10 + (c - '0'), 100'000'000LL);
        if (expNegativ)
            exponent = -exponent;
    }
    if (pos != s.size())
        Ungueltig(text);

    // Leading zeros carry no information and would only mislead the range estimate below.
    const auto ersteGanz = ganz.find_first_not_of('0');
    const std::string_view ganzOhneNullen =
        ersteGanz == std::string_view::npos ? std::string_view{} : ganz.substr(ersteGanz);
    const auto ersteBruch = bruch.find_first_not_of('0');
    if (ganzOhneNullen.empty() && ersteBruch == std::string_view::npos)
        return negativ ? -0.0 : 0.0;

    // The validated number in the one spelling std::from_chars takes, independent of any locale.
    std::string normal;
    normal.reserve(ganz.size() + bruch.size() + 24);
    if (negativ)
        normal += '-';
    normal += ganzOhneNullen.empty() ? std::string_view("0") : ganzOhneNullen;
    if (!bruch.empty()) {
        normal += '.';
        normal += bruch;
    }
    normal += 'e';
    normal += std::to_string(exponent);

    double wert = 0;
    const auto [ende, fehler] = std::from_chars(normal.data(), normal.data() + normal.size(), wert);
    if (fehler == std::errc::result_out_of_range) {
        // Decimal position of the leading digit decides between overflow and underflow.
        const long long fuehrend =
            ganzOhneNullen.empty() ? -static_cast<long long>(ersteBruch) - 1 + exponent
                                   : static_cast<long long>(ganzOhneNullen.size()) - 1 + exponent;
        if (fuehrend < 0)
            return negativ ? -0.0 : 0.0; // too small to represent: reads as zero
        Ungueltig(text);
    }
    if (fehler != std::errc() || ende != normal.data() + normal.size() || !std::isfinite(wert))
        Ungueltig(text);
    return wert;
}

} // namespace zw
