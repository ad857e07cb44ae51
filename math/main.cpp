#include "frmmath.h"
#include "program.h"
#include "versionrecord.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpProgram(VersionRecord::internalName, VersionRecord::productVersion, "org.formprograms.Math");
    frmMath window;
    return runProgram(window);
}
