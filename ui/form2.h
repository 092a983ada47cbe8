// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Form2: the about window with name, version, the maker's notice, two links and a disclaimer.
#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace zw {

// Hands an address to the system (mail program, browser); the outcome is not examined.
using TUrlOeffner = std::function<void(const QUrl& url)>;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // By default QDesktopServices::openUrl.
    void setUrlOeffner(TUrlOeffner oeffner);

    static QUrl EMailAdresse(); // mailto:zechwaage@example.org
    static QUrl WebAdresse();   // https://www.example.org/zechwaage

    void Label9Click(); // the e-mail link
    void Label1Click(); // the web link
    void Button1Click();

    QFrame* Bevel1;
    QLabel* Label6;
    QLabel* Label2;
    QLabel* Label8;
    QLabel* Label1; // e-mail link
    QLabel* Label4; // web link
    QLabel* Label7;
    QPushButton* Button1;

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void oeffne(const QUrl& url);

    TUrlOeffner oeffner_;
};

} // namespace zw
