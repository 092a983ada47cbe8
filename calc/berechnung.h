// The blood alcohol calculation: one input record in, one result out, no state.
#pragma once

#include "calc/eingabe.h"

#include <exception>
#include <string>

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

// The effect text for a peak value.
std::string WirkungFuer(double promille);

} // namespace zw
