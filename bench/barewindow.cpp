// The baseline of the start-up benchmark: a bare Qt window with one button,
// started and measured exactly as the programs are.

#include "program.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QPushButton(QStringLiteral("Button")));
    return runProgram(window);
}
