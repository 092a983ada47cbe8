// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/anwendung.h"

#include "schrift/schriften.h"
#include "ui/adressen.h"
#include "ui/wayland.h"
#include "ui/zugang.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zw {

bool LadeQtUebersetzung(QCoreApplication& app, const QString& ordner)
{
    // Qt's own texts (file dialog, message box buttons, the text fields' menus) in German like
    // the rest of the program, whatever the regional settings. Without the catalogue they stay
    // English.
    auto* uebersetzung = new QTranslator(&app);
    if (!uebersetzung->load(QStringLiteral("qtbase_de"), ordner)) {
        delete uebersetzung;
        return false;
    }
    QCoreApplication::installTranslator(uebersetzung);
    return true;
}

bool BehalteFreienSpeicher()
{
#if defined(__GLIBC__)
    // Saving, copying and previewing the chart each take and free a few hundred kilobytes: the
    // picture and the file's bytes. By default glibc serves blocks that large from fresh
    // mappings and hands freed memory back to the kernel at once, so every save faults in every
    // page anew; on a virtual machine at about 9 µs a page, that was nine tenths of saving a
    // bitmap. Blocks up to 1 MiB now come from the heap, and up to 2 MiB of it stays free for
    // the next picture. Start-up's resident memory is the same either way.
    constexpr int kAusDemHeap = 1 << 20;
    constexpr int kFreiBehalten = 2 << 20;
    const bool gross = mallopt(M_MMAP_THRESHOLD, kAusDemHeap) == 1;
    const bool behalten = mallopt(M_TRIM_THRESHOLD, kFreiBehalten) == 1;
    return gross && behalten;
#else
    return false;
#endif
}

void RichteAnwendungEin()
{
    QApplication::setApplicationName(QStringLiteral("zechwaage"));
    QApplication::setApplicationVersion(QStringLiteral("3.3a"));
    QApplication::setOrganizationDomain(QString::fromLatin1(OrganisationsDomain));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AnwendungsId));
    // One font for every control: the fixed layout is measured for it. Setting it for the whole
    // application also replaces the fonts desktop themes give to particular kinds of control
    // (tool buttons, for instance), which would no longer fit their places.
    QApplication::setFont(MsSansSerif());
    RichteZugangEin();
    RichteWaylandFensterEin();
    if (auto* app = QCoreApplication::instance())
        LadeQtUebersetzung(*app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace zw
