// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/anwendung.h"
#include "ui/form1.h"
#include "ui/zentrieren.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kHilfe =
    "Aufruf: zechwaage [--help | --version]\n"
    "Schätzt den Blutalkohol in Promille nach dem Trinken und zeigt den Verlauf.\n"
    "\n"
    "  --help     zeigt diese Hilfe und beendet das Programm\n"
    "  --version  zeigt die Version und beendet das Programm\n"
    "\n"
    "Sonst nimmt das Programm keine Argumente an; weitere Angaben werden übergangen.\n";

// The two answers a packager or a user in a terminal expects. They are given before the
// application object exists, so they work without any display.
bool BeantworteBefehlszeile(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kHilfe, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("Zechwaage 3.3a\n", stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (BeantworteBefehlszeile(argc, argv))
        return std::fflush(stdout) == 0 ? 0 : 1;

    zw::BehalteFreienSpeicher();
    QApplication app(argc, argv);
    zw::RichteAnwendungEin();

    zw::TForm1 form1;
    zw::ZentriereAufBildschirm(&form1);
    form1.show();
    return QApplication::exec();
}
