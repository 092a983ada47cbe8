// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// How the windows look: under the default light palette exactly as the pictures kept in
// tests/ui/daten show them.
#include "chart/tchart.h"
#include "ui/anwendung.h"
#include "ui/bildexport.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/tpagecontrol.h"
#include "ui/ttextfeld.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <cstdint>
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

// A widget's rectangle in the device pixels of a picture of its window.
QRect Geraeterechteck(const QWidget* w, qreal dpr)
{
    const QRectF logisch(QPointF(w->mapTo(w->window(), QPoint(0, 0))), QSizeF(w->size()));
    return QRectF(logisch.topLeft() * dpr, logisch.size() * dpr).toAlignedRect();
}

enum Kante : std::uint8_t { Links, Oben, Rechts, Unten };

// Whether a frame line runs along one edge of r: along the edge, within a band reaching a
// little inside (frames are drawn up to a logical pixel in), nearly every step must find a
// pixel clearly darker than the face. A line lost to rounding leaves only face there.
QString KanteFehlt(const QImage& bild, QRect r, Kante kante, qreal dpr, int gesichtHell)
{
    const int band = int(std::ceil(2 * dpr)) + 1;
    const int ecke = int(std::ceil(3 * dpr));
    const bool waagrecht = kante == Oben || kante == Unten;
    const int von = (waagrecht ? r.left() : r.top()) + ecke;
    const int bis = (waagrecht ? r.right() : r.bottom()) - ecke;
    int schritte = 0, getroffen = 0;
    for (int entlang = von; entlang <= bis; ++entlang) {
        bool linie = false;
        for (int quer = -1; quer < band && !linie; ++quer) {
            QPoint p;
            switch (kante) {
            case Links: p = {r.left() + quer, entlang}; break;
            case Rechts: p = {r.right() - quer, entlang}; break;
            case Oben: p = {entlang, r.top() + quer}; break;
            case Unten: p = {entlang, r.bottom() - quer}; break;
            }
            linie = bild.rect().contains(p) && qGray(bild.pixel(p)) < gesichtHell - 25;
        }
        ++schritte;
        getroffen += linie;
    }
    if (schritte == 0 || getroffen * 10 >= schritte * 9)
        return {};
    static const char* const namen[] = {"left", "top", "right", "bottom"};
    return QStringLiteral("%1 of %2 positions on the %3 edge")
        .arg(getroffen)
        .arg(schritte)
        .arg(QLatin1String(namen[kante]));
}

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
    void dunkelWieAmSchirm_data();
    void dunkelWieAmSchirm();
    void ganzBeiSkala_data();
    void ganzBeiSkala();

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

void TstAussehen::dunkelWieAmSchirm_data()
{
    QTest::addColumn<int>("art");
    QTest::newRow("PNG") << int(TBildArt::Png);
    QTest::newRow("BMP") << int(TBildArt::Bmp);
}

// A saved picture shows the chart as the window does, in the colours a dark palette gives it.
void TstAussehen::dunkelWieAmSchirm()
{
    QFETCH(int, art);
    TForm1 form([](const QString&) {});
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    pal.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
    form.setPalette(pal);
    form.Edit2->setText(QStringLiteral("1"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage schirm = form.Chart1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage datei = QImage::fromData(ChartBild(*form.Chart1, TBildArt(art), 24))
                             .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(datei.size(), schirm.size());
    QVERIFY(datei == schirm);
    QCOMPARE(datei.pixelColor(1, 1), QColor(0x35, 0x35, 0x35));
}

void TstAussehen::ganzBeiSkala_data()
{
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<int>("seite");
    for (int seite = 0; seite < 4; ++seite)
        QTest::addRow("main window, page %d", seite) << QStringLiteral("Form1") << seite;
    QTest::newRow("info") << QStringLiteral("Form2") << 0;
    QTest::newRow("formulas") << QStringLiteral("Form3") << 0;
}

// Run once per scale factor (QT_SCALE_FACTOR): every frame line drawn and every text within
// its place.
void TstAussehen::ganzBeiSkala()
{
    QFETCH(QString, fenster);
    QFETCH(int, seite);
    std::unique_ptr<QWidget> w;
    if (fenster == QLatin1String("Form1")) {
        auto form = std::make_unique<TForm1>([](const QString&) {});
        form->PageControl1->setCurrentIndex(seite);
        // A long effect text, so the effect box shows more than one line.
        form->Edit6->setText(QStringLiteral("1"));
        w = std::move(form);
    } else if (fenster == QLatin1String("Form2")) {
        w = std::make_unique<TForm2>();
    } else {
        w = std::make_unique<TForm3>();
    }
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QPixmap aufnahme = w->grab();
    const qreal dpr = aufnahme.devicePixelRatio();
    const QImage bild = aufnahme.toImage().convertToFormat(QImage::Format_RGB32);
    const int gesicht = qGray(w->palette().color(QPalette::Window).rgb());

    QStringList fehler;
    const auto pruefe = [&](const QWidget* x, QRect r, std::initializer_list<Kante> kanten) {
        for (Kante k : kanten) {
            const QString f = KanteFehlt(bild, r, k, dpr, gesicht);
            if (!f.isEmpty())
                fehler << QString::fromLatin1(x->metaObject()->className()) + QLatin1Char(' ') +
                              x->accessibleName() + QStringLiteral(": ") + f;
        }
    };
    for (QWidget* x : w->findChildren<QWidget*>()) {
        if (!x->isVisibleTo(w.get()) || x->window() != w.get())
            continue;
        const QRect r = Geraeterechteck(x, dpr);
        if (auto* g = qobject_cast<QGroupBox*>(x)) {
            // The top line runs through the caption; the other three are whole.
            pruefe(g, r, {Links, Rechts, Unten});
        } else if (auto* t = qobject_cast<QTabWidget*>(x)) {
            // The pane above the tabs, which hang below its bottom line.
            QRect scheibe = r;
            scheibe.setBottom(Geraeterechteck(t->tabBar(), dpr).top() - 1);
            pruefe(t, scheibe, {Links, Oben, Rechts});
        } else if (auto* f = qobject_cast<QFrame*>(x);
                   f && f->frameShape() != QFrame::NoFrame && f->frameWidth() > 0 &&
                   qGray(f->palette().color(QPalette::Window).rgb()) == gesicht) {
            pruefe(f, r, {Links, Oben, Rechts, Unten});
        } else if (auto* e = qobject_cast<QLineEdit*>(x); e && e->hasFrame()) {
            pruefe(e, r, {Links, Oben, Rechts, Unten});
        }
    }

    // Texts: each label, button and tab has room for its text.
    for (const QLabel* l : w->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(w.get()) || l->text().isEmpty() || l->window() != w.get())
            continue;
        const QSize noetig =
            l->wordWrap() ? QSize(l->width(), l->heightForWidth(l->width())) : l->sizeHint();
        if (noetig.width() > l->width() || noetig.height() > l->height())
            fehler << QStringLiteral("'%1' needs %2x%3, has %4x%5")
                          .arg(l->text())
                          .arg(noetig.width())
                          .arg(noetig.height())
                          .arg(l->width())
                          .arg(l->height());
    }
    for (const QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(w.get()) || b->text().isEmpty())
            continue;
        // A tool button's caption stands beside its 16-pixel image.
        const int daneben = qobject_cast<const QToolButton*>(b) ? 16 + 5 : 0;
        if (daneben + b->fontMetrics().horizontalAdvance(b->text()) > b->width() ||
            (!qobject_cast<const QToolButton*>(b) && b->sizeHint().height() > b->height() + 4))
            fehler << QStringLiteral("button '%1' too small").arg(b->text());
    }
    for (const QTabBar* t : w->findChildren<QTabBar*>())
        for (int i = 0; i < t->count(); ++i)
            if (t->fontMetrics().horizontalAdvance(t->tabText(i)) > t->tabRect(i).width())
                fehler << QStringLiteral("tab '%1' too small").arg(t->tabText(i));
    if (!fehler.isEmpty())
        bild.save(QDir::temp().filePath(QStringLiteral("zechwaage-skala-%1-%2.png")
                                            .arg(QString::fromLatin1(QTest::currentDataTag()))
                                            .arg(dpr)));
    QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("at scale %1: ").arg(dpr) +
                                          fehler.join(QStringLiteral("; "))));
}

QTEST_MAIN(TstAussehen)
#include "tst_aussehen.moc"
