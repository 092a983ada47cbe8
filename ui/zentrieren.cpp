// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zentrieren.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zw {

void ZentriereAufBildschirm(QWidget* fenster)
{
    const QScreen* bildschirm =
        fenster->screen() ? fenster->screen() : QGuiApplication::primaryScreen();
    if (!bildschirm)
        return;
    QRect platz = fenster->frameGeometry();
    platz.moveCenter(bildschirm->availableGeometry().center());
    fenster->move(platz.topLeft());
}

} // namespace zw
