// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/bmpdatei.h"

#include "metafile/bytes.h"

#include <QBuffer>
#include <QImage>

#include <cstdint>

namespace zw {

namespace {

// Qt's own writer, for the depths it makes: 1, 8 and 24 bits per pixel.
QByteArray MitQt(const QImage& bild)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "BMP"))
        return {};
    return daten;
}

// A bitmap file of 16 or 32 bits per pixel, which Qt's writer does not make. 16 bits are laid
// out as on a 16-bit display (5 bits red, 6 green, 5 blue, named by bit masks), 15 bits as
// 5-5-5 without masks; 32 bits as blue, green, red and an unused byte.
QByteArray AlsBitmapTief(const QImage& quelle, int bits)
{
    const QImage bild = quelle.convertToFormat(QImage::Format_RGB32);
    const bool masken = bits == 16;
    const int bitsProPunkt = bits == 32 ? 32 : 16;
    const int zeile = (bild.width() * bitsProPunkt / 8 + 3) / 4 * 4;
    const std::uint32_t kopf = 14 + 40 + (masken ? 12 : 0);
    const std::uint32_t punkte = std::uint32_t(zeile) * std::uint32_t(bild.height());

    QByteArray b;
    b.reserve(qsizetype(kopf) + qsizetype(punkte));
    b.append("BM", 2);
    bytes::u32(b, kopf + punkte);
    bytes::u32(b, 0);
    bytes::u32(b, kopf);
    bytes::u32(b, 40);
    bytes::i32(b, bild.width());
    bytes::i32(b, bild.height()); // bottom-up, as the screen's bitmaps are saved
    bytes::u16(b, 1);
    bytes::u16(b, std::uint16_t(bitsProPunkt));
    bytes::u32(b, masken ? 3 : 0); // BI_BITFIELDS or BI_RGB
    bytes::u32(b, punkte);
    bytes::i32(b, 3780); // 96 dots per inch in dots per metre
    bytes::i32(b, 3780);
    bytes::u32(b, 0);
    bytes::u32(b, 0);
    if (masken) {
        bytes::u32(b, 0xF800);
        bytes::u32(b, 0x07E0);
        bytes::u32(b, 0x001F);
    }
    for (int y = bild.height() - 1; y >= 0; --y) {
        const auto* p = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        const qsizetype anfang = b.size();
        for (int x = 0; x < bild.width(); ++x) {
            const auto r = std::uint32_t(qRed(p[x])), g = std::uint32_t(qGreen(p[x])),
                       bl = std::uint32_t(qBlue(p[x]));
            if (bitsProPunkt == 32)
                bytes::u32(b, (r << 16) | (g << 8) | bl);
            else if (masken)
                bytes::u16(b, std::uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3)));
            else
                bytes::u16(b, std::uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (bl >> 3)));
        }
        b.append(QByteArray(zeile - (b.size() - anfang), '\0'));
    }
    return b;
}

} // namespace

QByteArray BmpDatei(const QImage& bild, int farbtiefe)
{
    if (farbtiefe <= 1)
        return MitQt(bild.convertToFormat(QImage::Format_Mono));
    if (farbtiefe <= 8)
        // Nearest palette colour rather than error diffusion: flat areas stay flat.
        return MitQt(
            bild.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither));
    if (farbtiefe <= 16)
        return AlsBitmapTief(bild, farbtiefe <= 15 ? 15 : 16);
    if (farbtiefe <= 24)
        return MitQt(bild.convertToFormat(QImage::Format_RGB32));
    return AlsBitmapTief(bild, 32);
}

} // namespace zw
