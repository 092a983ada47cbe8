// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only text field that wraps its text at its width and can say which lines it shows.
// The clipboard report copies result fields line by line as displayed, so the lines are
// broken once, by this class, and both painting and the report use that one result.
#pragma once

#include <QFrame>
#include <QStringList>

#include <cstdint>

namespace zw {

class TTextFeld : public QFrame {
    Q_OBJECT
public:
    // Where a line may end: at word boundaries as text layout finds them (after a hyphen, for
    // instance), or only at a blank, so that a number is never cut.
    enum class Umbruch : std::uint8_t { Woerter, NurLeerzeichen };

    explicit TTextFeld(QWidget* parent = nullptr);

    void setUmbruch(Umbruch umbruch);
    // Room between the frame and the text on every side, in pixels; 0 unless set.
    void setInnenabstand(int pixel);

    // Writing the text that is already there does nothing.
    void setText(const QString& text);
    QString text() const { return text_; }

    // The lines as displayed: the text broken where it is wider than the field. A word wider
    // than the field stands on a line of its own and is cut off at the field's edge.
    const QStringList& angezeigteZeilen() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void zeilenVerwerfen();
    QRect textRechteck() const;

    QString text_;
    Umbruch umbruch_ = Umbruch::Woerter;
    int innenabstand_ = 0;
    mutable QStringList zeilen_;
    mutable bool zeilenGueltig_ = false;
};

} // namespace zw
