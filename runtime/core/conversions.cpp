#include "conversions.h"

#include "runtimeerror.h"

#include <cmath>
#include <limits>

namespace {

// The value read as a number; anything that is not one is a type mismatch.
double numberOf(const QVariant &value)
{
    if (value.isNull() || !value.canConvert<double>() || value.typeId() == QMetaType::QByteArray)
        throw RuntimeError::typeMismatch();
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        throw RuntimeError::typeMismatch();
    return number;
}

// The value as a number, rounded half to even, within [lowest, highest].
qint64 wholeNumber(const QVariant &value, qint64 lowest, qint64 highest)
{
    const double rounded = std::nearbyint(numberOf(value));
    if (!std::isfinite(rounded) || rounded < double(lowest) || rounded > double(highest))
        throw RuntimeError::overflow();
    return qint64(rounded);
}

} // namespace

qint16 toInteger(const QVariant &value)
{
    return qint16(wholeNumber(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

qint32 toLong(const QVariant &value)
{
    return qint32(wholeNumber(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

quint32 toColour(const QVariant &value)
{
    // Colours travel both as signed and as unsigned 32-bit values.
    return quint32(wholeNumber(value, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max()));
}

bool toBoolean(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
    }
    const double number = numberOf(value);
    if (std::isnan(number))
        throw RuntimeError::typeMismatch();
    return number != 0.0;
}

QString toText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    // A byte is a number here; Qt would make it a character.
    if (value.typeId() == QMetaType::UChar)
        return QString::number(value.value<quint8>());
    return value.toString();
}
