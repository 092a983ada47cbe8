// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tpagecontrol.h"

#include <QEvent>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolButton>

namespace zw {

TTabBar::TTabBar(QWidget* parent) : QTabBar(parent)
{
    // Clicked tabs take the focus too, not only Tab: the arrow keys act on the strip then.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, true);
    setMouseTracking(true);
    // The strip's own scroll buttons; a screen reader says their names.
    for (QToolButton* knopf : findChildren<QToolButton*>()) {
        if (knopf->objectName() == QLatin1String("ScrollLeftButton"))
            knopf->setAccessibleName(QStringLiteral("Nach links scrollen"));
        else if (knopf->objectName() == QLatin1String("ScrollRightButton"))
            knopf->setAccessibleName(QStringLiteral("Nach rechts scrollen"));
    }
}

bool TTabBar::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        setzeHeiss(tabAt(static_cast<QHoverEvent*>(e)->position().toPoint()));
        break;
    case QEvent::MouseMove:
        setzeHeiss(tabAt(static_cast<QMouseEvent*>(e)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
    case QEvent::Hide: setzeHeiss(-1); break;
    default: break;
    }
    return QTabBar::event(e);
}

void TTabBar::tabInserted(int index)
{
    setzeHeiss(-1);
    QTabBar::tabInserted(index);
}

void TTabBar::tabRemoved(int index)
{
    heiss_ = -1; // the tab whose colour was set may be gone
    QTabBar::tabRemoved(index);
}

void TTabBar::setzeHeiss(int index)
{
    if (index == heiss_)
        return;
    if (heiss_ >= 0 && heiss_ < count())
        setTabTextColor(heiss_, QColor());
    heiss_ = index;
    // The caption of the tab under the mouse in the link colour, as hot tracking shows it.
    if (heiss_ >= 0)
        setTabTextColor(heiss_, palette().color(QPalette::Link));
}

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent), reiter_(new TTabBar(this))
{
    setTabBar(reiter_);
    // The tab widget steps its pages with Ctrl+Tab only when the key reaches it; a drop-down
    // list with the focus keeps the key for itself. As shortcuts of the whole control they
    // work from every control on its pages.
    const auto schritt = [this](int richtung) {
        if (count() > 0)
            setCurrentIndex((currentIndex() + richtung + count()) % count());
    };
    for (const QKeySequence& taste :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)}) {
        auto* kuerzel = new QShortcut(taste, this);
        kuerzel->setContext(Qt::WidgetWithChildrenShortcut);
        const int richtung = taste[0].keyboardModifiers() & Qt::ShiftModifier ? -1 : 1;
        connect(kuerzel, &QShortcut::activated, this, [schritt, richtung] { schritt(richtung); });
    }
}

} // namespace zw
