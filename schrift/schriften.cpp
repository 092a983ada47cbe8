// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "schrift/schriften.h"

#include <QFontDatabase>
#include <QStringList>

namespace zw {
namespace {

QFont pixelSchrift(const QStringList& familien, int pixel)
{
    QFont f;
    f.setFamilies(familien);
    f.setPixelSize(pixel);
    f.setStyleHint(QFont::SansSerif);
    // Crisp glyphs like the bitmap fonts these sizes were designed for.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

} // namespace

QFont MsSansSerif(bool fett)
{
    // The classic face where the system has it, else straight to the stand-ins, so that the
    // controls do not each wait for a fallback search. (The chart's fonts keep their names
    // first, since metafiles record them; it measures and draws on screen with Installierte.)
    QFont f = Installierte(
        pixelSchrift({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
                     11));
    f.setBold(fett);
    return f;
}

QFont Installierte(const QFont& schrift)
{
    // Asked of the font database one name at a time, which knows only installed families:
    // hasFamily() would first run the name through fontconfig's whole substitution, a quarter
    // of the program's start-up, and the list of all families takes longer to make than a
    // chart's layout. The last family stays, installed or not, so that the font names one.
    QStringList familien = schrift.families();
    while (familien.size() > 1 && QFontDatabase::writingSystems(familien.first()).isEmpty())
        familien.removeFirst();
    if (familien == schrift.families())
        return schrift;
    QFont f = schrift;
    f.setFamilies(familien);
    return f;
}

QFont SmallFonts()
{
    return pixelSchrift({QStringLiteral("Small Fonts"), QStringLiteral("Liberation Sans"),
                         QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
                        9);
}

QFont Arial()
{
    return pixelSchrift(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        11);
}

} // namespace zw
