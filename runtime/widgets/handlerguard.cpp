#include "handlerguard.h"

#include "messagebox.h"

#include <QCoreApplication>

void reportRuntimeError(const RuntimeError &error)
{
    MsgBox(QCoreApplication::translate("RuntimeError", "Run-time error '%1':\n\n%2")
               .arg(error.number())
               .arg(error.message()),
           16);
}

void reportUnexpectedError(const std::exception &error)
{
    MsgBox(
        QCoreApplication::translate("RuntimeError", "Run-time error:\n\n%1").arg(QString::fromLocal8Bit(error.what())),
        16);
}
