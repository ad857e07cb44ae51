#pragma once

#include "frmedit.h"
#include "frmmath.h"
#include "frmmthlypay.h"

#include <QString>
#include <QTest>

#include <memory>

// What the tests of the three programs together share: a program's window
// by its name, and a data row for each program.

inline std::unique_ptr<QWidget> makeWindow(const QString &program)
{
    if (program == QLatin1String("Math"))
        return std::make_unique<frmMath>();
    if (program == QLatin1String("Month"))
        return std::make_unique<frmMthlyPay>();
    return std::make_unique<frmEdit>();
}

// A "program" column with a row for each program.
inline void addProgramRows()
{
    QTest::addColumn<QString>("program");
    for (const char *program : {"Math", "Month", "Edit"})
        QTest::newRow(program) << QString::fromLatin1(program);
}
