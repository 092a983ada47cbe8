#include "chart/schriften.h"
#include "ui/form1.h"
#include "ui/zentrieren.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zechwaage"));
    QApplication::setApplicationVersion(QStringLiteral("3.3a"));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zechwaage"));
    // One font for every control: the fixed layout is measured for it. Setting it for the whole
    // application also replaces the fonts desktop themes give to particular kinds of control
    // (tool buttons, for instance), which would no longer fit their places.
    QApplication::setFont(zw::MsSansSerif());

    zw::TForm1 form1;
    zw::ZentriereAufBildschirm(&form1);
    form1.show();
    return QApplication::exec();
}
