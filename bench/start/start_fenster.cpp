// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts either the program's main window or, as the floor any Qt program stands on, one
// empty QWidget of the same size; waits until it is on screen, reports that moment and the
// resident memory then, and quits. bench/start/messen.sh runs both and compares them.
//   start_zechwaage | start_minimal

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QWidget>

#ifdef ZW_START_PROGRAMM
#include "ui/anwendung.h"
#include "ui/form1.h"
#endif

#include <cstdio>
#include <ctime>

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& zeile : status.readAll().split('\n'))
        if (zeile.startsWith("VmRSS:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef ZW_START_PROGRAMM
    // As the program itself starts.
    zw::BehalteFreienSpeicher();
#endif
    QApplication app(argc, argv);
#ifdef ZW_START_PROGRAMM
    zw::RichteAnwendungEin();
    zw::TForm1 fenster;
#else
    QWidget fenster;
    fenster.setFixedSize(629, 416);
    fenster.setWindowTitle(QStringLiteral("Zechwaage 3.3a"));
#ifdef ZW_START_TEXT
    QLabel text(QStringLiteral("Zechwaage 3.3a"), &fenster);
    text.move(8, 8);
#endif
#endif
    fenster.show();
    if (!QTest::qWaitForWindowExposed(&fenster))
        return 1;
    // The wall clock at the moment the window is on screen; the caller knows when it started us.
    timespec jetzt{};
    clock_gettime(CLOCK_REALTIME, &jetzt);
    std::printf("gezeigt_ns %lld\nrss_kib %ld\n",
                static_cast<long long>(jetzt.tv_sec) * 1000000000LL + jetzt.tv_nsec, residentKiB());
    return 0;
}
