// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's pictures ahead, while it is built, into the file the program then holds
// as a resource: start-up reads them instead of drawing them. Built from the drawing code alone
// (ui/bilder.cpp), so it runs before the library that holds its output.
//   zw_vorzeichnen <file>
#include "ui/bilder.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList argumente = QGuiApplication::arguments();
    if (argumente.size() != 2) {
        std::fputs("Aufruf: zw_vorzeichnen <datei>\n", stderr);
        return 2;
    }
    const QByteArray daten = zw::VorratDaten();
    QSaveFile datei(argumente[1]);
    if (daten.isEmpty() || !datei.open(QIODevice::WriteOnly) ||
        datei.write(daten) != daten.size() || !datei.commit()) {
        std::fputs("zw_vorzeichnen: die Bilder konnten nicht geschrieben werden\n", stderr);
        return 1;
    }
    return 0;
}
