#include "demowindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("scroller-demo"));
    DemoWindow window;
    window.show();
    return QApplication::exec();
}
