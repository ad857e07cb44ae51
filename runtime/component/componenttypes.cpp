#include "componenttypes.h"

#include "interfaces.h"

#include <cstdlib>
#include <cstring>
#include <limits>

bool operator==(const GUID &a, const GUID &b)
{
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3
        && std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

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
    if (text.size() != 36 || text[8] != u'-' || text[13] != u'-' || text[18] != u'-' || text[23] != u'-')
        return std::nullopt;
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

BSTR SysAllocStringLen(const OLECHAR *text, UINT length)
{
    if (length > (std::numeric_limits<std::uint32_t>::max() - 8) / sizeof(OLECHAR))
        return nullptr;
    auto *block =
        static_cast<unsigned char *>(std::malloc(sizeof(std::uint32_t) + (std::size_t(length) + 1) * sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    const std::uint32_t bytes = length * sizeof(OLECHAR);
    std::memcpy(block, &bytes, sizeof bytes);
    BSTR characters = reinterpret_cast<BSTR>(block + sizeof bytes);
    if (text)
        std::memcpy(characters, text, bytes);
    else
        std::memset(characters, 0, bytes);
    characters[length] = u'\0';
    return characters;
}

BSTR SysAllocString(const OLECHAR *text)
{
    if (!text)
        return nullptr;
    UINT length = 0;
    while (text[length])
        ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(reinterpret_cast<unsigned char *>(text) - sizeof(std::uint32_t));
}

UINT SysStringLen(BSTR text)
{
    if (!text)
        return 0;
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char *>(text) - sizeof bytes, sizeof bytes);
    return bytes / sizeof(OLECHAR);
}

BSTR bstrFromString(const QString &text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR *>(text.utf16()), UINT(text.size()));
}

QString stringFromBstr(BSTR text)
{
    return QString::fromUtf16(text, qsizetype(SysStringLen(text)));
}

void VariantInit(VARIANT *variant)
{
    std::memset(variant, 0, sizeof *variant);
}

HRESULT VariantClear(VARIANT *variant)
{
    if (!variant)
        return E_INVALIDARG;
    switch (variant->vt) {
    case VT_BSTR:
        SysFreeString(variant->bstrVal);
        break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (variant->punkVal)
            variant->punkVal->Release();
        break;
    default:
        break;
    }
    VariantInit(variant);
    return S_OK;
}

HRESULT VariantCopy(VARIANT *destination, const VARIANT *source)
{
    if (!destination || !source)
        return E_INVALIDARG;
    if (destination == source)
        return S_OK;
    VariantClear(destination);
    *destination = *source;
    if (source->vt == VT_BSTR && source->bstrVal) {
        destination->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!destination->bstrVal) {
            VariantInit(destination);
            return E_OUTOFMEMORY;
        }
    } else if ((source->vt == VT_UNKNOWN || source->vt == VT_DISPATCH) && source->punkVal) {
        source->punkVal->AddRef();
    }
    return S_OK;
}

QVariant qvariantFromVariant(const VARIANT &variant)
{
    const bool byReference = variant.vt & VT_BYREF;
    if (byReference && !variant.byref)
        return QVariant();
    switch (variant.vt & ~VT_BYREF) {
    case VT_EMPTY:
        return QVariant();
    case VT_NULL:
        return QVariant::fromValue(nullptr);
    case VT_I2:
        return byReference ? *variant.piVal : variant.iVal;
    case VT_I4:
        return byReference ? *variant.plVal : variant.lVal;
    case VT_R4:
        return byReference ? *variant.pfltVal : variant.fltVal;
    case VT_R8:
        return byReference ? *variant.pdblVal : variant.dblVal;
    case VT_BOOL:
        return (byReference ? *variant.pboolVal : variant.boolVal) != VARIANT_FALSE;
    case VT_BSTR:
        return stringFromBstr(byReference ? *variant.pbstrVal : variant.bstrVal);
    case VT_UI1:
        return byReference ? *static_cast<std::uint8_t *>(variant.byref) : variant.bVal;
    case VT_VARIANT:
        return byReference ? qvariantFromVariant(*variant.pvarVal) : QVariant();
    default:
        return QVariant();
    }
}

HRESULT variantFromQVariant(const QVariant &value, VARIANT *variant)
{
    if (!variant)
        return E_POINTER;
    VariantInit(variant);
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
    case QMetaType::Short:
    case QMetaType::UChar:
        variant->vt = VT_I2;
        variant->iVal = std::int16_t(value.toInt());
        return S_OK;
    case QMetaType::Int:
    case QMetaType::UShort:
        variant->vt = VT_I4;
        variant->lVal = value.toInt();
        return S_OK;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < std::numeric_limits<std::int32_t>::min()
            || number > std::numeric_limits<std::int32_t>::max()) {
            variant->vt = VT_R8;
            variant->dblVal = value.toDouble();
            return S_OK;
        }
        variant->vt = VT_I4;
        variant->lVal = std::int32_t(number);
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
