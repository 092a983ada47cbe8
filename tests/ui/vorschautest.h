// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What the preview's tests measure of the program's own process: its resident memory, and how
// long its event loop was kept from taking events.
#pragma once

#include <QAbstractEventDispatcher>
#include <QFile>

#include <algorithm>
#include <ctime>

namespace zw::test {

// The process's resident memory in bytes, from the kernel's account.
inline qint64 Resident()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray zeile = status.readLine(); !zeile.isEmpty(); zeile = status.readLine()) {
        if (zeile.startsWith("VmRSS:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// Watches the event loop between beginne() and halte(): the longest stretch of processor time
// the loop's thread spent between waking up and waiting again, that is, the longest the loop
// could not take a new event because it was working. Processor time, so that other programs
// taking the machine's cores do not count; what the test itself does outside the watch neither.
class TSchleifenwache {
public:
    TSchleifenwache()
    {
        // Connected for as long as the watch lives, and no longer.
        auto* verteiler = QAbstractEventDispatcher::instance();
        QObject::connect(verteiler, &QAbstractEventDispatcher::awake, &kontext_, [this] {
            if (aktiv_)
                wach_ = Rechenzeit();
        });
        QObject::connect(verteiler, &QAbstractEventDispatcher::aboutToBlock, &kontext_, [this] {
            if (aktiv_)
                laengste_ = std::max(laengste_, Rechenzeit() - wach_);
        });
    }
    void beginne()
    {
        wach_ = Rechenzeit();
        aktiv_ = true;
    }
    void halte()
    {
        laengste_ = std::max(laengste_, Rechenzeit() - wach_);
        aktiv_ = false;
    }
    // The longest stretch while watched, in milliseconds.
    double laengsteMs() const { return double(laengste_) / 1e6; }

private:
    static qint64 Rechenzeit()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    }

    bool aktiv_ = false;
    qint64 wach_ = 0;
    qint64 laengste_ = 0;
    QObject kontext_;
};

} // namespace zw::test
