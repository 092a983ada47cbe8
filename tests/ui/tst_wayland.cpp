// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a client of a real Wayland compositor (weston, started by wayland.sh): no
// title bar offers to maximise a window of fixed size, a request to maximise one all the same
// neither ends the program nor loses what was typed, and the chart arrives on the clipboard as
// an EMF under its EMF types.
#include "chart/tchart.h"
#include "ui/anwendung.h"
#include "ui/bildexport.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/ttextfeld.h"
#include "ui/ttitelleiste.h"
#include "ui/wayland.h"
#include "ui/zwischenablage.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>

using namespace zw;

class TstWayland : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void angebote_data();
    void angebote();
    void titelleiste_data();
    void titelleiste();
    void maximierenUeberlebt_data();
    void maximierenUeberlebt();
    void zwischenablageEmf();
};

namespace {

bool Gross(const QWidget* w)
{
    return (w->windowHandle()->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
}

} // namespace

void TstWayland::initTestCase()
{
    // Run anywhere else, these tests would prove nothing.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RichteAnwendungEin();
}

void TstWayland::angebote_data()
{
    QTest::addColumn<QByteArray>("schnittstelle");
    QTest::newRow("compositor") << QByteArray("wl_compositor");
    QTest::newRow("shared memory") << QByteArray("wl_shm");
    QTest::newRow("desktop windows") << QByteArray("xdg_wm_base");
}

// The list of offers is read through the client library Qt's plugin has loaded: it holds what
// every compositor offers, and the question about title bars is answered from it.
void TstWayland::angebote()
{
    QFETCH(QByteArray, schnittstelle);
    const QByteArrayList angebote = KompositorAngebote();
    QVERIFY2(angebote.contains(schnittstelle), angebote.join(' ').constData());
    QCOMPARE(KompositorZeichnetRahmen(), angebote.contains("zxdg_decoration_manager_v1"));
}

void TstWayland::titelleiste_data()
{
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QStringList>("knoepfe");
    const QStringList nurSchliessen{QStringLiteral("Schließen")};
    QTest::newRow("main window") << "Form1"
                                 << QStringList{QStringLiteral("Minimieren"),
                                                QStringLiteral("Schließen")};
    QTest::newRow("info") << "Form2" << nurSchliessen;
    QTest::newRow("formulas") << "Form3" << nurSchliessen;
    QTest::newRow("message box") << "Meldung" << nurSchliessen;
}

// weston draws no title bars: the windows draw their own, with the buttons they may have, and
// Qt draws none around them (it would offer to maximise).
void TstWayland::titelleiste()
{
    QFETCH(QString, fenster);
    QFETCH(QStringList, knoepfe);
    QVERIFY(!KompositorZeichnetRahmen());
    std::unique_ptr<QWidget> w;
    if (fenster == QLatin1String("Form1"))
        w = std::make_unique<TForm1>([](const QString&) {});
    else if (fenster == QLatin1String("Form2"))
        w = std::make_unique<TForm2>();
    else if (fenster == QLatin1String("Form3"))
        w = std::make_unique<TForm3>();
    else
        w = std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("Zechwaage 3.3a"),
                                          QStringLiteral("Floating point overflow."),
                                          QMessageBox::Ok);
    const QSize vorher = w->size();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(w->windowHandle()->flags() & Qt::FramelessWindowHint);
    QCOMPARE(w->windowHandle()->frameMargins(), QMargins());
    auto* leiste = w->findChild<TTitelleiste*>();
    QVERIFY(leiste);
    QStringList da;
    for (const QToolButton* k : leiste->findChildren<QToolButton*>())
        da << k->accessibleName();
    da.sort();
    QCOMPARE(da, knoepfe);
    QCOMPARE(leiste->geometry(), QRect(1, 1, w->width() - 2, TTitelleiste::Hoehe));
    if (auto* form = dynamic_cast<TForm1*>(w.get())) {
        // The window's own area keeps its size below the bar, the controls their places in it.
        QCOMPARE(w->size(), vorher + QSize(2, TTitelleiste::Hoehe + 2));
        QCOMPARE(form->Panel1->pos(), QPoint(8, 8) + QPoint(1, 1 + TTitelleiste::Hoehe));
        QCOMPARE(w->minimumSize(), w->maximumSize());
    }
}

void TstWayland::maximierenUeberlebt_data()
{
    QTest::addColumn<QString>("wie");
    QTest::newRow("maximise, as Qt's own title bar asks") << "maximieren";
    QTest::newRow("full screen") << "vollbild";
    QTest::newRow("double click on the title bar") << "doppelklick";
}

// The compositor disconnected a maximised window of fixed size at its next frame, and what the
// user had typed was lost. Now the window follows the compositor's size for as long as the
// request stands and comes back to its own; typing goes on meanwhile.
void TstWayland::maximierenUeberlebt()
{
    QFETCH(QString, wie);
    TForm1 form([](const QString&) {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize fest = form.size();
    QWindow* handle = form.windowHandle();
    if (wie == QLatin1String("maximieren"))
        handle->setWindowStates(handle->windowStates() ^ Qt::WindowMaximized);
    else if (wie == QLatin1String("vollbild"))
        handle->setWindowStates(Qt::WindowFullScreen);
    else if (auto* leiste = form.findChild<TTitelleiste*>())
        QTest::mouseDClick(leiste, Qt::LeftButton, {}, QPoint(200, 10));
    else
        QFAIL("no title bar of its own: the compositor draws title bars");

    // Typing and repainting right after: each frame is checked by the compositor.
    form.Edit2->setFocus();
    QTest::keyClick(form.Edit2, Qt::Key_A, Qt::ControlModifier);
    for (const char taste : {'1', ',', '5'}) {
        QTest::keyClick(form.Edit2, taste);
        form.repaint();
        QTest::qWait(200);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!Gross(&form) && form.size() == fest, 5000);
    for (int i = 0; i < 5; ++i) {
        form.repaint();
        QTest::qWait(100);
    }
    QCOMPARE(form.Edit2->text(), QStringLiteral("1,5"));
    QCOMPARE(form.Memo2->text(), QStringLiteral("0,727 °/oo"));
    QCOMPARE(form.minimumSize(), fest);
    QCOMPARE(form.maximumSize(), fest);
}

// What a program reading the clipboard gets under image/emf and image/x-emf: an enhanced
// metafile (its header names itself " EMF" at byte 40), not a bitmap.
void TstWayland::zwischenablageEmf()
{
    TForm1 form([](const QString&) {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Edit2->setText(QStringLiteral("1"));
    TSystemZwischenablage ablage;
    QVERIFY(Zwischenspeicher(*form.Chart1, ablage, [](const QString& f) { QFAIL(qPrintable(f)); }));
    QTest::qWait(300);
    const auto lies = [](const QStringList& argumente) {
        QProcess wlPaste;
        wlPaste.start(QStringLiteral("wl-paste"), argumente);
        // The program answers the request from its own event loop: keep it running. A reader
        // that never ends leaves an empty answer, which the checks below reject.
        for (int i = 0; i < 500 && wlPaste.state() != QProcess::NotRunning; ++i)
            QTest::qWait(20);
        return wlPaste.readAllStandardOutput();
    };
    const QList<QByteArray> arten = lies({QStringLiteral("--list-types")}).split('\n');
    for (const char* art : {"image/emf", "image/x-emf", "image/png"})
        QVERIFY2(arten.contains(art), art);
    for (const char* art : {"image/emf", "image/x-emf"}) {
        const QByteArray emf = lies({QStringLiteral("--type"), QString::fromLatin1(art)});
        QVERIFY2(emf.size() > 88 && emf.mid(40, 4) == " EMF",
                 qPrintable(QString::fromLatin1(art) + QLatin1Char(' ') +
                            QString::fromLatin1(emf.left(2).toHex())));
        QCOMPARE(emf, ChartBild(*form.Chart1, TBildArt::Emf));
    }
    const QImage png =
        QImage::fromData(lies({QStringLiteral("--type"), QStringLiteral("image/png")}));
    QCOMPARE(png.size(), QSize(505, 137));
}

QTEST_MAIN(TstWayland)
#include "tst_wayland.moc"
