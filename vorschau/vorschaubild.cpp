// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "vorschau/vorschaubild.h"

#include "metafile/metafileleser.h"
#include "vorschau/rasterdatei.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace zw {

namespace {

// Far more than any picture the program writes; a picture decoded at this size takes 64 MB.
constexpr qint64 kMaxBildpunkte = 16 * 1024 * 1024;

bool GroesseZulaessig(const QSize& s)
{
    return s.width() > 0 && s.height() > 0 && s.width() <= MaxVorschauSeitenlaenge &&
           s.height() <= MaxVorschauSeitenlaenge;
}

// Decodes with the named decoder only: the format is decided here, by content, so that no other
// decoder Qt offers is shown an untrusted file.
QImage Dekodiert(const QByteArray& daten, const char* format, QSize erwartet)
{
    QBuffer puffer;
    puffer.setData(daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer, format);
    leser.setAutoTransform(false);
    QImage bild = leser.read();
    if (bild.size() != erwartet)
        return {};
    return bild;
}

std::optional<QImage> Rasterbild(const QByteArray& daten)
{
    if (IstBmp(daten)) {
        const std::optional<QSize> groesse = BmpGroesse(daten);
        if (!groesse || !GroesseZulaessig(*groesse) ||
            qint64(groesse->width()) * groesse->height() > kMaxBildpunkte)
            return std::nullopt;
        return Dekodiert(daten, "bmp", *groesse);
    }
    if (IstPng(daten)) {
        const QByteArray ohneTexte = PngOhneTexte(daten);
        QBuffer puffer;
        puffer.setData(ohneTexte);
        puffer.open(QIODevice::ReadOnly);
        QImageReader leser(&puffer, "png");
        // The header's size is checked before anything is decoded: a crafted header must not
        // make the decoder allocate gigabytes.
        const QSize groesse = leser.size();
        if (!GroesseZulaessig(groesse) ||
            qint64(groesse.width()) * groesse.height() > kMaxBildpunkte)
            return std::nullopt;
        return Dekodiert(ohneTexte, "png", groesse);
    }
    return std::nullopt;
}

} // namespace

TVorschauBild::TVorschauBild(Inhalt inhalt, QSize groesse)
    : inhalt_(std::move(inhalt)), groesse_(groesse)
{}
TVorschauBild::TVorschauBild(TVorschauBild&&) noexcept = default;
TVorschauBild& TVorschauBild::operator=(TVorschauBild&&) noexcept = default;
TVorschauBild::~TVorschauBild() = default;

std::optional<TVorschauBild> TVorschauBild::ausDaten(const QByteArray& daten)
{
    if (daten.isEmpty() || daten.size() > MaxVorschauDateiBytes)
        return std::nullopt;

    if (std::optional<TMetafileBild> meta = TMetafileBild::lesen(daten)) {
        const QSize groesse = meta->groesse();
        if (!GroesseZulaessig(groesse))
            return std::nullopt;
        return TVorschauBild(std::make_unique<TMetafileBild>(std::move(*meta)), groesse);
    }

    if (IstBmp(daten) || IstPng(daten)) {
        std::optional<QImage> bild = Rasterbild(daten);
        if (!bild || bild->isNull())
            return std::nullopt;
        const QSize groesse = bild->size();
        return TVorschauBild(std::move(*bild), groesse);
    }

    if (SiehtAusWieSvg(daten)) {
        auto svg = std::make_unique<QSvgRenderer>(daten);
        if (!svg->isValid())
            return std::nullopt;
        // The view box is the drawing's size in pixels; defaultSize() converts width and height
        // given in physical units at 90 dpi and so reports a picture saved at 96 dpi too small.
        const QRectF sicht = svg->viewBoxF();
        const QSize groesse = sicht.isValid() ? sicht.size().toSize() : svg->defaultSize();
        if (!GroesseZulaessig(groesse))
            return std::nullopt;
        return TVorschauBild(std::move(svg), groesse);
    }
    return std::nullopt;
}

void TVorschauBild::zeichne(QPainter& p, const QRectF& ziel, QDeadlineTimer frist) const
{
    p.save();
    if (const auto* bild = std::get_if<QImage>(&inhalt_)) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, ziel.size() != QSizeF(bild->size()));
        p.drawImage(ziel, *bild);
    } else if (const auto* meta = std::get_if<std::unique_ptr<TMetafileBild>>(&inhalt_)) {
        (*meta)->zeichne(p, ziel, frist);
    } else if (const auto* svg = std::get_if<std::unique_ptr<QSvgRenderer>>(&inhalt_)) {
        (*svg)->render(&p, ziel);
    }
    p.restore();
}

QImage TVorschauBild::alsBild(QSize groesse, QDeadlineTimer frist) const
{
    if (const auto* bild = std::get_if<QImage>(&inhalt_)) {
        // Scaled as a whole rather than sampled while painting: a large picture shrunk far
        // keeps its thin lines.
        QImage skaliert = groesse == bild->size() ? *bild
                                                  : bild->scaled(groesse, Qt::IgnoreAspectRatio,
                                                                 Qt::SmoothTransformation);
        return skaliert.convertToFormat(QImage::Format_ARGB32);
    }
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    if (bild.isNull())
        return bild;
    bild.fill(Qt::transparent);
    {
        QPainter p(&bild);
        zeichne(p, QRectF(QPointF(0, 0), QSizeF(groesse)), frist);
    }
    return bild.convertToFormat(QImage::Format_ARGB32);
}

QByteArray VorschauAntwort(const QByteArray& datei, const TVorschauAnfrage& anfrage,
                           QDeadlineTimer frist)
{
    QByteArray nichts = VorschauKopfDaten(QSize(), anfrage);
    if (!VorschauAnfrageZulaessig(anfrage))
        return nichts;
    const std::optional<TVorschauBild> bild = TVorschauBild::ausDaten(datei);
    if (!bild)
        return nichts;
    QByteArray antwort = VorschauKopfDaten(bild->groesse(), anfrage);
    const std::optional<TVorschauKopf> kopf = LiesVorschauKopf(antwort, anfrage);
    if (!kopf)
        return nichts;
    antwort.reserve(antwort.size() + VorschauPixelBytes(*kopf));
    for (const QSize groesse : {kopf->flaeche, kopf->vollbild}) {
        const QImage gezeichnet = bild->alsBild(groesse, frist);
        if (gezeichnet.size() != groesse || gezeichnet.format() != QImage::Format_ARGB32)
            return nichts;
        for (int y = 0; y < groesse.height(); ++y)
            antwort.append(reinterpret_cast<const char*>(gezeichnet.constScanLine(y)),
                           qsizetype(groesse.width()) * 4);
    }
    return antwort;
}

} // namespace zw
