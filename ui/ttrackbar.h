// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The constitution slider. It reports every movement notification, not only changes of its
// position: a key or wheel step at an end, or letting go of the handle where it was, counts too.
#pragma once

#include <QSlider>

namespace zw {

class TTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBar(QWidget* parent = nullptr);

Q_SIGNALS:
    // Once per movement by the user, after the new position has been set, and once per change
    // of position by the program.
    void geaendert();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    // Runs one of the base class's handlers; the movements it triggers are reported once it is
    // done, so that the handler of geaendert sees the new position.
    template <typename Handler>
    void benutzer(Handler&& handler);

    int imBenutzer_ = 0;
    bool bewegt_ = false;
};

} // namespace zw
