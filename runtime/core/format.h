#pragma once

#include <QLocale>
#include <QString>

// Formats value with one of the named formats, the name compared without
// regard to case:
//  "percent"        the value times 100 with two decimals and the percent sign
//  "currency"       the locale's currency symbol, grouping, two decimals and
//                   negative form; the bare C locale falls back to US English
//  "general number" the shortest exact form, without grouping
// Any other name throws RuntimeError::invalidCall().
QString Format(double value, const QString &name, const QLocale &locale = QLocale());

// Reads text that Format wrote with "percent" back as the fraction it shows,
// in the same locale: "9.00%" reads 0.09. Text that is not such a percentage
// throws RuntimeError::typeMismatch().
double readPercent(const QString &text, const QLocale &locale = QLocale());
