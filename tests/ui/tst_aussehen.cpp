// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// How the windows look: under the default light palette exactly as the pictures kept in
// tests/ui/daten show them.
#include "ui/anwendung.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/tpagecontrol.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>

using namespace zw;

namespace {

// The pictures were taken with this Qt's style and font rendering; another minor version draws
// its controls a little differently, so it needs pictures of its own.
QString ReferenzOrdner()
{
    return QStringLiteral(ZW_TESTDATEN "/hell-qt%1.%2").arg(QT_VERSION_MAJOR).arg(QT_VERSION_MINOR);
}

QImage Bild(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

struct Ansicht {
    const char* name;
    std::function<QImage()> aufnahme;
};

} // namespace

class TstAussehen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void hellWieBisher_data();
    void hellWieBisher();

private:
    QImage hauptfenster(const std::function<void(TForm1&)>& schritt);
    template <typename Fenster>
    QImage dialog();
};

void TstAussehen::initTestCase()
{
    RichteAnwendungEin();
    // A caret that blinks would make every picture of a focused text field a gamble.
    QApplication::setCursorFlashTime(0);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

QImage TstAussehen::hauptfenster(const std::function<void(TForm1&)>& schritt)
{
    TForm1 form([](const QString&) {});
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        return {};
    schritt(form);
    return Bild(&form);
}

template <typename Fenster>
QImage TstAussehen::dialog()
{
    Fenster fenster;
    fenster.show();
    if (!QTest::qWaitForWindowExposed(&fenster))
        return {};
    return Bild(&fenster);
}

void TstAussehen::hellWieBisher_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"hauptfenster-start", "hauptfenster-bier", "hauptfenster-whisky", "seite-fein",
          "seite-parameter", "seite-physiognomie", "info", "formeln"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstAussehen::hellWieBisher()
{
    QFETCH(QString, name);
    const auto seite = [](int index) {
        return [index](TForm1& f) { f.PageControl1->setCurrentIndex(index); };
    };
    const Ansicht ansichten[] = {
        {"hauptfenster-start", [&] { return hauptfenster([](TForm1&) {}); }},
        {"hauptfenster-bier",
         [&] { return hauptfenster([](TForm1& f) { f.Edit2->setText(QStringLiteral("1")); }); }},
        {"hauptfenster-whisky",
         [&] { return hauptfenster([](TForm1& f) { f.Edit6->setText(QStringLiteral("1")); }); }},
        {"seite-fein", [&] { return hauptfenster(seite(1)); }},
        {"seite-parameter", [&] { return hauptfenster(seite(2)); }},
        {"seite-physiognomie", [&] { return hauptfenster(seite(3)); }},
        {"info", [&] { return dialog<TForm2>(); }},
        {"formeln", [&] { return dialog<TForm3>(); }},
    };
    QImage ist;
    for (const Ansicht& a : ansichten)
        if (name == QLatin1String(a.name))
            ist = a.aufnahme();
    QVERIFY2(!ist.isNull(), "the window did not come up");

    const QString datei = name + QStringLiteral(".png");
    // Writes the pictures for a Qt version that has none yet, from a tree known to be right.
    const QString neu = qEnvironmentVariable("ZW_REFERENZ_SCHREIBEN");
    if (!neu.isEmpty()) {
        QVERIFY(QDir().mkpath(neu));
        QVERIFY(ist.save(neu + QLatin1Char('/') + datei));
        return;
    }
    const QString ordner = ReferenzOrdner();
    if (!QDir(ordner).exists())
        QSKIP(qPrintable(QStringLiteral("no reference pictures for this Qt: ") + ordner));
    const QImage soll(ordner + QLatin1Char('/') + datei);
    QVERIFY2(!soll.isNull(), qPrintable(datei));
    if (ist.convertToFormat(QImage::Format_RGB32) == soll.convertToFormat(QImage::Format_RGB32))
        return;
    const QString ablage = QDir::temp().filePath(QStringLiteral("zechwaage-aussehen"));
    QDir().mkpath(ablage);
    ist.save(ablage + QLatin1Char('/') + datei);
    int anders = 0;
    if (ist.size() == soll.size())
        for (int y = 0; y < ist.height(); ++y)
            for (int x = 0; x < ist.width(); ++x)
                anders += ist.pixel(x, y) != soll.pixel(x, y);
    QFAIL(qPrintable(QStringLiteral("%1: %2 pixels differ (sizes %3x%4 / %5x%6); saved to %7")
                         .arg(datei)
                         .arg(anders)
                         .arg(ist.width())
                         .arg(ist.height())
                         .arg(soll.width())
                         .arg(soll.height())
                         .arg(ablage)));
}

QTEST_MAIN(TstAussehen)
#include "tst_aussehen.moc"
