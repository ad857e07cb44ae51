// Loads a form with QUiLoader, as a program that builds its windows at run
// time does, and prints the class of each widget it made: with the Designer
// plugin installed where Qt looks, a Scroller on the form is the real class.
//
//   loadform <form.ui>

#include <QApplication>
#include <QFile>
#include <QUiLoader>
#include <QWidget>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: loadform <form.ui>\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "loadform: cannot read %s\n", argv[1]);
        return 1;
    }
    QUiLoader loader;
    const std::unique_ptr<QWidget> form(loader.load(&file));
    if (!form) {
        std::fprintf(stderr, "loadform: %s\n", qPrintable(loader.errorString()));
        return 1;
    }
    for (const QWidget *widget : form->findChildren<QWidget *>())
        std::printf("%s %s\n", qPrintable(widget->objectName()), widget->metaObject()->className());
    return 0;
}
