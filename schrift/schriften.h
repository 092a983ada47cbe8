// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's fonts at fixed pixel sizes. The first family is the one the program asks for
// (and the one written into metafiles); the others stand in where it is not installed.
#pragma once

#include <QFont>

namespace zw {

QFont MsSansSerif(bool fett = false); // 8 point at 96 dpi: 11 pixels
QFont SmallFonts();                   // 7 point: 9 pixels
QFont Arial();                        // 8 point: 11 pixels

// The same font without the families at the front of its list that are not installed, for
// drawing on screen and measuring: what is drawn is the same, but a font whose first family Qt
// does not know makes it ask fontconfig for stand-ins (about half a millisecond, once per font)
// before it tries the next family. Pictures that record font names keep the names as asked.
QFont Installierte(const QFont& schrift);

} // namespace zw
