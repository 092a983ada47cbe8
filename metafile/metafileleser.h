// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads EMF and WMF files (placeable or not) and draws them on a QPainter. Every file is
// untrusted: sizes, counts and offsets are checked against the record and the file, and
// anything that cannot be read safely makes the whole file unreadable. What a file can make
// the reader and the drawing do is bounded; past the bounds the rest is left out.
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QRectF>
#include <QSize>

#include <memory>
#include <optional>

class QPainter;

namespace zw {

class TMetafileBild {
public:
    // nullopt when the data is not a metafile this reader can show.
    static std::optional<TMetafileBild> lesen(const QByteArray& daten);

    ~TMetafileBild();
    TMetafileBild(TMetafileBild&&) noexcept;
    TMetafileBild& operator=(TMetafileBild&&) noexcept;

    // The picture's size in pixels at 96 dpi.
    QSize groesse() const;
    // Draws the picture scaled into ziel, stopping when frist has expired; false when it
    // stopped before the end.
    bool zeichne(QPainter& p, const QRectF& ziel,
                 QDeadlineTimer frist = QDeadlineTimer(QDeadlineTimer::Forever)) const;

private:
    struct Daten;
    explicit TMetafileBild(std::unique_ptr<Daten> d);
    std::unique_ptr<Daten> d_;
};

} // namespace zw
