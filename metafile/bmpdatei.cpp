// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/bmpdatei.h"

#include "metafile/bytes.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cstdint>

namespace zw {

namespace {

// Qt's own writer, for the depths with a palette: 1 and 8 bits per pixel.
QByteArray MitQt(const QImage& bild)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "BMP"))
        return {};
    return daten;
}

// A bitmap file of 15, 16, 24 or 32 bits per pixel, written straight into a buffer of its final
// size. 16 bits are laid out as on a 16-bit display (5 bits red, 6 green, 5 blue, named by bit
// masks), 15 bits as 5-5-5 without masks; 24 bits as blue, green, red; 32 bits as blue, green,
// red and an unused byte. The 24-bit file carries the header Qt's own writer gives it (the
// picture's resolution, 72 dots per inch when it has none), so that files saved before and
// after stay byte for byte the same; Qt's writer goes through its plug-in lookup and a device
// write per row, several times the work of the pixels themselves.
QByteArray AlsBitmap(const QImage& quelle, int bits)
{
    const QImage bild = quelle.convertToFormat(QImage::Format_RGB32);
    const bool masken = bits == 16;
    const int bitsProPunkt = bits == 15 ? 16 : bits;
    const qsizetype zeile = (qsizetype(bild.width()) * bitsProPunkt / 8 + 3) / 4 * 4;
    const std::uint32_t kopf = 14 + 40 + (masken ? 12 : 0);
    const qsizetype punkte = zeile * bild.height();
    if (punkte > qsizetype(UINT32_MAX) - kopf)
        return {};
    const auto aufloesung = [&](int proMeter) {
        if (bits != 24)
            return std::int32_t(3780); // 96 dots per inch in dots per metre
        return std::int32_t(proMeter != 0 ? proMeter : 2834);
    };

    QByteArray b;
    b.reserve(qsizetype(kopf) + punkte);
    b.append("BM", 2);
    bytes::u32(b, kopf + std::uint32_t(punkte));
    bytes::u32(b, 0);
    bytes::u32(b, kopf);
    bytes::u32(b, 40);
    bytes::i32(b, bild.width());
    bytes::i32(b, bild.height()); // bottom-up, as the screen's bitmaps are saved
    bytes::u16(b, 1);
    bytes::u16(b, std::uint16_t(bitsProPunkt));
    bytes::u32(b, masken ? 3 : 0); // BI_BITFIELDS or BI_RGB
    bytes::u32(b, std::uint32_t(punkte));
    bytes::i32(b, aufloesung(bild.dotsPerMeterX()));
    bytes::i32(b, aufloesung(bild.dotsPerMeterY()));
    bytes::u32(b, 0);
    bytes::u32(b, 0);
    if (masken) {
        bytes::u32(b, 0xF800);
        bytes::u32(b, 0x07E0);
        bytes::u32(b, 0x001F);
    }
    const qsizetype kopfLaenge = b.size();
    b.resize(kopfLaenge + punkte);
    auto* ziel = reinterpret_cast<unsigned char*>(b.data()) + kopfLaenge;
    const int breite = bild.width();
    const int nutzbar = breite * (bitsProPunkt / 8); // bytes of a row before its padding
    for (int y = bild.height() - 1; y >= 0; --y, ziel += zeile) {
        const auto* p = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        unsigned char* z = ziel;
        switch (bitsProPunkt) {
        case 32:
            for (int x = 0; x < breite; ++x, z += 4) {
                z[0] = static_cast<unsigned char>(qBlue(p[x]));
                z[1] = static_cast<unsigned char>(qGreen(p[x]));
                z[2] = static_cast<unsigned char>(qRed(p[x]));
                z[3] = 0;
            }
            break;
        case 24:
            for (int x = 0; x < breite; ++x, z += 3) {
                z[0] = static_cast<unsigned char>(qBlue(p[x]));
                z[1] = static_cast<unsigned char>(qGreen(p[x]));
                z[2] = static_cast<unsigned char>(qRed(p[x]));
            }
            break;
        default:
            for (int x = 0; x < breite; ++x, z += 2) {
                const auto r = std::uint32_t(qRed(p[x])), g = std::uint32_t(qGreen(p[x])),
                           bl = std::uint32_t(qBlue(p[x]));
                const std::uint32_t wert = masken ? ((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3)
                                                  : ((r >> 3) << 10) | ((g >> 3) << 5) | (bl >> 3);
                z[0] = static_cast<unsigned char>(wert & 0xFF);
                z[1] = static_cast<unsigned char>(wert >> 8);
            }
            break;
        }
        std::fill(ziel + nutzbar, ziel + zeile, static_cast<unsigned char>(0));
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
        return AlsBitmap(bild, farbtiefe <= 15 ? 15 : 16);
    return AlsBitmap(bild, farbtiefe <= 24 ? 24 : 32);
}

} // namespace zw
