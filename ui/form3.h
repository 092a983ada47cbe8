// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Form3: shows the three formulas behind the results and the constants they use.
#pragma once

#include <QDialog>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zw {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void Button1Click();

    QLabel* Label3 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label10;
    QFrame* Shape3 = nullptr;
    QLabel* Label11;
    QLabel* Label14;
    QFrame* Shape4 = nullptr;
    QLabel* Label12;
    QLabel* Label13;
    QGroupBox* GroupBox2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QGroupBox* GroupBox3;
    QLabel* Label5;
    QLabel* Label16;
    QFrame* Shape1 = nullptr;
    QLabel* Label15;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label20;
    QLabel* Label19;
    QLabel* Label21;
    QLabel* Label22;
    QLabel* Label23;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void faerbeLinien();
};

} // namespace zw
