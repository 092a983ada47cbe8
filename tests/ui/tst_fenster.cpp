// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The formula and info windows and the drawn pictures.
#include "chart/farben.h"
#include "ui/adressen.h"
#include "ui/bilder.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/symbol.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QResource>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>

using namespace zw;

namespace {

std::unique_ptr<QDialog> neuesFenster(const QString& art)
{
    if (art == QLatin1String("Info"))
        return std::make_unique<TForm2>();
    return std::make_unique<TForm3>();
}

// The place a label's text needs, inside the label and the label inside its parent.
QString passtNicht(const QLabel* l)
{
    const QSize noetig =
        l->wordWrap() ? QSize(l->width(), l->heightForWidth(l->width())) : l->sizeHint();
    if (noetig.width() > l->width() || noetig.height() > l->height())
        return QStringLiteral("'%1' needs %2x%3, has %4x%5")
            .arg(l->text())
            .arg(noetig.width())
            .arg(noetig.height())
            .arg(l->width())
            .arg(l->height());
    if (!l->parentWidget()->rect().contains(l->geometry()))
        return QStringLiteral("'%1' runs past its parent").arg(l->text());
    return {};
}

} // namespace

class TstFenster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void schliessen_data();
    void schliessen();
    void fest_data();
    void fest();
    void verweise_data();
    void verweise();
    void verweiseMitTastatur_data();
    void verweiseMitTastatur();
    void verweisfarbe_data();
    void verweisfarbe();
    void bruchstricheDunkel();
    void bierglas_data();
    void bierglas();
    void blasen();
    void werkzeugbilder();
    void programmsymbol_data();
    void programmsymbol();
    void vorgezeichnet_data();
    void vorgezeichnet();
    void vorratBeschaedigt_data();
    void vorratBeschaedigt();
};

void TstFenster::schliessen_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("ergebnis");
    for (const char* art : {"Info", "Formeln"}) {
        QTest::addRow("%s: Enter", art)
            << QString::fromLatin1(art) << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::addRow("%s: Esc", art)
            << QString::fromLatin1(art) << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
}

void TstFenster::schliessen()
{
    QFETCH(QString, art);
    QFETCH(int, taste);
    QFETCH(int, ergebnis);
    const auto fenster = neuesFenster(art);
    // Twice: the window is shown again after it was closed.
    for (int mal = 0; mal < 2; ++mal) {
        bool gesendet = false;
        QTimer::singleShot(100, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                gesendet = modal == fenster.get();
                QTest::keyClick(modal, Qt::Key(taste));
            }
        });
        // Never hang: a window the key did not close is closed with a code no key gives.
        QTimer notbremse;
        notbremse.setSingleShot(true);
        connect(&notbremse, &QTimer::timeout, fenster.get(), [&] { fenster->done(99); });
        notbremse.start(5000);
        QCOMPARE(fenster->exec(), ergebnis);
        QVERIFY(gesendet);
        QVERIFY(!fenster->isVisible());
    }
}

void TstFenster::fest_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<QSize>("groesse");
    QTest::addColumn<QString>("titel");
    QTest::newRow("Info") << "Info" << QSize(280, 234) << "Info";
    QTest::newRow("Formeln") << "Formeln" << QSize(517, 341) << "Berechnungsformeln";
}

void TstFenster::fest()
{
    QFETCH(QString, art);
    QFETCH(QSize, groesse);
    QFETCH(QString, titel);
    const auto fenster = neuesFenster(art);
    fenster->show();
    QCOMPARE(fenster->size(), groesse);
    // Dragging the border cannot change it, neither larger nor smaller.
    for (const QSize versuch : {groesse + QSize(60, 40), groesse - QSize(60, 40)}) {
        fenster->resize(versuch);
        QCOMPARE(fenster->size(), groesse);
    }
    QCOMPARE(fenster->windowTitle(), titel);
    QVERIFY(
        !(fenster->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(fenster->windowFlags() & Qt::WindowCloseButtonHint);

    // Every text fits its place with the fonts installed here.
    const auto labels = fenster->findChildren<QLabel*>();
    QVERIFY(labels.size() >= 6);
    for (const QLabel* l : labels) {
        const QString fehler = passtNicht(l);
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler));
    }
    // No text runs into another or into the button (marks placed after their formula).
    QList<QPair<QString, QRect>> flaechen;
    for (const QLabel* l : labels) {
        const QPoint ursprung = l->parentWidget()->mapTo(fenster.get(), l->pos());
        if (l->wordWrap()) {
            flaechen.append({l->text(), QRect(ursprung, l->size())});
            continue;
        }
        // Runs of blanks inside a formula are room left for marks: only the words count.
        static const QRegularExpression woerter(QStringLiteral("\\S+(?: \\S+)*"));
        for (auto it = woerter.globalMatch(l->text()); it.hasNext();) {
            const auto m = it.next();
            const int x = l->fontMetrics().horizontalAdvance(l->text().left(m.capturedStart()));
            const int breite = l->fontMetrics().horizontalAdvance(m.captured());
            flaechen.append(
                {m.captured(), QRect(ursprung + QPoint(x, 0), QSize(breite, l->height()))});
        }
    }
    auto* knopf = fenster->findChild<QPushButton*>();
    QVERIFY(knopf && knopf->isDefault());
    flaechen.append({knopf->text(), knopf->geometry()});
    for (qsizetype i = 0; i < flaechen.size(); ++i)
        for (qsizetype j = i + 1; j < flaechen.size(); ++j)
            QVERIFY2(!flaechen[i].second.intersects(flaechen[j].second),
                     qPrintable(flaechen[i].first + QStringLiteral(" / ") + flaechen[j].first));
    for (const QGroupBox* g : fenster->findChildren<QGroupBox*>())
        QVERIFY2(QFontMetrics(g->font()).horizontalAdvance(g->title()) + 16 < g->width(),
                 qPrintable(g->title()));
    QVERIFY(QFontMetrics(knopf->font()).horizontalAdvance(knopf->text()) + 6 <= knopf->width());
}

void TstFenster::verweise_data()
{
    QTest::addColumn<bool>("email");
    QTest::addColumn<QUrl>("url");
    // The addresses this build was configured with (the placeholders unless set).
    QTest::newRow("E-Mail") << true
                            << QUrl(QStringLiteral("mailto:") + QString::fromLatin1(KontaktEMail));
    QTest::newRow("Web") << false << QUrl(QString::fromLatin1(Homepage));
}

void TstFenster::verweise()
{
    QFETCH(bool, email);
    QFETCH(QUrl, url);
    TForm2 info;
    QList<QUrl> geoeffnet;
    info.setUrlOeffner([&](const QUrl& u) { geoeffnet.append(u); });
    info.show();
    QLabel* verweis = email ? info.Label1 : info.Label4;
    QCOMPARE(verweis->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(verweis->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QTest::mouseClick(verweis, Qt::LeftButton, {}, verweis->rect().center());
    QCOMPARE(geoeffnet, QList<QUrl>{url});
    // A press that is released off the link opens nothing.
    QTest::mousePress(verweis, Qt::LeftButton, {}, verweis->rect().center());
    QTest::mouseRelease(verweis, Qt::LeftButton, {}, QPoint(-30, -30));
    QCOMPARE(geoeffnet.size(), 1);
    // The other texts are no links.
    QTest::mouseClick(info.Label7, Qt::LeftButton, {}, info.Label7->rect().center());
    QCOMPARE(geoeffnet.size(), 1);
}

void TstFenster::verweiseMitTastatur_data()
{
    QTest::addColumn<int>("tabs"); // presses of Tab from the button
    QTest::addColumn<int>("taste");
    QTest::addColumn<QUrl>("url");
    const QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(KontaktEMail));
    const QUrl web(QString::fromLatin1(Homepage));
    QTest::newRow("e-mail, Return") << 1 << int(Qt::Key_Return) << mail;
    QTest::newRow("e-mail, Space") << 1 << int(Qt::Key_Space) << mail;
    QTest::newRow("web, Enter") << 2 << int(Qt::Key_Enter) << web;
}

void TstFenster::verweiseMitTastatur()
{
    QFETCH(int, tabs);
    QFETCH(int, taste);
    QFETCH(QUrl, url);
    TForm2 info;
    QList<QUrl> geoeffnet;
    info.setUrlOeffner([&](const QUrl& u) { geoeffnet.append(u); });
    info.show();
    info.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&info));
    // The window opens with its button focused, so Enter still closes it.
    QCOMPARE(QApplication::focusWidget(), info.Button1);
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QLabel* verweis = qobject_cast<QLabel*>(QApplication::focusWidget());
    QVERIFY(verweis == info.Label1 || verweis == info.Label4);
    // The focus shows.
    const QImage mit = verweis->grab().toImage();
    verweis->clearFocus();
    QVERIFY(verweis->grab().toImage() != mit);
    verweis->setFocus(Qt::TabFocusReason);
    QTest::keyClick(verweis, Qt::Key(taste),
                    taste == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(geoeffnet, QList<QUrl>{url});
    QVERIFY(info.isVisible());
    // A screen reader sees a link and can press it.
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(verweis);
    QCOMPARE(zugang->role(), QAccessible::Link);
    QCOMPARE(zugang->text(QAccessible::Name), verweis->text());
    zugang->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(geoeffnet, (QList<QUrl>{url, url}));
}

void TstFenster::verweisfarbe_data()
{
    QTest::addColumn<QColor>("gesicht");
    QTest::addColumn<QColor>("verweis");
    QTest::addColumn<bool>("unveraendert");
    QTest::newRow("light face, blue link") << QColor(0xef, 0xef, 0xef) << QColor(Qt::blue) << true;
    QTest::newRow("dark face, light blue link")
        << QColor(0x35, 0x35, 0x35) << QColor(0x8a, 0xb4, 0xf8) << true;
    QTest::newRow("dark face, pure blue link")
        << QColor(0x35, 0x35, 0x35) << QColor(Qt::blue) << false;
    QTest::newRow("Breeze Dark") << QColor(0x20, 0x23, 0x26) << QColor(0x1d, 0x99, 0xf3) << true;
}

// The links take the palette's link colour, lightened only where it would not read on the face.
void TstFenster::verweisfarbe()
{
    QFETCH(QColor, gesicht);
    QFETCH(QColor, verweis);
    QFETCH(bool, unveraendert);
    TForm2 info;
    QPalette pal = info.palette();
    pal.setColor(QPalette::Window, gesicht);
    pal.setColor(QPalette::Link, verweis);
    info.setPalette(pal);
    for (QLabel* l : {info.Label1, info.Label4}) {
        const QColor farbe = l->palette().color(QPalette::WindowText);
        QVERIFY2(Kontrast(farbe, gesicht) >= MindestKontrast, qPrintable(farbe.name()));
        QCOMPARE(farbe == verweis, unveraendert);
    }
}

void TstFenster::bruchstricheDunkel()
{
    TForm3 formeln;
    QCOMPARE(formeln.Shape1->palette().color(QPalette::Window), QColor(Qt::black));
    QPalette pal = formeln.palette();
    pal.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    pal.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
    formeln.setPalette(pal);
    for (QFrame* strich : {formeln.Shape1, formeln.Shape3, formeln.Shape4})
        QCOMPARE(strich->palette().color(QPalette::Window), QColor(0xee, 0xee, 0xec));
}

void TstFenster::bierglas_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("2x") << 2.0;
}

void TstFenster::bierglas()
{
    QFETCH(qreal, dpr);
    const QPixmap bild = BierglasBild(dpr);
    QCOMPARE(bild.deviceIndependentSize(), QSizeF(58, 181));
    QCOMPARE(bild.size(), QSize(58, 181) * dpr);
    const QImage b = bild.toImage().convertToFormat(QImage::Format_ARGB32);
    const int w = b.width() - 1, h = b.height() - 1;
    for (const QPoint ecke : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
        QCOMPARE(qAlpha(b.pixel(ecke)), 0);
    // The foam crown is opaque and white, the beer below it golden.
    const QRgb schaum = b.pixel(QPoint(29, 12) * dpr);
    QCOMPARE(qAlpha(schaum), 255);
    QVERIFY(qRed(schaum) > 220 && qGreen(schaum) > 220 && qBlue(schaum) > 200);
    const QRgb bier = b.pixel(QPoint(24, 70) * dpr);
    QCOMPARE(qAlpha(bier), 255);
    QVERIFY(qRed(bier) > 180 && qGreen(bier) > 110 && qBlue(bier) < 120);
}

void TstFenster::blasen()
{
    const QImage a = BlasenBild(1).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(a.size(), QSize(84, 112));
    QCOMPARE(BlasenBild(2).deviceIndependentSize(), QSizeF(84, 112));
    QCOMPARE(BlasenBild(1).toImage().convertToFormat(QImage::Format_ARGB32), a); // no chance in it
    int golden = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            QCOMPARE(qAlpha(p), 255);
            golden += qRed(p) > 180 && qGreen(p) > 120 && qBlue(p) < 120;
        }
    QVERIFY2(golden > 100, qPrintable(QString::number(golden)));
    QVERIFY(qRed(a.pixel(0, 0)) + qGreen(a.pixel(0, 0)) + qBlue(a.pixel(0, 0)) < 60); // dark ground
}

void TstFenster::werkzeugbilder()
{
    QList<QImage> bisher;
    for (int i = 0; i < AnzahlWerkzeugbilder; ++i) {
        const QIcon eigen = Werkzeugbild(i);
        for (const int kante : {16, 32}) {
            const QImage b = eigen.pixmap(kante, kante).toImage();
            QCOMPARE(b.size(), QSize(kante, kante));
            QCOMPARE(b.convertToFormat(QImage::Format_ARGB32).pixel(0, kante - 1) >> 24, 0u);
        }
        const QImage klein = eigen.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!bisher.contains(klein), qPrintable(QString::number(i))); // six different pictures
        bisher.append(klein);
    }
    for (const int falsch : {-1, AnzahlWerkzeugbilder, 1000})
        QVERIFY(Werkzeugbild(falsch).isNull());
}

void TstFenster::programmsymbol_data()
{
    QTest::addColumn<int>("kante");
    for (const int kante : SymbolGroessen)
        QTest::addRow("%d px", kante) << kante;
}

// The window shows the icon the menu entry shows: the pictures made for the icon theme are the
// drawing as it is now (the script that makes them was run after the last change).
void TstFenster::programmsymbol()
{
    QFETCH(int, kante);
    const QImage datei = QImage(QStringLiteral(ZW_SYMBOLE "/%1.png").arg(kante))
                             .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(datei.size(), QSize(kante, kante));
    const QImage bild = SymbolBild(kante);
    QCOMPARE(bild.size(), datei.size());
    // Another Qt version may smooth an edge pixel a little differently.
    int anders = 0;
    for (int y = 0; y < kante; ++y)
        for (int x = 0; x < kante; ++x) {
            const QRgb a = bild.pixel(x, y);
            const QRgb b = datei.pixel(x, y);
            anders += std::abs(qRed(a) - qRed(b)) > 8 || std::abs(qGreen(a) - qGreen(b)) > 8 ||
                      std::abs(qBlue(a) - qBlue(b)) > 8 || std::abs(qAlpha(a) - qAlpha(b)) > 8;
        }
    QVERIFY2(anders * 100 <= kante * kante, qPrintable(QString::number(anders)));
    // The window's icon holds the sizes title and task bars use, each this same picture.
    const QIcon fenster = Programmsymbol();
    if (!fenster.availableSizes().contains(QSize(kante, kante))) {
        QVERIFY(kante == 22 || kante > 48);
        return;
    }
    QCOMPARE(fenster.pixmap(kante, kante).toImage().convertToFormat(QImage::Format_ARGB32), bild);
}

void TstFenster::vorgezeichnet_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QImage>("gezeichnet");
    for (const TVorgezeichnet& bild : ZeichneVorrat())
        QTest::newRow(bild.name.constData()) << bild.name << bild.bild;
}

// What the program shows at start-up is what the drawing code draws now: the build stored the
// pictures after the last change to it, every one of them, pixel for pixel.
void TstFenster::vorgezeichnet()
{
    QFETCH(QByteArray, name);
    QFETCH(QImage, gezeichnet);
    QVERIFY(!gezeichnet.isNull());
    const QImage gespeichert = Vorgezeichnet(name);
#if ZW_VORZEICHNEN
    QCOMPARE(gespeichert.format(), gezeichnet.format());
    QCOMPARE(gespeichert, gezeichnet);
    // Shown where it lies in the program, not copied to the heap.
    const QResource vorrat(QStringLiteral(":/zechwaage/vorgezeichnet"));
    const auto* anfang = reinterpret_cast<const char*>(vorrat.data());
    const auto* bits = reinterpret_cast<const char*>(gespeichert.constBits());
    QVERIFY(bits >= anfang && bits + gespeichert.sizeInBytes() <= anfang + vorrat.size());
#else
    QVERIFY(gespeichert.isNull()); // this build draws them at start-up
#endif
}

void TstFenster::vorratBeschaedigt_data()
{
    // The first record is the glass (58 x 181, 232 bytes a line): its header lies at fixed
    // places, after the four bytes that mark the file and the name with its length. Its pixels
    // begin 40 bytes in, on a multiple of four already, so its filling is empty.
    constexpr int kBreite = 4 + 4 + 8;
    constexpr int kHoehe = kBreite + 4;
    constexpr int kFormat = kHoehe + 4;
    constexpr int kFuellung = kFormat + 8;
    constexpr int kLaenge = kFuellung + 4;
    constexpr int kPixel = kLaenge + 4;
    const QByteArray ganz = VorratDaten();
    QCOMPARE(qFromBigEndian<qint32>(ganz.constData() + kBreite), 58);
    const auto mit = [&](int stelle, quint32 wert) {
        QByteArray d = ganz;
        qToBigEndian(wert, d.data() + stelle);
        return d;
    };
    QTest::addColumn<QByteArray>("daten");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("gefunden");
    QTest::newRow("first") << ganz << QByteArray("bierglas") << true;
    QTest::newRow("last, after all others") << ganz << QByteArray("symbol48") << true;
    QTest::newRow("a name's beginning") << ganz << QByteArray("bier") << false;
    QTest::newRow("no such name") << ganz << QByteArray("bierglas@2") << false;
    QTest::newRow("empty") << QByteArray() << QByteArray("bierglas") << false;
    QTest::newRow("another mark") << mit(0, 0x5a575631) << QByteArray("bierglas") << false;
    QTest::newRow("cut in a header") << ganz.left(kFormat) << QByteArray("bierglas") << false;
    QTest::newRow("cut in the pixels")
        << ganz.left(kPixel + 1000) << QByteArray("bierglas") << false;
    QTest::newRow("cut before the last")
        << ganz.left(ganz.size() - 100) << QByteArray("symbol48") << false;
    QTest::newRow("length past the end")
        << mit(kLaenge, 0x7fffffff) << QByteArray("bierglas") << false;
    QTest::newRow("length past the end, stepped over")
        << mit(kLaenge, 0x7fffffff) << QByteArray("symbol48") << false;
    QTest::newRow("no bytes at all") << mit(kLaenge, 0xffffffff) << QByteArray("bierglas") << false;
    QTest::newRow("filling past the end")
        << mit(kFuellung, 0x7fffffff) << QByteArray("bierglas") << false;
    QTest::newRow("wider than its lines") << mit(kBreite, 59) << QByteArray("bierglas") << false;
    QTest::newRow("narrower than its lines") << mit(kBreite, 57) << QByteArray("bierglas") << false;
    QTest::newRow("taller than its bytes") << mit(kHoehe, 182) << QByteArray("bierglas") << false;
    QTest::newRow("negative height")
        << mit(kHoehe, quint32(-181)) << QByteArray("bierglas") << false;
    QTest::newRow("invalid format") << mit(kFormat, 0) << QByteArray("bierglas") << false;
    QTest::newRow("unknown format") << mit(kFormat, 1000) << QByteArray("bierglas") << false;
}

// Whatever the bytes, reading them gives the picture or nothing, never more than they hold.
void TstFenster::vorratBeschaedigt()
{
    QFETCH(QByteArray, daten);
    QFETCH(QByteArray, name);
    QFETCH(bool, gefunden);
    QImage bild = LiesVorgezeichnet(daten, name);
    QCOMPARE(!bild.isNull(), gefunden);
    if (!gefunden)
        return;
    // A copy: it outlives the bytes it was read from.
    const auto* bits = reinterpret_cast<const char*>(bild.constBits());
    QVERIFY(bits + bild.sizeInBytes() <= daten.constData() ||
            bits >= daten.constData() + daten.size());
    daten.fill('\0');
    for (const TVorgezeichnet& gezeichnet : ZeichneVorrat())
        if (gezeichnet.name == name)
            QCOMPARE(bild, gezeichnet.bild);
}

QTEST_MAIN(TstFenster)
#include "tst_fenster.moc"
