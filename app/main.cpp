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

    zw::TForm1 form1;
    zw::ZentriereAufBildschirm(&form1);
    form1.show();
    return QApplication::exec();
}
