// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bildexport.h"

#include "chart/tchart.h"
#include "metafile/bytes.h"
#include "metafile/emfgeraet.h"
#include "metafile/wmfgeraet.h"
#include "ui/tsavepicturedialog.h"
#include "ui/zwischenablage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QSaveFile>
#include <QScreen>
#include <QSvgGenerator>

#include <cstdint>
#include <exception>

namespace zw {

namespace {

struct TEndung {
    QLatin1String endung;
    TBildArt art;
};

constexpr TEndung Endungen[] = {
    {QLatin1String("wmf"), TBildArt::Wmf}, {QLatin1String("emf"), TBildArt::Emf},
    {QLatin1String("bmp"), TBildArt::Bmp}, {QLatin1String("png"), TBildArt::Png},
    {QLatin1String("svg"), TBildArt::Svg},
};

// Paints the chart on a device and ends the painter, so that the device's data is complete.
template <typename Geraet>
bool MaleAuf(const TChart& chart, Geraet& geraet)
{
    QPainter p;
    if (!p.begin(&geraet))
        return false;
    chart.zeichne(p);
    return p.end();
}

template <typename Geraet>
QByteArray AlsMetadatei(const TChart& chart)
{
    Geraet geraet(chart.size());
    if (!MaleAuf(chart, geraet))
        return {};
    return geraet.daten();
}

QByteArray Kodiert(const QImage& bild, const char* format)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    QImageWriter schreiber(&puffer, format);
    if (!schreiber.write(bild))
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

// The bitmap at the screen's depth: 1, 8 (nearest palette colour), 15 or 16, 24 or 32 bits per
// pixel; depths in between take the next one up.
QByteArray AlsBitmap(const TChart& chart, int farbtiefe)
{
    QImage bild = chart.alsBild(1.0);
    if (farbtiefe <= 1)
        return Kodiert(bild.convertToFormat(QImage::Format_Mono), "bmp");
    if (farbtiefe <= 8)
        // Nearest palette colour rather than error diffusion: flat areas stay flat.
        return Kodiert(
            bild.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither),
            "bmp");
    if (farbtiefe <= 16)
        return AlsBitmapTief(bild, farbtiefe <= 15 ? 15 : 16);
    if (farbtiefe <= 24)
        return Kodiert(bild.convertToFormat(QImage::Format_RGB32), "bmp");
    return AlsBitmapTief(bild, 32);
}

QByteArray AlsSvg(const TChart& chart)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&puffer);
    svg.setSize(chart.size());
    svg.setViewBox(QRect(QPoint(0, 0), chart.size()));
    // At 96 dpi the physical size written into the file matches the pixels on screen.
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Zechwaage"));
    if (!MaleAuf(chart, svg))
        return {};
    return daten;
}

} // namespace

TBildArt BildArtFuer(const QString& dateiname)
{
    const QString name = QFileInfo(dateiname).fileName();
    const qsizetype punkt = name.lastIndexOf(QLatin1Char('.'));
    if (punkt < 0)
        return TBildArt::Keine;
    const QStringView endung = QStringView(name).mid(punkt + 1);
    for (const TEndung& e : Endungen) {
        if (endung.compare(e.endung, Qt::CaseInsensitive) == 0)
            return e.art;
    }
    return TBildArt::Keine;
}

THinweisMelder StandardHinweisMelder(QWidget* parent)
{
    return [ziel = QPointer<QWidget>(parent)](const QString& text) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Zechwaage 3.3a"), text,
                        QMessageBox::Ok, ziel);
        box.exec();
    };
}

QString UnbekannteEndungText()
{
    return QStringLiteral(
        "Die Grafik wurde nicht gespeichert: Bitte wählen Sie einen Dateinamen mit der "
        "Endung .bmp, .emf, .wmf, .png oder .svg.");
}

QString DateiNichtErstelltText(const QString& dateiname)
{
    return QStringLiteral("Cannot create file ") + dateiname;
}

int BildschirmFarbtiefe()
{
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    if (bildschirm == nullptr || bildschirm->depth() <= 0)
        return 24;
    return bildschirm->depth();
}

QByteArray ChartBild(const TChart& chart, TBildArt art, int farbtiefe)
{
    switch (art) {
    case TBildArt::Wmf: return AlsMetadatei<TWmfGeraet>(chart);
    case TBildArt::Emf: return AlsMetadatei<TEmfGeraet>(chart);
    case TBildArt::Bmp: return AlsBitmap(chart, farbtiefe);
    case TBildArt::Png: return Kodiert(chart.alsBild(1.0), "png");
    case TBildArt::Svg: return AlsSvg(chart);
    case TBildArt::Keine: break;
    }
    return {};
}

TSpeicherErgebnis SpeichereChart(const TChart& chart, const QString& dateiname,
                                 const TFehlerMelder& fehler, const THinweisMelder& hinweis)
{
    const TBildArt art = BildArtFuer(dateiname);
    if (art == TBildArt::Keine) {
        hinweis(UnbekannteEndungText());
        return TSpeicherErgebnis::UnbekannteEndung;
    }

    // Drawn before the file is touched: a picture that cannot be made leaves the file alone.
    const QByteArray daten = ChartBild(chart, art, BildschirmFarbtiefe());

    // Unbuffered: a buffered write that fails only when commit() flushes it would go unnoticed
    // and put a truncated file in place of the old one.
    QSaveFile datei(dateiname);
    if (daten.isEmpty() || !datei.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fehler(DateiNichtErstelltText(dateiname));
        return TSpeicherErgebnis::Fehlgeschlagen;
    }
    const bool vollstaendig = datei.write(daten) == daten.size() && datei.flush();
    if (!vollstaendig)
        datei.cancelWriting();
    // commit() after cancelWriting() only removes the temporary file.
    if (!datei.commit() || !vollstaendig) {
        fehler(DateiNichtErstelltText(dateiname));
        return TSpeicherErgebnis::Fehlgeschlagen;
    }
    return TSpeicherErgebnis::Gespeichert;
}

std::unique_ptr<QMimeData> ChartAlsZwischenablagedaten(const TChart& chart)
{
    auto daten = std::make_unique<QMimeData>();
    const QByteArray emf = ChartBild(chart, TBildArt::Emf);
    if (!emf.isEmpty()) {
        daten->setData(QStringLiteral("image/emf"), emf);
        daten->setData(QStringLiteral("image/x-emf"), emf);
        daten->setData(
            QStringLiteral("application/x-openoffice-emf;windows_formatname=\"Image EMF\""), emf);
    }
    // Offered by the clipboard as image/png (and the platform's bitmap formats).
    daten->setImageData(chart.alsBild(1.0));
    return daten;
}

void AlsWMFspeichern(QWidget* parent, const TChart& chart, TSavePictureDialog& dialog,
                     const TFehlerMelder& fehler, const THinweisMelder& hinweis)
{
    try {
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString dateiname = dialog.selectedFiles().value(0);
        if (dateiname.isEmpty())
            return;
        SpeichereChart(chart, dateiname, fehler, hinweis ? hinweis : StandardHinweisMelder(parent));
    } catch (const std::exception& e) {
        // Called from a menu handler: nothing may unwind into Qt's event code.
        fehler(QString::fromUtf8(e.what()));
    }
}

bool Zwischenspeicher(const TChart& chart, TZwischenablage& ablage, const TFehlerMelder& fehler)
{
    try {
        if (ablage.setzeDaten(ChartAlsZwischenablagedaten(chart)))
            return true;
        fehler(KeineZwischenablageText());
    } catch (const std::exception& e) {
        fehler(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace zw
