// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Every hostile picture file of the preview's tests, in one list, and the writer of a folder of
// them (also the generator program feindliche_bilder). Each once froze the program, filled its
// memory, read what it should not or showed memory it had not been given, in a reader that ran
// inside the program.
#pragma once

#include "metafile/feindlich.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <QtEndian>

#include <array>
#include <cstdint>
#include <functional>
#include <sys/stat.h>
#include <vector>

namespace zw::feindlich {

inline std::uint32_t Crc32(QByteArrayView daten)
{
    static const auto tabelle = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char b : daten)
        c = tabelle[(c ^ static_cast<std::uint8_t>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// A zlib stream of daten, as PNG chunks hold it.
inline QByteArray Zlib(const QByteArray& daten) { return qCompress(daten, 9).mid(4); }

inline void PngChunk(QByteArray& f, const char* art, const QByteArray& inhalt)
{
    QByteArray chunk(art, 4);
    chunk += inhalt;
    char feld[4];
    qToBigEndian<quint32>(quint32(inhalt.size()), feld);
    f.append(feld, 4);
    f += chunk;
    qToBigEndian<quint32>(Crc32(chunk), feld);
    f.append(feld, 4);
}

inline QByteArray PngKopf(int breite, int hoehe)
{
    QByteArray f("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(quint32(breite), ihdr.data());
    qToBigEndian<quint32>(quint32(hoehe), ihdr.data() + 4);
    ihdr[8] = 8; // bits per channel
    ihdr[9] = 6; // RGBA
    PngChunk(f, "IHDR", ihdr);
    return f;
}

// A transparent RGBA picture of that size: rows of zeros, which compress a thousandfold.
inline QByteArray LeeresPng(int breite, int hoehe)
{
    QByteArray f = PngKopf(breite, hoehe);
    const QByteArray roh(static_cast<qsizetype>(hoehe) * (1 + 4 * static_cast<qsizetype>(breite)),
                         '\0');
    PngChunk(f, "IDAT", Zlib(roh));
    PngChunk(f, "IEND", {});
    return f;
}

// A 1 x 1 picture with text chunks that each expand to nearly 8 MB, the most the PNG library
// expands one to: a reader that keeps every text takes gigabytes before it reports the size.
inline QByteArray PngTextbombe(int texte = 100)
{
    QByteArray f = PngKopf(1, 1);
    QByteArray ztxt("Comment\0\0", 9); // keyword, its end, compression method 0
    ztxt += Zlib(QByteArray(7'900'000, 'a'));
    for (int i = 0; i < texte; ++i)
        PngChunk(f, "zTXt", ztxt);
    PngChunk(f, "IDAT", Zlib(QByteArray(5, '\0')));
    PngChunk(f, "IEND", {});
    return f;
}

inline QByteArray SvgMitBild(const QByteArray& verweis)
{
    return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"200\" height=\"100\" "
           "viewBox=\"0 0 200 100\">\n<image x=\"0\" y=\"0\" width=\"200\" height=\"100\" "
           "xlink:href=\"" +
           verweis + "\"/>\n</svg>\n";
}

// An SVG of 1.4 MB holding eight transparent pictures of 5790 x 5790 pixels: 1 GB once decoded.
inline QByteArray SvgEingebettetePngs(int bilder = 8)
{
    const QByteArray png = "data:image/png;base64," + LeeresPng(5790, 5790).toBase64();
    QByteArray f = "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                   "xmlns:xlink=\"http://www.w3.org/1999/xlink\" viewBox=\"0 0 200 100\">\n";
    for (int i = 0; i < bilder; ++i)
        f += "<image x=\"0\" y=\"0\" width=\"200\" height=\"100\" xlink:href=\"" + png + "\"/>\n";
    return f + "</svg>\n";
}

// An SVG whose one path has so many segments that it is megabytes long.
inline QByteArray SvgRiesigerPfad(qsizetype bytes = 31 * 1024 * 1024)
{
    QByteArray f = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 500 500\">\n"
                   "<path stroke=\"black\" stroke-dasharray=\"1 1\" d=\"M0 0";
    f.reserve(bytes + 64);
    for (int i = 0; f.size() < bytes; ++i)
        f += (i % 2 ? "L499 " : "L0 ") + QByteArray::number(i % 500);
    return f + "\"/>\n</svg>\n";
}

// A bitmap with a 256-colour palette of 1024 bytes whose pixel data is said to start inside
// that palette, at the end of the header; the data ends where it says, so the file is long
// enough, but a decoder that starts after the palette runs out of file 16 rows early.
inline QByteArray BmpPixelImPalette()
{
    using namespace bytes;
    constexpr int breite = 64, hoehe = 20;
    QByteArray f;
    u8(f, 'B'), u8(f, 'M');
    u32(f, 54 + breite * hoehe);
    u32(f, 0);
    u32(f, 54); // the pixel data, said to start where the palette does
    u32(f, 40);
    i32(f, breite), i32(f, hoehe);
    u16(f, 1), u16(f, 8);
    u32(f, 0), u32(f, 0);
    i32(f, 2835), i32(f, 2835);
    u32(f, 256), u32(f, 0);
    for (int i = 0; i < 256; ++i)
        u8(f, static_cast<std::uint8_t>(i)), u8(f, 0x40), u8(f, 0x80), u8(f, 0);
    f.append(QByteArray(54 + breite * hoehe - f.size(), '\x11'));
    return f;
}

// A file's name, and what makes its content: some take seconds to make, their names none.
struct TDatei {
    QString name;
    std::function<QByteArray()> inhalt;
};

// What the SVGs point at in the folder: a named pipe nobody writes to, and a private picture.
inline QString RohrName() { return QStringLiteral("rohr.png"); }
inline QString GeheimName() { return QStringLiteral("geheim.png"); }
// The private picture's colour: a preview showing it has read the file.
inline QRgb GeheimFarbe() { return qRgb(255, 0, 255); }

// Every hostile file, for a folder ordner (the SVGs name files in it by their full paths).
inline std::vector<TDatei> FeindlicheDateien(const QString& ordner)
{
    const QByteArray rohr = QFile::encodeName(QDir(ordner).filePath(RohrName()));
    const QByteArray geheim = QFile::encodeName(QDir(ordner).filePath(GeheimName()));
    const auto stern = [](int punkte, int sterne = 2) {
        return [=] { return emfSternClip(punkte, sterne); };
    };
    return {
        {QStringLiteral("stern_250.emf"), stern(250)},
        {QStringLiteral("stern_500.emf"), stern(500)},
        {QStringLiteral("stern_2000.emf"), stern(2000)},
        {QStringLiteral("stern_8000.emf"), stern(8000)},
        {QStringLiteral("clip_16000.emf"), stern(16000, 1)},
        {QStringLiteral("polylinie.emf"), [] { return emfLangePolylinie(); }},
        {QStringLiteral("breiter_stift.emf"), [] { return emfBreiterPunktstift(); }},
        {QStringLiteral("zufallsvieleck.emf"), [] { return emfZufallsvieleck(20000); }},
        {QStringLiteral("volle_tabelle.wmf"), [] { return wmfVolleTabelle(); }},
        {QStringLiteral("textbombe.png"), [] { return PngTextbombe(); }},
        {QStringLiteral("eingebettet.svg"), [] { return SvgEingebettetePngs(); }},
        {QStringLiteral("riesiger_pfad.svg"), [] { return SvgRiesigerPfad(); }},
        {QStringLiteral("aus_rohr.svg"), [=] { return SvgMitBild(rohr); }},
        // Read by content: listed as a bitmap, read as SVG.
        {QStringLiteral("Diagramm.bmp"), [=] { return SvgMitBild(rohr); }},
        {QStringLiteral("fremdes_bild.svg"), [=] { return SvgMitBild(geheim); }},
        {QStringLiteral("pixel_im_palette.bmp"), [] { return BmpPixelImPalette(); }},
        {QStringLiteral("ohne_daten.bmp"), [] { return bmpOhneDaten(); }},
    };
}

// Writes every hostile file into ordner, with the pipe and the private picture they point at.
inline bool SchreibeFeindlicheDateien(const QString& ordner)
{
    QImage geheim(8, 8, QImage::Format_RGB32);
    geheim.fill(GeheimFarbe());
    if (!geheim.save(QDir(ordner).filePath(GeheimName()), "PNG"))
        return false;
    if (mkfifo(QFile::encodeName(QDir(ordner).filePath(RohrName())).constData(), 0600) != 0)
        return false;
    for (const TDatei& datei : FeindlicheDateien(ordner)) {
        QFile f(QDir(ordner).filePath(datei.name));
        const QByteArray inhalt = datei.inhalt();
        if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size())
            return false;
    }
    return true;
}

} // namespace zw::feindlich
