// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only text field that wraps its text at its width and can say which lines it shows.
// The clipboard report copies result fields line by line as displayed, so the lines are
// broken once, by this class, and both painting and the report use that one result.
#pragma once

#include <QFrame>
#include <QStringList>

namespace zw {

class TTextFeld : public QFrame {
    Q_OBJECT
public:
    explicit TTextFeld(QWidget* parent = nullptr);

    // Writing the text that is already there does nothing.
    void setText(const QString& text);
    QString text() const { return text_; }

    // The lines as displayed: the text broken at blanks where it is wider than the field.
    const QStringList& angezeigteZeilen() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void zeilenVerwerfen();

    QString text_;
    mutable QStringList zeilen_;
    mutable bool zeilenGueltig_ = false;
};

} // namespace zw
