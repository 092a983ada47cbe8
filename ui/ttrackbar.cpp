// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ttrackbar.h"

#include <QMouseEvent>

#include <utility>

namespace zw {

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    // Every action of the user is a notification, also one that leaves the position as it was.
    connect(this, &QAbstractSlider::actionTriggered, this, [this] { bewegt_ = true; });
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (imBenutzer_ == 0)
            Q_EMIT geaendert();
    });
}

template <typename Handler>
void TTrackBar::benutzer(Handler&& handler)
{
    ++imBenutzer_;
    handler();
    --imBenutzer_;
    if (imBenutzer_ == 0 && std::exchange(bewegt_, false))
        Q_EMIT geaendert();
}

void TTrackBar::keyPressEvent(QKeyEvent* e)
{
    benutzer([&] { QSlider::keyPressEvent(e); });
}

void TTrackBar::wheelEvent(QWheelEvent* e)
{
    benutzer([&] { QSlider::wheelEvent(e); });
}

void TTrackBar::mousePressEvent(QMouseEvent* e)
{
    benutzer([&] { QSlider::mousePressEvent(e); });
}

void TTrackBar::mouseMoveEvent(QMouseEvent* e)
{
    benutzer([&] { QSlider::mouseMoveEvent(e); });
}

void TTrackBar::mouseReleaseEvent(QMouseEvent* e)
{
    benutzer([&] {
        // Letting go of the handle ends the movement, a notification of its own.
        const bool gezogen = isSliderDown();
        QSlider::mouseReleaseEvent(e);
        if (gezogen && !isSliderDown())
            bewegt_ = true;
    });
}

void TTrackBar::timerEvent(QTimerEvent* e)
{
    // The repeated page steps of a button held on the groove.
    benutzer([&] { QSlider::timerEvent(e); });
}

} // namespace zw
