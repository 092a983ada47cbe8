// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random but valid user actions on the main window: clicks on every control and
// tab, held arrows, keys and random texts in every field, "Zurück", "Kopieren", the chart menu
// with files in a temporary folder, and the two windows. Modal boxes are dismissed as they
// come. Seeded, so that a failure can be replayed:
//   ZW_STRESS_SAAT=<seed> ZW_STRESS_AKTIONEN=<count> tst_stress

#include "calc/berechnung.h"
#include "chart/tchart.h"
#include "report/ergebnistexte.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/tgroupbox.h"
#include "ui/tpagecontrol.h"
#include "ui/tsavepicturedialog.h"
#include "ui/tspinedit.h"
#include "ui/ttextfeld.h"
#include "ui/ttrackbar.h"
#include "ui/tupdown.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <random>

using namespace zw;

namespace {

// What the program may say in an error box, and nothing else.
const QRegularExpression Fehlertexte(
    QStringLiteral("^('.*' is not a valid floating point value|Floating point division by "
                   "zero|Invalid floating point operation"
                   "|Floating point overflow|Cannot open clipboard|Cannot create file .*)\\.?$"),
    QRegularExpression::DotMatchesEverythingOption);

QStringList dateienUnter(const QString& ordner)
{
    QStringList dateien;
    QDirIterator it(ordner, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        dateien << it.next();
    dateien.sort();
    return dateien;
}

} // namespace

class TstStress : public QObject {
    Q_OBJECT

public:
    TstStress(QString wurzel, QString arbeitsordner)
        : wurzel_(std::move(wurzel)), arbeitsordner_(std::move(arbeitsordner))
    {}

private Q_SLOTS:
    void zufaelligeBedienung();

private:
    void bedieneModales();
    void aktion();
    void tippeZufaellig(QLineEdit* feld);
    QString zufallstext(int laenge);
    int zufall(int grenze) { return std::uniform_int_distribution<int>(0, grenze - 1)(zufall_); }

    QString wurzel_;
    QString arbeitsordner_;
    QString bilderordner_;
    std::mt19937 zufall_;
    std::unique_ptr<TForm1> form_;
    QStringList fehlerboxen_;
    int andereBoxen_ = 0;
    int gespeichert_ = 0;
};

void TstStress::bedieneModales()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (box->icon() == QMessageBox::Critical) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Zechwaage 3.3a"));
            fehlerboxen_ << box->text();
        } else {
            ++andereBoxen_;
        }
        // "Replace the file?" is answered yes; everything else has a single button.
        if (QAbstractButton* ja = box->button(QMessageBox::Yes))
            ja->click();
        else
            box->done(QMessageBox::Ok);
    } else if (auto* dialog = qobject_cast<TSavePictureDialog*>(modal)) {
        static const QStringList endungen{QStringLiteral(".wmf"),
                                          QStringLiteral(".EMF"),
                                          QStringLiteral(".bmp"),
                                          QStringLiteral(".Png"),
                                          QStringLiteral(".svg"),
                                          QStringLiteral(".txt"),
                                          QString()};
        if (zufall(4) == 0) {
            dialog->reject();
        } else {
            const QString name =
                QStringLiteral("grafik%1%2").arg(zufall(3)).arg(endungen.value(zufall(7)));
            dialog->setDirectory(bilderordner_);
            dialog->selectFile(QDir(bilderordner_).filePath(name));
            // Accepting may ask whether to replace the file, in a loop of its own: run it
            // from the dialog's loop, where this timer can fire again.
            QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            ++gespeichert_;
        }
    } else if (auto* anderer = qobject_cast<QDialog*>(modal)) {
        QTest::keyClick(anderer, zufall(2) ? Qt::Key_Escape : Qt::Key_Return);
    } else {
        modal->close();
    }
}

QString TstStress::zufallstext(int laenge)
{
    static const QString zeichen = QStringLiteral("0123456789,.,,E e+-x");
    QString text;
    for (int i = 0; i < laenge; ++i)
        text += zeichen.at(zufall(static_cast<int>(zeichen.size())));
    return text;
}

void TstStress::tippeZufaellig(QLineEdit* feld)
{
    feld->setFocus();
    switch (zufall(4)) {
    case 0:
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(feld, zufallstext(1 + zufall(6)));
        break;
    case 1: QTest::keyClick(feld, Qt::Key_Backspace); break;
    case 2: QTest::keyClick(feld, Qt::Key_Delete); break;
    default: QTest::keyClicks(feld, QString::number(zufall(30))); break;
    }
}

void TstStress::aktion()
{
    TForm1& f = *form_;
    const auto spalten = f.Schnellspalten();
    const auto spinfelder = f.Spinfelder();
    // Only controls on the page on show can be reached.
    // The stomach fill's list does not exist before its page is first shown.
    const auto sichtbar = [](QWidget* w) { return w && w->isVisible(); };

    switch (zufall(16)) {
    case 0: {
        QTabBar* leiste = f.PageControl1->tabBar();
        QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->tabRect(zufall(4)).center());
        break;
    }
    case 1:
    case 2: {
        const auto& s = spalten[static_cast<std::size_t>(zufall(6))];
        if (sichtbar(s.Knopf))
            QTest::mouseClick(s.Knopf, Qt::LeftButton, {}, {7, zufall(2) ? 4 : 16});
        break;
    }
    case 3:
    case 4: {
        QLineEdit* feld = spalten[static_cast<std::size_t>(zufall(6))].Liter;
        if (sichtbar(feld))
            tippeZufaellig(feld);
        break;
    }
    case 5:
    case 6: {
        TSpinEdit* feld =
            spinfelder[static_cast<std::size_t>(zufall(static_cast<int>(spinfelder.size())))];
        if (!sichtbar(feld))
            break;
        if (zufall(2))
            tippeZufaellig(feld->lineEdit());
        else
            QTest::keyClick(feld->lineEdit(), zufall(2) ? Qt::Key_Up : Qt::Key_Down);
        break;
    }
    case 7: {
        TSpinEdit* feld =
            spinfelder[static_cast<std::size_t>(zufall(static_cast<int>(spinfelder.size())))];
        if (!sichtbar(feld))
            break;
        TUpDown* knoepfe = feld->knoepfe();
        const QPoint punkt(knoepfe->width() / 2, zufall(2) ? 3 : knoepfe->height() - 3);
        if (zufall(20) == 0) {
            // Held down: repeats after 400 ms and then every 100 ms.
            QTest::mousePress(knoepfe, Qt::LeftButton, {}, punkt);
            QTest::qWait(450 + zufall(250));
            QTest::mouseRelease(knoepfe, Qt::LeftButton, {}, punkt);
        } else {
            QTest::mouseClick(knoepfe, Qt::LeftButton, {}, punkt);
        }
        break;
    }
    case 8:
        if (sichtbar(f.ComboBox2)) {
            f.ComboBox2->setFocus();
            QTest::keyClick(f.ComboBox2, zufall(2) ? Qt::Key_Down : Qt::Key_Up);
        }
        break;
    case 9:
        if (sichtbar(f.RadioGroup1))
            QTest::mouseClick(f.RadioGroup1Knoepfe->button(zufall(2)), Qt::LeftButton);
        break;
    case 10:
        if (sichtbar(f.TrackBar1)) {
            f.TrackBar1->setFocus();
            QTest::keyClick(f.TrackBar1, zufall(2) ? Qt::Key_Left : Qt::Key_Right);
        }
        break;
    case 11: QTest::mouseClick(zufall(3) ? f.ToolButton2 : f.ToolButton1, Qt::LeftButton); break;
    case 12:
        if (zufall(8) == 0) {
            // By the mouse through the window, as the window system delivers it, or by the
            // keyboard with the chart focused.
            if (zufall(2)) {
                QTest::mouseClick(f.window()->windowHandle(), Qt::RightButton, {},
                                  f.Chart1->mapTo(f.window(), QPoint(200, 60)));
            } else {
                f.Chart1->setFocus();
                QTest::keyClick(f.Chart1, Qt::Key_F10, Qt::ShiftModifier);
            }
            QCoreApplication::processEvents();
            // Choose one of the menu's items, or close it again.
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                if (zufall(3)) {
                    const auto aktionen = menu->actions();
                    menu->setActiveAction(
                        aktionen.value(zufall(static_cast<int>(aktionen.size()))));
                    QTest::keyClick(menu, Qt::Key_Return);
                } else {
                    menu->close();
                }
            }
        }
        break;
    case 13:
        if (zufall(10) == 0)
            QTest::mouseClick(zufall(2) ? f.ToolButton3 : f.ToolButton4, Qt::LeftButton);
        break;
    case 14: {
        QWidget* ziele[] = {f.Edit2,   f.Memo2,   f.Memo3,      f.Chart1,
                            f.Label15, f.UpDown3, f.StaticText1};
        QWidget* ziel = ziele[zufall(7)];
        if (sichtbar(ziel))
            QTest::mouseMove(ziel, {zufall(ziel->width()), zufall(ziel->height())});
        break;
    }
    default:
        if (QWidget* fokus = QApplication::focusWidget())
            QTest::keyClick(fokus, Qt::Key_Tab, zufall(2) ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    }
}

void TstStress::zufaelligeBedienung()
{
    const quint32 saat = qEnvironmentVariableIsSet("ZW_STRESS_SAAT")
                             ? static_cast<quint32>(qEnvironmentVariableIntValue("ZW_STRESS_SAAT"))
                             : 20261207u;
    const int aktionen = qEnvironmentVariableIsSet("ZW_STRESS_AKTIONEN")
                             ? qEnvironmentVariableIntValue("ZW_STRESS_AKTIONEN")
                             : 5000;
    qInfo("Saat %u, %d Aktionen", saat, aktionen);
    zufall_.seed(saat);
    bilderordner_ = QDir(wurzel_).filePath(QStringLiteral("bilder"));
    QVERIFY(QDir().mkpath(bilderordner_));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    form_ = std::make_unique<TForm1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));

    // Dismisses whatever modal box or menu comes up, also inside the boxes' own loops.
    QTimer bediener;
    bediener.setInterval(5);
    connect(&bediener, &QTimer::timeout, this, &TstStress::bedieneModales);
    bediener.start();

    for (int i = 0; i < aktionen; ++i) {
        aktion();
        QCoreApplication::processEvents();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("nach Aktion %1 (Saat %2)").arg(i).arg(saat)));
    }
    while (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        QTest::qWait(10);

    // Every failure came as an error box with one of the program's own texts.
    for (const QString& text : std::as_const(fehlerboxen_))
        QVERIFY2(Fehlertexte.match(text).hasMatch(), qPrintable(text));
    qInfo("%lld Fehlerboxen, %d Hinweise, %d Speicherversuche",
          static_cast<long long>(fehlerboxen_.size()), andereBoxen_, gespeichert_);

    // Still calculating correctly: empty every field the reset does not touch, reset, and
    // enter a litre of beer.
    QTest::mouseClick(form_->PageControl1->tabBar(), Qt::LeftButton, {},
                      form_->PageControl1->tabBar()->tabRect(0).center());
    for (const auto& s : form_->Schnellspalten()) {
        s.Liter->setFocus();
        QTest::keyClick(s.Liter, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(s.Liter, QStringLiteral("0"));
    }
    // The other fields still held garbage while the first ones were emptied.
    fehlerboxen_.clear();
    QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    for (int i = 0; i < 10; ++i)
        QTest::mouseClick(form_->UpDown1, Qt::LeftButton, {}, {7, 4});
    QVERIFY2(fehlerboxen_.isEmpty(), qPrintable(fehlerboxen_.join(QLatin1Char('\n'))));
    QCOMPARE(form_->Edit2->text(), QStringLiteral("1"));

    TEingabe e = StartEingabe();
    e.LiterBier = 1;
    e.Konstitution = 2; // where the reset leaves the slider
    const TErgebnisTexte erwartet = ErgebnisTexte(Berechne(e), TTrennzeichen{});
    QCOMPARE(form_->Memo2->text(), QString::fromStdString(erwartet.Maximum));
    QCOMPARE(form_->Memo4->text(), QString::fromStdString(erwartet.Aufnahme));
    QCOMPARE(form_->Memo5->text(), QString::fromStdString(erwartet.ZeitNuechtern));
    QCOMPARE(form_->Chart1->Series1.Punkte().size(), std::size_t{3});
    bediener.stop();
    form_.reset();

    // Nothing was written outside the temporary folder: the working folder stays empty, and
    // every picture file lies in the picture folder.
    QCOMPARE(dateienUnter(arbeitsordner_), QStringList());
    for (const QString& datei : dateienUnter(wurzel_))
        QVERIFY2(datei.startsWith(bilderordner_) ||
                     datei.startsWith(QDir(wurzel_).filePath(QStringLiteral("heim"))),
                 qPrintable(datei));
}

int main(int argc, char* argv[])
{
    // A home of its own, so that whatever the desktop libraries store stays in the test's
    // temporary folder, and an empty working folder that must stay empty.
    QTemporaryDir wurzel;
    if (!wurzel.isValid())
        return 1;
    const QString heim = wurzel.filePath(QStringLiteral("heim"));
    const QString arbeit = wurzel.filePath(QStringLiteral("arbeit"));
    QDir().mkpath(heim);
    QDir().mkpath(arbeit);
    qputenv("HOME", heim.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (heim + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (heim + QStringLiteral("/.cache")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (heim + QStringLiteral("/.local/share")).toLocal8Bit());
    QDir::setCurrent(arbeit);

    QApplication app(argc, argv);
    TstStress test(wurzel.path(), arbeit);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_stress.moc"
