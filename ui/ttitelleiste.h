// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The title bar a window draws itself where the compositor draws none (see wayland.h): the
// window's icon and title, then the buttons its window flags allow. Dragging it moves the
// window through the compositor; a double click does nothing, as the windows cannot grow.
#pragma once

#include <QWidget>

class QToolButton;

namespace zw {

class TTitelleiste : public QWidget {
    Q_OBJECT
public:
    // Height of the bar and width of the frame line around the window, in pixels.
    static constexpr int Hoehe = 24;
    static constexpr int Rand = 1;

    explicit TTitelleiste(QWidget* fenster);

    QToolButton* minimieren() const { return minimieren_; } // null when the window has none
    QToolButton* schliessen() const { return schliessen_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objekt, QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void legeKnoepfeFest();
    void zeichneSymbole();

    QWidget* fenster_;
    QToolButton* minimieren_ = nullptr;
    QToolButton* schliessen_ = nullptr;
};

} // namespace zw
