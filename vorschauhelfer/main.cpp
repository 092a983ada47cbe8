// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The preview helper: started by the save dialog before it is needed, it loads the fonts and
// decoders it may need, closes itself in (sandkasten.h), says that it is ready, and then waits
// for one request: the sizes wanted, and the open file to read, both on standard input, a
// socket. It answers on standard output and ends. Whatever a picture makes it do, it does in
// here, within its limits, and the program only ever sees checked pixels.
//
// For the tests, "--probe schleife|speicher|oeffnen <pfad>" does, once closed in, what a hostile
// picture might try instead of reading a request, and reports on standard error; "--fuellbyte
// <n>" changes the byte that fresh memory holds. Neither can be reached from a file.
#include "sandkasten.h"
#include "vorschau/vorschaubild.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRawFont>
#include <QSvgRenderer>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace zw;

// Enough for a file of the largest size read whole and a picture of 16 million pixels decoded
// and drawn at the sizes asked for; the number is set in the build, so that the fuzzer runs
// under the same limit.
constexpr std::uint64_t kSpeicherBytes = std::uint64_t(ZW_VORSCHAU_SPEICHER_MB) * 1024 * 1024;
// Far beyond the 250 ms the program waits; only for a helper the program no longer watches.
constexpr unsigned kCpuSekunden = 2;

enum class Probe : std::uint8_t { Keine, Schleife, Speicher, Oeffnen };

struct Aufruf {
    // glibc fills fresh memory with the complement of this byte and freed memory with the byte:
    // with 0xFF, nothing a picture is shown without supplying is anything but zero.
    int fuellbyte = 0xFF;
    Probe probe = Probe::Keine;
    const char* pfad = nullptr;
};

std::optional<Aufruf> LiesAufruf(int argc, char** argv)
{
    Aufruf aufruf;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--fuellbyte" && i + 1 < argc) {
            aufruf.fuellbyte = int(std::strtol(argv[++i], nullptr, 0)) & 0xFF;
        } else if (arg == "--probe" && i + 1 < argc) {
            const std::string_view art(argv[++i]);
            if (art == "schleife") {
                aufruf.probe = Probe::Schleife;
            } else if (art == "speicher") {
                aufruf.probe = Probe::Speicher;
            } else if (art == "oeffnen" && i + 1 < argc) {
                aufruf.probe = Probe::Oeffnen;
                aufruf.pfad = argv[++i];
            } else {
                return std::nullopt;
            }
        } else if (!arg.starts_with("-")) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    return aufruf;
}

bool SchreibeAlles(const char* p, qsizetype n, int fd = STDOUT_FILENO)
{
    while (n > 0) {
        const ssize_t geschrieben = write(fd, p, std::size_t(n));
        if (geschrieben < 0 && errno == EINTR)
            continue;
        if (geschrieben <= 0)
            return false;
        p += geschrieben;
        n -= geschrieben;
    }
    return true;
}

bool SchreibeAlles(QByteArrayView daten) { return SchreibeAlles(daten.data(), daten.size()); }

// The faces a picture most likely names, in each style, held open for the rest of the helper's
// life: once closed in it opens no font file, and text in a face not loaded here falls back to
// one that is.
std::vector<QRawFont> LadeSchriften()
{
    std::vector<QRawFont> schriften;
    QImage probe(64, 16, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&probe);
    for (const char* familie :
         {"Liberation Sans", "Arial", "MS Sans Serif", "Small Fonts", "Helvetica", "Sans Serif",
          "DejaVu Sans", "Times New Roman", "Serif", "Courier New", "Monospace"}) {
        for (const bool fett : {false, true}) {
            for (const bool kursiv : {false, true}) {
                QFont schrift(QString::fromLatin1(familie));
                schrift.setPixelSize(12);
                schrift.setBold(fett);
                schrift.setItalic(kursiv);
                schriften.push_back(QRawFont::fromFont(schrift));
                p.setFont(schrift);
                p.drawText(0, 12, QStringLiteral("Ag 0,5 °/oo"));
            }
        }
    }
    return schriften;
}

// Runs each decoder once, so that whatever it sets up on first use is in place before the
// filter: afterwards it could load nothing.
void LadeDekoder()
{
    QImage klein(2, 2, QImage::Format_ARGB32);
    klein.fill(Qt::red);
    for (const char* format : {"png", "bmp"}) {
        QByteArray daten;
        QBuffer schreibpuffer(&daten);
        schreibpuffer.open(QIODevice::WriteOnly);
        QImageWriter(&schreibpuffer, format).write(klein);
        QBuffer lesepuffer(&daten);
        lesepuffer.open(QIODevice::ReadOnly);
        QImageReader(&lesepuffer, format).read();
    }
    QSvgRenderer svg(QByteArrayLiteral(
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 10"><rect width="5" )"
        R"(height="5" fill="red"/><text x="5" y="9" font-size="8">Ag</text></svg>)"));
    QImage ziel(20, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&ziel);
    svg.render(&p);
}

// The request and the file's handle, which come together in one message.
std::optional<std::pair<TVorschauAnfrage, int>> Empfange()
{
    std::array<char, VorschauAnfrageBytes> puffer{};
    const TEmpfang empfang = EmpfangeMitDatei(STDIN_FILENO, puffer.data(), puffer.size());
    const int datei = empfang.datei;
    const std::optional<TVorschauAnfrage> anfrage =
        empfang.bytes == VorschauAnfrageBytes
            ? LiesVorschauAnfrage(QByteArrayView(puffer.data(), empfang.bytes))
            : std::nullopt;
    if (!anfrage || datei < 0) {
        if (datei >= 0)
            close(datei);
        return std::nullopt;
    }
    return std::pair{*anfrage, datei};
}

// The whole file, if it is a regular file within the size previews are made for.
QByteArray LiesDatei(int datei)
{
    struct stat info{};
    if (fstat(datei, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        info.st_size > MaxVorschauDateiBytes)
        return {};
    // The file may have grown since; never more than the bound.
    QByteArray daten(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype gelesen = 0;
    while (gelesen < daten.size()) {
        const ssize_t teil =
            read(datei, daten.data() + gelesen, std::size_t(daten.size() - gelesen));
        if (teil < 0 && errno == EINTR)
            continue;
        if (teil < 0)
            return {};
        if (teil == 0)
            break;
        gelesen += teil;
    }
    daten.truncate(gelesen);
    return daten;
}

[[noreturn]] void Pruefe(const Aufruf& aufruf)
{
    switch (aufruf.probe) {
    case Probe::Schleife: {
        volatile unsigned long runden = 0;
        for (;;)
            runden = runden + 1;
    }
    case Probe::Speicher: {
        // Takes memory in steps and says how far it got, until the kernel refuses more.
        constexpr std::size_t kSchritt = 8 * 1024 * 1024;
        std::vector<char*> bloecke;
        for (std::size_t mb = 8;; mb += 8) {
            char* block = static_cast<char*>(std::malloc(kSchritt));
            if (block == nullptr)
                std::abort();
            std::memset(block, 1, kSchritt);
            bloecke.push_back(block);
            char zeile[32];
            const int laenge = std::snprintf(zeile, sizeof zeile, "%zu\n", mb);
            SchreibeAlles(zeile, laenge, STDERR_FILENO);
        }
    }
    case Probe::Oeffnen: {
        const int datei = open(aufruf.pfad, O_RDONLY);
        char zeile[64];
        const int laenge = datei >= 0 ? std::snprintf(zeile, sizeof zeile, "geoeffnet\n")
                                      : std::snprintf(zeile, sizeof zeile, "verweigert %s\n",
                                                      strerrorname_np(errno));
        SchreibeAlles(zeile, laenge, STDERR_FILENO);
        _exit(0);
    }
    case Probe::Keine: break;
    }
    _exit(2);
}

void Stumm(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv)
{
    // Nothing of the program's beyond the three standard handles.
    close_range(3, ~0U, 0);
    const std::optional<Aufruf> aufruf = LiesAufruf(argc, argv);
    if (!aufruf)
        return 2;
    // One arena: each further one reserves 64 MB of address space.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_PERTURB, aufruf->fuellbyte);
    // Hostile pictures make Qt complain at length; nobody reads it.
    qInstallMessageHandler(Stumm);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    const std::vector<QRawFont> schriften = LadeSchriften();
    LadeDekoder();

    if (!SchliesseEin(TGrenzen{kSpeicherBytes, kCpuSekunden}))
        _exit(3);
    if (!SchreibeAlles(Bereitzeichen))
        _exit(4);
    if (aufruf->probe != Probe::Keine)
        Pruefe(*aufruf);

    const auto empfangen = Empfange();
    if (!empfangen)
        _exit(5);
    const auto& [anfrage, datei] = *empfangen;
    const QByteArray antwort = VorschauAntwort(LiesDatei(datei), anfrage);
    _exit(SchreibeAlles(antwort) ? 0 : 6);
}
