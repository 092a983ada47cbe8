// An integer field with up and down buttons that reads and accepts input the way the program's
// users expect: an invalid text reads as the minimum, an out-of-range number is used while the
// field has the focus and limited when it is left, and a held button repeats.
#pragma once

#include <QWidget>

class QLineEdit;

namespace zw {

class TSpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minValue() const;
    int maxValue() const;

    // The whole text as a decimal integer, or the minimum when it is not one.
    int Value() const;
    // Limits v to the range and writes it in plain decimal; an unchanged text fires nothing.
    void setValue(int v);

    QString text() const;
    void setText(const QString& text);

    // When false, no characters can be typed (only stepping and the Delete key change it).
    void setTippenErlaubt(bool erlaubt);
    // The regional decimal separator, which is among the accepted keys.
    void setDezimaltrenner(const QString& trenner);

    QLineEdit* lineEdit() const;

Q_SIGNALS:
    // The text changed: typed, stepped or written by the program.
    void Change();
};

} // namespace zw
