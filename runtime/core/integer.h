#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>

// The 16-bit signed Integer of the form runtime. Every arithmetic result and
// every conversion into it is checked against -32768..32767; a value outside
// throws RuntimeError::overflow().
class Integer
{
public:
    static constexpr qint64 min = -32768;
    static constexpr qint64 max = 32767;

    constexpr Integer() = default;
    constexpr explicit Integer(qint16 value)
        : m_value(value)
    { }

    // A whole number, checked against the range.
    static Integer from(qint64 value);
    // Conversion of a floating-point number: rounds to the nearest whole
    // number, a value exactly halfway going to the even neighbour.
    static Integer fromDouble(double value);

    constexpr qint16 value() const { return m_value; }
    // Decimal text: no leading space, a minus sign only for negatives.
    QString toString() const;

    friend Integer operator+(Integer a, Integer b);
    friend Integer operator-(Integer a, Integer b);
    friend Integer operator*(Integer a, Integer b);
    Integer &operator+=(Integer other) { return *this = *this + other; }
    Integer &operator-=(Integer other) { return *this = *this - other; }

    friend constexpr bool operator==(Integer, Integer) = default;
    friend constexpr auto operator<=>(Integer, Integer) = default;

private:
    qint16 m_value = 0;
};
