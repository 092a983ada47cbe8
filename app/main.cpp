// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/anwendung.h"
#include "ui/form1.h"
#include "ui/zentrieren.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zw::RichteAnwendungEin();

    zw::TForm1 form1;
    zw::ZentriereAufBildschirm(&form1);
    form1.show();
    return QApplication::exec();
}
