// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form3.h"

#include "chart/farben.h"
#include "schrift/schriften.h"
#include "ui/zentrieren.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace zw {
namespace {

QFont schmaler(QFont f, int prozent = 94)
{
    f.setStretch(prozent);
    return f;
}

QLabel* beschriftung(QWidget* eltern, int x, int y, const QString& text, const QFont& schrift)
{
    auto* l = new QLabel(text, eltern);
    l->setFont(schrift);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QFrame* linie(QWidget* eltern, int x, int y, int breite)
{
    auto* f = new QFrame(eltern);
    f->setFrameShape(QFrame::NoFrame);
    f->setAutoFillBackground(true);
    f->setGeometry(x, y, breite, 1);
    return f;
}

QGroupBox* gruppe(QWidget* eltern, const QRect& platz, const QString& titel)
{
    auto* g = new QGroupBox(titel, eltern);
    g->setFont(schmaler(MsSansSerif(true))); // only the caption; the children set their own font
    // A classic frame: the line runs through the middle of the caption.
    g->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));
    g->setGeometry(platz);
    return g;
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Berechnungsformeln"));
    setWindowIconText(windowTitle());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(517, 341);

    // The formulas and their marks are placed to the pixel; the stand-in fonts run a little
    // wider than the originals, so they are condensed just enough for the marks to sit clear.
    const QFont normal = schmaler(MsSansSerif());
    const QFont klein = schmaler(Installierte(SmallFonts()));
    setFont(normal);

    Label3 = new QLabel(QStringLiteral("Es werden drei Berechnungsformeln eingesetzt."), this);
    Label3->setWordWrap(true);
    Label3->setGeometry(24, 16, 300, Label3->heightForWidth(300));

    GroupBox1 = gruppe(this, {22, 51, 483, 81}, QStringLiteral("Promille-Maximum:"));
    Label10 = beschriftung(GroupBox1, 98, 27, QStringLiteral("Alkohol[g]"), normal);
    Shape3 = linie(GroupBox1, 17, 43, 230);
    Label11 = beschriftung(GroupBox1, 21, 47,
                           QStringLiteral("Körpergewicht[kg] x Widmarksche Konstante"), normal);
    Label14 = beschriftung(GroupBox1, 234, 45, QStringLiteral("*1"), klein);
    Shape4 = linie(GroupBox1, 259, 43, 10);
    Label12 = beschriftung(GroupBox1, 279, 36, QStringLiteral("Trinkzeitraum[h] x Abbaurate[°/oo]"),
                           normal);
    Label13 = beschriftung(GroupBox1, 442, 35, QStringLiteral("*2"), klein);

    GroupBox2 = gruppe(this, {22, 139, 483, 57}, QStringLiteral("Zeit bis Promille-Maximum:"));
    Label1 = beschriftung(
        GroupBox2, 20, 26,
        QStringLiteral("Trinkzeitraum[h] + Verzögerungszeit durch Magenfüllung[h]      -  "
                       "(VdM[h]  x  Abbaurate[°/oo]    )"),
        normal);
    // Its runs of blanks leave room for the two marks; that works out only between widths
    // whole-pixel hinting cannot give, so this line is hinted vertically only.
    QFont formel = schmaler(MsSansSerif(), 97);
    formel.setHintingPreference(QFont::PreferVerticalHinting);
    Label1->setFont(formel);
    Label1->adjustSize();
    Label2 = beschriftung(GroupBox2, 300, 24, QStringLiteral("*3"), klein);
    Label4 = beschriftung(GroupBox2, 457, 24, QStringLiteral("*2"), klein);

    GroupBox3 = gruppe(this, {22, 203, 483, 65}, QStringLiteral("Zeit bis zur Nüchternheit:"));
    Label5 = beschriftung(GroupBox3, 20, 27, QStringLiteral("Zeit bis zum Promille-Maximum[h] +"),
                          normal);
    Label16 = beschriftung(GroupBox3, 213, 17, QStringLiteral("Promille"), normal);
    Shape1 = linie(GroupBox3, 188, 33, 100);
    Label15 = beschriftung(GroupBox3, 192, 34, QStringLiteral("Abbaurate[°/oo]"), normal);
    Label17 = beschriftung(GroupBox3, 270, 35, QStringLiteral("*2"), klein);

    Label18 = beschriftung(this, 24, 283, QStringLiteral("*1"), klein);
    Label20 = beschriftung(
        this, 34, 286, QStringLiteral("Widmarksche Konstante: Männer: 0,73 / Frauen: 0,66"), klein);
    Label19 = beschriftung(this, 24, 300, QStringLiteral("*2"), klein);
    Label21 =
        beschriftung(this, 34, 302,
                     QStringLiteral("Abbaurate: Nicht-Trinker: 0,12 / Gesellschaftstrinker: 0,15 / "
                                    "Alkoholiker: 0,30"),
                     klein);
    Label22 = beschriftung(this, 24, 316, QStringLiteral("*3"), klein);
    Label23 = beschriftung(this, 34, 318,
                           QStringLiteral("Verzögerung: Leerer Magen: 0,5 / kleine Mahlzeit: 1,0 / "
                                          "normale Mahlzeit: 1,5 / große Mahlzeit: 2,0"),
                           klein);

    faerbeLinien();

    Button1 = new QPushButton(QStringLiteral("Schließen"), this);
    Button1->setGeometry(446, 307, 59, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    // Esc closes through QDialog's own reject().
}

void TForm3::Button1Click() { accept(); }

void TForm3::faerbeLinien()
{
    // The fraction bars are black like the formulas' text on a light face; on a dark face,
    // where black would vanish, they take the palette's text colour.
    const QColor gesicht = palette().color(QPalette::Window);
    const QColor farbe = IstDunkel(gesicht)
                             ? LesbareFarbe(palette().color(QPalette::WindowText), gesicht)
                             : QColor(Qt::black);
    for (QFrame* strich : {Shape1, Shape3, Shape4}) {
        QPalette pal = strich->palette();
        pal.setColor(QPalette::Window, farbe);
        strich->setPalette(pal);
    }
}

void TForm3::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::PaletteChange && Shape1)
        faerbeLinien();
    QDialog::changeEvent(e);
}

void TForm3::showEvent(QShowEvent* e)
{
    // Centred on the screen rather than over the main window.
    ZentriereAufBildschirm(this);
    QDialog::showEvent(e);
}

} // namespace zw
