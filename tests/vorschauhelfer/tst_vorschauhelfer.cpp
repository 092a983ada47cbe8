// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The helper's walls, tried from inside: its test modes do, once it is closed in, what a hostile
// picture might make a decoder do, and the kernel must stop each.
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct TLauf {
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = 0; // the signal, after a crash
    QByteArray ausgabe, fehler;
    qint64 ms = 0;
    bool beendet = false;
};

TLauf Lauf(const QStringList& argumente, int wartenMs)
{
    QProcess helfer;
    helfer.setProgram(QStringLiteral(ZW_HELFER_PROGRAMM));
    helfer.setArguments(argumente);
    QElapsedTimer uhr;
    uhr.start();
    helfer.start();
    TLauf lauf;
    lauf.beendet = helfer.waitForFinished(wartenMs);
    lauf.ms = uhr.elapsed();
    if (!lauf.beendet) {
        helfer.kill();
        helfer.waitForFinished();
    }
    lauf.status = helfer.exitStatus();
    lauf.code = helfer.exitCode();
    lauf.ausgabe = helfer.readAllStandardOutput();
    lauf.fehler = helfer.readAllStandardError();
    return lauf;
}

} // namespace

class TstVorschauhelfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A decode that never ends is ended by the kernel once its processor time is up, even
    // when nobody watches the helper.
    void schleife()
    {
        const TLauf lauf = Lauf({QStringLiteral("--probe"), QStringLiteral("schleife")}, 20000);
        QVERIFY(lauf.beendet);
        QCOMPARE(lauf.ausgabe, QByteArray("ZWVB"));
        QCOMPARE(lauf.status, QProcess::CrashExit);
        QVERIFY2(lauf.code == SIGXCPU || lauf.code == SIGKILL,
                 qPrintable(QString::number(lauf.code)));
        QVERIFY2(lauf.ms >= 1500, "ended before its processor time was up");
    }

    // One that takes memory without end dies alone when the address space is used up; it got
    // most of what a picture may have, and never more.
    void speicher()
    {
        const TLauf lauf = Lauf({QStringLiteral("--probe"), QStringLiteral("speicher")}, 30000);
        QVERIFY(lauf.beendet);
        QCOMPARE(lauf.status, QProcess::CrashExit);
        QCOMPARE(lauf.code, SIGABRT);
        const QList<QByteArray> schritte = lauf.fehler.trimmed().split('\n');
        const int erreicht = schritte.last().toInt();
        QVERIFY2(erreicht >= ZW_VORSCHAU_SPEICHER_MB - 64, lauf.fehler.right(40).constData());
        QVERIFY2(erreicht <= ZW_VORSCHAU_SPEICHER_MB, lauf.fehler.right(40).constData());
    }

    // Nothing can be opened: not a file, nor a pipe without a writer (which would never return),
    // a device, a folder or a socket. The kernel is never asked, so it answers for none of them.
    void oeffnen_data()
    {
        QTest::addColumn<QString>("pfad");
        QVERIFY(ordner_.isValid());
        const QString datei = ordner_.filePath(QStringLiteral("datei.txt"));
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("geheim") == 6);
        f.close();
        const QString rohr = ordner_.filePath(QStringLiteral("rohr"));
        QCOMPARE(mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
        const QString sockel = ordner_.filePath(QStringLiteral("sockel"));
        sockel_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(sockel);
        QVERIFY(name.size() < qsizetype(sizeof adresse.sun_path));
        std::memcpy(adresse.sun_path, name.constData(), std::size_t(name.size()));
        QCOMPARE(bind(sockel_, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
        QCOMPARE(listen(sockel_, 1), 0);
        QTest::newRow("file") << datei;
        QTest::newRow("named pipe") << rohr;
        QTest::newRow("device") << QStringLiteral("/dev/zero");
        QTest::newRow("folder") << ordner_.path();
        QTest::newRow("socket") << sockel;
        QTest::newRow("own memory") << QStringLiteral("/proc/self/mem");
    }
    void cleanupTestCase()
    {
        if (sockel_ >= 0)
            close(sockel_);
    }

    void oeffnen()
    {
        QFETCH(QString, pfad);
        const TLauf lauf =
            Lauf({QStringLiteral("--probe"), QStringLiteral("oeffnen"), pfad}, 10000);
        QVERIFY2(lauf.beendet, "the helper waits on the open file");
        QCOMPARE(lauf.status, QProcess::NormalExit);
        QCOMPARE(lauf.ausgabe, QByteArray("ZWVB"));
        QCOMPARE(lauf.fehler, QByteArray("verweigert EACCES\n"));
    }

private:
    QTemporaryDir ordner_;
    int sockel_ = -1;
};

QTEST_GUILESS_MAIN(TstVorschauhelfer)
#include "tst_vorschauhelfer.moc"
