// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Double arithmetic that stops with the matching failure where a trapping FPU would, so that
// no infinity or NaN ever leaves a calculation. Every intermediate result is checked, so an
// overflow is reported at the operation that leaves the range; an infinity can only enter
// through an operand, and inf - inf, 0 * inf, inf / inf are invalid operations.
#pragma once

#include "calc/berechnung.h"

#include <cmath>

namespace zw::gleitkomma {

namespace detail {
[[noreturn]] inline void Melde(double a, double b, double r)
{
    if (std::isnan(a) || std::isnan(b) || std::isnan(r))
        throw EInvalidOp();
    throw EOverflow();
}

// For +, - and * a finite result means finite operands too (inf and NaN propagate), so the
// usual case costs one test. Division is the exception: x / inf is 0, so Durch checks its divisor.
inline double Pruefe(double a, double b, double r)
{
    if (!std::isfinite(r)) [[unlikely]]
        Melde(a, b, r);
    return r;
}
} // namespace detail

inline double Plus(double a, double b) { return detail::Pruefe(a, b, a + b); }
inline double Minus(double a, double b) { return detail::Pruefe(a, b, a - b); }
inline double Mal(double a, double b) { return detail::Pruefe(a, b, a * b); }

inline double Durch(double a, double b)
{
    if (!std::isfinite(b)) [[unlikely]]
        detail::Melde(a, b, a / b);
    if (b == 0) {
        if (a == 0 || std::isnan(a))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return detail::Pruefe(a, b, a / b);
}

} // namespace zw::gleitkomma
