// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap files at a screen's colour depth, including the 15, 16 and 32 bits per pixel that Qt's
// own writer does not make.
#pragma once

#include <QByteArray>

class QImage;

namespace zw {

// The picture as a bottom-up bitmap file of farbtiefe bits per pixel: 1, 8 (nearest colour of
// a palette), 15 (5-5-5), 16 (5-6-5, named by bit masks), 24 or 32; a depth in between takes
// the next one up. Empty when the picture cannot be encoded.
QByteArray BmpDatei(const QImage& bild, int farbtiefe);

} // namespace zw
