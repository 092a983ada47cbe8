// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures of one font, and the widths of the texts already measured in it.
//
// Measuring a text shapes it, which costs more than all the rest of a chart's layout; a chart
// measures the same few label texts again on every change of its data. The widths are kept per
// text, so a layout measures only what it has not seen before. Each chart keeps its own.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

namespace zw {

class TTextMass {
public:
    // Switches to `schrift`, forgetting what was measured in another font.
    void setzeSchrift(const QFont& schrift);
    // What it measures with: `schrift` as drawn on screen, the same face under the names that
    // are installed. A raster painter draws with it too.
    const QFont& installiert() const { return installiert_; }

    int breite(const QString& text);
    int hoehe() const { return hoehe_; }
    int oberlaenge() const { return oberlaenge_; }
    int unterlaenge() const { return unterlaenge_; }
    int breiteVonW() const { return breiteVonW_; } // one character, as its glyph is wide

private:
    QFont schrift_;
    QFont installiert_;
    QFontMetrics mass_{QFont()};
    bool gesetzt_ = false;
    int hoehe_ = 0;
    int oberlaenge_ = 0;
    int unterlaenge_ = 0;
    int breiteVonW_ = 0;
    QHash<QString, int> breiten_;
};

// Texts laid out once for drawing, per font: a raster painter then draws the glyphs without
// shaping the text again on every paint. Each text is drawn with its top left where its
// baseline would begin one ascent lower.
class TTextBilder {
public:
    const QStaticText& text(const QFont& schrift, const QString& text);

private:
    QFont schrift_;
    bool gesetzt_ = false;
    QHash<QString, QStaticText> texte_;
};

// What one chart keeps between its layouts and paints.
struct TChartMasse {
    TTextMass achsen;
    TTextMass marken;
    TTextBilder achsenTexte;
    TTextBilder markenTexte;
};

} // namespace zw
