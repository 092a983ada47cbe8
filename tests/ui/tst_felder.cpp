// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The spin field and the up-down pair, driven by mouse and key events as a user would.
#include "ui/anwendung.h"
#include "ui/ganzzahl.h"
#include "ui/tspinedit.h"
#include "ui/ttrackbar.h"
#include "ui/tupdown.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <chrono>
#include <climits>
#include <memory>
#include <vector>

using namespace zw;
using namespace std::chrono_literals;

namespace {

// A held button's timing in the tests: a tenth of the real 400 ms and 100 ms, the same rhythm.
constexpr std::chrono::milliseconds kVerzoegerung = 40ms;
constexpr std::chrono::milliseconds kIntervall = 10ms;

// Control characters in the key scripts of the tables stand for keys that have no character.
void tippe(QWidget* w, const QString& skript)
{
    for (const QChar c : skript) {
        switch (c.unicode()) {
        case '\r': QTest::keyClick(w, Qt::Key_Return); break;
        case '\b': QTest::keyClick(w, Qt::Key_Backspace); break;
        case 0x7f: QTest::keyClick(w, Qt::Key_Delete); break;
        case 0x01: QTest::keyClick(w, Qt::Key_Home); break;
        case 0x02: QTest::keyClick(w, Qt::Key_Up); break;
        case 0x03: QTest::keyClick(w, Qt::Key_Down); break;
        case 0x04: QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); break;
        case 0x05: QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier); break;
        case 0x06: QTest::keyClick(w, Qt::Key_End); break;
        case 0x07: QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier); break;
        case '\t': QTest::keyClick(w, Qt::Key_Tab); break;
        default: QTest::keyClick(w, c.toLatin1()); break;
        }
    }
}

// A window with a spin field and a second field to move the focus to.
struct Fenster {
    QWidget fenster;
    TSpinEdit* spin;
    QLineEdit* anderes;
    int piepser = 0;
    bool aktiv = false; // the window got the focus, as the key tests need

    Fenster(int min, int max, const QString& text)
    {
        auto* l = new QVBoxLayout(&fenster);
        spin = new TSpinEdit;
        spin->setFixedSize(49, 22);
        spin->setRange(min, max);
        spin->setDezimaltrenner(QStringLiteral(","));
        spin->setText(text);
        spin->setPiepser([this] { ++piepser; });
        anderes = new QLineEdit;
        l->addWidget(spin);
        l->addWidget(anderes);
        fenster.show();
        fenster.activateWindow();
        aktiv = QTest::qWaitForWindowActive(&fenster);
        spin->setFocus();
    }
    QPoint oben() const { return {spin->knoepfe()->width() / 2, 2}; }
    QPoint unten() const { return {spin->knoepfe()->width() / 2, spin->knoepfe()->height() - 3}; }
};

// An up-down pair on its own, stepping a hidden buddy field as the litre counters do.
struct UpDownFenster {
    QWidget fenster;
    QLineEdit* buddy = new QLineEdit(&fenster);
    TUpDown* knopf = new TUpDown(&fenster);
    static constexpr QPoint kAuf{7, 4};
    static constexpr QPoint kAb{7, 16};

    explicit UpDownFenster(const QString& text)
    {
        buddy->hide();
        buddy->setText(text);
        knopf->setGeometry(98, 44, 15, 21);
        knopf->setBuddy(buddy);
        fenster.show();
    }
};

} // namespace

class TstFelder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lesen_data();
    void lesen();
    void tippen_data();
    void tippen();
    void verlassen_data();
    void verlassen();
    void schritt_data();
    void schritt();
    void klickAussenLosgelassen();
    void haltenStandard();
    void halten();
    void haltenHinterFehlerbox();
    void gewichtEinfuegenIgnoriert();
    void kontextmenue_data();
    void kontextmenue();
    void reglerMeldungen_data();
    void reglerMeldungen();
    void setValueBegrenzt_data();
    void setValueBegrenzt();
    void updown_data();
    void updown();
    void updownHalten();
};

void TstFelder::lesen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("wert");
    QTest::newRow("Zahl") << "42" << 0 << 99 << 42;
    QTest::newRow("Pluszeichen") << "+7" << 0 << 99 << 7;
    QTest::newRow("negativ") << "-3" << -10 << 10 << -3;
    QTest::newRow("führende Nullen") << "007" << 0 << 99 << 7;
    QTest::newRow("leer") << "" << 1 << 99 << 1;
    QTest::newRow("nur Minus") << "-" << 1 << 99 << 1;
    QTest::newRow("nur Plus") << "+" << 0 << 9999 << 0;
    QTest::newRow("Komma") << "1,5" << 1 << 99 << 1;
    QTest::newRow("Punkt") << "1.5" << 1 << 99 << 1;
    QTest::newRow("Leerzeichen") << " 5" << 1 << 99 << 1;
    QTest::newRow("zwei Vorzeichen") << "--5" << 1 << 99 << 1;
    QTest::newRow("über Maximum") << "5000" << 0 << 999 << 5000;
    QTest::newRow("unter Minimum") << "0" << 1 << 99 << 0;
    QTest::newRow("int-Grenze") << "2147483647" << 0 << 999 << INT_MAX;
    QTest::newRow("int-Grenze negativ") << "-2147483648" << -5 << 999 << INT_MIN;
    QTest::newRow("Überlauf") << "2147483648" << 1 << 999 << 1;
    QTest::newRow("großer Überlauf") << "99999999999999999999999" << 1 << 999 << 1;
    QTest::newRow("arabische Ziffer") << QString::fromUtf8("\u0663") << 1 << 99 << 1;
}

void TstFelder::lesen()
{
    QFETCH(QString, text);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, wert);
    TSpinEdit s;
    s.setRange(min, max);
    s.setText(text);
    QCOMPARE(s.value(), wert);
}

void TstFelder::tippen_data()
{
    QTest::addColumn<bool>("tippenErlaubt");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("ergebnis");
    QTest::addColumn<int>("piepser");
    QTest::addColumn<int>("changes");
    QTest::newRow("Ziffern") << true << ""
                             << "12"
                             << "12" << 0 << 2;
    QTest::newRow("Vorzeichen und Komma") << true << ""
                                          << "-1,+"
                                          << "-1,+" << 0 << 4;
    QTest::newRow("Buchstabe") << true << "5"
                               << "a"
                               << "5" << 1 << 0;
    QTest::newRow("Punkt bei Komma-Trenner") << true << "5"
                                             << "."
                                             << "5" << 1 << 0;
    QTest::newRow("Leerzeichen") << true << "5"
                                 << " "
                                 << "5" << 1 << 0;
    QTest::newRow("Enter") << true << "5"
                           << "\r"
                           << "5" << 1 << 0;
    QTest::newRow("Rücktaste") << true << "12"
                               << "\b"
                               << "1" << 0 << 1;
    QTest::newRow("Entf am Anfang") << true << "12"
                                    << "\x01\x7f"
                                    << "2" << 0 << 1;
    QTest::newRow("Pfeile") << true << "5"
                            << "\x02\x02\x03"
                            << "6" << 0 << 3;
    QTest::newRow("Tab verlässt") << true << "5"
                                  << "\t"
                                  << "5" << 0 << 0;
    QTest::newRow("Gewicht: Ziffer") << false << "80"
                                     << "5"
                                     << "80" << 1 << 0;
    QTest::newRow("Gewicht: Rücktaste") << false << "80"
                                        << "\b"
                                        << "80" << 1 << 0;
    QTest::newRow("Gewicht: Entf vorn") << false << "80"
                                        << "\x01\x7f"
                                        << "0" << 0 << 1;
    QTest::newRow("Gewicht: Entf hinten") << false << "80"
                                          << "\x01\x7f\x7f"
                                          << "" << 0 << 2;
    QTest::newRow("Gewicht: Pfeil auf") << false << "80"
                                        << "\x02"
                                        << "81" << 0 << 1;
    QTest::newRow("Gewicht: Enter") << false << "80"
                                    << "\r"
                                    << "80" << 1 << 0;
}

void TstFelder::tippen()
{
    QFETCH(bool, tippenErlaubt);
    QFETCH(QString, start);
    QFETCH(QString, tasten);
    QFETCH(QString, ergebnis);
    QFETCH(int, piepser);
    QFETCH(int, changes);
    Fenster f(0, 999, start);
    QVERIFY(f.aktiv);
    f.spin->setTippenErlaubt(tippenErlaubt);
    f.spin->lineEdit()->end(false);
    QSignalSpy change(f.spin, &TSpinEdit::geaendert);
    tippe(f.spin->lineEdit(), tasten);
    QCOMPARE(f.spin->text(), ergebnis);
    QCOMPARE(f.piepser, piepser);
    QCOMPARE(change.count(), changes);
}

void TstFelder::verlassen_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("danach");
    QTest::addColumn<int>("changesBeimVerlassen");
    QTest::newRow("über Maximum") << 0 << 999 << "5000"
                                  << "999" << 1;
    QTest::newRow("unter Minimum") << 1 << 99 << "0"
                                   << "1" << 1;
    QTest::newRow("negativ") << 1 << 99 << "-5"
                             << "1" << 1;
    QTest::newRow("im Bereich") << 0 << 999 << "50"
                                << "50" << 0;
    QTest::newRow("keine Zahl") << 1 << 99 << "1,5"
                                << "1,5" << 0;
    QTest::newRow("leer") << 0 << 999 << ""
                          << "" << 0;
    QTest::newRow("Überlauf bleibt") << 0 << 999 << "99999999999"
                                     << "99999999999" << 0;
    QTest::newRow("Pluszeichen im Bereich") << 0 << 999 << "+5"
                                            << "+5" << 0;
}

void TstFelder::verlassen()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, getippt);
    QFETCH(QString, danach);
    QFETCH(int, changesBeimVerlassen);
    Fenster f(min, max, QString());
    QVERIFY(f.aktiv);
    QVERIFY(f.spin->lineEdit()->hasFocus());
    tippe(f.spin->lineEdit(), getippt);
    QCOMPARE(f.spin->text(), getippt);
    // While the field has the focus, a number out of range is used as it stands.
    if (const auto zahl = GanzzahlAusText(getippt))
        QCOMPARE(f.spin->value(), *zahl);
    QSignalSpy change(f.spin, &TSpinEdit::geaendert);
    f.anderes->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.spin->text(), danach);
    QCOMPARE(change.count(), changesBeimVerlassen);
}

void TstFelder::schritt_data()
{
    QTest::addColumn<bool>("maus"); // buttons, else arrow keys
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("richtung");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QString>("ergebnis");
    QTest::addColumn<int>("changes");
    for (const bool maus : {true, false}) {
        const char* art = maus ? "Maus: " : "Taste: ";
        auto zeile = [&](const char* name) -> QTestData& {
            return QTest::newRow(qPrintable(QString::fromUtf8(art) + QString::fromUtf8(name)))
                   << maus;
        };
        zeile("auf") << "5" << 1 << 3 << "8" << 3;
        zeile("ab") << "5" << -1 << 2 << "3" << 2;
        zeile("am Maximum") << "99" << 1 << 2 << "99" << 0;
        zeile("bis zum Maximum") << "98" << 1 << 3 << "99" << 1;
        zeile("am Minimum") << "1" << -1 << 1 << "1" << 0;
        zeile("ungültig liest Minimum") << "1,5" << 1 << 1 << "2" << 1;
        zeile("leer ab") << "" << -1 << 1 << "1" << 1;
        zeile("über Maximum auf") << "5000" << 1 << 1 << "99" << 1;
        zeile("über Maximum ab") << "5000" << -1 << 1 << "99" << 1;
        zeile("Pluszeichen wird schlicht") << "+5" << 1 << 1 << "6" << 1;
    }
}

void TstFelder::schritt()
{
    QFETCH(bool, maus);
    QFETCH(QString, start);
    QFETCH(int, richtung);
    QFETCH(int, anzahl);
    QFETCH(QString, ergebnis);
    QFETCH(int, changes);
    Fenster f(1, 99, start);
    QSignalSpy change(f.spin, &TSpinEdit::geaendert);
    for (int i = 0; i < anzahl; ++i) {
        if (maus)
            QTest::mouseClick(f.spin->knoepfe(), Qt::LeftButton, {},
                              richtung > 0 ? f.oben() : f.unten());
        else
            QTest::keyClick(f.spin->lineEdit(), richtung > 0 ? Qt::Key_Up : Qt::Key_Down);
    }
    QCOMPARE(f.spin->text(), ergebnis);
    QCOMPARE(change.count(), changes);
    QCOMPARE(f.piepser, 0);
}

void TstFelder::klickAussenLosgelassen()
{
    Fenster f(0, 99, QStringLiteral("5"));
    QTest::mousePress(f.spin->knoepfe(), Qt::LeftButton, {}, f.oben());
    QTest::mouseMove(f.spin->knoepfe(), QPoint(-20, -20));
    QTest::mouseRelease(f.spin->knoepfe(), Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(f.spin->text(), QStringLiteral("5"));
}

void TstFelder::haltenStandard()
{
    // A held button repeats after 400 ms, then every 100 ms, as the system's own spin buttons do.
    TUpDown knopf;
    QCOMPARE(knopf.wiederholVerzoegerung(), 400ms);
    QCOMPARE(knopf.wiederholIntervall(), 100ms);
}

void TstFelder::halten()
{
    Fenster f(0, 999, QStringLiteral("10"));
    f.spin->knoepfe()->setWiederholung(kVerzoegerung, kIntervall);
    QElapsedTimer uhr;
    std::vector<qint64> schritte; // when each step came, from the press
    connect(f.spin, &TSpinEdit::geaendert, &f.fenster, [&] { schritte.push_back(uhr.elapsed()); });
    uhr.start();
    QTest::mousePress(f.spin->knoepfe(), Qt::LeftButton, {}, f.oben());
    QTRY_VERIFY(schritte.size() >= 4);
    QTest::mouseRelease(f.spin->knoepfe(), Qt::LeftButton, {}, f.oben());
    // The first repeat after the delay, each further one after the interval: a busy machine
    // makes them late, never early.
    QVERIFY2(schritte[0] >= kVerzoegerung.count(), qPrintable(QString::number(schritte[0])));
    for (std::size_t i = 1; i + 1 < schritte.size(); ++i)
        QVERIFY2(
            schritte[i] - schritte[i - 1] >= kIntervall.count(),
            qPrintable(
                QStringLiteral("step %1 after %2 ms").arg(i).arg(schritte[i] - schritte[i - 1])));
    // The release steps once more, and every step was written.
    QCOMPARE(f.spin->value(), 10 + int(schritte.size()));
    const std::size_t nachLoslassen = schritte.size();
    QTest::qWait(int(3 * kIntervall.count()));
    QCOMPARE(schritte.size(), nachLoslassen); // stops on release
}

void TstFelder::haltenHinterFehlerbox()
{
    // A step whose recalculation fails opens a modal box; the button's release then goes to the
    // box, and the repeat must not go on stepping (and stacking boxes) behind it.
    Fenster f(0, 999, QStringLiteral("10"));
    f.spin->knoepfe()->setWiederholung(kVerzoegerung, kIntervall);
    int boxen = 0;
    connect(f.spin, &TSpinEdit::geaendert, &f.fenster, [&] {
        ++boxen;
        QDialog box(&f.fenster);
        QTimer::singleShot(6 * kIntervall, &box, &QDialog::accept);
        box.exec();
    });
    QTest::mousePress(f.spin->knoepfe(), Qt::LeftButton, {}, f.oben());
    QTRY_COMPARE_WITH_TIMEOUT(boxen, 1, 3000);
    QTest::qWait(int(9 * kIntervall.count())); // the box is gone; the button was never released
    QCOMPARE(boxen, 1);
    QCOMPARE(f.spin->text(), QStringLiteral("11"));
    QTest::mouseRelease(f.spin->knoepfe(), Qt::LeftButton, {}, f.oben());
    QCOMPARE(f.spin->text(), QStringLiteral("11"));
}

void TstFelder::gewichtEinfuegenIgnoriert()
{
    Fenster f(1, 999, QStringLiteral("80"));
    f.spin->setTippenErlaubt(false);
    QApplication::clipboard()->setText(QStringLiteral("12"));
    // Every platform the tests run on (offscreen, xcb, wayland) has a clipboard; without one the
    // paste below would prove nothing.
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("12"));
    QSignalSpy change(f.spin, &TSpinEdit::geaendert);
    f.spin->lineEdit()->selectAll();
    tippe(f.spin->lineEdit(), QStringLiteral("\x04\x07\x05"));
    QCOMPARE(f.spin->text(), QStringLiteral("80"));
    QCOMPARE(change.count(), 0);
    QVERIFY(!f.spin->lineEdit()->acceptDrops());

    // An ordinary field takes the paste.
    Fenster normal(1, 999, QStringLiteral("80"));
    normal.spin->lineEdit()->selectAll();
    tippe(normal.spin->lineEdit(), QStringLiteral("\x04"));
    QCOMPARE(normal.spin->text(), QStringLiteral("12"));
}

void TstFelder::kontextmenue_data()
{
    QTest::addColumn<bool>("gewicht");
    QTest::addColumn<bool>("deutsch");
    QTest::addColumn<QStringList>("texte"); // Cut and Paste as the menu names them
    const QStringList englisch{QStringLiteral("Cu&t"), QStringLiteral("&Paste")};
    QTest::newRow("Gewicht") << true << false << englisch;
    QTest::newRow("Gewicht, deutsch")
        << true << true
        << QStringList{QStringLiteral("&Ausschneiden"), QString::fromUtf8("Einf&ügen")};
    QTest::newRow("andere Felder") << false << false << englisch;
}

// The weight field's own menu offers neither Cut nor Paste, in either language.
void TstFelder::kontextmenue()
{
    QFETCH(bool, gewicht);
    QFETCH(bool, deutsch);
    QFETCH(QStringList, texte);
    if (deutsch)
        QVERIFY(LadeQtUebersetzung(*QCoreApplication::instance(),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    const auto aufraeumen =
        qScopeGuard([] { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); });
    Fenster f(1, 999, QStringLiteral("80"));
    f.spin->setTippenErlaubt(!gewicht);
    QStringList angeboten;
    QTimer::singleShot(0, &f.fenster, [&] {
        if (auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menue->actions())
                angeboten << a->text().section(QLatin1Char('\t'), 0, 0);
            menue->close();
        }
    });
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5),
                        f.spin->lineEdit()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.spin->lineEdit(), &e);
    QTRY_VERIFY(!angeboten.isEmpty()); // an ordinary field's menu pops up without waiting
    for (const QString& t : texte)
        QVERIFY2(angeboten.contains(t) != gewicht, qPrintable(angeboten.join(QLatin1Char('|'))));
}

// Every movement notification, also one that leaves the position unchanged.
void TstFelder::reglerMeldungen_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("taste"); // 0: one wheel step down
    QTest::addColumn<int>("ende");
    QTest::newRow("rechts am rechten Ende") << 2 << int(Qt::Key_Right) << 2;
    QTest::newRow("Ende am rechten Ende") << 2 << int(Qt::Key_End) << 2;
    QTest::newRow("auf am rechten Ende") << 2 << int(Qt::Key_Up) << 2;
    QTest::newRow("Bild auf am rechten Ende") << 2 << int(Qt::Key_PageUp) << 2;
    QTest::newRow("links am linken Ende") << 0 << int(Qt::Key_Left) << 0;
    QTest::newRow("Pos1 am linken Ende") << 0 << int(Qt::Key_Home) << 0;
    QTest::newRow("ab am linken Ende") << 0 << int(Qt::Key_Down) << 0;
    QTest::newRow("Rad am linken Ende") << 0 << 0 << 0;
    QTest::newRow("ein Schritt nach rechts") << 1 << int(Qt::Key_Right) << 2;
    QTest::newRow("an den Anfang") << 2 << int(Qt::Key_Home) << 0;
    QTest::newRow("Rad in der Mitte") << 1 << 0 << 0;
}

void TstFelder::reglerMeldungen()
{
    QFETCH(int, start);
    QFETCH(int, taste);
    QFETCH(int, ende);
    TTrackBar regler;
    regler.setRange(0, 2);
    regler.setPageStep(1);
    regler.setValue(start);
    regler.resize(129, 30);
    regler.show();
    // The handler sees the position the notification is about.
    QList<int> gesehen;
    connect(&regler, &TTrackBar::geaendert, &regler, [&] { gesehen << regler.value(); });
    if (taste == 0) {
        const QPointF ort(60, 15);
        QWheelEvent rad(ort, regler.mapToGlobal(ort), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&regler, &rad);
    } else {
        QTest::keyClick(&regler, static_cast<Qt::Key>(taste));
    }
    QCOMPARE(gesehen, QList<int>{ende});
    // The program's own changes notify only when the position changes.
    regler.setValue(ende);
    regler.setValue(4);
    QCOMPARE(gesehen, ende == 2 ? QList<int>{2} : (QList<int>{ende, 2}));
}

void TstFelder::setValueBegrenzt_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("wert");
    QTest::addColumn<QString>("ergebnis");
    QTest::addColumn<int>("changes");
    QTest::newRow("im Bereich") << "5" << 7 << "7" << 1;
    QTest::newRow("gleicher Text") << "7" << 7 << "7" << 0;
    QTest::newRow("zu groß") << "5" << 4000 << "999" << 1;
    QTest::newRow("zu klein") << "5" << -4 << "1" << 1;
    QTest::newRow("INT_MAX") << "5" << INT_MAX << "999" << 1;
    QTest::newRow("Pluszeichen wird schlicht") << "+7" << 7 << "7" << 1;
}

void TstFelder::setValueBegrenzt()
{
    QFETCH(QString, start);
    QFETCH(int, wert);
    QFETCH(QString, ergebnis);
    QFETCH(int, changes);
    TSpinEdit s;
    s.setRange(1, 999);
    s.setText(start);
    QSignalSpy change(&s, &TSpinEdit::geaendert);
    s.setValue(wert);
    QCOMPARE(s.text(), ergebnis);
    QCOMPARE(change.count(), changes);
}

void TstFelder::updown_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("richtung");
    QTest::addColumn<int>("klicks");
    QTest::addColumn<QString>("ergebnis");
    QTest::addColumn<int>("aenderungen");
    QTest::newRow("zehnmal auf") << "0" << 1 << 10 << "10" << 10;
    QTest::newRow("ab") << "10" << -1 << 3 << "7" << 3;
    QTest::newRow("bei 100 kein Signal") << "100" << 1 << 2 << "100" << 0;
    QTest::newRow("bei 0 kein Signal") << "0" << -1 << 1 << "0" << 0;
    QTest::newRow("bis 100") << "99" << 1 << 3 << "100" << 1;
    QTest::newRow("kein Ganzzahltext") << "1,5" << 1 << 1 << "1" << 1;
    QTest::newRow("leer ab") << "" << -1 << 1 << "0" << 1;
    QTest::newRow("über Bereich") << "150" << 1 << 1 << "100" << 1;
    QTest::newRow("Pluszeichen") << "+5" << 1 << 1 << "6" << 1;
}

void TstFelder::updown()
{
    QFETCH(QString, start);
    QFETCH(int, richtung);
    QFETCH(int, klicks);
    QFETCH(QString, ergebnis);
    QFETCH(int, aenderungen);
    UpDownFenster f(start);
    QSignalSpy spy(f.buddy, &QLineEdit::textChanged);
    QSignalSpy geklickt(f.knopf, &TUpDown::geklickt);
    for (int i = 0; i < klicks; ++i)
        QTest::mouseClick(f.knopf, Qt::LeftButton, {}, richtung > 0 ? f.kAuf : f.kAb);
    QCOMPARE(f.buddy->text(), ergebnis);
    QCOMPARE(spy.count(), aenderungen);
    QCOMPARE(geklickt.count(), klicks);
}

void TstFelder::updownHalten()
{
    UpDownFenster f(QStringLiteral("98"));
    f.knopf->setWiederholung(kVerzoegerung, kIntervall);
    QSignalSpy geklickt(f.knopf, &TUpDown::geklickt);
    QTest::mousePress(f.knopf, Qt::LeftButton, {}, f.kAuf);
    // Two repeats reach 100, the third tries to go beyond it.
    QTRY_VERIFY(geklickt.count() >= 3);
    QTest::mouseRelease(f.knopf, Qt::LeftButton, {}, f.kAuf);
    QCOMPARE(f.buddy->text(), QStringLiteral("100")); // held past the limit: no wrap
}

QTEST_MAIN(TstFelder)
#include "tst_felder.moc"
