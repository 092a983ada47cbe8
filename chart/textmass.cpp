// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/textmass.h"

#include "schrift/schriften.h"

namespace zw {
namespace {

// Enough for every label and mark a chart shows at once, many times over; beyond it the texts
// are of data gone by.
constexpr qsizetype kMaxTexte = 512;

} // namespace

void TTextMass::setzeSchrift(const QFont& schrift)
{
    // QFont's comparison also sees a change of the resolution it is resolved for.
    if (gesetzt_ && schrift == schrift_ && schrift.resolveMask() == schrift_.resolveMask())
        return;
    schrift_ = schrift;
    installiert_ = Installierte(schrift);
    mass_ = QFontMetrics(installiert_);
    hoehe_ = mass_.height();
    oberlaenge_ = mass_.ascent();
    unterlaenge_ = mass_.descent();
    breiteVonW_ = mass_.horizontalAdvance(QLatin1Char('W'));
    breiten_.clear();
    gesetzt_ = true;
}

int TTextMass::breite(const QString& text)
{
    if (const auto gefunden = breiten_.constFind(text); gefunden != breiten_.cend())
        return *gefunden;
    if (breiten_.size() >= kMaxTexte)
        breiten_.clear();
    const int b = mass_.horizontalAdvance(text);
    breiten_.insert(text, b);
    return b;
}

const QStaticText& TTextBilder::text(const QFont& schrift, const QString& text)
{
    if (!gesetzt_ || schrift != schrift_ || schrift.resolveMask() != schrift_.resolveMask()) {
        schrift_ = schrift;
        texte_.clear();
        gesetzt_ = true;
    }
    if (const auto gefunden = texte_.constFind(text); gefunden != texte_.cend())
        return *gefunden;
    if (texte_.size() >= kMaxTexte)
        texte_.clear();
    QStaticText neu(text);
    neu.setTextFormat(Qt::PlainText);
    neu.prepare(QTransform(), schrift_);
    return *texte_.insert(text, neu);
}

} // namespace zw
