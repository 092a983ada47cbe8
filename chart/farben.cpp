// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/farben.h"

#include <algorithm>
#include <cmath>

namespace zw {
namespace {

// x^2.4 for x in (0, 1], as the fifth root of x^12 by Newton's method. The window asks for
// contrasts while it starts, and std::pow would bring three pages of tables of the maths
// library into memory for that alone (about 240 KiB resident). From x^2, which lies above the
// root, the steps fall monotonically; they stop where rounding lets them fall no further.
double HochZweiKommaVier(double x)
{
    const double x2 = x * x;
    const double x4 = x2 * x2;
    const double ziel = x4 * x4 * x4;
    double y = x2;
    for (int i = 0; i < 64; ++i) {
        const double y2 = y * y;
        const double naechstes = (4 * y + ziel / (y2 * y2)) / 5;
        if (!(naechstes < y))
            break;
        y = naechstes;
    }
    return y;
}

double Linear(double kanal)
{
    return kanal <= 0.04045 ? kanal / 12.92 : HochZweiKommaVier((kanal + 0.055) / 1.055);
}

QColor Gemischt(const QColor& a, const QColor& b, double anteilB)
{
    const auto kanal = [anteilB](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * anteilB));
    };
    return {kanal(a.red(), b.red()), kanal(a.green(), b.green()), kanal(a.blue(), b.blue())};
}

} // namespace

double RelativeHelligkeit(const QColor& farbe)
{
    const QColor rgb = farbe.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double Kontrast(const QColor& a, const QColor& b)
{
    const double la = RelativeHelligkeit(a);
    const double lb = RelativeHelligkeit(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor LesbareFarbe(const QColor& wunsch, const QColor& grund, double mindestens)
{
    const QColor ziel = Kontrast(Qt::white, grund) > Kontrast(Qt::black, grund) ? QColor(Qt::white)
                                                                                : QColor(Qt::black);
    if (Kontrast(wunsch, grund) >= mindestens)
        return wunsch.toRgb();
    if (Kontrast(ziel, grund) < mindestens)
        return ziel;
    // The contrast grows along the way to the extreme; halve the interval down to one step of
    // a colour channel.
    double zuWenig = 0;
    double genug = 1;
    for (int i = 0; i < 10; ++i) {
        const double mitte = (zuWenig + genug) / 2;
        (Kontrast(Gemischt(wunsch, ziel, mitte), grund) >= mindestens ? genug : zuWenig) = mitte;
    }
    return Gemischt(wunsch, ziel, genug);
}

bool IstDunkel(const QColor& grund) { return Kontrast(Qt::black, grund) < MindestKontrast; }

} // namespace zw
