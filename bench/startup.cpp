// Start-up time: from process start to the main window first shown, then quit.
// Run with a display (or QT_QPA_PLATFORM=offscreen) and a prepared XDG_DATA_HOME;
// see bench/README.md. Compare against bench_mdibaseline.
#include "app/appsetup.h"
#include "app/tfmain.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppSetup::configure(app);
    TFMain mainWindow;
    mainWindow.show();
    // The first turn of the event loop paints the shown window; then stop.
    QTimer::singleShot(0, &app, [] { QCoreApplication::quit(); });
    return app.exec();
}
