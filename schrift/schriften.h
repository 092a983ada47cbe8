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

} // namespace zw
