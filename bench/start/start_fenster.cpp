// Starts either the program's main window or, as the floor any Qt program stands on, one
// empty QWidget of the same size; waits until it is on screen, reports the resident memory at
// that moment and quits. bench/start/messen.sh runs both and compares them.
//   start_zechwaage | start_minimal

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#ifdef ZW_START_PROGRAMM
#include "ui/anwendung.h"
#include "ui/form1.h"
#endif

#include <cstdio>

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
    QApplication app(argc, argv);
#ifdef ZW_START_PROGRAMM
    // As the program itself starts.
    zw::RichteAnwendungEin();
    zw::TForm1 fenster;
#else
    QWidget fenster;
    fenster.setFixedSize(629, 416);
    fenster.setWindowTitle(QStringLiteral("Zechwaage 3.3a"));
#endif
    fenster.show();
    if (!QTest::qWaitForWindowExposed(&fenster))
        return 1;
    std::printf("rss_kib %ld\n", residentKiB());
    return 0;
}
