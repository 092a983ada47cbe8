// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The blood alcohol calculation: one input record in, one result out, no state.
#pragma once

#include "calc/eingabe.h"

#include <exception>
#include <string>
#include <string_view>

namespace zw {

struct TErgebnis {
    double Alkohol = 0;          // grams of pure alcohol
    double Promille = 0;         // peak, never negative
    double ZeitBisMaximum = 0;   // hours from the start of drinking to the peak
    double ZeitBisNuechtern = 0; // hours from the start of drinking until the level is zero
    std::string Wirkung;         // UTF-8
};

// Arithmetic failures. what() is the text the user sees.
class EMathError : public std::exception {};
class EZeroDivide final : public EMathError {
public:
    const char* what() const noexcept override { return "Floating point division by zero"; }
};
class EInvalidOp final : public EMathError {
public:
    const char* what() const noexcept override { return "Invalid floating point operation"; }
};
class EOverflow final : public EMathError {
public:
    const char* what() const noexcept override { return "Floating point overflow"; }
};

// Throws EZeroDivide, EInvalidOp or EOverflow; never returns inf or NaN.
TErgebnis Berechne(const TEingabe& e);

// The effect band of a peak value, 1 (3 per mille or more) to 6 (below 0.3). The thresholds are
// the exact decimal values; a peak exactly on a threshold belongs to the band above it.
int Wirkungsstufe(double promille);

// The effect text of a band 1 to 6 (UTF-8); any other band gives an empty text.
std::string_view WirkungsText(int stufe);

// The effect text for a peak value.
std::string WirkungFuer(double promille);

} // namespace zw
