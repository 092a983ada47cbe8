// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures, all drawn here. Each picture is drawn for the given device pixel
// ratio (by default the highest of the application's screens), so it stays sharp on 2x screens
// while keeping its logical size.
//
// Drawing them all took a good part of start-up, so the build draws them ahead
// (zw_vorzeichnen, with this same code) and stores them in the program: the functions below
// hand out the stored pixels where there are some for what is asked, and draw otherwise (the
// panel's pictures at a device pixel ratio other than 1, or everything in a build that could
// not run its own programs).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>

namespace zw {

// 58 x 181: a tall stemmed glass of beer with a head of foam, on a transparent background.
QPixmap BierglasBild(qreal dpr = 0);
// 84 x 112: golden bubbles on black, the same picture every time.
QPixmap BlasenBild(qreal dpr = 0);

// The tool images, by index: 0 copy, 1 reset, 2 info, 3 formulas, 4 save, 5 exit, drawn at
// 16 x 16 and 32 x 32. Always our own, so that the tool bar looks the same on every desktop and
// start-up searches no icon theme. An index outside 0..5 gives a null icon.
QIcon Werkzeugbild(int index);
constexpr int AnzahlWerkzeugbilder = 6;

// The window icon: the stemmed glass of the picture panel, at 16, 24, 32 and 48 pixels.
QIcon Programmsymbol();

// One picture the build draws ahead: the name it is stored under, and its pixels.
struct TVorgezeichnet {
    QByteArray name;
    QImage bild;
};

// Every picture the build stores, drawn now.
QList<TVorgezeichnet> ZeichneVorrat();

// ZeichneVorrat() as the bytes the build stores: for each picture its name, size and format,
// and its pixels.
QByteArray VorratDaten();

// The stored picture of that name, or a null image where the program holds none. It refers to
// the pixels where they lie in the program's file: nothing is copied until it is painted on.
QImage Vorgezeichnet(QByteArrayView name);

// How long the bytes a picture is read from stay. Only the program's own data, which stay as
// long as it runs, are shown in place; pictures from any other bytes are copies.
enum class VorratDauer { Kurz, WieDasProgramm };

// The same from bytes as VorratDaten() makes them; a null image where the name is missing or
// the bytes are not whole.
QImage LiesVorgezeichnet(QByteArrayView daten, QByteArrayView name,
                         VorratDauer dauer = VorratDauer::Kurz);

} // namespace zw
