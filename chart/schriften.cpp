#include "chart/schriften.h"

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
    QFont f = pixelSchrift({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
                           11);
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
    return pixelSchrift({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                         QStringLiteral("DejaVu Sans")},
                        11);
}

} // namespace zw
