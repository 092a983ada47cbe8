// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zugang.h"

#include "ui/tpagecontrol.h"
#include "ui/tspinedit.h"
#include "ui/ttextfeld.h"
#include "ui/tupdown.h"
#include "ui/tverweis.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

namespace zw {
namespace {

// A result field: read-only text, its meaning as name, what it shows as value and as text.
class TextFeldZugang : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TextFeldZugang(QWidget* w) : QAccessibleWidget(w, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.focusable = false;
        s.multiLine = feld()->angezeigteZeilen().size() > 1;
        return s;
    }

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Value)
            return feld()->text();
        return QAccessibleWidget::text(art);
    }

    // The text interface, without a caret or a selection: the field cannot be edited.
    void selection(int, int* anfang, int* ende) const override { *anfang = *ende = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int anfang, int ende) const override
    {
        return feld()->text().mid(anfang, ende - anfang);
    }
    int characterCount() const override { return static_cast<int>(feld()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* anfang, int* ende) const override
    {
        *anfang = *ende = offset;
        return {};
    }

private:
    const TTextFeld* feld() const { return static_cast<const TTextFeld*>(widget()); }
};

// A spin button: the up-down counters of the quick page and the spin fields. The number is the
// text of its field; the range is asked of the control each time.
class ZahlZugang : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    using Grenze = std::function<int()>;
    ZahlZugang(QWidget* w, QLineEdit* zeile, Grenze minimum, Grenze maximum)
        : QAccessibleWidget(w, QAccessible::SpinBox), zeile_(zeile), minimum_(std::move(minimum)),
          maximum_(std::move(maximum))
    {}

    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Value)
            return zeile_ ? zeile_->text() : QString();
        return QAccessibleWidget::text(art);
    }

    QVariant currentValue() const override
    {
        bool zahl = false;
        const int wert = zeile_ ? zeile_->text().toInt(&zahl) : 0;
        return zahl ? QVariant(wert) : QVariant();
    }
    // As if typed: the field's own change handling does the rest.
    void setCurrentValue(const QVariant& wert) override
    {
        if (zeile_)
            zeile_->setText(QString::number(std::clamp(wert.toInt(), minimum_(), maximum_())));
    }
    QVariant maximumValue() const override { return maximum_(); }
    QVariant minimumValue() const override { return minimum_(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    QPointer<QLineEdit> zeile_;
    Grenze minimum_;
    Grenze maximum_;
};

// One page tab. Qt's own marks the tab on show as focused wherever the focus is; this one only
// while the tab strip has it.
class TabZugang : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabZugang(TTabBar* leiste, int index) : leiste_(leiste), index_(index) {}

    void* interface_cast(QAccessible::InterfaceType art) override
    {
        return art == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                   : nullptr;
    }
    bool isValid() const override { return leiste_ && index_ < leiste_->count(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(leiste_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text art) const override
    {
        if (!isValid() || art != QAccessible::Name)
            return {};
        const QString name = leiste_->accessibleTabName(index_);
        return name.isEmpty() ? leiste_->tabText(index_).remove(QLatin1Char('&')) : name;
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = leiste_->tabRect(index_);
        return {leiste_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        s.selected = leiste_->currentIndex() == index_;
        s.focused = s.selected && leiste_->hasFocus();
        s.invisible = !leiste_->isVisible() || !leiste_->isTabVisible(index_);
        s.disabled = !leiste_->isTabEnabled(index_);
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& aktion) override
    {
        if (isValid() && aktion == pressAction())
            leiste_->setCurrentIndex(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return index_; }

private:
    QPointer<TTabBar> leiste_;
    int index_;
};

// The tab strip: its tabs, then its own child widgets (the scroll buttons).
class ReiterZugang : public QAccessibleWidget {
public:
    explicit ReiterZugang(QWidget* w) : QAccessibleWidget(w, QAccessible::PageTabList) {}
    ReiterZugang(const ReiterZugang&) = delete;
    ReiterZugang& operator=(const ReiterZugang&) = delete;
    ~ReiterZugang() override
    {
        for (const auto& [index, id] : tabs_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return leiste()->count() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        if (index >= leiste()->count())
            return QAccessibleWidget::child(index - leiste()->count());
        if (auto gefunden = tabs_.find(index); gefunden != tabs_.end())
            return QAccessible::accessibleInterface(gefunden->second);
        auto* tab = new TabZugang(leiste(), index);
        tabs_[index] = QAccessible::registerAccessibleInterface(tab);
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* kind) const override
    {
        if (kind && kind->role() == QAccessible::PageTab && kind->parent() == this)
            return static_cast<const TabZugang*>(kind)->index();
        const int andere = QAccessibleWidget::indexOfChild(kind);
        return andere < 0 ? -1 : andere + leiste()->count();
    }
    QString text(QAccessible::Text art) const override
    {
        // Named after the page on show, as tab strips are.
        if (art == QAccessible::Name && leiste()->currentIndex() >= 0)
            return leiste()->tabText(leiste()->currentIndex()).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(art);
    }

private:
    TTabBar* leiste() const { return static_cast<TTabBar*>(widget()); }

    mutable std::map<int, QAccessible::Id> tabs_;
};

// The page control passes its focus on to its tab strip, so it "has" the focus whenever the
// strip does; the strip and its tab already say so.
class SeitenZugang : public QAccessibleWidget {
public:
    explicit SeitenZugang(QWidget* w) : QAccessibleWidget(w, QAccessible::Client) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = false;
        return s;
    }
};

// A link with a "press" that opens it.
class VerweisZugang : public QAccessibleWidget {
public:
    explicit VerweisZugang(QWidget* w) : QAccessibleWidget(w, QAccessible::Link) {}
    QString text(QAccessible::Text art) const override
    {
        QString eigen = QAccessibleWidget::text(art);
        if (art == QAccessible::Name && eigen.isEmpty())
            return static_cast<const TVerweis*>(widget())->text();
        return eigen;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& aktion) override
    {
        if (aktion == pressAction())
            static_cast<TVerweis*>(widget())->oeffne();
    }
};

QAccessibleInterface* Zugang(const QString& klasse, QObject* objekt)
{
    auto* w = qobject_cast<QWidget*>(objekt);
    if (w == nullptr)
        return nullptr;
    if (klasse == QLatin1String("zw::TForm1"))
        return new QAccessibleWidget(w, QAccessible::Window);
    if (klasse == QLatin1String("zw::TTextFeld"))
        return new TextFeldZugang(w);
    if (klasse == QLatin1String("zw::TTabBar"))
        return new ReiterZugang(w);
    if (klasse == QLatin1String("zw::TPageControl"))
        return new SeitenZugang(w);
    if (klasse == QLatin1String("zw::TChart"))
        return new QAccessibleWidget(w, QAccessible::Chart);
    if (klasse == QLatin1String("zw::TVerweis"))
        return new VerweisZugang(w);
    if (klasse == QLatin1String("zw::TSpinEdit")) {
        auto* feld = static_cast<TSpinEdit*>(w);
        return new ZahlZugang(
            w, feld->lineEdit(), [feld] { return feld->minValue(); },
            [feld] { return feld->maxValue(); });
    }
    if (klasse == QLatin1String("zw::TUpDown")) {
        auto* knopf = static_cast<TUpDown*>(w);
        return new ZahlZugang(
            w, knopf->buddy(), [knopf] { return knopf->minValue(); },
            [knopf] { return knopf->maxValue(); });
    }
    // Plain widgets the main window uses as a tool bar and as a clickable picture panel.
    if (objekt->objectName() == QLatin1String("ToolBar1"))
        return new QAccessibleWidget(w, QAccessible::ToolBar);
    if (objekt->objectName() == QLatin1String("Panel1"))
        return new QAccessibleWidget(w, QAccessible::Grouping);
    return nullptr;
}

} // namespace

void RichteZugangEin()
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(&Zugang);
        return true;
    }();
    Q_UNUSED(eingerichtet);
}

} // namespace zw
