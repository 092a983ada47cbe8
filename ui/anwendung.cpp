#include "ui/anwendung.h"

#include "chart/schriften.h"

#include <QApplication>

namespace zw {

void RichteAnwendungEin()
{
    QApplication::setApplicationName(QStringLiteral("zechwaage"));
    QApplication::setApplicationVersion(QStringLiteral("3.3a"));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zechwaage"));
    // One font for every control: the fixed layout is measured for it. Setting it for the whole
    // application also replaces the fonts desktop themes give to particular kinds of control
    // (tool buttons, for instance), which would no longer fit their places.
    QApplication::setFont(MsSansSerif());
}

} // namespace zw
