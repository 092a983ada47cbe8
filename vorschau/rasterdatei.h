// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What is checked in bitmap and PNG files, and SVG text recognised, before Qt's decoders see
// them.
#pragma once

#include <QByteArray>
#include <QSize>

#include <optional>

namespace zw {

bool IstBmp(const QByteArray& daten);
bool IstPng(const QByteArray& daten);

// The size of an uncompressed bitmap whose pixels the file holds in full, after its header,
// colour masks and palette; rows stored top-down (a negative height) count as well. nullopt for
// anything else: Qt's decoder leaves pixels the file does not supply as the allocator handed
// them out, and compressed bitmaps cannot be checked before decoding.
std::optional<QSize> BmpGroesse(const QByteArray& daten);

// The PNG without its text chunks (tEXt, zTXt, iTXt), which Qt expands in full before it reports
// even the size; a picture needs none of them. Empty when the chunks do not follow one another
// as the format says.
QByteArray PngOhneTexte(const QByteArray& daten);

bool SiehtAusWieSvg(const QByteArray& daten);

} // namespace zw
