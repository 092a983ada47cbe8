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

    p.setPen(palette().color(QPalette::Mid));
    if (title().isEmpty()) {
        p.drawLine(0, oben, rechts, oben);
    } else {
        p.drawLine(0, oben, titel.left() - kTitelAbstand - 1, oben);
        p.drawLine(titel.right() + kTitelAbstand + 1, oben, rechts, oben);
    }
    p.drawLine(0, oben, 0, unten);
    p.drawLine(rechts, oben, rechts, unten);
    p.drawLine(0, unten, rechts, unten);

    const QPalette::ColorGroup gruppe = isEnabled() ? QPalette::Active : QPalette::Disabled;
    p.setPen(palette().color(gruppe, QPalette::WindowText));
    p.drawText(titel, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

} // namespace zw
