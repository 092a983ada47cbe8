// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as the files the menu entry uses: the scalable picture and one PNG
// per size of the icon theme, all from the drawing the window shows. Run by
// scripts/symbole.sh; the same drawing gives the same bytes on every run.
//   zw_symbole <svg file> <folder for the PNGs>
#include "ui/symbol.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool Schreibe(const QString& pfad, const QByteArray& daten)
{
    QSaveFile datei(pfad);
    return !daten.isEmpty() && datei.open(QIODevice::WriteOnly) &&
           datei.write(daten) == daten.size() && datei.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList argumente = QGuiApplication::arguments();
    if (argumente.size() != 3) {
        std::fputs("Aufruf: zw_symbole <svg-datei> <png-ordner>\n", stderr);
        return 2;
    }
    bool gut = Schreibe(argumente[1], zw::SymbolSvg());
    const QDir ordner(argumente[2]);
    gut = gut && ordner.mkpath(QStringLiteral("."));
    for (const int kante : zw::SymbolGroessen) {
        QByteArray png;
        QBuffer puffer(&png);
        puffer.open(QIODevice::WriteOnly);
        gut = gut && zw::SymbolBild(kante).save(&puffer, "png") &&
              Schreibe(ordner.filePath(QStringLiteral("%1.png").arg(kante)), png);
    }
    if (!gut)
        std::fputs("zw_symbole: die Dateien konnten nicht geschrieben werden\n", stderr);
    return gut ? 0 : 1;
}
