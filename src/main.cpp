#include "app/appsetup.h"
#include "app/tfmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppSetup::configure(app);
    TFMain mainWindow;
    mainWindow.show();
    return app.exec();
}
