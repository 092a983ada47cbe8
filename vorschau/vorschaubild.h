// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture read from an untrusted file for previewing: EMF, WMF, BMP, PNG or SVG, recognised by
// content. Only the preview helper process does this, behind the limits it sets itself.
#pragma once

#include "vorschauprotokoll/vorschauprotokoll.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QImage>
#include <QSize>

#include <memory>
#include <optional>
#include <variant>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace zw {

class TMetafileBild;

class TVorschauBild {
public:
    // nullopt for anything that is not a picture of those kinds within the bounds, and for a
    // bitmap whose pixels the file does not hold in full.
    static std::optional<TVorschauBild> ausDaten(const QByteArray& daten);

    TVorschauBild(TVorschauBild&&) noexcept;
    TVorschauBild& operator=(TVorschauBild&&) noexcept;
    ~TVorschauBild();

    // The picture's own size in pixels.
    QSize groesse() const { return groesse_; }
    // A metafile stops drawing when frist expires; the helper has none, it is ended instead.
    void zeichne(QPainter& p, const QRectF& ziel,
                 QDeadlineTimer frist = QDeadlineTimer(QDeadlineTimer::Forever)) const;
    // The picture at exactly that size, transparent where it has nothing; null when the memory
    // for it cannot be had.
    QImage alsBild(QSize groesse,
                   QDeadlineTimer frist = QDeadlineTimer(QDeadlineTimer::Forever)) const;

private:
    using Inhalt =
        std::variant<QImage, std::unique_ptr<TMetafileBild>, std::unique_ptr<QSvgRenderer>>;
    TVorschauBild(Inhalt inhalt, QSize groesse);

    Inhalt inhalt_;
    QSize groesse_;
};

// All the helper does with one file: the answer to anfrage, header and pixels, for the file's
// bytes. Says "nothing to show" for anything TVorschauBild cannot read.
QByteArray VorschauAntwort(const QByteArray& datei, const TVorschauAnfrage& anfrage,
                           QDeadlineTimer frist = QDeadlineTimer(QDeadlineTimer::Forever));

} // namespace zw
