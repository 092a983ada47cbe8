// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/twerkzeugknopf.h"

#include <QKeyEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace zw {

TWerkzeugKnopf::TWerkzeugKnopf(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize({16, 16});
}

void TWerkzeugKnopf::keyPressEvent(QKeyEvent* e)
{
    // Return and Enter press a focused button as Space does, as users of dialog buttons expect.
    const bool eingabe = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (eingabe && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        e->accept();
        if (!e->isAutoRepeat())
            click();
        return;
    }
    QToolButton::keyPressEvent(e);
}

void TWerkzeugKnopf::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The raised or sunken panel as the style draws it, without its label.
    if (option.state & (QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_On))
        p.drawPrimitive(QStyle::PE_PanelButtonTool, option);
    if (hasFocus()) {
        QStyleOptionFocusRect fokus;
        fokus.initFrom(this);
        fokus.rect = rect().adjusted(2, 2, -2, -2);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, fokus);
    }

    constexpr int rand = 2;
    constexpr int abstand = 3;
    const bool gedrueckt = option.state & QStyle::State_Sunken;
    const QPoint versatz = gedrueckt ? QPoint(1, 1) : QPoint();
    const QSize bildgroesse = iconSize();
    const QRect bild(QPoint(rand, (height() - bildgroesse.height()) / 2) + versatz, bildgroesse);
    const QIcon::Mode modus = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    icon().paint(&p, bild, Qt::AlignCenter, modus);

    const QRect textfeld(bild.right() + 1 + abstand, versatz.y(),
                         width() - bild.right() - 1 - abstand, height());
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(textfeld, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip,
               text());
}

} // namespace zw
