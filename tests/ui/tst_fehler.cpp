// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The failure box with what users type into it: direction marks stay inside the typed text.
#include "ui/fehler.h"

#include "report/zahltext.h"
#include "ui/bildexport.h"

#include <QtTest>

using namespace zw;

namespace {

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
};

QTEST_APPLESS_MAIN(TstFehler)
#include "tst_fehler.moc"
