// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ttextfeld.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <utility>

namespace zw {

TTextFeld::TTextFeld(QWidget* parent) : QFrame(parent) { setFocusPolicy(Qt::NoFocus); }

void TTextFeld::setText(const QString& text)
{
    if (text == text_)
        return;
    const QString alt = std::exchange(text_, text);
    zeilenVerwerfen();
    // Screen readers hear of the new result as they do of a text field's.
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent text(this, 0, alt, text_);
        QAccessible::updateAccessibility(&text);
        QAccessibleValueChangeEvent wert(this, text_);
        QAccessible::updateAccessibility(&wert);
    }
}

namespace {

// Lines broken at blanks only: as many words as fit, at least one.
void BrichAnLeerzeichen(const QString& absatz, const QFontMetricsF& mass, qreal breite,
                        QStringList& zeilen)
{
    QString zeile;
    for (const QString& wort : absatz.split(QLatin1Char(' '))) {
        const QString laenger = zeile.isEmpty() ? wort : zeile + QLatin1Char(' ') + wort;
        if (zeile.isEmpty() || mass.horizontalAdvance(laenger) <= breite) {
            zeile = laenger;
        } else {
            zeilen << zeile;
            zeile = wort;
        }
    }
    zeilen << zeile;
}

void BrichAnWortgrenzen(const QString& absatz, const QFont& schrift, qreal breite,
                        QStringList& zeilen)
{
    QTextLayout layout(absatz, schrift);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine zeile = layout.createLine(); zeile.isValid(); zeile = layout.createLine()) {
        zeile.setLineWidth(breite);
        // A break at a blank leaves the blank at the end of the line; it is not shown.
        QString teil = absatz.mid(zeile.textStart(), zeile.textLength());
        while (teil.endsWith(QLatin1Char(' ')))
            teil.chop(1);
        zeilen << teil;
    }
    layout.endLayout();
}

} // namespace

void TTextFeld::setUmbruch(Umbruch umbruch)
{
    if (umbruch == umbruch_)
        return;
    umbruch_ = umbruch;
    zeilenVerwerfen();
}

void TTextFeld::setInnenabstand(int pixel)
{
    if (pixel == innenabstand_)
        return;
    innenabstand_ = pixel;
    zeilenVerwerfen();
}

QRect TTextFeld::textRechteck() const
{
    return contentsRect().adjusted(innenabstand_, innenabstand_, -innenabstand_, -innenabstand_);
}

const QStringList& TTextFeld::angezeigteZeilen() const
{
    if (zeilenGueltig_)
        return zeilen_;
    zeilen_.clear();
    const qreal breite = textRechteck().width();
    // Each paragraph wraps on its own; an empty text still shows one (empty) line.
    for (const QString& absatz : text_.split(QLatin1Char('\n'))) {
        if (absatz.isEmpty())
            zeilen_ << QString();
        else if (umbruch_ == Umbruch::NurLeerzeichen)
            BrichAnLeerzeichen(absatz, QFontMetricsF(font()), breite, zeilen_);
        else
            BrichAnWortgrenzen(absatz, font(), breite, zeilen_);
    }
    zeilenGueltig_ = true;
    return zeilen_;
}

QSize TTextFeld::sizeHint() const { return {89, 17}; }

void TTextFeld::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (frameShape() != QFrame::NoFrame) {
        // Where a scale factor such as 1.5 puts the field's edge between two device pixels,
        // the style's frame line can fall just outside the field's own area and vanish. Moved
        // by that fraction onto the next whole device pixel, it stays inside; at whole-number
        // scales nothing moves.
        const qreal dpr = devicePixelRatioF();
        const QPointF geraet = QPointF(mapTo(window(), QPoint(0, 0))) * dpr;
        const QPointF rest(std::ceil(geraet.x()) - geraet.x(), std::ceil(geraet.y()) - geraet.y());
        p.save();
        p.translate(rest / dpr);
        drawFrame(&p);
        p.restore();
    }
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    const QRect innen = textRechteck();
    const int zeilenhoehe = fontMetrics().height();
    int y = innen.top();
    for (const QString& zeile : angezeigteZeilen()) {
        if (y >= innen.bottom())
            break;
        p.drawText(QRect(innen.left(), y, innen.width(), zeilenhoehe), Qt::AlignLeft | Qt::AlignTop,
                   zeile);
        y += zeilenhoehe;
    }
}

void TTextFeld::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange)
        zeilenVerwerfen();
    QFrame::changeEvent(e);
}

void TTextFeld::resizeEvent(QResizeEvent* e)
{
    zeilenVerwerfen();
    QFrame::resizeEvent(e);
}

void TTextFeld::zeilenVerwerfen()
{
    zeilenGueltig_ = false;
    update();
}

} // namespace zw
