// Builds its window from bannerwindow.ui, as uic writes it, and checks
// that the Scroller on it has the form's properties and runs.

#include "ui_bannerwindow.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    Ui::BannerWindow ui;
    ui.setupUi(&window);
    if (ui.banner->Caption() != QVariant(QStringLiteral("From a form")) || ui.banner->Interval() != 50) {
        std::fputs("designed host: the form's properties did not reach the Scroller\n", stderr);
        return 1;
    }
    window.show();
    QTimer::singleShot(300, &app, &QCoreApplication::quit);
    app.exec();
    if (ui.banner->Caption().toString() == QStringLiteral("From a form")) {
        std::fputs("designed host: the banner did not scroll\n", stderr);
        return 1;
    }
    std::puts("designed host: ok");
    return 0;
}
