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
