// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include "calc/berechnung.h"
#include "chart/tchart.h"
#include "report/bericht.h"
#include "report/ergebnistexte.h"
#include "schrift/schriften.h"
#include "ui/bilder.h"
#include "ui/bildexport.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/tgroupbox.h"
#include "ui/tpagecontrol.h"
#include "ui/tsavepicturedialog.h"
#include "ui/tspinedit.h"
#include "ui/ttextfeld.h"
#include "ui/ttrackbar.h"
#include "ui/tupdown.h"
#include "ui/twerkzeugknopf.h"
#include "ui/zugang.h"
#include "ui/zwischenablage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <utility>

namespace zw {
namespace {

const QColor Gold(255, 215, 0);

QString ausUtf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLabel* beschriftung(const QString& text, QWidget* eltern, int links, int oben)
{
    auto* l = new QLabel(text, eltern);
    l->move(links, oben);
    l->adjustSize();
    return l;
}

TGroupBox* gruppe(const QString& titel, QWidget* eltern, const QRect& ort)
{
    auto* g = new TGroupBox(titel, eltern);
    g->setGeometry(ort);
    return g;
}

// The spin fields by their index in Spinfelder(): SpinEdit1 to SpinEdit14.
constexpr std::size_t kTrinkzeitraum = 0;
constexpr std::size_t kKoerpergewicht = 1;
constexpr std::array<std::size_t, 6> kStaerke{2, 3, 4, 8, 10, 12};
constexpr std::array<std::size_t, 6> kMenge{5, 6, 7, 9, 11, 13};

struct Bereich {
    int Min;
    int Max;
};

Bereich spinbereich(std::size_t feld)
{
    if (feld == kTrinkzeitraum)
        return {0, 999};
    if (feld == kKoerpergewicht)
        return {1, 999};
    if (std::find(kStaerke.begin(), kStaerke.end(), feld) != kStaerke.end())
        return {1, 99};
    return {0, 9999};
}

constexpr int kKonstitutionMax = 2;

// The field's text box is what holds the focus, so it is the one a screen reader announces.
void benenne(TSpinEdit* feld, const QString& name)
{
    feld->setAccessibleName(name);
    feld->lineEdit()->setAccessibleName(name);
}

// Program writes go through here: writing the text that is already there must not look like
// a change to anyone.
void setzeText(QLineEdit* feld, const QString& text)
{
    if (feld->text() != text)
        feld->setText(text);
}

} // namespace

TForm1::TForm1(TFehlerMelder melder, QWidget* parent)
    : QWidget(parent), melder_(melder ? std::move(melder) : StandardFehlerMelder(this)),
      trennzeichen_(trennzeichenAusLocale()), geschlecht_(StartGeschlecht),
      konstitution_(StartKonstitution)
{
    spinwerte_[kTrinkzeitraum] = StartTrinkzeitraum;
    spinwerte_[kKoerpergewicht] = StartKoerpergewicht;
    for (std::size_t i = 0; i < kStaerke.size(); ++i)
        spinwerte_[kStaerke[i]] = StartVolumenprozent[i];
    baueFenster();
    verbinde();
    // The window opens with the results for the start values already standing.
    BerechnungClick();
}

TForm1::~TForm1() = default;

// --- Building the window -----------------------------------------------------------------------

void TForm1::baueFenster()
{
    setWindowTitle(QStringLiteral("Zechwaage 3.3a"));
    // Shown by some window managers for the minimised window.
    setWindowIconText(windowTitle());
    setWindowIcon(Programmsymbol());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(629, 416);
    setFont(MsSansSerif());
    // The status bar follows the window's own background only where no control lies.
    setMouseTracking(true);

    RichteZugangEin();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 88, 385);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette schwarz = Panel1->palette();
    schwarz.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(schwarz);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->setAccessibleName(QStringLiteral("Info"));

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(16, 64, 64, 184);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(BierglasBild());
    Image1->setAccessibleName(QStringLiteral("Glas Bier"));
    Image2 = new QLabel(Panel1);
    Image2->setGeometry(2, 271, 84, 112);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(BlasenBild());
    Image2->setAccessibleName(QStringLiteral("Bierperlen"));
    for (QWidget* w : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Image1),
                       static_cast<QWidget*>(Image2)})
        w->installEventFilter(this);

    PageControl1 = new TPageControl(this);
    PageControl1->setGeometry(104, 8, 516, 137);
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setAccessibleName(QStringLiteral("Eingabeseiten"));
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Schnell-Einstellung"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Fein-Einstellung"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Parameter"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Physiognomie"));
    for (int i = 0; i < PageControl1->count(); ++i)
        PageControl1->widget(i)->setAccessibleName(PageControl1->tabText(i));
    baueSchnellSeite();
    PageControl1->setCurrentWidget(TabSheet1);

    baueErgebnisse();

    Chart1 = new TChart(this);
    Chart1->setGeometry(104, 224, 505, 137);
    Chart1->setTrennzeichen(trennzeichen_);
    Chart1->setAccessibleName(QStringLiteral("Promille-Verlauf"));

    baueWerkzeugleiste();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setGeometry(0, 396, 629, 20);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAccessibleName(QStringLiteral("Statuszeile"));
    // The panels are placed by hand rather than by the bar's layout, which would put spacing
    // between them: panel 0 is 210 wide, panel 1 begins right there, both texts just inside.
    const auto panel = [this](const QString& text, int links, int breite) {
        auto* l = new QLabel(text, StatusBar1);
        l->setGeometry(links, 0, breite, StatusBar1->height());
        l->setContentsMargins(2, 0, 2, 0);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    StatusPanel0 = panel(QStringLiteral("© Zechwaage-Team, Version 3.3a"), 0, 210);
    StatusPanel1 = panel(QString(), 210, StatusBar1->width() - 210);
}

void TForm1::baueSchnellSeite()
{
    QGroupBox* verzehr = gruppe(QStringLiteral("Verzehr:"), TabSheet1, {8, 3, 489, 97});
    beschriftung(QStringLiteral("Menge:"), verzehr, 21, 48);
    beschriftung(QStringLiteral("Liter"), verzehr, 441, 48);

    struct Ort {
        QLabel** name;
        QLineEdit** liter;
        TUpDown** knopf;
        QLineEdit** zaehler;
        int nameLinks, literLinks, literBreite, knopfLinks;
    };
    const std::array<Ort, 6> orte{{
        {&Label1, &Edit2, &UpDown1, &Edit1, 76, 64, 34, 98},
        {&Label5, &Edit4, &UpDown2, &Edit3, 132, 128, 34, 162},
        {&Label8, &Edit10, &UpDown5, &Edit9, 204, 192, 32, 224},
        {&Label7, &Edit8, &UpDown4, &Edit7, 268, 256, 32, 288},
        {&Label9, &Edit12, &UpDown6, &Edit11, 324, 320, 32, 352},
        {&Label6, &Edit6, &UpDown3, &Edit5, 388, 384, 34, 418},
    }};
    for (std::size_t i = 0; i < orte.size(); ++i) {
        const Ort& o = orte[i];
        const QString name = ausUtf8(SchnellGetraenke[i].Name);
        *o.name = beschriftung(name, verzehr, o.nameLinks, 27);
        *o.liter = new QLineEdit(QStringLiteral("0"), verzehr);
        (*o.liter)->setGeometry(o.literLinks, 44, o.literBreite, 21);
        (*o.liter)->setAccessibleName(name + QStringLiteral(" in Liter"));
        *o.zaehler = new QLineEdit(QStringLiteral("0"), verzehr);
        // A window of its own that is never shown: it takes no place among the page's
        // controls, so neither the focus chain nor a screen reader finds it there.
        (*o.zaehler)->setWindowFlags(Qt::Window);
        (*o.zaehler)->hide();
        *o.knopf = new TUpDown(verzehr);
        (*o.knopf)->setGeometry(o.knopfLinks, 44, 15, 21);
        (*o.knopf)->setRange(0, 100);
        (*o.knopf)->setBuddy(*o.zaehler);
        (*o.knopf)->setAccessibleName(name + QStringLiteral(" zählen"));
    }
}

void TForm1::baueFeinSeite()
{
    QGroupBox* verzehr = gruppe(QStringLiteral("Verzehr:"), TabSheet2, {8, 3, 489, 97});
    beschriftung(QStringLiteral("Vol.-Alkohol:"), verzehr, 8, 39);
    beschriftung(QStringLiteral("Menge:"), verzehr, 31, 70);
    beschriftung(QStringLiteral("%"), verzehr, 448, 39);
    beschriftung(QStringLiteral("Milliliter"), verzehr, 448, 71);

    const std::array<TSpinEdit**, 6> staerken{&SpinEdit3, &SpinEdit4,  &SpinEdit5,
                                              &SpinEdit9, &SpinEdit11, &SpinEdit13};
    const std::array<TSpinEdit**, 6> mengen{&SpinEdit6,  &SpinEdit7,  &SpinEdit8,
                                            &SpinEdit10, &SpinEdit12, &SpinEdit14};
    for (std::size_t i = 0; i < 6; ++i) {
        const int links = 72 + 64 * int(i);
        const QString kopf = QStringLiteral("Getränk %1:").arg(i + 1);
        beschriftung(kopf, verzehr, links, 14);
        *staerken[i] = spinfeld(kStaerke[i], verzehr, {links, 34, 49, 22});
        benenne(*staerken[i], kopf + QStringLiteral(" Vol.-Alkohol in %"));
        *mengen[i] = spinfeld(kMenge[i], verzehr, {links, 66, 49, 22});
        benenne(*mengen[i], kopf + QStringLiteral(" Menge in Milliliter"));
    }
    reiheEin(TabSheet2);
}

void TForm1::baueParameterSeite()
{
    gruppe(QStringLiteral("Trinkzeitraum:"), TabSheet3, {13, 19, 88, 65});
    SpinEdit1 = spinfeld(kTrinkzeitraum, TabSheet3, {31, 42, 44, 22});
    benenne(SpinEdit1, QStringLiteral("Trinkzeitraum in Stunden"));
    beschriftung(QStringLiteral("h"), TabSheet3, 80, 46);

    QGroupBox* magen = gruppe(QStringLiteral("Magenfüllung:"), TabSheet3, {128, 19, 145, 65});
    ComboBox2 = new QComboBox(magen);
    ComboBox2->setGeometry(16, 24, 113, 21);
    for (std::string_view text : MagenfuellungTexte)
        ComboBox2->addItem(ausUtf8(text));
    ComboBox2->setCurrentIndex(magenfuellung_);
    ComboBox2->setAccessibleName(QStringLiteral("Magenfüllung"));
    // Only a selection by the user recalculates; the program's own selection does not.
    connect(ComboBox2, &QComboBox::activated, this, &TForm1::steuerelementGeaendert);
    reiheEin(TabSheet3);
}

TSpinEdit* TForm1::spinfeld(std::size_t feld, QWidget* eltern, const QRect& ort)
{
    auto* s = new TSpinEdit(eltern);
    s->setGeometry(ort);
    const Bereich b = spinbereich(feld);
    s->setRange(b.Min, b.Max);
    s->setValue(spinwerte_[feld]);
    s->setDezimaltrenner(ausUtf8(trennzeichen_.Dezimal));
    connect(s, &TSpinEdit::geaendert, this, &TForm1::steuerelementGeaendert);
    return s;
}

// Called before the page is painted and before the recalculation the change of page causes.
void TForm1::seiteGezeigt()
{
    QWidget* seite = PageControl1->currentWidget();
    if (seite == TabSheet2 && !SpinEdit3)
        baueFeinSeite();
    else if (seite == TabSheet3 && !SpinEdit1)
        baueParameterSeite();
    else if (seite == TabSheet4 && !SpinEdit2)
        bauePhysiognomieSeite();
}

// A page made after the window puts its controls at the end of the keyboard's order. They go
// where the page stands instead: after the last control of the nearest page before it that
// exists, so that Tab runs through the pages in order whichever was shown first. Shown too,
// since the page already is.
void TForm1::reiheEin(QWidget* seite)
{
    const int nummer = PageControl1->indexOf(seite);
    QWidget* davor = nullptr;
    int davorAufSeite = -1;
    QList<QWidget*> neu;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (w->window() != this || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (seite->isAncestorOf(w)) {
            // A field's text box goes with the field, whose focus it takes.
            if (w->parentWidget()->focusProxy() != w)
                neu << w;
            continue;
        }
        for (int frueher = nummer - 1; frueher >= 0 && frueher >= davorAufSeite; --frueher) {
            if (PageControl1->widget(frueher)->isAncestorOf(w)) {
                davor = w;
                davorAufSeite = frueher;
                break;
            }
        }
    }
    for (QWidget* w : std::as_const(neu)) {
        QWidget::setTabOrder(davor, w);
        davor = w;
    }
    for (QWidget* w : seite->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            w->show();
}

int TForm1::spinwert(std::size_t feld) const
{
    const TSpinEdit* f = Spinfelder().at(feld);
    return f ? f->value() : spinwerte_.at(feld);
}

void TForm1::setzeSpinwert(std::size_t feld, int wert)
{
    if (TSpinEdit* f = Spinfelder().at(feld)) {
        f->setValue(wert);
        return;
    }
    const Bereich b = spinbereich(feld);
    wert = std::clamp(wert, b.Min, b.Max);
    if (std::exchange(spinwerte_.at(feld), wert) != wert)
        steuerelementGeaendert();
}

int TForm1::geschlecht() const
{
    return RadioGroup1Knoepfe ? RadioGroup1Knoepfe->checkedId() : geschlecht_;
}

void TForm1::setzeGeschlecht(int id)
{
    if (RadioGroup1Knoepfe) {
        if (QAbstractButton* knopf = RadioGroup1Knoepfe->button(id))
            knopf->setChecked(true);
        return;
    }
    if (id >= 0 && id < int(GeschlechtTexte.size()) && std::exchange(geschlecht_, id) != id)
        steuerelementGeaendert();
}

int TForm1::konstitution() const { return TrackBar1 ? TrackBar1->value() : konstitution_; }

void TForm1::setzeKonstitution(int wert)
{
    if (TrackBar1) {
        TrackBar1->setValue(wert);
        return;
    }
    wert = std::clamp(wert, 0, kKonstitutionMax);
    if (std::exchange(konstitution_, wert) != wert)
        steuerelementGeaendert();
}

int TForm1::magenfuellung() const { return ComboBox2 ? ComboBox2->currentIndex() : magenfuellung_; }

void TForm1::setzeMagenfuellung(int index)
{
    magenfuellung_ = index;
    if (ComboBox2)
        ComboBox2->setCurrentIndex(index);
}

QString TForm1::magenfuellungText() const
{
    const int index = magenfuellung();
    return index >= 0 && index < int(MagenfuellungTexte.size())
               ? ausUtf8(MagenfuellungTexte.at(std::size_t(index)))
               : QString();
}

void TForm1::bauePhysiognomieSeite()
{
    RadioGroup1 = gruppe(QStringLiteral("Geschlecht:"), TabSheet4, {16, 19, 105, 65});
    RadioGroup1Knoepfe = new QButtonGroup(RadioGroup1);
    for (int i = 0; i < static_cast<int>(GeschlechtTexte.size()); ++i) {
        auto* knopf =
            new QRadioButton(ausUtf8(GeschlechtTexte[static_cast<std::size_t>(i)]), RadioGroup1);
        knopf->setGeometry(8, 18 + 20 * i, 90, 17);
        RadioGroup1Knoepfe->addButton(knopf, i);
    }
    if (QAbstractButton* knopf = RadioGroup1Knoepfe->button(geschlecht_))
        knopf->setChecked(true);

    gruppe(QStringLiteral("Körpergewicht:"), TabSheet4, {136, 19, 105, 65});
    SpinEdit2 = spinfeld(kKoerpergewicht, TabSheet4, {149, 43, 44, 22});
    SpinEdit2->setTippenErlaubt(false);
    SpinEdit2->setToolTip(QStringLiteral("Ihr Körpergewicht"));
    benenne(SpinEdit2, QStringLiteral("Körpergewicht in kg"));
    beschriftung(QStringLiteral("kg"), TabSheet4, 198, 47);

    gruppe(QStringLiteral("Konstitution:"), TabSheet4, {256, 19, 153, 65});
    TrackBar1 = new TTrackBar(TabSheet4);
    TrackBar1->setGeometry(264, 37, 129, 30);
    TrackBar1->setRange(0, kKonstitutionMax);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setValue(konstitution_);
    TrackBar1->setAccessibleName(QStringLiteral("Konstitution"));
    QLabel* links = beschriftung(QStringLiteral("Nicht-Trinker"), TabSheet4, 264, 67);
    QLabel* rechts = beschriftung(QStringLiteral("Alkoholiker"), TabSheet4, 0, 67);
    for (QLabel* l : {links, rechts}) {
        l->setFont(Installierte(SmallFonts()));
        l->adjustSize();
    }
    rechts->move(264 + 129 - rechts->width(), 67);

    connect(RadioGroup1Knoepfe, &QButtonGroup::idToggled, this, [this](int, bool gewaehlt) {
        if (gewaehlt)
            steuerelementGeaendert();
    });
    // Every movement notification, also one that leaves the position as it was.
    connect(TrackBar1, &TTrackBar::geaendert, this, &TForm1::steuerelementGeaendert);
    reiheEin(TabSheet4);
}

void TForm1::baueErgebnisse()
{
    StaticText1 = beschriftung(QStringLiteral("Promille-Maximum:"), this, 141, 154);
    StaticText3 = beschriftung(QStringLiteral("Maximum erreicht nach:"), this, 116, 170);
    StaticText2 = beschriftung(QStringLiteral("Alkoholaufnahme:"), this, 143, 186);
    StaticText4 = beschriftung(QStringLiteral("nüchtern nach:"), this, 156, 202);

    const auto feld = [this](int oben, const QString& name) {
        auto* f = new TTextFeld(this);
        f->setGeometry(240, oben, 89, 17);
        // The report copies a field's first line: a break inside a number would cut it.
        f->setUmbruch(TTextFeld::Umbruch::NurLeerzeichen);
        f->setAccessibleName(name);
        f->setMouseTracking(true);
        f->installEventFilter(this);
        return f;
    };
    Memo2 = feld(154, QStringLiteral("Promille-Maximum"));
    Memo2->setFont(MsSansSerif(true));
    Memo3 = feld(170, QStringLiteral("Maximum erreicht nach"));
    Memo4 = feld(186, QStringLiteral("Alkoholaufnahme"));
    Memo5 = feld(202, QStringLiteral("nüchtern nach"));

    Label15 = beschriftung(QString(), this, 340, 149);
    Memo1 = new TTextFeld(this);
    Memo1->setGeometry(341, 163, 268, 55);
    Memo1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Memo1->setContentsMargins(2, 1, 2, 1);
    // Three pixels between the frame line and the text, as in the window's text fields.
    Memo1->setInnenabstand(3);
    Memo1->setFont(Installierte(SmallFonts()));
    Memo1->setAccessibleName(QStringLiteral("Wirkung"));
}

void TForm1::baueWerkzeugleiste()
{
    // A flat row of buttons without edge lines: image and caption side by side, 8 pixels
    // between the buttons.
    ToolBar1 = new QWidget(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setAccessibleName(QStringLiteral("Werkzeugleiste"));
    ToolBar1->setGeometry(240, 368, 389, 28);
    auto* reihe = new QHBoxLayout(ToolBar1);
    reihe->setContentsMargins(0, 2, 0, 2);
    reihe->setSpacing(8);

    const auto knopf = [this, reihe](const QString& text, int bild, const QString& tipp) {
        auto* k = new TWerkzeugKnopf(ToolBar1);
        k->setText(text);
        k->setIcon(Werkzeugbild(bild));
        k->setToolTip(tipp);
        k->setAccessibleName(text);
        k->setFixedSize(69, 24);
        reihe->addWidget(k);
        return k;
    };
    ToolButton2 =
        knopf(QStringLiteral("Zurück"), 1, QStringLiteral("Alle Werte auf Standard setzen"));
    ToolButton1 = knopf(QStringLiteral("Kopieren"), 0,
                        QStringLiteral("Ergebnisse in Zwischenablage kopieren"));
    ToolButton4 = knopf(QStringLiteral("Formeln"), 3,
                        QStringLiteral("Zeigt die zugrundeliegenden Berechnungsformeln"));
    ToolButton3 = knopf(QStringLiteral("Info"), 2, QStringLiteral("Über dieses Programm"));
    ToolButton5 = knopf(QStringLiteral("Ende"), 5, QString());
    reihe->addStretch();
}

void TForm1::baueKontextmenue()
{
    PopupMenu1 = new QMenu(this);
    AlsWMFspeichern1 = PopupMenu1->addAction(Werkzeugbild(4), QStringLiteral("Grafik speichern"));
    Zwischenspeicher1 =
        PopupMenu1->addAction(Werkzeugbild(0), QStringLiteral("in Zwischenspeicher"));
    connect(AlsWMFspeichern1, &QAction::triggered, this, &TForm1::AlsWMFspeichern1Click);
    connect(Zwischenspeicher1, &QAction::triggered, this, &TForm1::Zwischenspeicher1Click);
}

// --- Wiring ------------------------------------------------------------------------------------

void TForm1::verbinde()
{
    for (const Schnellspalte& s : Schnellspalten()) {
        connect(s.Zaehler, &QLineEdit::textChanged, this, s.ZaehlerChange);
        // A litre field's recalculation reports its own failure, whoever changed the field.
        connect(s.Liter, &QLineEdit::textChanged, this, &TForm1::BerechnungClick);
        // The status bar names the beverage under the mouse: its label, field and arrows.
        for (QWidget* w : {static_cast<QWidget*>(s.Name), static_cast<QWidget*>(s.Liter),
                           static_cast<QWidget*>(s.Knopf)}) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
            for (QWidget* kind : w->findChildren<QWidget*>()) {
                kind->setMouseTracking(true);
                kind->installEventFilter(this);
            }
        }
    }
    // A page is made before the recalculation, and before it is painted.
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::seiteGezeigt);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::BerechnungClick);

    connect(ToolButton2, &QToolButton::clicked, this, &TForm1::Zuruecksetzen);
    connect(ToolButton1, &QToolButton::clicked, this, &TForm1::KopiereInClp);
    connect(ToolButton4, &QToolButton::clicked, this, &TForm1::ShowFormeln);
    connect(ToolButton3, &QToolButton::clicked, this, &TForm1::ShowInfo);
    connect(ToolButton5, &QToolButton::clicked, this, &TForm1::ToolButton5Click);

    connect(Chart1, &TChart::kontextmenuAngefordert, this, [this](const QPoint& ort) {
        // Made when first asked for: most sessions never open it.
        if (!PopupMenu1)
            baueKontextmenue();
        PopupMenu1->popup(ort);
    });
}

std::array<TForm1::Schnellspalte, 6> TForm1::Schnellspalten() const
{
    return {{
        {Label1, Edit2, UpDown1, Edit1, &TForm1::Edit1Change, &TForm1::Edit2MouseMove},
        {Label5, Edit4, UpDown2, Edit3, &TForm1::Edit3Change, &TForm1::Edit4MouseMove},
        {Label8, Edit10, UpDown5, Edit9, &TForm1::Edit9Change, &TForm1::Edit10MouseMove},
        {Label7, Edit8, UpDown4, Edit7, &TForm1::Edit7Change, &TForm1::Edit8MouseMove},
        {Label9, Edit12, UpDown6, Edit11, &TForm1::Edit11Change, &TForm1::Edit12MouseMove},
        {Label6, Edit6, UpDown3, Edit5, &TForm1::Edit5Change, &TForm1::Edit6MouseMove},
    }};
}

std::array<TSpinEdit*, 14> TForm1::Spinfelder() const
{
    return {SpinEdit1, SpinEdit2, SpinEdit3,  SpinEdit4,  SpinEdit5,  SpinEdit6,  SpinEdit7,
            SpinEdit8, SpinEdit9, SpinEdit10, SpinEdit11, SpinEdit12, SpinEdit13, SpinEdit14};
}

void TForm1::setZwischenablage(TZwischenablage* ablage) { zwischenablage_ = ablage; }

void TForm1::setTrennzeichen(const TTrennzeichen& t)
{
    trennzeichen_ = t;
    const QString dezimal = ausUtf8(t.Dezimal);
    for (TSpinEdit* feld : Spinfelder())
        if (feld)
            feld->setDezimaltrenner(dezimal);
    // Texts already shown keep their separators until the next recalculation writes them anew.
    Chart1->setTrennzeichen(t);
}

TTrennzeichen TForm1::trennzeichenAusLocale() const
{
    // QLocale() is the system's regional setting unless the application chose another.
    const QLocale locale;
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

// --- Recalculation -----------------------------------------------------------------------------

void TForm1::BerechnungClick()
{
    if (auto fehler = berechne())
        melde(*fehler);
}

std::optional<QString> TForm1::berechne()
{
    Q_EMIT berechnungGestartet();
    try {
        const auto spalten = Schnellspalten();
        // A litre text that is not a number stops here, before anything has changed.
        for (const Schnellspalte& s : spalten)
            LiesGleitkomma(s.Liter->text().toStdString(), trennzeichen_);

        TEingabe e;
        e.Koerpergewicht = spinwert(kKoerpergewicht);
        e.Trinkzeitraum = spinwert(kTrinkzeitraum);
        if (magenfuellung() < 0)
            setzeMagenfuellung(StartMagenfuellung);
        e.Konstitution = konstitution();
        e.Magenfuellung = magenfuellung();
        e.Geschlecht = geschlecht();

        // The entry page not on show is emptied, so that only one way of entering counts
        // there. Each change recalculates at once, nested, before this one goes on.
        if (PageControl1->currentWidget() == TabSheet1) {
            for (std::size_t menge : kMenge)
                if (auto fehler = programmAenderung([this, menge] { setzeSpinwert(menge, 0); }))
                    return fehler;
        } else if (PageControl1->currentWidget() == TabSheet2) {
            for (const Schnellspalte& s : spalten)
                setzeText(s.Zaehler, QStringLiteral("0"));
        }

        for (std::size_t i = 0; i < spalten.size(); ++i)
            e.*SchnellGetraenke[i].Liter =
                LiesGleitkomma(spalten[i].Liter->text().toStdString(), trennzeichen_);
        for (std::size_t i = 0; i < e.Getraenk.size(); ++i)
            e.Getraenk[i] = {spinwert(kMenge[i]), spinwert(kStaerke[i])};

        const TErgebnis ergebnis = Berechne(e);

        const TErgebnisTexte texte = ErgebnisTexte(ergebnis, trennzeichen_);
        Memo2->setText(QString::fromStdString(texte.Maximum));
        Memo4->setText(QString::fromStdString(texte.Aufnahme));
        Memo1->setText(QString::fromStdString(texte.Wirkung));
        Memo3->setText(QString::fromStdString(texte.ZeitMaximum));
        Label15->setText(QString::fromStdString(texte.Ueberschrift));
        Label15->adjustSize();
        Memo5->setText(QString::fromStdString(texte.ZeitNuechtern));

        Chart1->Series1.Clear();
        Chart1->Series1.AddXY(0, 0, Gold);
        Chart1->Series1.AddXY(ergebnis.ZeitBisMaximum, ergebnis.Promille, Gold);
        Chart1->Series1.AddXY(ergebnis.ZeitBisNuechtern, 0, Gold);
    } catch (const std::exception& fehler) {
        return QString::fromUtf8(fehler.what());
    }
    return std::nullopt;
}

template <typename Aenderung>
std::optional<QString> TForm1::programmAenderung(Aenderung&& aenderung)
{
    ++programmAenderungen_;
    std::optional<QString> aeusserer = std::exchange(weitergereichterFehler_, std::nullopt);
    // Restored however the change ends: a change that throws must not leave later changes
    // the user makes counted as the program's, nor swallow the outer change's failure.
    auto zurueck = qScopeGuard([&] {
        --programmAenderungen_;
        weitergereichterFehler_ = std::exchange(aeusserer, std::nullopt);
    });
    aenderung();
    std::optional<QString> fehler = std::move(weitergereichterFehler_);
    return fehler;
}

void TForm1::steuerelementGeaendert()
{
    std::optional<QString> fehler = berechne();
    if (!fehler)
        return;
    // A change the program made hands the failure to the handler that made it, which ends
    // there; the user's own change reports it at once.
    if (programmAenderungen_ > 0 && !weitergereichterFehler_)
        weitergereichterFehler_ = std::move(fehler);
    else
        melde(*fehler);
}

void TForm1::zaehlerGeaendert(QLineEdit* zaehler, QLineEdit* literfeld)
{
    bool ganzzahl = false;
    const int n = zaehler->text().toInt(&ganzzahl);
    if (!ganzzahl)
        return;
    setzeText(literfeld, QString::fromStdString(AllgemeinerZahlText(n / 10.0, trennzeichen_)));
}

void TForm1::Edit1Change() { zaehlerGeaendert(Edit1, Edit2); }
void TForm1::Edit3Change() { zaehlerGeaendert(Edit3, Edit4); }
void TForm1::Edit5Change() { zaehlerGeaendert(Edit5, Edit6); }
void TForm1::Edit7Change() { zaehlerGeaendert(Edit7, Edit8); }
void TForm1::Edit9Change() { zaehlerGeaendert(Edit9, Edit10); }
void TForm1::Edit11Change() { zaehlerGeaendert(Edit11, Edit12); }

void TForm1::Zuruecksetzen()
{
    Chart1->Series1.Clear();
    for (const Schnellspalte& s : Schnellspalten())
        setzeText(s.Zaehler, QStringLiteral("0"));

    std::vector<std::function<void()>> schritte{
        [this] { setzeSpinwert(kTrinkzeitraum, StartTrinkzeitraum); },
        [this] { setzeGeschlecht(StartGeschlecht); },
        [this] { setzeSpinwert(kKoerpergewicht, StartKoerpergewicht); },
        // Asks for a position beyond the end: the slider stops at "Alkoholiker". Kept, since
        // users know the reset for it.
        [this] { setzeKonstitution(4); },
        [this] { setzeMagenfuellung(StartMagenfuellung); },
    };
    for (std::size_t i = 0; i < kStaerke.size(); ++i)
        schritte.emplace_back([this, i] { setzeSpinwert(kStaerke[i], StartVolumenprozent[i]); });
    for (std::size_t feld : kMenge)
        schritte.emplace_back([this, feld] { setzeSpinwert(feld, 0); });

    for (const auto& schritt : schritte) {
        if (auto fehler = programmAenderung(schritt)) {
            melde(*fehler);
            return;
        }
    }
}

// --- Other handlers ----------------------------------------------------------------------------

void TForm1::KopiereInClp()
{
    TBerichtDaten d;
    d.Trinkzeitraum = spinwert(kTrinkzeitraum);
    d.Magenfuellung = magenfuellungText().toStdString();
    if (const int g = geschlecht(); g >= 0 && g < int(GeschlechtTexte.size()))
        d.Geschlecht = std::string(GeschlechtTexte.at(std::size_t(g)));
    d.Koerpergewicht = spinwert(kKoerpergewicht);
    d.Konstitution = konstitution();
    const auto spalten = Schnellspalten();
    for (std::size_t i = 0; i < spalten.size(); ++i)
        d.LiterTexte[i] = spalten[i].Liter->text().toStdString();
    for (std::size_t i = 0; i < d.Getraenk.size(); ++i)
        d.Getraenk[i] = {spinwert(kMenge[i]), spinwert(kStaerke[i])};
    const auto ersteZeile = [](const TTextFeld* feld) {
        return feld->angezeigteZeilen().value(0).toStdString();
    };
    d.Aufnahme = ersteZeile(Memo4);
    d.Maximum = ersteZeile(Memo2);
    d.ZeitMaximum = ersteZeile(Memo3);
    d.ZeitNuechtern = ersteZeile(Memo5);
    for (const QString& zeile : Memo1->angezeigteZeilen())
        d.WirkungZeilen.push_back(zeile.toStdString());

    auto daten = std::make_unique<QMimeData>();
    daten->setText(QString::fromStdString(Bericht(d)));
    // One write: either the whole report arrives or the clipboard keeps what it had.
    if (!zwischenablage().setzeDaten(std::move(daten)))
        melde(KeineZwischenablageText());
}

TZwischenablage& TForm1::zwischenablage()
{
    if (zwischenablage_)
        return *zwischenablage_;
    if (!systemZwischenablage_)
        systemZwischenablage_ = std::make_unique<TSystemZwischenablage>();
    return *systemZwischenablage_;
}

TForm2* TForm1::Form2()
{
    if (!form2_)
        form2_ = new TForm2(this);
    return form2_;
}

TForm3* TForm1::Form3()
{
    if (!form3_)
        form3_ = new TForm3(this);
    return form3_;
}

void TForm1::ShowInfo() { Form2()->exec(); }

void TForm1::ShowFormeln() { Form3()->exec(); }

void TForm1::ToolButton5Click() { close(); }

void TForm1::AlsWMFspeichern1Click()
{
    if (!SavePictureDialog1_)
        SavePictureDialog1_ = std::make_unique<TSavePictureDialog>(this);
    AlsWMFspeichern(this, *Chart1, *SavePictureDialog1_, melder_);
}

void TForm1::Zwischenspeicher1Click() { Zwischenspeicher(*Chart1, zwischenablage(), melder_); }

void TForm1::melde(const QString& text) { melder_(text); }

// --- Events ------------------------------------------------------------------------------------

void TForm1::zeigeStatus(const QString& text)
{
    if (StatusPanel1->text() != text)
        StatusPanel1->setText(text);
}

void TForm1::Edit2MouseMove() { zeigeStatus(ausUtf8(SchnellGetraenke[0].Statustext)); }
void TForm1::Edit4MouseMove() { zeigeStatus(ausUtf8(SchnellGetraenke[1].Statustext)); }
void TForm1::Edit10MouseMove() { zeigeStatus(ausUtf8(SchnellGetraenke[2].Statustext)); }
void TForm1::Edit8MouseMove() { zeigeStatus(ausUtf8(SchnellGetraenke[3].Statustext)); }
void TForm1::Edit12MouseMove() { zeigeStatus(ausUtf8(SchnellGetraenke[4].Statustext)); }
void TForm1::Edit6MouseMove() { zeigeStatus(ausUtf8(SchnellGetraenke[5].Statustext)); }
void TForm1::FormMouseMove() { zeigeStatus(QStringLiteral("Geben Sie Werte zur Berechnung ein!")); }
void TForm1::Label3MouseMove() { zeigeStatus(QStringLiteral("Maximale Promille")); }
void TForm1::Label4MouseMove() { zeigeStatus(QStringLiteral("Aufgenommene Gesamt-Alkoholmenge")); }
void TForm1::Label13MouseMove()
{
    zeigeStatus(
        QStringLiteral("Zeitraum bis zum Höchstpegel inklusive Verzögerung durch die Mahlzeit."));
}
void TForm1::Label14MouseMove()
{
    zeigeStatus(QStringLiteral("Zeit bis zum vollständigen Abbau des Alkohols."));
}

bool TForm1::eventFilter(QObject* objekt, QEvent* e)
{
    const bool infoFlaeche = objekt == Panel1 || objekt == Image1 || objekt == Image2;
    if (infoFlaeche &&
        (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)) {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::LeftButton)
            return QWidget::eventFilter(objekt, e);
        // A click: pressed and released on the same control. Taken here, so that a press on a
        // picture does not reach the panel below it as well.
        if (e->type() == QEvent::MouseButtonPress) {
            gedruecktAuf_ = objekt;
            return true;
        }
        const bool geklickt =
            gedruecktAuf_ == objekt &&
            static_cast<QWidget*>(objekt)->rect().contains(m->position().toPoint());
        gedruecktAuf_ = nullptr;
        if (geklickt)
            ShowInfo();
        return true;
    }
    if (e->type() != QEvent::MouseMove)
        return QWidget::eventFilter(objekt, e);

    for (const Schnellspalte& s : Schnellspalten()) {
        for (QWidget* w : {static_cast<QWidget*>(s.Name), static_cast<QWidget*>(s.Liter),
                           static_cast<QWidget*>(s.Knopf)}) {
            if (objekt == w ||
                (objekt->isWidgetType() && w->isAncestorOf(static_cast<QWidget*>(objekt)))) {
                (this->*s.MouseMove)();
                return false;
            }
        }
    }
    if (objekt == Memo2)
        Label3MouseMove();
    else if (objekt == Memo4)
        Label4MouseMove();
    else if (objekt == Memo3)
        Label13MouseMove();
    else if (objekt == Memo5)
        Label14MouseMove();
    return false;
}

void TForm1::mouseMoveEvent(QMouseEvent* e)
{
    // Moves over controls without a text of their own reach the window too; only its bare
    // background counts.
    if (!childAt(e->position().toPoint()))
        FormMouseMove();
    QWidget::mouseMoveEvent(e);
}

void TForm1::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LocaleChange)
        setTrennzeichen(trennzeichenAusLocale());
    QWidget::changeEvent(e);
}

} // namespace zw
