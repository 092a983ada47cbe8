// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Windows on a Wayland desktop. There the compositor draws the title bar only where it offers
// server-side decorations (KDE, for instance); elsewhere (GNOME, weston) Qt draws one of its
// own, and that one always carries a maximise button: a click on it asks the compositor to
// maximise a window of fixed size, which cannot follow, and the compositor ends the program.
//
// So, where the compositor draws no title bars, the program's fixed-size windows draw their
// own: title, the minimise button where the window has one, the close button, no maximise.
// And should any window of fixed size be maximised all the same, it follows the compositor's
// size until the compositor has taken the request back, instead of being disconnected.
#pragma once

#include <QByteArrayList>
#include <QObject>
#include <QPointer>
#include <QSize>

class QWidget;
class QWindow;

namespace zw {

// The names of the global interfaces the compositor the application talks to offers
// ("wl_compositor", "xdg_wm_base", ...). Empty off Wayland, and when they cannot be read.
QByteArrayList KompositorAngebote();

// Whether the compositor the application talks to offers server-side decorations
// (zxdg_decoration_manager_v1). false off Wayland, and when it cannot be found out.
bool KompositorZeichnetRahmen();

// Sets up the above for the whole application. Does nothing off Wayland. The title bars are
// left out where the user has switched Qt's window decorations off
// (QT_WAYLAND_DISABLE_WINDOWDECORATION) and where the compositor draws its own.
void RichteWaylandFensterEin();

// Gives a top-level window a title bar and a frame of its own, before it is first shown.
// Exposed for the tests; RichteWaylandFensterEin does it for every window of fixed size.
void GibEigeneTitelleiste(QWidget* fenster);

} // namespace zw
