#include "ui/form1.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zechwaage"));
    QApplication::setApplicationVersion(QStringLiteral("3.3a"));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zechwaage"));

    zw::TForm1 form1;
    // Centred on the screen, like every window of the program.
    if (const QScreen* bildschirm = form1.screen())
        form1.move(bildschirm->availableGeometry().center() - form1.rect().center());
    form1.show();
    return QApplication::exec();
}
