#include "demowindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("scroller-demo"));
    DemoWindow window;
    window.show();
    // Where no window manager gives it the keyboard (a kiosk, a bare X
    // server), the window takes it itself.
    window.activateWindow();
    return QApplication::exec();
}
