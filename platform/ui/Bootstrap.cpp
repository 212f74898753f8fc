// A bare main window for the program's first start.
#include "platform/ui/Bootstrap.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>

int PlatformRunBareMainWindow(int argc, char** argv, const char* title)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromLatin1(title));
    window.resize(800, 600);
    window.show();
    // A smoke run quits as soon as the event loop is up.
    if (std::getenv("ZELK_QUIT_AT_START"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
