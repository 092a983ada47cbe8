// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A group frame whose line runs through the middle of its caption, so that the controls placed
// just below the caption stay clear of it.
#pragma once

#include <QGroupBox>

namespace zw {

class TGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TGroupBox(const QString& titel, QWidget* parent = nullptr);

    // The row the frame's top line is drawn on, and the caption's place.
    int rahmenOben() const;
    QRect titelRechteck() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace zw
