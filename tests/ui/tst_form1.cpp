// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: mouse clicks, key presses and mouse moves.

#include "chart/tchart.h"
#include "ui/anwendung.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/tgroupbox.h"
#include "ui/tpagecontrol.h"
#include "ui/tspinedit.h"
#include "ui/ttextfeld.h"
#include "ui/ttrackbar.h"
#include "ui/tupdown.h"
#include "ui/zwischenablage.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMetaEnum>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

#include <functional>
#include <map>
#include <memory>

using namespace zw;

namespace {

// A clipboard that can be told to refuse, and remembers what it holds.
class TestAblage final : public TZwischenablage {
public:
    bool setzeDaten(std::unique_ptr<QMimeData> daten) override
    {
        if (verweigern)
            return false;
        inhalt = daten->text();
        formate = daten->formats();
        ++schreibvorgaenge;
        return true;
    }
    QString text() const override { return inhalt; }

    bool verweigern = false;
    QString inhalt;
    QStringList formate;
    int schreibvorgaenge = 0;
};

// Sends a click to whatever child lies at p, as the window system would.
void klicke(QWidget* w, QPoint p)
{
    QWidget* ziel = w->childAt(p);
    if (!ziel)
        ziel = w;
    QTest::mouseClick(ziel, Qt::LeftButton, {}, ziel->mapFrom(w, p));
}

void klickeHoch(TUpDown* knopf, int mal = 1)
{
    for (int i = 0; i < mal; ++i)
        klicke(knopf, {knopf->width() / 2, knopf->height() / 4});
}

} // namespace

class TstForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startwerte();
    void magenlisteBeimErstenBesuch_data();
    void magenlisteBeimErstenBesuch();
    void seiteBeimErstenBesuch_data();
    void seiteBeimErstenBesuch();
    void tabfolgeNachErstenBesuchen_data();
    void tabfolgeNachErstenBesuchen();
    void zehnKlicksAufBier();
    void seitenwechselLeertAndereSeite_data();
    void seitenwechselLeertAndereSeite();
    void getippterLiterwertBleibt();
    void stundenAusserhalbGeltenBisZumVerlassen();
    void nullStaerkeScheitertUndLaesstErgebnisse();
    void leeresFeldLiestMinimum_data();
    void leeresFeldLiestMinimum();
    void gewichtMitEntfTaste_data();
    void gewichtMitEntfTaste();
    void zurueckHaeltBeimErstenFehler();
    void zurueckStelltStartwerteHer();
    void berechnungenJeAktion_data();
    void berechnungenJeAktion();
    void statuszeile_data();
    void statuszeile();
    void statuszeileBleibtUeberSeite();
    void statusfelder();
    void reiterNehmenFokus();
    void reiterUnterMaus();
    void gruppenrahmen();
    void infoKlick_data();
    void infoKlick();
    void qtTexteDeutsch();
    void modaleFenster_data();
    void modaleFenster();
    void chartmenue_data();
    void chartmenue();
    void berichtInZwischenablage();
    void gescheiterteZwischenablageBehaeltInhalt();
    void andereRegion();
    void langeWirkungImBericht();
    void ergebnisfelderBrechenNurAnLeerzeichen_data();
    void ergebnisfelderBrechenNurAnLeerzeichen();
    void zugaenglichkeit();
    void zugangsbaum_data();
    void zugangsbaum();
    void fokusImBaum_data();
    void fokusImBaum();
    void fokusIstSichtbar_data();
    void fokusIstSichtbar();
    void werkzeugknopfMitEingabetaste_data();
    void werkzeugknopfMitEingabetaste();
    void strgTabAusJedemFeld_data();
    void strgTabAusJedemFeld();
    void fehlermeldungstext_data();
    void fehlermeldungstext();
    void fehlerbox();

private:
    void aufSeite(int seite);
    QString bericht();
    void neuesFenster();
    void tabfolgen(QList<QStringList>& folgen);
    void tippe(QLineEdit* feld, const QString& text);

    std::unique_ptr<TForm1> form_;
    QStringList fehler_;
    TestAblage ablage_;
};

void TstForm1::init()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fehler_.clear();
    ablage_ = {};
    neuesFenster();
}

void TstForm1::neuesFenster()
{
    form_ = std::make_unique<TForm1>([this](const QString& text) { fehler_ << text; });
    form_->setZwischenablage(&ablage_);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TstForm1::cleanup()
{
    form_.reset();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TstForm1::aufSeite(int seite)
{
    QTabBar* leiste = form_->PageControl1->tabBar();
    QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->tabRect(seite).center());
    QCOMPARE(form_->PageControl1->currentIndex(), seite);
}

QString TstForm1::bericht()
{
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    return ablage_.inhalt;
}

void TstForm1::tippe(QLineEdit* feld, const QString& text)
{
    feld->setFocus();
    QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(feld, Qt::Key_Backspace);
    else
        QTest::keyClicks(feld, text);
}

void TstForm1::startwerte()
{
    QCOMPARE(form_->Memo2->text(), QStringLiteral("0,000 °/oo"));
    QCOMPARE(form_->Memo4->text(), QStringLiteral("0 g"));
    QCOMPARE(form_->Memo3->text(), QStringLiteral("2,0 Stunde(n)"));
    QCOMPARE(form_->Memo5->text(), QStringLiteral("2,0 Stunde(n)"));
    QCOMPARE(form_->Label15->text(), QStringLiteral("Wirkung bei 0,000 Promille:"));
    QCOMPARE(form_->Memo1->text(), QStringLiteral("gleich Null"));
    QCOMPARE(form_->PageControl1->currentWidget(), form_->TabSheet1);
    QCOMPARE(form_->Chart1->Series1.Punkte().size(), std::size_t{3});
    QVERIFY(form_->StatusPanel1->text().isEmpty());
    QCOMPARE(form_->windowIconText(), QStringLiteral("Zechwaage 3.3a"));
    QVERIFY(fehler_.isEmpty());
}

void TstForm1::magenlisteBeimErstenBesuch_data()
{
    QTest::addColumn<QString>("weg");
    QTest::addColumn<bool>("zurueckgesetzt");
    QTest::newRow("mouse") << QStringLiteral("maus") << false;
    QTest::newRow("Ctrl+Tab") << QStringLiteral("tastatur") << false;
    QTest::newRow("by the program") << QStringLiteral("programm") << false;
    QTest::newRow("after a reset, from another page") << QStringLiteral("maus") << true;
}

// The stomach fill's list is made on the first visit of its page and not before. It then shows
// the selection the program made without it, stands in the keyboard's order after the drinking
// period, and is the same list on every later visit.
void TstForm1::magenlisteBeimErstenBesuch()
{
    QFETCH(QString, weg);
    QFETCH(bool, zurueckgesetzt);
    QVERIFY(!form_->ComboBox2);
    aufSeite(1);
    aufSeite(3);
    if (zurueckgesetzt)
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    QVERIFY(!form_->ComboBox2);
    // Without the list, the report names the selection all the same.
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    QVERIFY(ablage_.inhalt.contains(QStringLiteral("kleine Mahlzeit")));

    if (weg == QLatin1String("maus")) {
        aufSeite(2);
    } else if (weg == QLatin1String("tastatur")) {
        form_->TrackBar1->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    } else {
        form_->PageControl1->setCurrentWidget(form_->TabSheet3);
    }
    QCOMPARE(form_->PageControl1->currentWidget(), form_->TabSheet3);
    QComboBox* liste = form_->ComboBox2;
    QVERIFY(liste);
    QVERIFY(liste->isVisible());
    QCOMPARE(liste->geometry(), QRect(16, 24, 113, 21));
    QCOMPARE(liste->currentText(), QStringLiteral("kleine Mahlzeit"));
    QCOMPARE(liste->count(), 4);

    QLineEdit* stunden = form_->SpinEdit1->lineEdit();
    stunden->setFocus(Qt::TabFocusReason);
    QTest::keyClick(stunden, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), liste);
    QTest::keyClick(liste, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), stunden);

    // A choice there recalculates, and outlives a visit elsewhere.
    QSignalSpy laeufe(form_.get(), &TForm1::berechnungGestartet);
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_Down);
    QCOMPARE(liste->currentIndex(), 2);
    QCOMPARE(laeufe.count(), 1);
    aufSeite(0);
    aufSeite(2);
    QCOMPARE(form_->ComboBox2, liste);
    QCOMPARE(liste->currentText(), QStringLiteral("normale Mahlzeit"));
    QVERIFY(fehler_.isEmpty());
}

void TstForm1::seiteBeimErstenBesuch_data()
{
    QTest::addColumn<int>("seite");
    QTest::addColumn<bool>("zurueckgesetzt");
    for (int seite = 1; seite < 4; ++seite) {
        QTest::addRow("page %d", seite) << seite << false;
        // The reset moves the slider (1 -> 2) while there is none.
        QTest::addRow("page %d, after a reset", seite) << seite << true;
    }
}

// A page's controls are made on its first visit and not before. They then show the values the
// program used without them: the report, which reads them, stays as it was.
void TstForm1::seiteBeimErstenBesuch()
{
    QFETCH(int, seite);
    QFETCH(bool, zurueckgesetzt);
    const auto feld = [this, seite]() -> QWidget* {
        switch (seite) {
        case 1: return form_->SpinEdit3;
        case 2: return form_->SpinEdit1;
        default: return form_->SpinEdit2;
        }
    };
    if (zurueckgesetzt)
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    QVERIFY(!feld());
    const QString vorher = bericht();
    QVERIFY2(vorher.contains(zurueckgesetzt ? QStringLiteral("Konstitution:           3")
                                            : QStringLiteral("Konstitution:           2")),
             qPrintable(vorher));

    QSignalSpy laeufe(form_.get(), &TForm1::berechnungGestartet);
    aufSeite(seite);
    QWidget* gemacht = feld();
    QVERIFY(gemacht);
    QVERIFY(gemacht->isVisible());
    QCOMPARE(laeufe.count(), 1);
    QCOMPARE(bericht(), vorher);
    aufSeite(0);
    aufSeite(seite);
    QCOMPARE(feld(), gemacht);
    QVERIFY(fehler_.isEmpty());
}

void TstForm1::tabfolgeNachErstenBesuchen_data()
{
    QTest::addColumn<QList<int>>("besuche");
    QList<int> besuche{1, 2, 3};
    do
        QTest::addRow("%d %d %d", besuche[0], besuche[1], besuche[2]) << besuche;
    while (std::next_permutation(besuche.begin(), besuche.end()));
}

// From the tab strip of each page in turn, the names Tab goes through until it is back there.
void TstForm1::tabfolgen(QList<QStringList>& folgen)
{
    for (int seite = 0; seite < 4; ++seite) {
        form_->PageControl1->setCurrentIndex(seite);
        QWidget* blatt = form_->PageControl1->currentWidget();
        QWidget* leiste = form_->PageControl1->tabBar();
        leiste->setFocus(Qt::TabFocusReason);
        QStringList folge;
        bool aufDemBlatt = true;
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            if (w == leiste)
                break;
            const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            // The page's own controls come first, all together.
            QVERIFY2(blatt->isAncestorOf(w) == aufDemBlatt || (aufDemBlatt && !folge.isEmpty()),
                     qPrintable(folge.join(QStringLiteral(", ")) + QStringLiteral(" | ") + name));
            aufDemBlatt = blatt->isAncestorOf(w);
            folge << name;
        }
        QVERIFY2(QApplication::focusWidget() == leiste,
                 qPrintable(folge.join(QStringLiteral(", "))));
        folgen << folge;
    }
}

// Whichever page is shown first, Tab from the tab strip runs through the page on show and then
// the rest of the window, the same as when the pages were shown in their order.
void TstForm1::tabfolgeNachErstenBesuchen()
{
    QFETCH(QList<int>, besuche);
    for (int seite : besuche)
        aufSeite(seite);
    QList<QStringList> folgen;
    tabfolgen(folgen);
    if (QTest::currentTestFailed())
        return;

    neuesFenster();
    for (int seite = 1; seite < 4; ++seite)
        aufSeite(seite);
    QList<QStringList> bezug;
    tabfolgen(bezug);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(folgen.size(), 4);
    QCOMPARE(folgen, bezug);
}

void TstForm1::zehnKlicksAufBier()
{
    QSignalSpy laeufe(form_.get(), &TForm1::berechnungGestartet);
    klickeHoch(form_->UpDown1, 10);
    QCOMPARE(laeufe.count(), 10);
    QCOMPARE(form_->Edit1->text(), QStringLiteral("10"));
    QCOMPARE(form_->Edit2->text(), QStringLiteral("1"));
    QCOMPARE(form_->Memo4->text(), QStringLiteral("40 g"));
    QCOMPARE(form_->Memo2->text(), QStringLiteral("0,385 °/oo"));
    QCOMPARE(form_->Memo5->text(), QStringLiteral("4,6 Stunde(n)"));
    QCOMPARE(form_->Memo1->text(), QStringLiteral("leicht euphorisch und anregend"));
    const auto& punkte = form_->Chart1->Series1.Punkte();
    QCOMPARE(punkte.size(), std::size_t{3});
    QCOMPARE(punkte[1].X, 2.0);
    QVERIFY(qAbs(punkte[1].Y - 0.384931506849315) < 1e-12);
    QCOMPARE(punkte[1].Farbe, QColor(255, 215, 0));
}

void TstForm1::seitenwechselLeertAndereSeite_data()
{
    QTest::addColumn<bool>("schnellZuerst");
    QTest::newRow("Schnell -> Fein leert die Zähler") << true;
    QTest::newRow("Fein -> Schnell leert die Mengen") << false;
}

void TstForm1::seitenwechselLeertAndereSeite()
{
    QFETCH(bool, schnellZuerst);
    if (schnellZuerst) {
        klickeHoch(form_->UpDown1, 10);
        QCOMPARE(form_->Memo4->text(), QStringLiteral("40 g"));
        aufSeite(1);
        QCOMPARE(form_->Edit1->text(), QStringLiteral("0"));
        QCOMPARE(form_->Edit2->text(), QStringLiteral("0"));
    } else {
        aufSeite(1);
        tippe(form_->SpinEdit6->lineEdit(), QStringLiteral("500"));
        QCOMPARE(form_->Memo4->text(), QStringLiteral("20 g"));
        aufSeite(0);
        QCOMPARE(form_->SpinEdit6->text(), QStringLiteral("0"));
    }
    QCOMPARE(form_->Memo4->text(), QStringLiteral("0 g"));
    QVERIFY(fehler_.isEmpty());
}

void TstForm1::getippterLiterwertBleibt()
{
    tippe(form_->Edit2, QStringLiteral("1"));
    QCOMPARE(form_->Memo4->text(), QStringLiteral("40 g"));
    aufSeite(1);
    QCOMPARE(form_->Edit2->text(), QStringLiteral("1"));
    tippe(form_->SpinEdit6->lineEdit(), QStringLiteral("500"));
    QCOMPARE(form_->Memo4->text(), QStringLiteral("60 g"));
    // The other pages zero nothing: both entry pages count together there.
    aufSeite(2);
    QCOMPARE(form_->Memo4->text(), QStringLiteral("60 g"));
}

void TstForm1::stundenAusserhalbGeltenBisZumVerlassen()
{
    aufSeite(2);
    tippe(form_->SpinEdit1->lineEdit(), QStringLiteral("5000"));
    QCOMPARE(form_->Memo3->text(), QStringLiteral("5.001,0 Stunde(n)"));
    QSignalSpy laeufe(form_.get(), &TForm1::berechnungGestartet);
    form_->ComboBox2->setFocus();
    QCOMPARE(form_->SpinEdit1->text(), QStringLiteral("999"));
    QCOMPARE(laeufe.count(), 1);
    QCOMPARE(form_->Memo3->text(), QStringLiteral("1.000,0 Stunde(n)"));
}

void TstForm1::nullStaerkeScheitertUndLaesstErgebnisse()
{
    aufSeite(1);
    tippe(form_->SpinEdit6->lineEdit(), QStringLiteral("500"));
    const QString vorher = form_->Memo2->text();
    tippe(form_->SpinEdit3->lineEdit(), QStringLiteral("0"));
    QCOMPARE(fehler_, QStringList{QStringLiteral("Floating point division by zero")});
    QCOMPARE(form_->Memo2->text(), vorher);
    QCOMPARE(form_->Memo4->text(), QStringLiteral("20 g"));
    // Leaving the field writes its minimum and recalculates with it.
    form_->SpinEdit7->lineEdit()->setFocus();
    QCOMPARE(form_->SpinEdit3->text(), QStringLiteral("1"));
    QCOMPARE(form_->Memo4->text(), QStringLiteral("4 g"));
    QCOMPARE(fehler_.size(), 1);
}

void TstForm1::leeresFeldLiestMinimum_data()
{
    QTest::addColumn<int>("seite");
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("erwartet");
    // 500 ml at an empty strength: read as 1 %, so 4 g.
    QTest::newRow("Stärke") << 1 << QStringLiteral("SpinEdit3") << QStringLiteral("Memo4")
                            << QStringLiteral("4 g");
    QTest::newRow("Menge") << 1 << QStringLiteral("SpinEdit6") << QStringLiteral("Memo4")
                           << QStringLiteral("0 g");
    QTest::newRow("Stunden") << 2 << QStringLiteral("SpinEdit1") << QStringLiteral("Memo3")
                             << QStringLiteral("1,0 Stunde(n)");
}

void TstForm1::leeresFeldLiestMinimum()
{
    QFETCH(int, seite);
    QFETCH(QString, feld);
    QFETCH(QString, memo);
    QFETCH(QString, erwartet);
    aufSeite(seite);
    if (seite == 1)
        tippe(form_->SpinEdit6->lineEdit(), QStringLiteral("500"));
    const std::map<QString, TSpinEdit*> felder{{QStringLiteral("SpinEdit3"), form_->SpinEdit3},
                                               {QStringLiteral("SpinEdit6"), form_->SpinEdit6},
                                               {QStringLiteral("SpinEdit1"), form_->SpinEdit1}};
    TSpinEdit* spin = felder.at(feld);
    const std::map<QString, TTextFeld*> memos{{QStringLiteral("Memo4"), form_->Memo4},
                                              {QStringLiteral("Memo3"), form_->Memo3}};
    tippe(spin->lineEdit(), QString());
    QCOMPARE(spin->text(), QString());
    QCOMPARE(memos.at(memo)->text(), erwartet);
    QVERIFY(fehler_.isEmpty());
}

void TstForm1::gewichtMitEntfTaste_data()
{
    QTest::addColumn<int>("bierKlicks");
    QTest::addColumn<QString>("fehler");
    QTest::newRow("getrunken") << 10 << QStringLiteral("Floating point division by zero");
    QTest::newRow("nichts getrunken") << 0 << QStringLiteral("Invalid floating point operation");
}

void TstForm1::gewichtMitEntfTaste()
{
    QFETCH(int, bierKlicks);
    QFETCH(QString, fehler);
    klickeHoch(form_->UpDown1, bierKlicks);
    aufSeite(3);
    const QString vorher = form_->Memo2->text();
    QLineEdit* feld = form_->SpinEdit2->lineEdit();
    feld->setFocus();
    QTest::keyClick(feld, Qt::Key_Home);
    QTest::keyClick(feld, Qt::Key_Delete);
    QCOMPARE(form_->SpinEdit2->text(), QStringLiteral("0"));
    QCOMPARE(fehler_, QStringList{fehler});
    QCOMPARE(form_->Memo2->text(), vorher);
    form_->TrackBar1->setFocus();
    QCOMPARE(form_->SpinEdit2->text(), QStringLiteral("1"));
    QCOMPARE(fehler_.size(), 1);
}

void TstForm1::zurueckHaeltBeimErstenFehler()
{
    aufSeite(3);
    form_->SpinEdit2->setValue(90);
    aufSeite(0);
    klickeHoch(form_->UpDown1, 3);
    tippe(form_->Edit4, QString());
    const QString ungueltig = QStringLiteral("'\u2068\u2069' is not a valid floating point value");
    QCOMPARE(fehler_, QStringList{ungueltig});
    aufSeite(2);
    fehler_.clear();
    tippe(form_->SpinEdit1->lineEdit(), QStringLiteral("5"));
    QCOMPARE(fehler_, QStringList{ungueltig});
    fehler_.clear();

    QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    QVERIFY(form_->Chart1->Series1.Punkte().empty());
    QCOMPARE(form_->Edit1->text(), QStringLiteral("0"));
    // Zeroing the counter rewrote the beer field, whose own recalculation failed too.
    QCOMPARE(form_->Edit2->text(), QStringLiteral("0"));
    QCOMPARE(form_->SpinEdit1->text(), QStringLiteral("1"));
    QCOMPARE(form_->SpinEdit2->text(), QStringLiteral("90"));
    QCOMPARE(fehler_, (QStringList{ungueltig, ungueltig}));
}

void TstForm1::zurueckStelltStartwerteHer()
{
    aufSeite(2);
    form_->ComboBox2->setFocus();
    QTest::keyClick(form_->ComboBox2, Qt::Key_Down);
    QCOMPARE(form_->ComboBox2->currentIndex(), 2);
    aufSeite(0);
    klickeHoch(form_->UpDown2, 5);
    aufSeite(3);
    QTest::mouseClick(form_->RadioGroup1Knoepfe->button(1), Qt::LeftButton);
    QCOMPARE(form_->RadioGroup1Knoepfe->checkedId(), 1);
    QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    QCOMPARE(form_->Edit3->text(), QStringLiteral("0"));
    QCOMPARE(form_->Edit4->text(), QStringLiteral("0"));
    QCOMPARE(form_->RadioGroup1Knoepfe->checkedId(), 0);
    QCOMPARE(form_->TrackBar1->value(), 2);
    QCOMPARE(form_->ComboBox2->currentIndex(), 1);
    QCOMPARE(form_->PageControl1->currentIndex(), 3);
    QCOMPARE(form_->Memo4->text(), QStringLiteral("0 g"));
    QVERIFY(fehler_.isEmpty());
}

void TstForm1::berechnungenJeAktion_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<int>("laeufe");
    QTest::newRow("Pfeil neben Bier") << QStringLiteral("pfeil") << 1;
    QTest::newRow("Pfeil am Ende (100)") << QStringLiteral("pfeilAmEnde") << 0;
    QTest::newRow("Seitenwechsel mit Bier") << QStringLiteral("seiteMitBier") << 2;
    QTest::newRow("Seitenwechsel ohne Bier") << QStringLiteral("seiteOhneBier") << 1;
    QTest::newRow("Strg+Tab in der Magenfüllung") << QStringLiteral("strgTab") << 1;
    QTest::newRow("Ziffer im Literfeld") << QStringLiteral("ziffer") << 1;
    QTest::newRow("Geschlecht gewählt") << QStringLiteral("geschlecht") << 1;
    QTest::newRow("Zurück nach Startwerten") << QStringLiteral("zurueckStart") << 1;
    QTest::newRow("Regler nach rechts") << QStringLiteral("regler") << 1;
    QTest::newRow("Regler am Ende nach rechts") << QStringLiteral("reglerAmEnde") << 1;
}

void TstForm1::berechnungenJeAktion()
{
    QFETCH(QString, aktion);
    QFETCH(int, laeufe);
    if (aktion == QLatin1String("pfeilAmEnde")) {
        form_->Edit1->setText(QStringLiteral("100"));
    } else if (aktion == QLatin1String("reglerAmEnde")) {
        aufSeite(3);
        form_->TrackBar1->setValue(2);
    } else if (aktion == QLatin1String("seiteMitBier")) {
        klickeHoch(form_->UpDown1, 2);
    }
    QSignalSpy spion(form_.get(), &TForm1::berechnungGestartet);
    if (aktion.startsWith(QLatin1String("pfeil"))) {
        klickeHoch(form_->UpDown1);
    } else if (aktion.startsWith(QLatin1String("seite"))) {
        aufSeite(1);
    } else if (aktion == QLatin1String("ziffer")) {
        form_->Edit2->setFocus();
        QTest::keyClick(form_->Edit2, Qt::Key_End);
        QTest::keyClick(form_->Edit2, Qt::Key_5);
    } else if (aktion == QLatin1String("geschlecht")) {
        aufSeite(3);
        spion.clear();
        QTest::mouseClick(form_->RadioGroup1Knoepfe->button(1), Qt::LeftButton);
    } else if (aktion.startsWith(QLatin1String("regler"))) {
        aufSeite(3);
        spion.clear();
        form_->TrackBar1->setFocus();
        QTest::keyClick(form_->TrackBar1, Qt::Key_Right);
        QCOMPARE(form_->TrackBar1->value(), 2);
    } else if (aktion == QLatin1String("strgTab")) {
        form_->PageControl1->setCurrentIndex(2);
        spion.clear();
        form_->ComboBox2->setFocus();
        QTest::keyClick(form_->ComboBox2, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(form_->PageControl1->currentIndex(), 3);
    } else if (aktion == QLatin1String("zurueckStart")) {
        // Only the slider moves (1 -> 2): one recalculation.
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    }
    QCOMPARE(spion.count(), laeufe);
}

void TstForm1::statuszeile_data()
{
    QTest::addColumn<QString>("steuerelement");
    QTest::addColumn<QString>("text");
    QTest::newRow("Bier-Feld") << QStringLiteral("Edit2") << QStringLiteral("Bier: 5 % Vol");
    QTest::newRow("Wein-Name") << QStringLiteral("Label5") << QStringLiteral("Wein: 11 % Vol");
    QTest::newRow("Likör-Pfeile") << QStringLiteral("UpDown5") << QStringLiteral("Likör: 24 % Vol");
    QTest::newRow("Korn-Feld") << QStringLiteral("Edit8") << QStringLiteral("Korn: 32 % Vol");
    QTest::newRow("Bacardi-Feld") << QStringLiteral("Edit12")
                                  << QStringLiteral("Bacardi: 37 % Vol");
    QTest::newRow("Whisky-Pfeile")
        << QStringLiteral("UpDown3") << QStringLiteral("Whisky: 42 % Vol");
    QTest::newRow("Maximum") << QStringLiteral("Memo2") << QStringLiteral("Maximale Promille");
    QTest::newRow("Aufnahme") << QStringLiteral("Memo4")
                              << QStringLiteral("Aufgenommene Gesamt-Alkoholmenge");
    QTest::newRow("Zeit bis Maximum")
        << QStringLiteral("Memo3")
        << QStringLiteral("Zeitraum bis zum Höchstpegel inklusive Verzögerung durch die Mahlzeit.");
    QTest::newRow("nüchtern") << QStringLiteral("Memo5")
                              << QStringLiteral("Zeit bis zum vollständigen Abbau des Alkohols.");
    QTest::newRow("Fensterhintergrund")
        << QStringLiteral("Form1") << QStringLiteral("Geben Sie Werte zur Berechnung ein!");
    // Controls without a text of their own leave the last text standing.
    QTest::newRow("Wirkungsfeld") << QStringLiteral("Memo1") << QString();
    QTest::newRow("Wirkungsüberschrift") << QStringLiteral("Label15") << QString();
    QTest::newRow("Grafik") << QStringLiteral("Chart1") << QString();
}

void TstForm1::statuszeile()
{
    QFETCH(QString, steuerelement);
    QFETCH(QString, text);
    const std::map<QString, QWidget*> ziele{
        {QStringLiteral("Edit2"), form_->Edit2},     {QStringLiteral("Label5"), form_->Label5},
        {QStringLiteral("UpDown5"), form_->UpDown5}, {QStringLiteral("Edit8"), form_->Edit8},
        {QStringLiteral("Edit12"), form_->Edit12},   {QStringLiteral("UpDown3"), form_->UpDown3},
        {QStringLiteral("Memo2"), form_->Memo2},     {QStringLiteral("Memo4"), form_->Memo4},
        {QStringLiteral("Memo3"), form_->Memo3},     {QStringLiteral("Memo5"), form_->Memo5},
        {QStringLiteral("Memo1"), form_->Memo1},     {QStringLiteral("Label15"), form_->Label15},
        {QStringLiteral("Chart1"), form_->Chart1},   {QStringLiteral("Form1"), form_.get()}};
    QWidget* ziel = ziele.at(steuerelement);
    // Start from a known text, then move onto the control.
    QTest::mouseMove(form_->Memo2, {5, 5});
    QCOMPARE(form_->StatusPanel1->text(), QStringLiteral("Maximale Promille"));
    const QPoint punkt =
        ziel == form_.get() ? QPoint(150, 380) : QPoint(ziel->width() / 2, ziel->height() / 2);
    QWidget* unterMaus = ziel->childAt(punkt) ? ziel->childAt(punkt) : ziel;
    QTest::mouseMove(unterMaus, unterMaus->mapFrom(ziel, punkt));
    QCOMPARE(form_->StatusPanel1->text(),
             text.isEmpty() ? QStringLiteral("Maximale Promille") : text);
}

void TstForm1::statuszeileBleibtUeberSeite()
{
    QTest::mouseMove(form_->Edit2, {5, 5});
    QCOMPARE(form_->StatusPanel1->text(), QStringLiteral("Bier: 5 % Vol"));
    QTest::mouseMove(form_->TabSheet1, {3, 100});
    QCOMPARE(form_->StatusPanel1->text(), QStringLiteral("Bier: 5 % Vol"));
}

void TstForm1::statusfelder()
{
    // Panel 1 begins where the 210 pixels of panel 0 end, its text as far inside as panel 0's.
    const auto textAnfang = [](QLabel* l) { return l->x() + l->contentsRect().left(); };
    QCOMPARE(form_->StatusPanel1->x(), 210);
    QCOMPARE(textAnfang(form_->StatusPanel1) - 210, textAnfang(form_->StatusPanel0));
    QVERIFY(textAnfang(form_->StatusPanel0) < 4);
}

void TstForm1::reiterNehmenFokus()
{
    // A click on a tab leaves the focus on the strip, where the arrow keys step the pages.
    aufSeite(1);
    QVERIFY(form_->PageControl1->tabBar()->hasFocus());
    QSignalSpy laeufe(form_.get(), &TForm1::berechnungGestartet);
    QTest::keyClick(form_->PageControl1->tabBar(), Qt::Key_Right);
    QCOMPARE(form_->PageControl1->currentIndex(), 2);
    QCOMPARE(laeufe.count(), 1);
}

void TstForm1::reiterUnterMaus()
{
    TTabBar* leiste = form_->PageControl1->reiter();
    QTest::mouseMove(leiste, leiste->tabRect(2).center());
    for (int i = 0; i < leiste->count(); ++i)
        QCOMPARE(leiste->tabTextColor(i),
                 i == 2 ? leiste->palette().color(QPalette::Link) : QColor());
    QTest::mouseMove(form_->Chart1, {20, 20});
    QCOMPARE(leiste->tabTextColor(2), QColor());
}

void TstForm1::gruppenrahmen()
{
    // The frame's top line runs through the caption, above every control of the group, with a
    // gap for the caption's text.
    for (TGroupBox* g : form_->findChildren<TGroupBox*>()) {
        const int linie = g->rahmenOben();
        QVERIFY(linie > g->titelRechteck().top() && linie < g->titelRechteck().bottom());
        for (QWidget* kind : g->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(kind->isWindow() || kind->y() > linie, qPrintable(g->title()));
        const QImage bild = g->grab().toImage();
        const QRgb farbe = g->palette().color(QPalette::Mid).rgba();
        QCOMPARE(bild.pixel(1, linie), farbe);
        QVERIFY(bild.pixel(g->titelRechteck().center().x(), linie) != farbe);
    }
}

void TstForm1::infoKlick_data()
{
    QTest::addColumn<QString>("gedrueckt");
    QTest::addColumn<QString>("losgelassen");
    QTest::addColumn<bool>("info");
    QTest::newRow("Bierglas") << QStringLiteral("Image1") << QStringLiteral("Image1") << true;
    QTest::newRow("Tafel") << QStringLiteral("Panel1") << QStringLiteral("Panel1") << true;
    QTest::newRow("Bierglas, über der Grafik los")
        << QStringLiteral("Image1") << QStringLiteral("Chart1") << false;
    QTest::newRow("Blasen, über der Tafel los")
        << QStringLiteral("Image2") << QStringLiteral("Panel1") << false;
}

void TstForm1::infoKlick()
{
    // Opens the info window only when pressed and released on the same control.
    QFETCH(QString, gedrueckt);
    QFETCH(QString, losgelassen);
    QFETCH(bool, info);
    const std::map<QString, QWidget*> ziele{{QStringLiteral("Image1"), form_->Image1},
                                            {QStringLiteral("Image2"), form_->Image2},
                                            {QStringLiteral("Panel1"), form_->Panel1},
                                            {QStringLiteral("Chart1"), form_->Chart1}};
    QWidget* an = ziele.at(gedrueckt);
    QWidget* los = ziele.at(losgelassen);
    // Over the panel, a spot between the two pictures.
    const auto ort = [&](QWidget* w) {
        return w == form_->Panel1 ? QPoint(40, 258) : QPoint(w->width() / 2, 30);
    };
    QPointer<QWidget> gesehen;
    QTimer::singleShot(0, this, [&] {
        gesehen = QApplication::activeModalWidget();
        if (gesehen)
            QTest::keyClick(gesehen, Qt::Key_Escape);
    });
    QTest::mousePress(an, Qt::LeftButton, {}, ort(an));
    QTest::mouseMove(los, ort(los));
    QTest::mouseRelease(an, Qt::LeftButton, {},
                        an->mapFrom(form_.get(), los->mapTo(form_.get(), ort(los))));
    QTest::qWait(0);
    QCOMPARE(!gesehen.isNull(), info);
    if (info)
        QCOMPARE(gesehen.data(), static_cast<QWidget*>(form_->Form2()));
}

void TstForm1::qtTexteDeutsch()
{
    // Qt's own texts come in German once the program has set itself up.
    QVERIFY(
        !LadeQtUebersetzung(*QCoreApplication::instance(), QStringLiteral("/kein/solcher/ordner")));
    QVERIFY(LadeQtUebersetzung(*QCoreApplication::instance(),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    const auto aufraeumen =
        qScopeGuard([] { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); });
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList dialogTexte{dialog.windowTitle(),
                                  dialog.labelText(QFileDialog::LookIn),
                                  dialog.labelText(QFileDialog::FileName),
                                  dialog.labelText(QFileDialog::FileType),
                                  dialog.labelText(QFileDialog::Accept),
                                  dialog.labelText(QFileDialog::Reject)};
    QCOMPARE(dialogTexte,
             (QStringList{QStringLiteral("Speichern unter"), QStringLiteral("Suchen in:"),
                          QStringLiteral("Datei&name:"), QStringLiteral("Dateien des Typs:"),
                          QStringLiteral("S&peichern"), QStringLiteral("Abbrechen")}));
    QCOMPARE(QCoreApplication::translate("QFileDialog",
                                         "%1 already exists.\nDo you want to replace it?"),
             QString::fromUtf8("Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?"));
    QMessageBox frage;
    frage.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(frage.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
}

void TstForm1::modaleFenster_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("taste");
    QTest::newRow("Formeln, Enter") << QStringLiteral("Formeln") << int(Qt::Key_Return);
    QTest::newRow("Formeln, Esc") << QStringLiteral("Formeln") << int(Qt::Key_Escape);
    QTest::newRow("Info, Enter") << QStringLiteral("Info") << int(Qt::Key_Return);
    QTest::newRow("Info, Esc") << QStringLiteral("Info") << int(Qt::Key_Escape);
    QTest::newRow("Bild, Esc") << QStringLiteral("Bild") << int(Qt::Key_Escape);
}

void TstForm1::modaleFenster()
{
    QFETCH(QString, knopf);
    QFETCH(int, taste);
    QPointer<QWidget> gesehen;
    bool warModal = false;
    // Closes the box as soon as it is up; a box that never comes leaves the test to fail.
    QTimer::singleShot(0, this, [&] {
        gesehen = QApplication::activeModalWidget();
        if (!gesehen)
            return;
        warModal = gesehen->windowModality() != Qt::NonModal;
        QTest::keyClick(gesehen, static_cast<Qt::Key>(taste));
    });
    if (knopf == QLatin1String("Formeln"))
        QTest::mouseClick(form_->ToolButton4, Qt::LeftButton);
    else if (knopf == QLatin1String("Info"))
        QTest::mouseClick(form_->ToolButton3, Qt::LeftButton);
    else
        QTest::mouseClick(form_->Image1, Qt::LeftButton, {}, {20, 20});
    QVERIFY(gesehen);
    QVERIFY(warModal);
    QVERIFY(!gesehen->isVisible());
    const bool erwartetFormeln = knopf == QLatin1String("Formeln");
    QCOMPARE(gesehen.data() == static_cast<QWidget*>(form_->Form3()), erwartetFormeln);
}

void TstForm1::chartmenue_data()
{
    QTest::addColumn<bool>("tastatur");
    QTest::newRow("right button") << false;
    QTest::newRow("Shift+F10 with the chart focused") << true;
}

// The chart's menu opens with its two items, by the mouse and by the keyboard.
void TstForm1::chartmenue()
{
    QFETCH(bool, tastatur);
    if (tastatur) {
        form_->Chart1->setFocus();
        QTest::keyClick(form_->Chart1, Qt::Key_F10, Qt::ShiftModifier);
    } else {
        QTest::mouseClick(form_->windowHandle(), Qt::RightButton, {},
                          form_->Chart1->mapTo(form_.get(), QPoint(200, 60)));
    }
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menue);
    QStringList texte;
    for (QAction* a : menue->actions())
        texte << a->text();
    QCOMPARE(texte, (QStringList{QStringLiteral("Grafik speichern"),
                                 QStringLiteral("in Zwischenspeicher")}));
    QVERIFY(form_->Chart1->rect().contains(form_->Chart1->mapFromGlobal(menue->pos())));
    menue->close();
}

void TstForm1::berichtInZwischenablage()
{
    klickeHoch(form_->UpDown1, 10);
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    QCOMPARE(ablage_.schreibvorgaenge, 1);
    const QString bericht = ablage_.inhalt;
    QVERIFY(bericht.contains(QStringLiteral("\r\n  1 l Bier (5%)\r\n")));
    QVERIFY(bericht.contains(QStringLiteral("\nAlkoholaufnahme gesamt: 40 g\r\n\n")));
    QVERIFY(bericht.contains(QStringLiteral("Promille-Maximum:       0,385 °/oo\r\n")));
    QVERIFY(bericht.contains(QStringLiteral("Wirkung:\r\n  leicht euphorisch und anregend\r\n")));
    QVERIFY(!bericht.contains(QStringLiteral("Wein")));
}

void TstForm1::gescheiterteZwischenablageBehaeltInhalt()
{
    ablage_.inhalt = QStringLiteral("vorher");
    ablage_.verweigern = true;
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    QCOMPARE(ablage_.inhalt, QStringLiteral("vorher"));
    QCOMPARE(fehler_, QStringList{QStringLiteral("Cannot open clipboard")});
}

void TstForm1::andereRegion()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    form_ = std::make_unique<TForm1>([this](const QString& text) { fehler_ << text; });
    klickeHoch(form_->UpDown1, 15);
    QCOMPARE(form_->Edit2->text(), QStringLiteral("1.5"));
    QCOMPARE(form_->Memo2->text(), QStringLiteral("0.727 °/oo"));
    tippe(form_->Edit2, QStringLiteral("1,5"));
    QCOMPARE(fehler_.value(0),
             QStringLiteral("'\u20681,\u2069' is not a valid floating point value"));
}

void TstForm1::langeWirkungImBericht()
{
    tippe(form_->Edit6, QStringLiteral("1"));
    const QStringList zeilen = form_->Memo1->angezeigteZeilen();
    QVERIFY2(zeilen.size() >= 2, qPrintable(zeilen.join(QLatin1Char('|'))));
    QCOMPARE(zeilen.join(QLatin1Char(' ')), form_->Memo1->text());
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    QString erwartet = QStringLiteral("Wirkung:\r\n");
    for (const QString& zeile : zeilen)
        erwartet += QStringLiteral("  ") + zeile + QStringLiteral("\r\n");
    QVERIFY2(ablage_.inhalt.contains(erwartet), qPrintable(ablage_.inhalt));
}

void TstForm1::ergebnisfelderBrechenNurAnLeerzeichen_data()
{
    QTest::addColumn<int>("spalte"); // of the quick page, 0 Bier to 5 Whisky
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("maximum"); // the peak field's first line, as the report copies it
    QTest::newRow("Bier 1: one line") << 0 << "1" << "0,385 °/oo";
    QTest::newRow("Korn 1E12: a number wider than its field") << 3 << "1E12"
                                                              << "4.383.561.643.835,317";
    QTest::newRow("Whisky 1E6: the unit on a line of its own") << 5 << "1E6" << "5.753.430,111";
}

void TstForm1::ergebnisfelderBrechenNurAnLeerzeichen()
{
    QFETCH(int, spalte);
    QFETCH(QString, eingabe);
    QFETCH(QString, maximum);
    tippe(form_->Schnellspalten()[std::size_t(spalte)].Liter, eingabe);
    QVERIFY(fehler_.isEmpty());
    QCOMPARE(form_->Memo2->angezeigteZeilen().value(0), maximum);
    // Lines end only at blanks: joined again by one, they give the text back whole.
    for (TTextFeld* f : {form_->Memo2, form_->Memo3, form_->Memo4, form_->Memo5})
        QCOMPARE(f->angezeigteZeilen().join(QLatin1Char(' ')), f->text());
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    QVERIFY2(ablage_.inhalt.contains(QStringLiteral("Promille-Maximum:       ") + maximum +
                                     QStringLiteral("\r\n")),
             qPrintable(ablage_.inhalt));
}

void TstForm1::zugaenglichkeit()
{
    // Every control a user can reach with the keyboard has a name a screen reader can say.
    QStringList namenlos;
    for (QWidget* w : form_->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || w->isHidden() || w->window() != form_.get())
            continue;
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
        if (!zugang || zugang->text(QAccessible::Name).isEmpty())
            namenlos << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
                            w->objectName();
    }
    QVERIFY2(namenlos.isEmpty(), qPrintable(namenlos.join(QStringLiteral(", "))));
    // The hidden counters are not in the tree a screen reader walks.
    QList<QObject*> imBaum;
    std::function<void(QAccessibleInterface*)> gehe = [&](QAccessibleInterface* knoten) {
        for (int i = 0; i < knoten->childCount(); ++i) {
            QAccessibleInterface* kind = knoten->child(i);
            if (!kind)
                continue;
            imBaum << kind->object();
            gehe(kind);
        }
    };
    gehe(QAccessible::queryAccessibleInterface(form_.get()));
    QVERIFY(imBaum.contains(form_->Edit2));
    for (const TForm1::Schnellspalte& s : form_->Schnellspalten())
        QVERIFY2(!imBaum.contains(s.Zaehler), qPrintable(s.Name->text()));
}

namespace {

// One node of the tree a screen reader walks: role, name and value, as the report prints it.
QString Knoten(QAccessibleInterface* k)
{
    return QStringLiteral("%1 '%2' = '%3'")
        .arg(QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(k->role())),
             k->text(QAccessible::Name), k->text(QAccessible::Value));
}

// The visible nodes under k, depth first.
QList<QAccessibleInterface*> Baum(QAccessibleInterface* k)
{
    QList<QAccessibleInterface*> alle;
    for (int i = 0; i < k->childCount(); ++i) {
        QAccessibleInterface* kind = k->child(i);
        if (!kind || kind->state().invisible)
            continue;
        alle << kind << Baum(kind);
    }
    return alle;
}

} // namespace

void TstForm1::zugangsbaum_data()
{
    QTest::addColumn<QString>("knoten");
    QTest::newRow("main window") << "Window 'Zechwaage 3.3a' = ''";
    QTest::newRow("peak") << "EditableText 'Promille-Maximum' = '0,385 °/oo'";
    QTest::newRow("time to peak") << "EditableText 'Maximum erreicht nach' = '2,0 Stunde(n)'";
    QTest::newRow("intake") << "EditableText 'Alkoholaufnahme' = '40 g'";
    QTest::newRow("time to sober") << "EditableText 'nüchtern nach' = '4,6 Stunde(n)'";
    QTest::newRow("effect") << "EditableText 'Wirkung' = 'leicht euphorisch und anregend'";
    QTest::newRow("beer counter") << "SpinBox 'Bier zählen' = '10'";
    QTest::newRow("beer litres") << "EditableText 'Bier in Liter' = '1'";
    QTest::newRow("chart") << "Chart 'Promille-Verlauf' = ''";
    QTest::newRow("tab strip") << "PageTabList 'Schnell-Einstellung' = ''";
    QTest::newRow("tab") << "PageTab 'Fein-Einstellung' = ''";
    QTest::newRow("tool bar") << "ToolBar 'Werkzeugleiste' = ''";
    QTest::newRow("tool button") << "Button 'Kopieren' = ''";
}

// The tree a screen reader walks, after one litre of beer: the results are readable as values
// and as text, and each node has a role that says what it is.
void TstForm1::zugangsbaum()
{
    QFETCH(QString, knoten);
    klickeHoch(form_->UpDown1, 10);
    QAccessibleInterface* fenster = QAccessible::queryAccessibleInterface(form_.get());
    QStringList alle{Knoten(fenster)};
    for (QAccessibleInterface* k : Baum(fenster))
        alle << Knoten(k);
    QVERIFY2(alle.contains(knoten), qPrintable(alle.join(QStringLiteral(" | "))));
    // Read as text: the whole value through the text interface, and read-only.
    for (TTextFeld* feld : {form_->Memo1, form_->Memo2, form_->Memo3, form_->Memo4, form_->Memo5}) {
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(feld);
        QAccessibleTextInterface* text = zugang->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), feld->text());
        QVERIFY(zugang->state().readOnly);
    }
}

void TstForm1::fokusImBaum_data()
{
    QTest::addColumn<QString>("wo");
    QTest::newRow("litre field") << "Edit2";
    QTest::newRow("tab strip") << "Reiter";
    QTest::newRow("chart") << "Chart1";
    QTest::newRow("stomach fill") << "ComboBox2";
}

// Exactly one node is marked focused: the one that has the focus. A page tab is marked only
// while the tab strip has it.
void TstForm1::fokusImBaum()
{
    QFETCH(QString, wo);
    if (wo == QLatin1String("ComboBox2"))
        form_->PageControl1->setCurrentIndex(2);
    const std::map<QString, QWidget*> ziele{
        {QStringLiteral("Edit2"), form_->Edit2},
        {QStringLiteral("Reiter"), form_->PageControl1->tabBar()},
        {QStringLiteral("Chart1"), form_->Chart1},
        {QStringLiteral("ComboBox2"), form_->ComboBox2}};
    QWidget* ziel = ziele.at(wo);
    ziel->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), ziel);
    QStringList fokussiert;
    for (QAccessibleInterface* k : Baum(QAccessible::queryAccessibleInterface(form_.get())))
        if (k->state().focused)
            fokussiert << Knoten(k);
    const QString erwartet = ziel == form_->PageControl1->tabBar()
                                 ? QStringLiteral("PageTab 'Schnell-Einstellung' = ''")
                                 : Knoten(QAccessible::queryAccessibleInterface(ziel));
    if (ziel == form_->PageControl1->tabBar())
        QVERIFY2(fokussiert.size() == 2 && fokussiert.contains(erwartet),
                 qPrintable(fokussiert.join(QStringLiteral(", "))));
    else
        QVERIFY2(fokussiert == QStringList{erwartet},
                 qPrintable(fokussiert.join(QStringLiteral(", "))));
}

void TstForm1::fokusIstSichtbar_data()
{
    QTest::addColumn<int>("seite");
    for (int seite = 0; seite < 4; ++seite)
        QTest::addRow("page %d", seite) << seite;
}

// Every stop of the Tab key on a page, chart and tool bar included, changes what the window
// shows: the user can see where the keys go.
void TstForm1::fokusIstSichtbar()
{
    QFETCH(int, seite);
    QApplication::setCursorFlashTime(0); // a caret that blinks could be caught while off
    auto zurueck = qScopeGuard([] { QApplication::setCursorFlashTime(1000); });
    form_->PageControl1->setCurrentIndex(seite);
    // As after the first press of Tab: styles mark the focus once the keyboard moves it.
    form_->setAttribute(Qt::WA_KeyboardFocusChange);
    QWidget* erster = form_->PageControl1->tabBar();
    erster->setFocus(Qt::TabFocusReason);
    QWidget* fokus = erster;
    QStringList unsichtbar;
    int stopps = 0;
    do {
        QWidget* feld = QApplication::focusWidget();
        QVERIFY(feld);
        const QImage mit = form_->grab().toImage();
        feld->clearFocus();
        const QImage ohne = form_->grab().toImage();
        feld->setFocus(Qt::TabFocusReason);
        int anders = 0;
        for (int y = 0; y < mit.height(); ++y)
            for (int x = 0; x < mit.width(); ++x)
                anders += mit.pixel(x, y) != ohne.pixel(x, y);
        if (anders < 10)
            unsichtbar << QString::fromLatin1(feld->metaObject()->className()) + QLatin1Char(' ') +
                              feld->accessibleName();
        QTest::keyClick(feld, Qt::Key_Tab);
        fokus = QApplication::focusWidget();
        ++stopps;
    } while (fokus != erster && stopps < 60);
    QVERIFY(stopps > 5);
    QVERIFY2(unsichtbar.isEmpty(), qPrintable(unsichtbar.join(QStringLiteral(", "))));
}

void TstForm1::werkzeugknopfMitEingabetaste_data()
{
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("zusatz");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

void TstForm1::werkzeugknopfMitEingabetaste()
{
    QFETCH(int, taste);
    QFETCH(int, zusatz);
    for (QToolButton* knopf : {form_->ToolButton2, form_->ToolButton1, form_->ToolButton4,
                               form_->ToolButton3, form_->ToolButton5}) {
        // Counted without letting the buttons act: no window opens, nothing closes.
        knopf->disconnect(form_.get());
        QSignalSpy klicks(knopf, &QToolButton::clicked);
        knopf->setFocus(Qt::TabFocusReason);
        QTest::keyClick(knopf, Qt::Key(taste), Qt::KeyboardModifiers(zusatz));
        QVERIFY2(klicks.count() == 1, qPrintable(knopf->text()));
    }
}

void TstForm1::strgTabAusJedemFeld_data()
{
    QTest::addColumn<int>("seite");
    QTest::addColumn<bool>("zurueck");
    for (int seite = 0; seite < 4; ++seite) {
        QTest::addRow("page %d, Ctrl+Tab", seite) << seite << false;
        QTest::addRow("page %d, Ctrl+Shift+Tab", seite) << seite << true;
    }
}

// From every control of a page, Ctrl+Tab shows the next page and Ctrl+Shift+Tab the one
// before, wrapping around at the ends.
void TstForm1::strgTabAusJedemFeld()
{
    QFETCH(int, seite);
    QFETCH(bool, zurueck);
    const int erwartet = (seite + (zurueck ? 3 : 1)) % 4;
    // Shown first: the stomach fill's list is made then.
    form_->PageControl1->setCurrentIndex(seite);
    QWidget* blatt = form_->PageControl1->widget(seite);
    QList<QWidget*> felder{form_->PageControl1->tabBar()};
    for (QWidget* w : blatt->findChildren<QWidget*>())
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(blatt) && w->isEnabled())
            felder << w;
    QVERIFY(felder.size() > 1);
    for (QWidget* feld : felder) {
        form_->PageControl1->setCurrentIndex(seite);
        feld->setFocus(Qt::TabFocusReason);
        QWidget* ziel = QApplication::focusWidget();
        QVERIFY(ziel);
        if (zurueck)
            QTest::keyClick(ziel, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        else
            QTest::keyClick(ziel, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY2(form_->PageControl1->currentIndex() == erwartet,
                 qPrintable(QString::fromLatin1(ziel->metaObject()->className()) +
                            QLatin1Char(' ') + ziel->accessibleName()));
    }
}

void TstForm1::fehlermeldungstext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("gezeigt");
    QTest::newRow("Buchstabe") << QStringLiteral("Floating point overflow")
                               << QStringLiteral("Floating point overflow.");
    QTest::newRow("Ziffer") << QStringLiteral("Cannot create file a.wmf2")
                            << QStringLiteral("Cannot create file a.wmf2.");
    QTest::newRow("Punkt") << QStringLiteral("Fertig.") << QStringLiteral("Fertig.");
    QTest::newRow("Klammer") << QStringLiteral("Cannot create file (x)")
                             << QStringLiteral("Cannot create file (x)");
    QTest::newRow("Ausrufezeichen") << QStringLiteral("Halt!") << QStringLiteral("Halt!");
    QTest::newRow("Schrägstrich") << QStringLiteral("Cannot create file /tmp/")
                                  << QStringLiteral("Cannot create file /tmp/.");
    QTest::newRow("leer") << QString() << QString();
}

void TstForm1::fehlermeldungstext()
{
    QFETCH(QString, text);
    QFETCH(QString, gezeigt);
    QCOMPARE(Fehlermeldungstext(text), gezeigt);
}

void TstForm1::fehlerbox()
{
    // The real box: error icon, one OK button, the program's title, the text with its full stop.
    QPointer<QMessageBox> box;
    QString titel, text;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    int knoepfe = 0;
    bool offenNachReturn = true;
    QTimer::singleShot(0, this, [&] {
        box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        titel = box->windowTitle();
        text = box->text();
        symbol = box->icon();
        knoepfe = static_cast<int>(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Return);
        offenNachReturn = box->isVisible();
    });
    StandardFehlerMelder(form_.get())(QStringLiteral("'x' is not a valid floating point value"));
    // Return closes it: OK is the default button.
    QVERIFY(!offenNachReturn);
    QCOMPARE(titel, QStringLiteral("Zechwaage 3.3a"));
    QCOMPARE(text, QStringLiteral("'x' is not a valid floating point value."));
    QCOMPARE(symbol, QMessageBox::Critical);
    QCOMPARE(knoepfe, 1);
}

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
