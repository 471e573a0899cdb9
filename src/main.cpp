#include "app/tfmain.h"
#include "platform/numbertext.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral("velmora"));
    NumberText::initFromSystemLocale();

    TFMain mainWindow;
    mainWindow.show();
    return app.exec();
}
