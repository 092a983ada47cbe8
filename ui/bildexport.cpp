// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bildexport.h"

#include "chart/tchart.h"
#include "metafile/bmpdatei.h"
#include "metafile/emfgeraet.h"
#include "metafile/wmfgeraet.h"
#include "report/zahltext.h"
#include "ui/tsavepicturedialog.h"
#include "ui/zwischenablage.h"

#include <QBuffer>
#include <QFile>
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

#include <cerrno>
#include <exception>
#include <sys/stat.h>

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

// Whether nothing is there under the name, or a regular file, itself or where its links lead.
bool IstDateiOderFehlt(const QString& dateiname)
{
    struct stat info{};
    if (::stat(QFile::encodeName(dateiname).constData(), &info) == 0)
        return S_ISREG(info.st_mode);
    // A link that leads nowhere is written through, as to a file that does not exist yet.
    return errno == ENOENT;
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
    return QStringLiteral("Cannot create file ") +
           QString::fromStdString(Isoliert(dateiname.toStdString()));
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
    case TBildArt::Bmp: return BmpDatei(chart.alsBild(1.0), farbtiefe);
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

    // Only a regular file is replaced, also at the end of links: a pipe, a device, a socket or
    // a folder under that name stays what it is. Writing beside it and renaming would put a
    // regular file in its place.
    if (!IstDateiOderFehlt(dateiname)) {
        fehler(DateiNichtErstelltText(dateiname));
        return TSpeicherErgebnis::Fehlgeschlagen;
    }

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
    // The bitmap goes in as PNG bytes of its own, not as an image object: given an image
    // object, Qt's Wayland clipboard encodes it anew for every image/ type offered, the EMF
    // types included, and a reader asking for image/emf would get a bitmap.
    const QByteArray png = ChartBild(chart, TBildArt::Png);
    if (!png.isEmpty())
        daten->setData(QStringLiteral("image/png"), png);
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
