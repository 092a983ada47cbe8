// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing what the player collected: the shapes in order, each with GDI's pixel rules, within
// the file's clip and a deadline.
#include "metafile/spieler.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zw::leser {

namespace {

void zeichneText(QPainter& p, const TFigur& op)
{
    const QFontMetricsF fm(op.schrift);
    std::vector<double> dx = op.dx;
    if (dx.size() != static_cast<std::size_t>(op.text.size())) {
        dx.resize(static_cast<std::size_t>(op.text.size()));
        for (qsizetype i = 0; i < op.text.size(); ++i)
            dx[static_cast<std::size_t>(i)] = fm.horizontalAdvance(op.text.at(i));
    }
    double breite = 0;
    for (const double d : dx)
        breite += d;
    double x = 0, y = 0;
    switch (op.ausrichtung & gdi::TA_CENTER) {
    case gdi::TA_RIGHT: x = -breite; break;
    case gdi::TA_CENTER: x = -breite / 2; break;
    default: break;
    }
    switch (op.ausrichtung & gdi::TA_BASELINE) {
    case gdi::TA_BASELINE: break;
    case gdi::TA_BOTTOM: y = -fm.descent(); break;
    default: y = fm.ascent(); break; // TA_TOP
    }
    p.save();
    p.translate(op.punkte.front());
    p.rotate(-op.winkel);
    p.setFont(op.schrift);
    if (op.hintergrund)
        p.fillRect(QRectF(x, y - fm.ascent(), breite, fm.ascent() + fm.descent()), *op.hintergrund);
    p.setPen(op.farbe);
    // A file whose mapping disagrees wildly with its frame stretches or shears text far more in
    // one direction than another; Qt's glyph cache cannot render such glyphs safely (it has
    // crashed on them), so they are drawn as outlines instead. The two singular values of the
    // mapping tell how far it is from a plain rotation and scaling.
    const QTransform& geraet = p.deviceTransform();
    const double summe = geraet.m11() * geraet.m11() + geraet.m12() * geraet.m12() +
                         geraet.m21() * geraet.m21() + geraet.m22() * geraet.m22();
    const double det = geraet.m11() * geraet.m22() - geraet.m12() * geraet.m21();
    const double gross =
        std::sqrt((summe + std::sqrt(std::max(0.0, summe * summe - 4 * det * det))) / 2);
    const double klein = gross > 0 ? std::abs(det) / gross : 0;
    const bool alsUmriss = !(klein > 0.2 && gross < 3 * klein);
    QPainterPath umriss;
    // Each character where the file puts it; surrogate pairs stay together.
    for (qsizetype i = 0; i < op.text.size(); ++i) {
        const bool paar = op.text.at(i).isHighSurrogate() && i + 1 < op.text.size();
        const QString zeichen = op.text.mid(i, paar ? 2 : 1);
        if (alsUmriss)
            umriss.addText(QPointF(x, y), op.schrift, zeichen);
        else
            p.drawText(QPointF(x, y), zeichen);
        x += dx[static_cast<std::size_t>(i)];
        if (paar)
            x += dx[static_cast<std::size_t>(++i)];
    }
    if (alsUmriss)
        p.fillPath(umriss, op.farbe);
    p.restore();
}

void zeichneOp(QPainter& p, const TFigur& op, double px)
{
    switch (op.art) {
    case TArt::Polygon:
        p.setPen(op.stift);
        p.setBrush(op.pinsel);
        p.drawPolygon(op.punkte, op.regel);
        break;
    case TArt::Polylinie:
        p.setPen(op.stift);
        if (op.punkte.size() >= 2)
            p.drawPolyline(op.punkte);
        break;
    case TArt::Pfad:
        p.setPen(op.stift);
        p.setBrush(op.pinsel);
        p.drawPath(op.pfad);
        break;
    case TArt::Rechteck:
    case TArt::Ellipse: {
        // GDI leaves out the right and bottom edge, and with no pen one pixel more.
        const QRectF r = QRectF(op.punkte[0], op.punkte[1]).normalized().adjusted(0, 0, -px, -px);
        if (op.stift.style() == Qt::NoPen) {
            if (r.width() <= 0 || r.height() <= 0)
                break;
            if (op.art == TArt::Rechteck) {
                p.fillRect(r, op.pinsel);
                break;
            }
        }
        p.setPen(op.stift);
        p.setBrush(op.pinsel);
        if (op.art == TArt::Rechteck)
            p.drawRect(r);
        else
            p.drawEllipse(r);
        break;
    }
    case TArt::Text: zeichneText(p, op); break;
    }
}

} // namespace

bool zeichne(const TBildDaten& b, QPainter& p, const QRectF& ziel, QDeadlineTimer frist)
{
    if (ziel.isEmpty() || b.bild.isEmpty())
        return true;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(ziel.topLeft());
    p.scale(ziel.width() / b.bild.width(), ziel.height() / b.bild.height());
    p.translate(-b.bild.topLeft());
    const bool begrenzt = !frist.isForever();
    int clip = 0;
    bool fertig = true;
    for (std::size_t i = 0; i < b.ops.size(); ++i) {
        // Before every shape: one shape may cost as much as many small ones.
        if (begrenzt && frist.hasExpired()) {
            fertig = false;
            break;
        }
        const TFigur& op = b.ops[i];
        if (op.clip != clip) {
            // Within whatever clip the caller set: the file's clip is added to it.
            if (clip != 0)
                p.restore();
            clip = op.clip;
            if (clip != 0) {
                p.save();
                p.setClipPath(b.clips[static_cast<std::size_t>(clip - 1)], Qt::IntersectClip);
            }
        }
        zeichneOp(p, op, b.einPixel);
    }
    if (clip != 0)
        p.restore();
    p.restore();
    return fertig;
}

} // namespace zw::leser
