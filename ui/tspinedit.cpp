// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tspinedit.h"

#include "ui/ganzzahl.h"
#include "ui/tupdown.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>

namespace zw {

TSpinEdit::TSpinEdit(QWidget* parent)
    : QWidget(parent), zeile_(new QLineEdit(this)), knoepfe_(new TUpDown(zeile_)),
      dezimaltrenner_(QLocale().decimalPoint())
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(zeile_);
    zeile_->installEventFilter(this);
    // The buttons sit inside the field's frame; the text stops short of them.
    knoepfe_->setObjectName(QStringLiteral("knoepfe"));
    zeile_->setText(QStringLiteral("0"));
    letzterText_ = zeile_->text();
    connect(zeile_, &QLineEdit::textChanged, this, &TSpinEdit::textGeaendert);
    connect(knoepfe_, &TUpDown::schrittVerlangt, this, &TSpinEdit::schritt);
    resize(49, 22);
}

void TSpinEdit::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

int TSpinEdit::minValue() const { return minimum_; }
int TSpinEdit::maxValue() const { return maximum_; }

int TSpinEdit::value() const { return GanzzahlAusText(zeile_->text()).value_or(minimum_); }

void TSpinEdit::setValue(int v) { setText(QString::number(std::clamp(v, minimum_, maximum_))); }

QString TSpinEdit::text() const { return zeile_->text(); }

void TSpinEdit::setText(const QString& text)
{
    if (text != zeile_->text())
        zeile_->setText(text);
}

void TSpinEdit::setTippenErlaubt(bool erlaubt)
{
    tippenErlaubt_ = erlaubt;
    // A drop would put text in the field just like typing.
    zeile_->setAcceptDrops(erlaubt);
}

void TSpinEdit::setDezimaltrenner(const QString& trenner) { dezimaltrenner_ = trenner; }

void TSpinEdit::setPiepser(TPiepser piepser) { piepser_ = std::move(piepser); }

QLineEdit* TSpinEdit::lineEdit() const { return zeile_; }

TUpDown* TSpinEdit::knoepfe() const { return knoepfe_; }

QSize TSpinEdit::sizeHint() const { return {49, 22}; }

void TSpinEdit::resizeEvent(QResizeEvent*)
{
    zeile_->setGeometry(rect());
    const int rahmen = height() >= 20 ? 2 : 1;
    const int breite = std::min(15, std::max(0, width() / 3));
    knoepfe_->setGeometry(width() - rahmen - breite, rahmen, breite, height() - 2 * rahmen);
    zeile_->setTextMargins(0, 0, breite, 0);
}

void TSpinEdit::textGeaendert(const QString& text)
{
    // One geaendert per actual change of the text, however it came about.
    if (text == letzterText_)
        return;
    letzterText_ = text;
    Q_EMIT geaendert();
}

void TSpinEdit::schritt(int richtung)
{
    const qint64 neu = qint64(value()) + richtung;
    setValue(int(std::clamp<qint64>(neu, minimum_, maximum_)));
}

void TSpinEdit::verlassen()
{
    // Only a number out of range is corrected; a text that is no number is left for the user.
    if (const auto wert = GanzzahlAusText(zeile_->text());
        wert && (*wert < minimum_ || *wert > maximum_))
        setValue(*wert);
}

void TSpinEdit::piepe()
{
    if (piepser_)
        piepser_();
    else
        QApplication::beep();
}

bool TSpinEdit::zeichenErlaubt(const QString& text) const
{
    for (const QChar c : text) {
        const bool ziffer = c >= u'0' && c <= u'9';
        if (!ziffer && c != u'+' && c != u'-' && !dezimaltrenner_.contains(c))
            return false;
    }
    return true;
}

bool TSpinEdit::tasteFiltern(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up: schritt(1); return true;
    case Qt::Key_Down: schritt(-1); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: piepe(); return true;
    default: break;
    }

    if (!tippenErlaubt_) {
        if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut))
            return true; // ignored silently, like the menu commands
        if (e->key() == Qt::Key_Backspace) {
            piepe();
            return true;
        }
    }

    const QString text = e->text();
    const bool befehl = e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const bool druckbar = !text.isEmpty() && text.at(0).isPrint();
    if (!druckbar || befehl)
        return false; // cursor movement, deletion, Tab, shortcuts: the field handles them
    if (tippenErlaubt_ && zeichenErlaubt(text))
        return false;
    piepe();
    return true;
}

void TSpinEdit::kontextmenue(QContextMenuEvent* e)
{
    QPointer<QMenu> menue = zeile_->createStandardContextMenu();
    if (!menue)
        return;
    // Cut and Paste are left out. Qt names the menu's actions only in some versions, so they
    // are also recognised by their (translated) captions, the shortcut after the tab aside.
    const QString ausschneiden = QCoreApplication::translate("QLineEdit", "Cu&t");
    const QString einfuegen = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* a : menue->actions()) {
        const QString name = a->objectName();
        const QString text = a->text().section(QLatin1Char('\t'), 0, 0);
        if (name == QLatin1String("edit-paste") || name == QLatin1String("edit-cut") ||
            text == ausschneiden || text == einfuegen)
            menue->removeAction(a);
    }
    menue->exec(e->globalPos());
    delete menue;
}

bool TSpinEdit::eventFilter(QObject* objekt, QEvent* e)
{
    if (objekt != zeile_)
        return QWidget::eventFilter(objekt, e);

    switch (e->type()) {
    case QEvent::KeyPress: return tasteFiltern(static_cast<QKeyEvent*>(e));
    case QEvent::FocusOut: {
        // A menu popping up or another window becoming active does not leave the field.
        const auto grund = static_cast<QFocusEvent*>(e)->reason();
        if (grund != Qt::PopupFocusReason && grund != Qt::ActiveWindowFocusReason)
            verlassen();
        break;
    }
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(e);
        if (!im->commitString().isEmpty() &&
            (!tippenErlaubt_ || !zeichenErlaubt(im->commitString()))) {
            piepe();
            return true;
        }
        break;
    }
    case QEvent::ContextMenu:
        if (!tippenErlaubt_) {
            kontextmenue(static_cast<QContextMenuEvent*>(e));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        // X11 pastes the selection on a middle click.
        if (!tippenErlaubt_ && static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton)
            return true;
        break;
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (!tippenErlaubt_) {
            e->ignore();
            return true;
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(objekt, e);
}

} // namespace zw
