#pragma once

// Conversions between the component layer's data and Qt's, for the
// runtime's own side of the boundary.

#include <tovrell/componenttypes.h>

#include <QString>
#include <QVariant>

#include <optional>

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
QString guidToString(const GUID &guid);
// Reads that form, braces optional, any case; none for anything else.
std::optional<GUID> guidFromString(QStringView text);

// Strings, every code unit as it is (a leading U+FEFF is a character, not
// a byte-order mark). bstrFromString answers null when out of memory.
BSTR bstrFromString(const QString &text);
QString stringFromBstr(BSTR text);

// The variant's value, following by-reference variants: Empty as an invalid
// QVariant, Null as nullptr, VT_I2 as qint16, VT_UI1 as quint8, VT_R4 as
// float, and so on, so that variantFromQVariant gives the same type back.
// None for a type with no Qt form here (currency, date, error, objects).
std::optional<QVariant> qvariantFromVariant(const VARIANT &variant);
// The variant form of a Qt value; DISP_E_TYPEMISMATCH when it has none.
HRESULT variantFromQVariant(const QVariant &value, VARIANT *variant);
// Whether variantFromQVariant gives value a form: nothing, null, a Boolean,
// a number or a string.
bool hasVariantForm(const QVariant &value);
// The value of a numeric variant of any type (currency included), or of a
// by-reference one; none for anything else.
std::optional<double> numberFromVariant(const VARIANT &variant);
