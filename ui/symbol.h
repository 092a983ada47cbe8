// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: the stemmed glass of beer of the main window's picture panel, drawn into
// a square. The window shows it, and the menu entry's icon files are made from it
// (scripts/symbole.sh), so that both are the one picture.
#pragma once

#include <QByteArray>
#include <QImage>

#include <array>

namespace zw {

// The sizes the icon theme gets as pictures, in pixels along each edge.
constexpr std::array<int, 8> SymbolGroessen{16, 22, 24, 32, 48, 64, 128, 256};

// The icon kante x kante pixels large, on a transparent background.
QImage SymbolBild(int kante);

// The same drawing as a scalable picture, 128 units square; empty if it could not be made.
QByteArray SymbolSvg();

} // namespace zw
