// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The failure box with what users type into it: any length stays on the screen, whole in the
// details, and direction marks stay inside the typed text.
#include "ui/fehler.h"

#include "report/zahltext.h"
#include "ui/bildexport.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace zw;

namespace {

// 100 kB of words, as pasted into a litre field.
QString Woerter()
{
    QString text;
    for (int i = 0; text.size() < 100'000; ++i)
        text += QStringLiteral("Wort%1 ").arg(i);
    return text;
}

QString Konvertierungsfehler(const QString& getippt)
{
    try {
        LiesGleitkomma(getippt.toStdString(), TTrennzeichen{});
    } catch (const EConvertError& f) {
        return QString::fromUtf8(f.what());
    }
    return {};
}

} // namespace

class TstFehler : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The full stop follows the last character of the message, not the isolation around a
    // typed text at its end.
    void punkt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("gezeigt");
        QTest::newRow("typed text in the middle")
            << Konvertierungsfehler(QStringLiteral("x"))
            << QStringLiteral("'\u2068x\u2069' is not a valid floating point value.");
        QTest::newRow("name ending in a bracket")
            << DateiNichtErstelltText(QStringLiteral("(x)"))
            << QStringLiteral("Cannot create file \u2068(x)\u2069");
        QTest::newRow("name ending in a letter")
            << DateiNichtErstelltText(QStringLiteral("a.wmf2"))
            << QStringLiteral("Cannot create file \u2068a.wmf2\u2069.");
    }
    void punkt()
    {
        QFETCH(QString, text);
        QFETCH(QString, gezeigt);
        QCOMPARE(Fehlermeldungstext(text), gezeigt);
    }

    // A text that fits is kept; a longer one is cut where it still fits with the ellipsis.
    void gekuerzt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ganz");
        QTest::newRow("short") << QStringLiteral("'x' is not a valid floating point value.")
                               << true;
        QTest::newRow("100 kB of words") << Woerter() << false;
        QTest::newRow("one word of 20000 letters") << QString(20000, QLatin1Char('w')) << false;
        QTest::newRow("cut inside a typed text") << Konvertierungsfehler(Woerter()) << false;
    }
    void gekuerzt()
    {
        QFETCH(QString, text);
        QFETCH(bool, ganz);
        const QFontMetrics metrik(QApplication::font());
        const QSize platz(400, 300);
        const QString kurz = GekuerzterText(text, metrik, platz);
        if (ganz) {
            QCOMPARE(kurz, text);
            return;
        }
        QVERIFY(kurz.endsWith(QChar(0x2026)));
        QVERIFY(text.startsWith(kurz.left(kurz.size() - 1).remove(QChar(0x2069)).left(20)));
        const QRect noetig =
            metrik.boundingRect(QRect(0, 0, platz.width(), 1 << 24), Qt::TextWordWrap, kurz);
        QVERIFY(noetig.width() <= platz.width() && noetig.height() <= platz.height());
        // Filled, not cut far too early: the lines reach down, or the one word across.
        QVERIFY(noetig.height() > platz.height() / 2 || noetig.width() > platz.width() / 2);
        // An isolation left open would take the ellipsis in.
        QCOMPARE(kurz.count(QChar(0x2068)), kurz.count(QChar(0x2069)));
    }

    // The real box: within the screen whatever the text, the whole text in its details.
    void box_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("gekuerzt");
        QTest::newRow("short") << Konvertierungsfehler(QStringLiteral("x")) << false;
        QTest::newRow("100 kB of words") << Konvertierungsfehler(Woerter()) << true;
        QTest::newRow("one long word")
            << Konvertierungsfehler(QString(20000, QLatin1Char('9')) + QLatin1Char('x')) << true;
    }
    void box()
    {
        QFETCH(QString, text);
        QFETCH(bool, gekuerzt);
        QPointer<QMessageBox> box;
        QRect rahmen, bildschirm;
        QString gezeigt, details;
        int knoepfe = 0;
        QTimer::singleShot(0, this, [&] {
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            rahmen = box->frameGeometry();
            bildschirm = box->screen()->availableGeometry();
            gezeigt = box->text();
            details = box->detailedText();
            knoepfe = int(box->buttons().size());
            box->done(QMessageBox::Ok);
        });
        ZeigeFehler(nullptr, text);
        QVERIFY(box.isNull() || !box->isVisible());
        QVERIFY2(bildschirm.contains(rahmen),
                 qPrintable(QStringLiteral("%1x%2").arg(rahmen.width()).arg(rahmen.height())));
        if (!gekuerzt) {
            QCOMPARE(gezeigt, Fehlermeldungstext(text));
            QCOMPARE(details, QString());
            QCOMPARE(knoepfe, 1);
            return;
        }
        QVERIFY(gezeigt.endsWith(QChar(0x2026)));
        QCOMPARE(details, Fehlermeldungstext(text));
    }
};

QTEST_MAIN(TstFehler)
#include "tst_fehler.moc"
