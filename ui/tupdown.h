// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A pair of arrow buttons that counts a buddy text field up and down without wrapping.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>

class QLineEdit;

namespace zw {

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum); // 0 .. 100 unless set
    int minValue() const { return minimum_; }
    int maxValue() const { return maximum_; }

    // The hidden counter; a click reads its text, steps by 1 within the range and writes it back.
    void setBuddy(QLineEdit* buddy);
    QLineEdit* buddy() const;

    QSize sizeHint() const override;

    // Timing of a held button: the first repeat after verzoegerung, then one every intervall;
    // 400 ms and 100 ms unless set (tests make it faster).
    void setWiederholung(std::chrono::milliseconds verzoegerung,
                         std::chrono::milliseconds intervall);
    std::chrono::milliseconds wiederholVerzoegerung() const { return verzoegerung_; }
    std::chrono::milliseconds wiederholIntervall() const { return intervall_; }

Q_SIGNALS:
    // One step was asked for: +1 by the upper button, -1 by the lower one. Emitted after the
    // buddy (if any) has been written.
    void schrittVerlangt(int richtung);
    void geklickt(); // after a step was written (or tried at a limit)

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    int haelfte(const QPoint& p) const; // +1 upper, -1 lower, 0 outside
    void wiederhole();
    void schritt(int richtung);
    void loslassen();

    int minimum_ = 0;
    int maximum_ = 100;
    QPointer<QLineEdit> buddy_;
    int gedrueckt_ = 0;       // which half is held down, 0 for none
    bool ueberKnopf_ = false; // the mouse is over the held half
    bool imSchritt_ = false;
    QTimer wiederholung_;
    std::chrono::milliseconds verzoegerung_{400};
    std::chrono::milliseconds intervall_{100};
};

} // namespace zw
