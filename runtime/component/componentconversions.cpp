#include "componentconversions.h"

#include <limits>

QString guidToString(const GUID &guid)
{
    QString text = QStringLiteral("{%1-%2-%3-")
                       .arg(guid.Data1, 8, 16, QLatin1Char('0'))
                       .arg(guid.Data2, 4, 16, QLatin1Char('0'))
                       .arg(guid.Data3, 4, 16, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i) {
        if (i == 2)
            text += u'-';
        text += QStringLiteral("%1").arg(guid.Data4[i], 2, 16, QLatin1Char('0'));
    }
    return (text + u'}').toUpper();
}

std::optional<GUID> guidFromString(QStringView text)
{
    if (text.startsWith(u'{') && text.endsWith(u'}'))
        text = text.mid(1, text.size() - 2);
    // 8-4-4-4-12 hexadecimal digits.
    if (text.size() != 36)
        return std::nullopt;
    // Exactly hexadecimal digits between the dashes: no sign, no blank.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char16_t c = text[i].unicode();
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (dash ? c != u'-' : !hex)
            return std::nullopt;
    }
    bool ok1 = false, ok2 = false, ok3 = false;
    GUID guid{};
    guid.Data1 = text.mid(0, 8).toUInt(&ok1, 16);
    guid.Data2 = std::uint16_t(text.mid(9, 4).toUInt(&ok2, 16));
    guid.Data3 = std::uint16_t(text.mid(14, 4).toUInt(&ok3, 16));
    if (!ok1 || !ok2 || !ok3)
        return std::nullopt;
    const QString tail = text.mid(19, 4).toString() + text.mid(24, 12).toString();
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        guid.Data4[i] = std::uint8_t(tail.mid(2 * i, 2).toUInt(&ok, 16));
        if (!ok)
            return std::nullopt;
    }
    return guid;
}

BSTR bstrFromString(const QString &text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR *>(text.utf16()), UINT(text.size()));
}

QString stringFromBstr(BSTR text)
{
    return QString(reinterpret_cast<const QChar *>(text), qsizetype(SysStringLen(text)));
}

std::optional<QVariant> qvariantFromVariant(const VARIANT &variant)
{
    const bool byReference = variant.vt & VT_BYREF;
    if (byReference && !variant.byref)
        return std::nullopt;
    switch (variant.vt & ~VT_BYREF) {
    case VT_EMPTY:
        return QVariant();
    case VT_NULL:
        return QVariant::fromValue(nullptr);
    case VT_I2:
        return QVariant::fromValue(byReference ? *variant.piVal : variant.iVal);
    case VT_I4:
        return QVariant::fromValue(byReference ? *variant.plVal : variant.lVal);
    case VT_R4:
        return QVariant::fromValue(byReference ? *variant.pfltVal : variant.fltVal);
    case VT_R8:
        return QVariant::fromValue(byReference ? *variant.pdblVal : variant.dblVal);
    case VT_BOOL:
        return QVariant((byReference ? *variant.pboolVal : variant.boolVal) != VARIANT_FALSE);
    case VT_BSTR:
        return stringFromBstr(byReference ? *variant.pbstrVal : variant.bstrVal);
    case VT_UI1:
        return QVariant::fromValue(byReference ? *variant.pbVal : variant.bVal);
    case VT_VARIANT:
        if (byReference)
            return qvariantFromVariant(*variant.pvarVal);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool hasVariantForm(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
    case QMetaType::Bool:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::QString:
        return true;
    default:
        return false;
    }
}

HRESULT variantFromQVariant(const QVariant &value, VARIANT *variant)
{
    if (!variant)
        return E_POINTER;
    VariantInit(variant);
    if (!hasVariantForm(value))
        return DISP_E_TYPEMISMATCH;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return S_OK;
    case QMetaType::Nullptr:
        variant->vt = VT_NULL;
        return S_OK;
    case QMetaType::Bool:
        variant->vt = VT_BOOL;
        variant->boolVal = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case QMetaType::UChar:
        variant->vt = VT_UI1;
        variant->bVal = value.value<quint8>();
        return S_OK;
    case QMetaType::Short:
        variant->vt = VT_I2;
        variant->iVal = value.value<qint16>();
        return S_OK;
    case QMetaType::Int:
    case QMetaType::UShort:
        variant->vt = VT_I4;
        variant->lVal = value.toInt();
        return S_OK;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        // Exactly a 32-bit integer, or else the nearest double.
        const bool isUnsigned = value.typeId() != QMetaType::LongLong;
        const qint64 number = value.toLongLong();
        const bool fits = isUnsigned ? value.toULongLong() <= quint64(std::numeric_limits<std::int32_t>::max())
                                     : (number >= std::numeric_limits<std::int32_t>::min()
                                        && number <= std::numeric_limits<std::int32_t>::max());
        if (fits) {
            variant->vt = VT_I4;
            variant->lVal = std::int32_t(number);
        } else {
            variant->vt = VT_R8;
            variant->dblVal = value.toDouble();
        }
        return S_OK;
    }
    case QMetaType::Float:
        variant->vt = VT_R4;
        variant->fltVal = value.toFloat();
        return S_OK;
    case QMetaType::Double:
        variant->vt = VT_R8;
        variant->dblVal = value.toDouble();
        return S_OK;
    case QMetaType::QString:
        variant->bstrVal = bstrFromString(value.toString());
        if (!variant->bstrVal)
            return E_OUTOFMEMORY;
        variant->vt = VT_BSTR;
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

std::optional<double> numberFromVariant(const VARIANT &variant)
{
    const bool byReference = variant.vt & VT_BYREF;
    if (byReference && !variant.byref)
        return std::nullopt;
    switch (variant.vt & ~VT_BYREF) {
    case VT_CY:
        return double((byReference ? *variant.pcyVal : variant.cyVal).int64) / 10000.0;
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_UI1:
        return qvariantFromVariant(variant)->toDouble();
    case VT_VARIANT:
        return byReference ? numberFromVariant(*variant.pvarVal) : std::nullopt;
    default:
        return std::nullopt;
    }
}
