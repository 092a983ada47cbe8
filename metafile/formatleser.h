// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The two format readers: each checks a file's structure and plays its records on a Spieler.
#pragma once

#include "metafile/spieler.h"

#include <QByteArray>

#include <optional>

namespace zw::leser {

bool IstEmf(const QByteArray& daten);
// nullopt when the data is not a file of that format this reader can show.
std::optional<TBildDaten> EmfLesen(const QByteArray& daten);
std::optional<TBildDaten> WmfLesen(const QByteArray& daten);

} // namespace zw::leser
