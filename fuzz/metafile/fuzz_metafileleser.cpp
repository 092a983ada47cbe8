// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a picture file chosen in the save dialog: read, then drawn like the preview,
// within its deadline. Seeds include pictures other programs wrote.
#include "metafile/metafileleser.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

// Fontconfig keeps its caches until the process ends and frees none of them; that is not ours
// to report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_metafileleser";
    static char* argv[] = {name, nullptr};
    // Lives for the whole run; fonts and painting need it.
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray datei =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto bild = zw::TMetafileBild::lesen(datei);
    if (!bild)
        return 0;
    QImage ziel(64, 32, QImage::Format_RGB32);
    ziel.fill(Qt::white);
    QPainter p(&ziel);
    bild->zeichne(p, QRectF(0, 0, 64, 32), QDeadlineTimer(150));
    return 0;
}
