// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an integer field's text, shared by the spin field and the up-down buttons.
#pragma once

#include <QStringView>

#include <optional>

namespace zw {

// The whole text as a decimal integer: an optional "+" or "-" and ASCII digits, nothing else,
// within the range of int. Anything else (empty, a bare sign, blanks, "1,5", overflow) is no
// integer.
std::optional<int> GanzzahlAusText(QStringView text);

} // namespace zw
