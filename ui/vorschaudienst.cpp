// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/vorschaudienst.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zw {

namespace {

// A handle that is closed with its owner.
class TDateiHandle {
public:
    explicit TDateiHandle(int fd = -1) : fd_(fd) {}
    TDateiHandle(const TDateiHandle&) = delete;
    TDateiHandle& operator=(const TDateiHandle&) = delete;
    ~TDateiHandle() { schliesse(); }
    int fd() const { return fd_; }
    void schliesse()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// The file at pfad, opened for reading if it is a regular file of a size previews are made
// for; -1 otherwise. Opening does not wait for a pipe's writer, and what is checked is the open
// file itself, so a name that changes in between cannot slip anything else through. The look
// at the name first only spares devices and pipes an open that is not needed.
int OeffneBilddatei(const QString& pfad)
{
    if (pfad.isEmpty())
        return -1;
    const QByteArray name = QFile::encodeName(pfad);
    struct stat info{};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        info.st_size > MaxVorschauDateiBytes) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The helper learns of the user's session only what it needs to find the same fonts.
QProcessEnvironment HelferUmgebung()
{
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment umgebung;
    for (const char* name :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CACHE_HOME",
          "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"}) {
        const QString schluessel = QString::fromLatin1(name);
        if (system.contains(schluessel))
            umgebung.insert(schluessel, system.value(schluessel));
    }
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    umgebung.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return umgebung;
}

} // namespace

struct TVorschauDienst::THelfer {
    explicit THelfer(int eigenesEnde) : socket(eigenesEnde) {}
    THelfer(const THelfer&) = delete;
    THelfer& operator=(const THelfer&) = delete;
    ~THelfer() = default;

    QProcess* prozess = nullptr; // a child of the service until it is dropped
    TDateiHandle socket;         // the program's end, until the request is sent
    bool bereit = false;
    QByteArray anfang; // what came before the ready mark was complete
    // The answer, checked as it arrives.
    QByteArray kopfDaten;
    std::optional<TVorschauKopf> kopf;
    QImage flaeche, vollbild;
    qint64 pixelEmpfangen = 0;
};

struct TVorschauDienst::TWartend {
    explicit TWartend(int fd) : datei(fd) {}
    TDateiHandle datei;
};

TVorschauDienst::TVorschauDienst(QObject* parent, QStringList helferArgumente)
    : QObject(parent), helferArgumente_(std::move(helferArgumente)), helferPfad_(HelferPfad())
{
    qRegisterMetaType<TVorschau>();
    frist_.setSingleShot(true);
    frist_.setTimerType(Qt::PreciseTimer);
    connect(&frist_, &QTimer::timeout, this, [this] { antworte({}); });
}

TVorschauDienst::~TVorschauDienst()
{
    beende();
    verwirf(std::move(vorrat_));
    // Helpers already dropped may still be ending; none may outlive the service.
    for (QProcess* prozess : findChildren<QProcess*>()) {
        prozess->disconnect(this);
        prozess->kill();
        prozess->waitForFinished(1000);
    }
}

QString TVorschauDienst::HelferPfad()
{
    const QDir programm(QCoreApplication::applicationDirPath());
    const QString installiert = programm.absoluteFilePath(QStringLiteral(ZW_HELFER_INSTALLIERT));
    if (QFileInfo(installiert).isExecutable())
        return QDir::cleanPath(installiert);
    // In the build tree, the programs and tests sit some folders below the top, which holds
    // the cache of the build's configuration.
    QDir ordner = programm;
    for (int stufe = 0; stufe < 4; ++stufe) {
        if (ordner.exists(QStringLiteral("CMakeCache.txt"))) {
            const QString gebaut = ordner.absoluteFilePath(QStringLiteral(ZW_HELFER_BAUBAUM));
            return QFileInfo(gebaut).isExecutable() ? gebaut : QString();
        }
        if (!ordner.cdUp())
            break;
    }
    return {};
}

std::unique_ptr<TVorschauDienst::THelfer> TVorschauDienst::starte()
{
    if (helferPfad_.isEmpty())
        return nullptr;
    std::array<int, 2> paar{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, paar.data()) != 0)
        return nullptr;
    auto helfer = std::make_unique<THelfer>(paar[0]);
    const TDateiHandle kindEnde(paar[1]);
    auto* prozess = new QProcess(this);
    helfer->prozess = prozess;
    prozess->setProgram(helferPfad_);
    prozess->setArguments(helferArgumente_);
    prozess->setProcessEnvironment(HelferUmgebung());
    prozess->setStandardInputFile(QProcess::nullDevice());
    prozess->setStandardErrorFile(QProcess::nullDevice());
    prozess->setReadChannel(QProcess::StandardOutput);
    // In the child, between fork and exec: its standard input becomes its end of the socket,
    // and it dies with the program.
    const int kind = paar[1];
    prozess->setChildProcessModifier([kind] {
        ::dup2(kind, STDIN_FILENO);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    THelfer* roh = helfer.get();
    connect(prozess, &QProcess::readyReadStandardOutput, this, [this, roh] {
        if (roh == vorrat_.get())
            liesVorrat();
        else if (roh == arbeiter_.get())
            liesArbeiter();
    });
    const auto beendet = [this, roh] {
        if (roh == arbeiter_.get())
            antworte({});
        else if (roh == vorrat_.get())
            ersetzeVorrat();
    };
    connect(prozess, &QProcess::finished, this, beendet);
    connect(prozess, &QProcess::errorOccurred, this, [beendet](QProcess::ProcessError fehler) {
        if (fehler == QProcess::FailedToStart)
            beendet();
    });
    prozess->start();
    if (prozess->state() == QProcess::NotRunning) {
        verwirf(std::move(helfer));
        return nullptr;
    }
    return helfer;
}

void TVorschauDienst::ersetzeVorrat()
{
    verwirf(std::move(vorrat_));
    // A request that waits gets one more helper within its time, not one after another.
    if (wartend_ && !neugestartet_) {
        neugestartet_ = true;
        vorrat_ = starte();
    }
}

void TVorschauDienst::verwirf(std::unique_ptr<THelfer> helfer)
{
    if (!helfer)
        return;
    QProcess* prozess = helfer->prozess;
    prozess->disconnect(this);
    if (prozess->state() == QProcess::NotRunning) {
        prozess->deleteLater();
        return;
    }
    connect(prozess, &QProcess::finished, prozess, &QObject::deleteLater);
    prozess->kill();
}

void TVorschauDienst::zeige(const QString& pfad, const TVorschauAnfrage& anfrage)
{
    beende();
    ruht_ = false;
    anfrage_ = anfrage;
    const int datei = OeffneBilddatei(pfad);
    if (datei < 0 || !VorschauAnfrageZulaessig(anfrage)) {
        TDateiHandle schliessen(datei);
        Q_EMIT fertig(TVorschau{});
        return;
    }
    wartend_ = std::make_unique<TWartend>(datei);
    neugestartet_ = false;
    frist_.start(StartFristMs);
    if (!vorrat_)
        vorrat_ = starte();
    if (!vorrat_)
        antworte({});
    else if (vorrat_->bereit)
        uebergib();
}

void TVorschauDienst::bereite()
{
    ruht_ = false;
    if (!vorrat_)
        vorrat_ = starte();
}

void TVorschauDienst::ruhe()
{
    ruht_ = true;
    beende();
    verwirf(std::move(vorrat_));
}

bool TVorschauDienst::bereit() const { return vorrat_ && vorrat_->bereit; }

bool TVorschauDienst::offen() const { return wartend_ || arbeiter_; }

void TVorschauDienst::beende()
{
    frist_.stop();
    wartend_.reset();
    verwirf(std::move(arbeiter_));
}

void TVorschauDienst::uebergib()
{
    const bool gesendet =
        SendeMitDatei(vorrat_->socket.fd(), VorschauAnfrageDaten(anfrage_), wartend_->datei.fd());
    wartend_.reset();
    if (!gesendet) {
        verwirf(std::move(vorrat_));
        antworte({});
        return;
    }
    arbeiter_ = std::move(vorrat_);
    arbeiter_->socket.schliesse();
    frist_.start(FristMs);
}

void TVorschauDienst::liesVorrat()
{
    THelfer& helfer = *vorrat_;
    // Nothing may come but the mark before a request is sent.
    if (!helfer.bereit)
        helfer.anfang += helfer.prozess->read(Bereitzeichen.size() - helfer.anfang.size());
    if (helfer.anfang.size() < Bereitzeichen.size())
        return;
    if (helfer.bereit || helfer.anfang != Bereitzeichen || helfer.prozess->bytesAvailable() > 0)
        return ersetzeVorrat();
    helfer.bereit = true;
    if (wartend_)
        uebergib();
}

void TVorschauDienst::liesArbeiter()
{
    while (arbeiter_ && arbeiter_->prozess->bytesAvailable() > 0) {
        THelfer& helfer = *arbeiter_;
        if (!helfer.kopf) {
            helfer.kopfDaten += helfer.prozess->read(VorschauKopfBytes - helfer.kopfDaten.size());
            if (helfer.kopfDaten.size() < VorschauKopfBytes)
                return;
            helfer.kopf = LiesVorschauKopf(helfer.kopfDaten, anfrage_);
            if (!helfer.kopf || helfer.kopf->bild.isEmpty())
                return antworte({});
            helfer.flaeche = QImage(helfer.kopf->flaeche, QImage::Format_ARGB32);
            helfer.vollbild = QImage(helfer.kopf->vollbild, QImage::Format_ARGB32);
            if (helfer.flaeche.isNull() || helfer.vollbild.isNull())
                return antworte({});
            continue;
        }
        // The pictures' rows are whole words, so each picture's pixels lie in one piece.
        const qint64 flaecheBytes = helfer.flaeche.sizeInBytes();
        const qint64 gesamt = VorschauPixelBytes(*helfer.kopf);
        const bool inFlaeche = helfer.pixelEmpfangen < flaecheBytes;
        uchar* ziel = inFlaeche ? helfer.flaeche.bits() + helfer.pixelEmpfangen
                                : helfer.vollbild.bits() + (helfer.pixelEmpfangen - flaecheBytes);
        const qint64 platz =
            inFlaeche ? flaecheBytes - helfer.pixelEmpfangen : gesamt - helfer.pixelEmpfangen;
        if (platz <= 0) // more than the header announced
            return antworte({});
        const qint64 gelesen = helfer.prozess->read(reinterpret_cast<char*>(ziel), platz);
        if (gelesen <= 0)
            return antworte({});
        helfer.pixelEmpfangen += gelesen;
        if (helfer.pixelEmpfangen == gesamt) {
            return antworte(TVorschau{helfer.kopf->bild, std::move(helfer.flaeche),
                                      std::move(helfer.vollbild)});
        }
    }
}

void TVorschauDienst::antworte(const TVorschau& vorschau)
{
    beende();
    // The next request then finds a helper ready. Started once this one is answered, so that
    // neither making the process nor its start-up delays the answer.
    QTimer::singleShot(0, this, [this] {
        if (!ruht_)
            bereite();
    });
    Q_EMIT fertig(vorschau);
}

} // namespace zw
