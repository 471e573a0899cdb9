// The smallest Qt MDI program with a menu bar: the yardstick for bench_startup.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QMdiArea(&window));
    window.menuBar()->addMenu(QStringLiteral("&Datei"))->addAction(QStringLiteral("&Beenden"));
    window.resize(914, 740);
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::quit(); });
    return app.exec();
}
