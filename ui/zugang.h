// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are told about the program's own controls: the main window is a window,
// the result fields are read-only texts whose value can be read as text, the up-down counters
// and spin fields are spin buttons with their values, a page tab is marked focused only while
// the tab strip has the focus, and the info window's links are links.
#pragma once

namespace zw {

// Makes these descriptions known to Qt's accessibility; once per program, later calls do
// nothing. The windows call it themselves.
void RichteZugangEin();

} // namespace zw
