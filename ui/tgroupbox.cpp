// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tgroupbox.h"

#include <QPainter>

namespace zw {
namespace {

constexpr int kTitelLinks = 8;   // where the caption starts
constexpr int kTitelAbstand = 2; // the gap the line leaves either side of it

} // namespace

TGroupBox::TGroupBox(const QString& titel, QWidget* parent) : QGroupBox(titel, parent) {}

int TGroupBox::rahmenOben() const { return fontMetrics().height() / 2; }

QRect TGroupBox::titelRechteck() const
{
    const QFontMetrics fm = fontMetrics();
    return {kTitelLinks + kTitelAbstand, 0, fm.horizontalAdvance(title()), fm.height()};
}

void TGroupBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int oben = rahmenOben();
    const int rechts = width() - 1;
    const int unten = height() - 1;
    const QRect titel = titelRechteck();

    // Lines as filled one-pixel bands: where a scale factor such as 1.5 puts the box's edge
    // between two device pixels, a drawn line can fall just outside the box's own area and
    // vanish, whereas a band always covers a pixel inside it.
    const QColor linie = palette().color(QPalette::Mid);
    const auto waagrecht = [&](int von, int bis, int y) {
        p.fillRect(QRect(QPoint(von, y), QPoint(bis, y)), linie);
    };
    if (title().isEmpty()) {
        waagrecht(0, rechts, oben);
    } else {
        waagrecht(0, titel.left() - kTitelAbstand - 1, oben);
        waagrecht(titel.right() + kTitelAbstand + 1, rechts, oben);
    }
    p.fillRect(QRect(QPoint(0, oben), QPoint(0, unten)), linie);
    p.fillRect(QRect(QPoint(rechts, oben), QPoint(rechts, unten)), linie);
    waagrecht(0, rechts, unten);

    const QPalette::ColorGroup gruppe = isEnabled() ? QPalette::Active : QPalette::Disabled;
    p.setPen(palette().color(gruppe, QPalette::WindowText));
    p.drawText(titel, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

} // namespace zw
