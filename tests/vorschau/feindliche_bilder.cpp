// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the hostile picture files of the preview's tests into a folder, for looking at them
// with other programs or trying them in the save dialog by hand:
//   feindliche_bilder <folder>
#include "vorschau/feindlichebilder.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    const QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(ordner) || !zw::feindlich::SchreibeFeindlicheDateien(ordner)) {
        std::fprintf(stderr, "cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
