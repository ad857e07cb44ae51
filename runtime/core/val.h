#pragma once

#include <QStringView>

// The number at the start of text, 0 when there is none; independent of the
// locale. Blanks, tabs and line feeds are skipped wherever they stand, so
// "1 000" reads 1000. A number is an optional sign, digits with at most one
// decimal point and an optional exponent (E or D, optional sign, digits);
// "&H" and "&O" read hexadecimal and octal whole numbers, as 16-bit values
// up to four hex digits and as 32-bit values up to eight. The number ends at
// the first other character: "12abc" reads 12, "10,000" reads 10. A value
// beyond the double range throws RuntimeError::overflow().
double Val(QStringView text);
