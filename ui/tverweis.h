// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A link in a window: a text in the link colour that a click, or Return, Enter or Space while
// it has the keyboard focus, opens.
#pragma once

#include <QLabel>

#include <functional>

namespace zw {

class TVerweis : public QLabel {
    Q_OBJECT
public:
    TVerweis(const QString& text, QWidget* parent, std::function<void()> oeffnen);

    // What a click or the keys do; also what a screen reader's "press" does.
    void oeffne();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void setzeFarbe();

    std::function<void()> oeffnen_;
    bool farbeSetzen_ = false;
};

} // namespace zw
