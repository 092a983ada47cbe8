// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings that belong to the whole application rather than to one window, made once at
// start-up before the first window is created.
#pragma once

#include <QString>

class QCoreApplication;

namespace zw {

void RichteAnwendungEin();

// Keeps freed memory in the process for the next picture instead of handing it back to the
// kernel at once; called first thing, before the application object. False where the
// allocator is not glibc's or declines (the sanitizers bring their own).
bool BehalteFreienSpeicher();

// Installs Qt's German catalogue from ordner for app; false when it is not there.
bool LadeQtUebersetzung(QCoreApplication& app, const QString& ordner);

} // namespace zw
