// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's two command-line answers, given without any display to show a window on.
#include <QProcess>
#include <QTest>

class TstMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void antwort_data();
    void antwort();
    void volleAusgabe();
};

namespace {

QProcessEnvironment OhneAnzeige()
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        umgebung.remove(QString::fromLatin1(name));
    return umgebung;
}

} // namespace

void TstMain::antwort_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<QString>("anfang");
    const QString version = QStringLiteral("Zechwaage 3.3a\n");
    const QString hilfe = QStringLiteral("Aufruf: zechwaage [--help | --version]\n");
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << version;
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << hilfe;
    QTest::newRow("the first of the two counts")
        << QStringList{QStringLiteral("--version"), QStringLiteral("--help")} << version;
    QTest::newRow("after an argument that is ignored")
        << QStringList{QStringLiteral("datei.wmf"), QStringLiteral("--help")} << hilfe;
}

void TstMain::antwort()
{
    QFETCH(QStringList, argumente);
    QFETCH(QString, anfang);
    QProcess programm;
    programm.setProcessEnvironment(OhneAnzeige());
    programm.start(QStringLiteral(ZW_PROGRAMM), argumente);
    QVERIFY(programm.waitForFinished(10000));
    const QString aus = QString::fromUtf8(programm.readAllStandardOutput());
    QCOMPARE(programm.exitStatus(), QProcess::NormalExit);
    QCOMPARE(programm.exitCode(), 0);
    QVERIFY2(aus.startsWith(anfang), qPrintable(aus));
    QCOMPARE(QString::fromUtf8(programm.readAllStandardError()), QString());
    if (anfang.startsWith(QLatin1String("Aufruf"))) {
        // Names both options and says that there is nothing else to give.
        QVERIFY(aus.contains(QLatin1String("  --version")));
        QVERIFY(aus.contains(QLatin1String("keine Argumente")));
    }
}

void TstMain::volleAusgabe()
{
    // An answer that could not be written is no success.
    QProcess programm;
    programm.setProcessEnvironment(OhneAnzeige());
    programm.setStandardOutputFile(QStringLiteral("/dev/full"));
    programm.start(QStringLiteral(ZW_PROGRAMM), {QStringLiteral("--help")});
    QVERIFY(programm.waitForFinished(10000));
    QCOMPARE(programm.exitStatus(), QProcess::NormalExit);
    QCOMPARE(programm.exitCode(), 1);
}

QTEST_GUILESS_MAIN(TstMain)
#include "tst_main.moc"
