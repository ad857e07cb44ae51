// The C host's start: the Qt application that the control lives in.
#include <QApplication>

extern "C" int runHost(const char *libraryPath);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return runHost(TOVRELL_LIBRARY);
}
