// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program opens centred on the screen it is on.
#pragma once

class QWidget;

namespace zw {

void ZentriereAufBildschirm(QWidget* fenster);

} // namespace zw
