// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program accepts from the helper a header that fits its request exactly, and nothing
// else: the header decides how many bytes it takes and how large the pictures it makes are.
#include "vorschauprotokoll/vorschauprotokoll.h"

#include <QDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>

#include <array>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zw;

namespace {

QByteArray Kopf(const char* marke, std::initializer_list<quint32> felder)
{
    QByteArray d(marke, 4);
    for (const quint32 feld : felder) {
        char roh[4];
        qToLittleEndian(feld, roh);
        d.append(roh, 4);
    }
    return d;
}

const TVorschauAnfrage kAnfrage{QSize(192, 160), QSize(720, 460)};

// Sends daten with the handles in dateien in one message, as any process at the other end of
// the socket could.
bool SendeRoh(int socket, const QByteArray& daten, const QList<int>& dateien)
{
    iovec teil{const_cast<char*>(daten.constData()), std::size_t(daten.size())};
    alignas(cmsghdr) std::array<char, CMSG_SPACE(8 * sizeof(int))> steuer{};
    msghdr nachricht{};
    nachricht.msg_iov = &teil;
    nachricht.msg_iovlen = 1;
    if (!dateien.isEmpty()) {
        nachricht.msg_control = steuer.data();
        nachricht.msg_controllen = CMSG_SPACE(sizeof(int) * std::size_t(dateien.size()));
        cmsghdr* c = CMSG_FIRSTHDR(&nachricht);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int) * std::size_t(dateien.size()));
        std::memcpy(CMSG_DATA(c), dateien.constData(), sizeof(int) * std::size_t(dateien.size()));
    }
    return ::sendmsg(socket, &nachricht, MSG_NOSIGNAL) == daten.size();
}

int OffeneHandles()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

struct TPaar {
    std::array<int, 2> fd{-1, -1};
    TPaar() { ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fd.data()); }
    ~TPaar()
    {
        for (const int f : fd)
            if (f >= 0)
                ::close(f);
    }
    TPaar(const TPaar&) = delete;
    TPaar& operator=(const TPaar&) = delete;
};

} // namespace

class TstVorschauprotokoll : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kopf_data()
    {
        QTest::addColumn<QByteArray>("daten");
        QTest::addColumn<bool>("gelesen");
        QTest::addColumn<QSize>("bild");
        QTest::addColumn<qint64>("pixelBytes");
        QTest::newRow("our chart") << Kopf("ZWVK", {504, 136, 192, 51, 504, 136}) << true
                                   << QSize(504, 136) << qint64(4 * (192 * 51 + 504 * 136));
        QTest::newRow("larger than the window, shrunk")
            << Kopf("ZWVK", {1440, 920, 192, 122, 720, 460}) << true << QSize(1440, 920)
            << qint64(4 * (192 * 122 + 720 * 460));
        QTest::newRow("a line one pixel high, never empty")
            << Kopf("ZWVK", {16384, 1, 192, 1, 720, 1}) << true << QSize(16384, 1)
            << qint64(4 * (192 + 720));
        QTest::newRow("nothing to show")
            << Kopf("ZWVK", {0, 0, 0, 0, 0, 0}) << true << QSize() << qint64(0);
        QTest::newRow("pane picture larger than asked")
            << Kopf("ZWVK", {504, 136, 504, 136, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("window picture enlarged")
            << Kopf("ZWVK", {100, 50, 100, 50, 200, 100}) << false << QSize() << qint64(0);
        QTest::newRow("aspect changed")
            << Kopf("ZWVK", {504, 136, 192, 160, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("beyond the largest picture")
            << Kopf("ZWVK", {16385, 10, 192, 1, 720, 1}) << false << QSize() << qint64(0);
        QTest::newRow("width wraps round as a signed number")
            << Kopf("ZWVK", {0xFFFFFFFF, 10, 192, 1, 720, 1}) << false << QSize() << qint64(0);
        QTest::newRow("a size with one side zero")
            << Kopf("ZWVK", {504, 0, 0, 0, 0, 0}) << false << QSize() << qint64(0);
        QTest::newRow("none with sizes after it")
            << Kopf("ZWVK", {0, 0, 192, 51, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("other mark")
            << Kopf("ZWVA", {504, 136, 192, 51, 504, 136}) << false << QSize() << qint64(0);
        QTest::newRow("short") << Kopf("ZWVK", {504, 136, 192, 51, 504}) << false << QSize()
                               << qint64(0);
        QTest::newRow("long") << Kopf("ZWVK", {504, 136, 192, 51, 504, 136, 0}) << false << QSize()
                              << qint64(0);
    }
    void kopf()
    {
        QFETCH(QByteArray, daten);
        QFETCH(bool, gelesen);
        QFETCH(QSize, bild);
        QFETCH(qint64, pixelBytes);
        const std::optional<TVorschauKopf> kopf = LiesVorschauKopf(daten, kAnfrage);
        QCOMPARE(kopf.has_value(), gelesen);
        if (!kopf)
            return;
        QCOMPARE(kopf->bild.isEmpty() ? QSize() : kopf->bild, bild);
        QCOMPARE(VorschauPixelBytes(*kopf), pixelBytes);
    }

    // The helper writes what the program reads back.
    void kopfHinUndZurueck_data()
    {
        QTest::addColumn<QSize>("bild");
        QTest::newRow("chart") << QSize(504, 136);
        QTest::newRow("tall") << QSize(10, 16384);
        QTest::newRow("small") << QSize(1, 1);
    }
    void kopfHinUndZurueck()
    {
        QFETCH(QSize, bild);
        const QByteArray daten = VorschauKopfDaten(bild, kAnfrage);
        QCOMPARE(daten.size(), VorschauKopfBytes);
        const std::optional<TVorschauKopf> kopf = LiesVorschauKopf(daten, kAnfrage);
        if (!kopf)
            QFAIL("refused");
        QCOMPARE(kopf->bild, bild);
        QVERIFY(kopf->flaeche.width() <= 192 && kopf->flaeche.height() <= 160);
        QVERIFY(kopf->vollbild.width() <= 720 && kopf->vollbild.height() <= 460);
    }

    void anfrage_data()
    {
        QTest::addColumn<QSize>("flaeche");
        QTest::addColumn<QSize>("vollbild");
        QTest::addColumn<bool>("zulaessig");
        QTest::newRow("pane and window") << QSize(192, 160) << QSize(720, 460) << true;
        QTest::newRow("largest") << QSize(4096, 1024) << QSize(2048, 2048) << true;
        QTest::newRow("too many pixels") << QSize(192, 160) << QSize(4096, 4096) << false;
        QTest::newRow("too wide") << QSize(4097, 1) << QSize(720, 460) << false;
        QTest::newRow("empty") << QSize(0, 160) << QSize(720, 460) << false;
    }
    void anfrage()
    {
        QFETCH(QSize, flaeche);
        QFETCH(QSize, vollbild);
        QFETCH(bool, zulaessig);
        const QByteArray daten = VorschauAnfrageDaten({flaeche, vollbild});
        QCOMPARE(daten.size(), VorschauAnfrageBytes);
        const std::optional<TVorschauAnfrage> gelesen = LiesVorschauAnfrage(daten);
        QCOMPARE(gelesen.has_value(), zulaessig);
        if (gelesen) {
            QCOMPARE(gelesen->flaeche, flaeche);
            QCOMPARE(gelesen->vollbild, vollbild);
        }
        QVERIFY(!LiesVorschauAnfrage(QByteArrayView(daten).first(VorschauAnfrageBytes - 1)));
    }

    void groesseIn_data()
    {
        QTest::addColumn<QSize>("bild");
        QTest::addColumn<QSize>("flaeche");
        QTest::addColumn<QSize>("gezeigt");
        QTest::newRow("fits: own size") << QSize(100, 50) << QSize(192, 160) << QSize(100, 50);
        QTest::newRow("too wide") << QSize(504, 136) << QSize(192, 160) << QSize(192, 51);
        QTest::newRow("too tall") << QSize(100, 800) << QSize(192, 160) << QSize(20, 160);
        QTest::newRow("thin line stays visible")
            << QSize(16384, 1) << QSize(192, 160) << QSize(192, 1);
    }
    void groesseIn()
    {
        QFETCH(QSize, bild);
        QFETCH(QSize, flaeche);
        QFETCH(QSize, gezeigt);
        QCOMPARE(GroesseIn(bild, flaeche), gezeigt);
    }

    // The request and the file arrive together or the file does not count; whatever else a
    // sender hands along is closed, never left open in the receiver.
    void mitDatei_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("dateien");
        QTest::addColumn<bool>("schliessen");
        QTest::addColumn<qsizetype>("empfangen");
        QTest::addColumn<bool>("dateiKommt");
        QTest::newRow("the request and its file") << 20 << 1 << false << qsizetype(20) << true;
        QTest::newRow("no file handed along") << 20 << 0 << false << qsizetype(20) << false;
        QTest::newRow("three files, the first kept") << 20 << 3 << false << qsizetype(20) << true;
        QTest::newRow("more files than there is room for")
            << 20 << 8 << false << qsizetype(20) << false;
        QTest::newRow("sender gone halfway") << 7 << 1 << true << qsizetype(7) << true;
        QTest::newRow("sender gone without a word") << 0 << 0 << true << qsizetype(0) << false;
    }
    void mitDatei()
    {
        QFETCH(int, bytes);
        QFETCH(int, dateien);
        QFETCH(bool, schliessen);
        QFETCH(qsizetype, empfangen);
        QFETCH(bool, dateiKommt);
        QTemporaryFile datei;
        QVERIFY(datei.open());
        struct stat erwartet{};
        QVERIFY(::fstat(int(datei.handle()), &erwartet) == 0);
        TPaar paar;
        QVERIFY(paar.fd[0] >= 0);
        const QByteArray nachricht(bytes, 'a');
        if (dateien == 1 && bytes == VorschauAnfrageBytes) {
            QVERIFY(SendeMitDatei(paar.fd[0], nachricht, int(datei.handle())));
        } else if (bytes > 0) {
            QVERIFY(SendeRoh(paar.fd[0], nachricht, QList<int>(dateien, int(datei.handle()))));
        }
        if (schliessen) {
            ::close(paar.fd[0]);
            paar.fd[0] = -1;
        }
        const int vorher = OffeneHandles();
        std::array<char, VorschauAnfrageBytes> puffer{};
        const TEmpfang empfang = EmpfangeMitDatei(paar.fd[1], puffer.data(), puffer.size());
        QCOMPARE(empfang.bytes, empfangen);
        QCOMPARE(QByteArray(puffer.data(), empfang.bytes), nachricht);
        QCOMPARE(empfang.datei >= 0, dateiKommt);
        // Only the one handle kept is new in this process.
        QCOMPARE(OffeneHandles(), vorher + (dateiKommt ? 1 : 0));
        if (empfang.datei >= 0) {
            struct stat info{};
            QVERIFY(::fstat(empfang.datei, &info) == 0);
            QCOMPARE(info.st_ino, erwartet.st_ino);
            QCOMPARE(info.st_dev, erwartet.st_dev);
            QVERIFY(::fcntl(empfang.datei, F_GETFD) & FD_CLOEXEC);
            ::close(empfang.datei);
        }
    }
};

QTEST_APPLESS_MAIN(TstVorschauprotokoll)
#include "tst_vorschauprotokoll.moc"
