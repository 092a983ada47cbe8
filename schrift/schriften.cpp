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
    // first: metafiles record them.)
    QStringList familien{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                         QStringLiteral("DejaVu Sans")};
    // Looked up in the list of installed families: hasFamily() would first run the name
    // through fontconfig's whole substitution, a quarter of the program's start-up.
    const QString klassisch = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::families().contains(klassisch, Qt::CaseInsensitive))
        familien.prepend(klassisch);
    QFont f = pixelSchrift(familien, 11);
    f.setBold(fett);
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
