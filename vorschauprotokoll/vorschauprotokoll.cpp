// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "vorschauprotokoll/vorschauprotokoll.h"

#include <QtEndian>

#include <array>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace zw {

namespace {

constexpr QByteArrayView kAnfrageMarke("ZWVA");
constexpr QByteArrayView kKopfMarke("ZWVK");

void Haenge(QByteArray& d, int wert)
{
    char feld[4];
    qToLittleEndian<quint32>(quint32(wert), feld);
    d.append(feld, 4);
}

void Haenge(QByteArray& d, QSize s)
{
    Haenge(d, s.width());
    Haenge(d, s.height());
}

// Reads the sizes after a four-byte mark; each field must fit an int.
template <std::size_t N>
std::optional<std::array<QSize, N>> LiesGroessen(QByteArrayView daten, QByteArrayView marke)
{
    if (daten.size() != 4 + 8 * qsizetype(N) || daten.first(4) != marke)
        return std::nullopt;
    std::array<QSize, N> groessen;
    for (std::size_t i = 0; i < N; ++i) {
        const char* p = daten.data() + 4 + 8 * i;
        const quint32 breite = qFromLittleEndian<quint32>(p);
        const quint32 hoehe = qFromLittleEndian<quint32>(p + 4);
        if (breite > quint32(MaxVorschauSeitenlaenge) || hoehe > quint32(MaxVorschauSeitenlaenge))
            return std::nullopt;
        groessen[i] = QSize(int(breite), int(hoehe));
    }
    return groessen;
}

bool Erbittbar(QSize s)
{
    return s.width() >= 1 && s.height() >= 1 && s.width() <= MaxAnfrageSeitenlaenge &&
           s.height() <= MaxAnfrageSeitenlaenge &&
           qint64(s.width()) * s.height() <= MaxAnfrageBildpunkte;
}

} // namespace

QByteArray VorschauAnfrageDaten(const TVorschauAnfrage& anfrage)
{
    QByteArray d(kAnfrageMarke.data(), kAnfrageMarke.size());
    Haenge(d, anfrage.flaeche);
    Haenge(d, anfrage.vollbild);
    return d;
}

bool VorschauAnfrageZulaessig(const TVorschauAnfrage& anfrage)
{
    return Erbittbar(anfrage.flaeche) && Erbittbar(anfrage.vollbild);
}

std::optional<TVorschauAnfrage> LiesVorschauAnfrage(QByteArrayView daten)
{
    const auto groessen = LiesGroessen<2>(daten, kAnfrageMarke);
    if (!groessen)
        return std::nullopt;
    const TVorschauAnfrage anfrage{(*groessen)[0], (*groessen)[1]};
    if (!VorschauAnfrageZulaessig(anfrage))
        return std::nullopt;
    return anfrage;
}

QSize GroesseIn(QSize bild, QSize flaeche)
{
    if (bild.width() > flaeche.width() || bild.height() > flaeche.height())
        bild = bild.scaled(flaeche, Qt::KeepAspectRatio);
    return bild.expandedTo(QSize(1, 1));
}

QByteArray VorschauKopfDaten(QSize bild, const TVorschauAnfrage& anfrage)
{
    QByteArray d(kKopfMarke.data(), kKopfMarke.size());
    if (bild.isEmpty()) {
        d.append(24, '\0');
        return d;
    }
    Haenge(d, bild);
    Haenge(d, GroesseIn(bild, anfrage.flaeche));
    Haenge(d, GroesseIn(bild, anfrage.vollbild));
    return d;
}

std::optional<TVorschauKopf> LiesVorschauKopf(QByteArrayView daten, const TVorschauAnfrage& anfrage)
{
    const auto groessen = LiesGroessen<3>(daten, kKopfMarke);
    if (!groessen)
        return std::nullopt;
    const TVorschauKopf kopf{(*groessen)[0], (*groessen)[1], (*groessen)[2]};
    if (kopf.bild.isNull() && kopf.flaeche.isNull() && kopf.vollbild.isNull())
        return kopf; // nothing to show
    if (kopf.bild.isEmpty() || !VorschauAnfrageZulaessig(anfrage) ||
        kopf.flaeche != GroesseIn(kopf.bild, anfrage.flaeche) ||
        kopf.vollbild != GroesseIn(kopf.bild, anfrage.vollbild))
        return std::nullopt;
    return kopf;
}

qint64 VorschauPixelBytes(const TVorschauKopf& kopf)
{
    if (kopf.bild.isEmpty())
        return 0;
    return 4 * (qint64(kopf.flaeche.width()) * kopf.flaeche.height() +
                qint64(kopf.vollbild.width()) * kopf.vollbild.height());
}

bool SendeMitDatei(int socket, QByteArrayView daten, int datei)
{
    iovec teil{const_cast<char*>(daten.data()), std::size_t(daten.size())};
    alignas(cmsghdr) std::array<char, CMSG_SPACE(sizeof(int))> steuer{};
    msghdr nachricht{};
    nachricht.msg_iov = &teil;
    nachricht.msg_iovlen = 1;
    nachricht.msg_control = steuer.data();
    nachricht.msg_controllen = steuer.size();
    cmsghdr* c = CMSG_FIRSTHDR(&nachricht);
    c->cmsg_level = SOL_SOCKET;
    c->cmsg_type = SCM_RIGHTS;
    c->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(c), &datei, sizeof datei);
    ssize_t gesendet = -1;
    do {
        gesendet = ::sendmsg(socket, &nachricht, MSG_DONTWAIT | MSG_NOSIGNAL);
    } while (gesendet < 0 && errno == EINTR);
    return gesendet == daten.size();
}

TEmpfang EmpfangeMitDatei(int socket, char* puffer, qsizetype laenge)
{
    iovec teil{puffer, std::size_t(laenge)};
    // Room for a few handles, so that a sender passing more than one does not cut the message
    // short; each one beyond the first is closed below.
    alignas(cmsghdr) std::array<char, CMSG_SPACE(4 * sizeof(int))> steuer{};
    msghdr nachricht{};
    nachricht.msg_iov = &teil;
    nachricht.msg_iovlen = 1;
    nachricht.msg_control = steuer.data();
    nachricht.msg_controllen = steuer.size();
    ssize_t gelesen = -1;
    do {
        gelesen = ::recvmsg(socket, &nachricht, MSG_WAITALL | MSG_CMSG_CLOEXEC);
    } while (gelesen < 0 && errno == EINTR);
    if (gelesen < 0)
        return {};
    TEmpfang empfang{qsizetype(gelesen), -1};
    for (cmsghdr* c = CMSG_FIRSTHDR(&nachricht); c != nullptr; c = CMSG_NXTHDR(&nachricht, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS ||
            c->cmsg_len < CMSG_LEN(sizeof(int)))
            continue;
        const std::size_t anzahl = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
        for (std::size_t i = 0; i < anzahl; ++i) {
            int fd = -1;
            std::memcpy(&fd, CMSG_DATA(c) + i * sizeof(int), sizeof fd);
            if (empfang.datei < 0)
                empfang.datei = fd;
            else
                ::close(fd);
        }
    }
    // Handles cut off for want of room never arrived; the ones that did may not be the one
    // meant, so none counts.
    if ((nachricht.msg_flags & MSG_CTRUNC) != 0 && empfang.datei >= 0) {
        ::close(empfang.datei);
        empfang.datei = -1;
    }
    return empfang;
}

} // namespace zw
