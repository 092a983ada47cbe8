// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The tabbed pages: tabs along the bottom, the tab under the mouse highlighted, and a click on
// a tab gives the tab strip the focus, so that the arrow keys then step through the pages.
#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace zw {

class TTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TTabBar(QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    void setzeHeiss(int index);

    int heiss_ = -1; // the tab under the mouse, -1 for none
};

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    TTabBar* reiter() const { return reiter_; }

private:
    TTabBar* reiter_;
};

} // namespace zw
