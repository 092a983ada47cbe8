// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tupdown.h"

#include "ui/ganzzahl.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace zw {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_Hover, false);
    wiederholung_.setSingleShot(false);
    // A coarse timer may fire a little early; the rhythm of a held button should be even.
    wiederholung_.setTimerType(Qt::PreciseTimer);
    connect(&wiederholung_, &QTimer::timeout, this, &TUpDown::wiederhole);
}

void TUpDown::setWiederholung(std::chrono::milliseconds verzoegerung,
                              std::chrono::milliseconds intervall)
{
    verzoegerung_ = verzoegerung;
    intervall_ = intervall;
}

void TUpDown::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

void TUpDown::setBuddy(QLineEdit* buddy) { buddy_ = buddy; }

QLineEdit* TUpDown::buddy() const { return buddy_; }

QSize TUpDown::sizeHint() const { return {15, 21}; }

int TUpDown::haelfte(const QPoint& p) const
{
    if (!rect().contains(p))
        return 0;
    return p.y() < height() / 2 ? 1 : -1;
}

void TUpDown::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int mitte = height() / 2;
    const QRect teile[2] = {QRect(0, 0, width(), mitte),
                            QRect(0, mitte, width(), height() - mitte)};
    for (int i = 0; i < 2; ++i) {
        const int richtung = i == 0 ? 1 : -1;
        const bool unten = gedrueckt_ == richtung && ueberKnopf_;

        QStyleOptionButton knopf;
        knopf.initFrom(this);
        knopf.rect = teile[i];
        knopf.state |= unten ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &knopf, &p, this);

        // The arrow sits a pixel lower/right while the button is down, like a classic button.
        QStyleOption pfeil;
        pfeil.initFrom(this);
        pfeil.rect = teile[i].adjusted(3, 2, -3, -2).translated(unten ? 1 : 0, unten ? 1 : 0);
        style()->drawPrimitive(richtung > 0 ? QStyle::PE_IndicatorArrowUp
                                            : QStyle::PE_IndicatorArrowDown,
                               &pfeil, &p, this);
    }
}

void TUpDown::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || gedrueckt_ != 0) {
        e->ignore();
        return;
    }
    gedrueckt_ = haelfte(e->position().toPoint());
    ueberKnopf_ = gedrueckt_ != 0;
    if (gedrueckt_ != 0)
        wiederholung_.start(verzoegerung_);
    update();
}

void TUpDown::mouseMoveEvent(QMouseEvent* e)
{
    if (gedrueckt_ == 0)
        return;
    const bool ueber = haelfte(e->position().toPoint()) == gedrueckt_;
    if (ueber != ueberKnopf_) {
        ueberKnopf_ = ueber;
        update();
    }
}

void TUpDown::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || gedrueckt_ == 0)
        return;
    const int richtung = gedrueckt_;
    const bool drin = haelfte(e->position().toPoint()) == richtung;
    loslassen();
    if (drin)
        schritt(richtung);
}

void TUpDown::hideEvent(QHideEvent* e)
{
    loslassen();
    QWidget::hideEvent(e);
}

void TUpDown::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange && !isEnabled())
        loslassen();
    QWidget::changeEvent(e);
}

void TUpDown::loslassen()
{
    wiederholung_.stop();
    if (gedrueckt_ != 0) {
        gedrueckt_ = 0;
        ueberKnopf_ = false;
        update();
    }
}

void TUpDown::wiederhole()
{
    // A step may open a modal box (a failed recalculation); the release then goes to that box,
    // so the repeat must not go on stepping behind it.
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal != window()) || !isVisible() || !isEnabled()) {
        loslassen();
        return;
    }
    wiederholung_.setInterval(intervall_);
    if (ueberKnopf_ && !imSchritt_)
        schritt(gedrueckt_);
}

void TUpDown::schritt(int richtung)
{
    imSchritt_ = true;
    if (buddy_) {
        const int alt = GanzzahlAusText(buddy_->text()).value_or(minimum_);
        const qint64 neu = std::clamp<qint64>(qint64(alt) + richtung, minimum_, maximum_);
        const QString text = QString::number(neu);
        if (text != buddy_->text())
            buddy_->setText(text);
    }
    Q_EMIT schrittVerlangt(richtung);
    Q_EMIT geklickt();
    imSchritt_ = false;
}

} // namespace zw
