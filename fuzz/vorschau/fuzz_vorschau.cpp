// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the file handed to the preview helper: read and drawn at the sizes the
// dialog asks for, into the answer the helper sends, which the program must then accept.
#include "vorschau/vorschaubild.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_vorschau";
    static char* argv[] = {name, nullptr};
    // Lives for the whole run; fonts and painting need it.
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray datei(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const zw::TVorschauAnfrage anfrage{QSize(192, 160), QSize(640, 480)};
    // The helper would be ended after its time; here a metafile stops drawing instead, so that
    // only what never ends counts as slow.
    const QByteArray antwort = zw::VorschauAntwort(datei, anfrage, QDeadlineTimer(250));
    if (antwort.size() < zw::VorschauKopfBytes)
        std::abort();
    const auto kopf =
        zw::LiesVorschauKopf(QByteArrayView(antwort).first(zw::VorschauKopfBytes), anfrage);
    if (!kopf || antwort.size() != zw::VorschauKopfBytes + zw::VorschauPixelBytes(*kopf))
        std::abort();
    return 0;
}
