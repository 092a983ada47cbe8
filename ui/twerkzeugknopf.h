// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A flat tool bar button that lays out its image and caption itself, so that both fit the
// tool bar's narrow, fixed button width whatever margins the style would add.
#pragma once

#include <QToolButton>

namespace zw {

class TWerkzeugKnopf : public QToolButton {
    Q_OBJECT
public:
    explicit TWerkzeugKnopf(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

} // namespace zw
