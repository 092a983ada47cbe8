// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the chart as a picture file and copying it to the clipboard as a picture. No dialogs
// of its own (apart from the ones handed in), so that every path can be driven from tests.
#pragma once

#include "ui/fehler.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QMimeData;
class QWidget;

namespace zw {

class TChart;
class TSavePictureDialog;
class TZwischenablage;

enum class TBildArt : std::uint8_t { Keine, Wmf, Emf, Bmp, Png, Svg };

// The kind of picture a file name asks for, from its ending, without regard to case
// ("bild.BMP" is a bitmap). Keine for any other ending and for names without one.
TBildArt BildArtFuer(const QString& dateiname);

// Shows (or, in tests, records) one notice that is not a failure: an information box.
using THinweisMelder = std::function<void(const QString& text)>;

// An information box with the title "Zechwaage 3.3a" over parent.
THinweisMelder StandardHinweisMelder(QWidget* parent);

// The notice for a file name whose ending names no picture kind.
QString UnbekannteEndungText();

// The "Cannot create file <name>" failure text, the name isolated as a text the user typed.
QString DateiNichtErstelltText(const QString& dateiname);

// The colour depth pictures are saved at: the primary screen's, 24 when there is no screen.
int BildschirmFarbtiefe();

// The file contents of the chart as drawn now, at its full size, background included.
// Empty for TBildArt::Keine. farbtiefe applies to the bitmap only: 1, 8, 15, 16, 24 or 32 bits
// (a depth in between takes the next one up).
QByteArray ChartBild(const TChart& chart, TBildArt art, int farbtiefe = 24);

enum class TSpeicherErgebnis : std::uint8_t {
    Gespeichert,
    UnbekannteEndung, // nothing written, the user was told which endings work
    Fehlgeschlagen,   // nothing written, the failure went to the melder
};

// Draws the chart into the kind of picture the name's ending asks for, then writes it to
// dateiname. The file is written beside the target and renamed into place only when complete,
// so a failed save never destroys an existing file. A name that is taken by anything but a
// regular file, itself or at the end of its links, is not written at all.
TSpeicherErgebnis SpeichereChart(const TChart& chart, const QString& dateiname,
                                 const TFehlerMelder& fehler, const THinweisMelder& hinweis);

// The clipboard picture: the EMF under the usual EMF types, and the rendered image as PNG.
std::unique_ptr<QMimeData> ChartAlsZwischenablagedaten(const TChart& chart);

// "Grafik speichern": asks for a file name in dialog; cancel or an empty name stops. An empty
// hinweis shows notices in an information box over parent.
void AlsWMFspeichern(QWidget* parent, const TChart& chart, TSavePictureDialog& dialog,
                     const TFehlerMelder& fehler, const THinweisMelder& hinweis = {});

// "in Zwischenspeicher": puts the chart on the clipboard as a picture. A clipboard that cannot
// be opened is reported as "Cannot open clipboard" and keeps its content.
bool Zwischenspeicher(const TChart& chart, TZwischenablage& ablage, const TFehlerMelder& fehler);

} // namespace zw
