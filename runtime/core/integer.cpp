#include "integer.h"

#include "runtimeerror.h"

#include <cmath>

Integer Integer::from(qint64 value)
{
    if (value < min || value > max)
        throw RuntimeError::overflow();
    return Integer(static_cast<qint16>(value));
}

Integer Integer::fromDouble(double value)
{
    if (std::isnan(value))
        throw RuntimeError::overflow();
    // The default rounding mode rounds halves to even: 2.5 -> 2, 3.5 -> 4.
    const double rounded = std::nearbyint(value);
    if (rounded < double(min) || rounded > double(max))
        throw RuntimeError::overflow();
    return Integer(static_cast<qint16>(rounded));
}

QString Integer::toString() const
{
    return QString::number(m_value);
}

Integer operator+(Integer a, Integer b)
{
    return Integer::from(qint64(a.m_value) + b.m_value);
}

Integer operator-(Integer a, Integer b)
{
    return Integer::from(qint64(a.m_value) - b.m_value);
}

Integer operator*(Integer a, Integer b)
{
    return Integer::from(qint64(a.m_value) * b.m_value);
}
