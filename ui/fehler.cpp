// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fehler.h"

#include <QMessageBox>
#include <QPointer>

namespace zw {

QString Fehlermeldungstext(const QString& text)
{
    // The isolation around a text the user typed is no character of the message's own.
    QStringView sichtbar(text);
    while (sichtbar.endsWith(QChar(0x2069)))
        sichtbar.chop(1);
    if (!sichtbar.isEmpty() && sichtbar.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ZeigeFehler(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zechwaage 3.3a"),
                    Fehlermeldungstext(text), QMessageBox::Ok, parent);
    box.exec();
}

TFehlerMelder StandardFehlerMelder(QWidget* parent)
{
    return [ziel = QPointer<QWidget>(parent)](const QString& text) { ZeigeFehler(ziel, text); };
}

} // namespace zw
