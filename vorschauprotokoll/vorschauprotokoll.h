// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What the program and the preview helper say to each other. The helper, once it is ready,
// writes Bereitzeichen; the program sends one request (the sizes wanted) together with the open
// file; the helper answers with a header and the pixels of both pictures, rows of
// QImage::Format_ARGB32 without padding, and ends. The program trusts nothing of the answer that
// it has not checked here.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

#include <optional>

namespace zw {

// One message on a stream socket with an open file handed along (SCM_RIGHTS): the request and
// the file to preview go together, so the helper never opens anything by name.
//
// Sends all of daten and datei without waiting; true when the whole message went. For a message
// this small into an empty socket, it always does.
bool SendeMitDatei(int socket, QByteArrayView daten, int datei);
// What EmpfangeMitDatei received: the number of bytes, or -1 when the socket failed; the file
// handed along (closed on exec), or -1 when none came whole.
struct TEmpfang {
    qsizetype bytes = -1;
    int datei = -1;
};
// Waits until puffer is full or the other end is gone. Handles beyond the one expected are
// closed, never left open in this process.
TEmpfang EmpfangeMitDatei(int socket, char* puffer, qsizetype laenge);

// A file larger than this is not previewed.
constexpr qint64 MaxVorschauDateiBytes = 32 * 1024 * 1024;
// The largest picture the preview accepts, each way, in the picture's own pixels.
constexpr int MaxVorschauSeitenlaenge = 16384;
// The largest picture that may be asked for and sent back, in device pixels.
constexpr int MaxAnfrageSeitenlaenge = 4096;
constexpr qint64 MaxAnfrageBildpunkte = 2048 * 2048;

// The first bytes the helper writes, once it has loaded what it needs and closed itself in.
inline constexpr QByteArrayView Bereitzeichen("ZWVB");

// The two pictures wanted, each at most this large in device pixels: one for the pane beside
// the file list, one for the preview window.
struct TVorschauAnfrage {
    QSize flaeche;
    QSize vollbild;
};

constexpr qsizetype VorschauAnfrageBytes = 20;
QByteArray VorschauAnfrageDaten(const TVorschauAnfrage& anfrage);
// nullopt unless daten is a whole request with sizes within the bounds.
std::optional<TVorschauAnfrage> LiesVorschauAnfrage(QByteArrayView daten);
bool VorschauAnfrageZulaessig(const TVorschauAnfrage& anfrage);

// The size a picture of its own size bild is shown at in an area: its own, shrunk to fit,
// never enlarged, never empty.
QSize GroesseIn(QSize bild, QSize flaeche);

// The answer's header: the picture's own size, and the sizes of the two pictures that follow.
// An empty bild says that the file shows nothing; no pixels follow then.
struct TVorschauKopf {
    QSize bild;
    QSize flaeche;
    QSize vollbild;
};

constexpr qsizetype VorschauKopfBytes = 28;
// The header for a picture of its own size bild answering anfrage; an empty bild for none.
QByteArray VorschauKopfDaten(QSize bild, const TVorschauAnfrage& anfrage);
// The header as the program reads it: nullopt unless it is one the helper may send for
// anfrage, both pictures exactly the size GroesseIn gives for the picture's own size.
std::optional<TVorschauKopf> LiesVorschauKopf(QByteArrayView daten,
                                              const TVorschauAnfrage& anfrage);
// How many bytes of pixels follow the header.
qint64 VorschauPixelBytes(const TVorschauKopf& kopf);

} // namespace zw
