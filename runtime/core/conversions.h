#pragma once

#include <QString>
#include <QVariant>

// A value of any type converted as an assignment to a property of the
// runtime's types converts it. A number, a Boolean or a text that reads as
// a number converts; anything else (Empty, Null, an object, other text)
// throws RuntimeError::typeMismatch(). Whole-number targets round halves to
// even, and a result beyond the target's range, infinite or not a number
// throws RuntimeError::overflow().

// A 16-bit Integer.
qint16 toInteger(const QVariant &value);
// A 32-bit Long.
qint32 toLong(const QVariant &value);
// A colour (0x00BBGGRR, or 0x800000nn for a system colour): a Long that may
// also come as an unsigned 32-bit number.
quint32 toColour(const QVariant &value);
// A Boolean: any number but 0 is true; the texts "True" and "False" in any
// case read as themselves.
bool toBoolean(const QVariant &value);
// The text of a value: a Null or Empty value is empty text, a Boolean
// "True" or "False".
QString toText(const QVariant &value);
