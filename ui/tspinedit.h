// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// An integer field with up and down buttons that reads and accepts input the way the program's
// users expect: an invalid text reads as the minimum, an out-of-range number is used while the
// field has the focus and limited when it is left, and a held button repeats.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;

namespace zw {

class TUpDown;

// Sounds the refusal of a key; QApplication::beep by default, replaceable so tests can count.
using TPiepser = std::function<void()>;

class TSpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minValue() const;
    int maxValue() const;

    // The whole text as a decimal integer, or the minimum when it is not one.
    int value() const;
    // Limits v to the range and writes it in plain decimal; an unchanged text fires nothing.
    void setValue(int v);

    QString text() const;
    void setText(const QString& text);

    // When false, no characters can be typed (only stepping and the Delete key change it).
    void setTippenErlaubt(bool erlaubt);
    bool tippenErlaubt() const { return tippenErlaubt_; }
    // The regional decimal separator, which is among the accepted keys.
    void setDezimaltrenner(const QString& trenner);

    void setPiepser(TPiepser piepser);

    QLineEdit* lineEdit() const;
    TUpDown* knoepfe() const; // the up and down buttons

    QSize sizeHint() const override;

Q_SIGNALS:
    // The text changed: typed, stepped or written by the program.
    void geaendert();

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void schritt(int richtung);
    bool tasteFiltern(class QKeyEvent* e); // true: the key is used up here
    bool zeichenErlaubt(const QString& text) const;
    void verlassen();
    void textGeaendert(const QString& text);
    void kontextmenue(class QContextMenuEvent* e);
    void piepe();

    QLineEdit* zeile_;
    TUpDown* knoepfe_;
    int minimum_ = 0;
    int maximum_ = 100;
    bool tippenErlaubt_ = true;
    QString dezimaltrenner_;
    QString letzterText_;
    TPiepser piepser_;
};

} // namespace zw
