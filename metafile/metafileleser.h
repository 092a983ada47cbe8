// Reads EMF and WMF files (placeable or not) and draws them on a QPainter. Every file is
// untrusted: sizes, counts and offsets are checked against the record and the file, and
// anything that cannot be read safely makes the whole file unreadable.
#pragma once

#include <QByteArray>
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
    // Draws the picture scaled into ziel.
    void zeichne(QPainter& p, const QRectF& ziel) const;

private:
    struct Daten;
    explicit TMetafileBild(std::unique_ptr<Daten> d);
    std::unique_ptr<Daten> d_;
};

} // namespace zw
