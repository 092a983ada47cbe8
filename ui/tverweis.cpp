// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tverweis.h"

#include "chart/farben.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <utility>

namespace zw {

TVerweis::TVerweis(const QString& text, QWidget* parent, std::function<void()> oeffnen)
    : QLabel(text, parent), oeffnen_(std::move(oeffnen))
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setzeFarbe();
}

void TVerweis::oeffne()
{
    if (oeffnen_)
        oeffnen_();
}

void TVerweis::keyPressEvent(QKeyEvent* e)
{
    const bool taste =
        e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    if (taste && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        e->accept();
        if (!e->isAutoRepeat())
            oeffne();
        return;
    }
    QLabel::keyPressEvent(e);
}

void TVerweis::paintEvent(QPaintEvent* e)
{
    QLabel::paintEvent(e);
    // Only the keyboard brings the focus here, so the frame shows whenever it is here.
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect fokus;
    fokus.initFrom(this);
    fokus.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fokus, &p, this);
}

void TVerweis::focusInEvent(QFocusEvent* e)
{
    update();
    QLabel::focusInEvent(e);
}

void TVerweis::focusOutEvent(QFocusEvent* e)
{
    update();
    QLabel::focusOutEvent(e);
}

void TVerweis::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::PaletteChange && !farbeSetzen_)
        setzeFarbe();
    QLabel::changeEvent(e);
}

void TVerweis::setzeFarbe()
{
    // The palette's link colour, lightened or darkened where it would not stand out from the
    // face (a dark palette's link colour on its dark face, for instance).
    farbeSetzen_ = true;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText,
                 LesbareFarbe(pal.color(QPalette::Link), pal.color(QPalette::Window)));
    setPalette(pal);
    farbeSetzen_ = false;
}

} // namespace zw
