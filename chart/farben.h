// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast of colours as the web accessibility guidelines (WCAG 2) measure it, and a colour
// that reaches a wanted contrast on a given background. Dark desktop palettes turn the window
// face dark; whatever is drawn straight onto the face has to stay readable there.
#pragma once

#include <QColor>

namespace zw {

// The contrast the guidelines ask of text (level AA): 4.5 : 1.
constexpr double MindestKontrast = 4.5;

// Relative luminance, 0 (black) to 1 (white).
double RelativeHelligkeit(const QColor& farbe);

// Contrast ratio of two colours, 1 (equal) to 21 (black on white).
double Kontrast(const QColor& a, const QColor& b);

// wunsch itself when it reaches mindestens on grund; otherwise the colour nearest to wunsch on
// the way to white (on a dark background) or to black (on a light one) that does.
QColor LesbareFarbe(const QColor& wunsch, const QColor& grund, double mindestens = MindestKontrast);

// Whether black is no longer readable on grund: the face of a dark palette.
bool IstDunkel(const QColor& grund);

} // namespace zw
