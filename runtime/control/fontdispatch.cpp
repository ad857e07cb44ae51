#include "fontdispatch.h"

#include "comobject.h"
#include "componentconversions.h"

#include "runtimeerror.h"

#include <algorithm>

namespace {

// An id of our own for asking a font dispatch object whether it is ours.
constexpr IID IID_FontDispatchSelf = {0x6D2A9C46, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};

class FontDispatch final : public ComObject<FontDispatch, IDispatch>
{
public:
    explicit FontDispatch(std::shared_ptr<FontObject> font)
        : m_font(std::move(font))
    { }

    std::shared_ptr<FontObject> font() const { return m_font; }

    // Asked for its own id, it answers itself without a reference: only
    // the runtime asks, to find its own font objects.
    HRESULT QueryInterface(REFIID riid, void **object) override
    {
        IDispatch *self = this;
        const HRESULT result = answerQueryInterface(*this, riid, object, {{IID_IUnknown, self}, {IID_IDispatch, self}});
        if (result == E_NOINTERFACE && riid == IID_FontDispatchSelf) {
            *object = this;
            return S_OK;
        }
        return result;
    }
    HRESULT GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, OLECHAR **names, UINT count, LCID, DISPID *ids) override
    {
        if (!names || !ids)
            return E_POINTER;
        if (std::any_of(names, names + count, [](const OLECHAR *name) { return !name; }))
            return E_POINTER;
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            const QString name = QString::fromUtf16(names[i]).toLower();
            ids[i] = name == u"name" ? DISPID_FONT_NAME
                : name == u"size"    ? DISPID_FONT_SIZE
                : name == u"bold"    ? DISPID_FONT_BOLD
                : name == u"italic"  ? DISPID_FONT_ITALIC
                                     : DISPID_UNKNOWN;
            if (ids[i] == DISPID_UNKNOWN)
                result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result, EXCEPINFO *exception,
                   UINT *argErr) override
    {
        if (!params)
            return E_POINTER;
        if (flags & DISPATCH_PROPERTYGET) {
            if (params->cArgs != 0)
                return DISP_E_BADPARAMCOUNT;
            if (!result)
                return S_OK;
            switch (id) {
            case DISPID_FONT_NAME:
                return variantFromQVariant(m_font->Name(), result);
            case DISPID_FONT_SIZE:
                return variantFromQVariant(m_font->Size(), result);
            case DISPID_FONT_BOLD:
                return variantFromQVariant(m_font->Bold(), result);
            case DISPID_FONT_ITALIC:
                return variantFromQVariant(m_font->Italic(), result);
            default:
                return DISP_E_MEMBERNOTFOUND;
            }
        }
        if (!(flags & DISPATCH_PROPERTYPUT))
            return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        const VARIANT &argument = params->rgvarg[0];
        const auto value = qvariantFromVariant(argument);
        bool ok = value.has_value();
        try {
            switch (id) {
            case DISPID_FONT_NAME:
                ok = ok && value->typeId() == QMetaType::QString;
                if (ok)
                    m_font->setName(value->toString());
                break;
            case DISPID_FONT_SIZE: {
                // Any numeric type, currency (the conventional one) included.
                const auto size = numberFromVariant(argument);
                ok = size.has_value();
                if (ok)
                    m_font->setSize(*size);
                break;
            }
            case DISPID_FONT_BOLD:
                if (ok)
                    m_font->setBold(value->toBool());
                break;
            case DISPID_FONT_ITALIC:
                if (ok)
                    m_font->setItalic(value->toBool());
                break;
            default:
                return DISP_E_MEMBERNOTFOUND;
            }
        } catch (const RuntimeError &error) {
            if (exception) {
                *exception = EXCEPINFO{};
                exception->scode = HRESULT(0x800A0000u | std::uint32_t(error.number()));
                exception->bstrSource = bstrFromString(QStringLiteral("Font"));
                exception->bstrDescription = bstrFromString(error.message());
            }
            return DISP_E_EXCEPTION;
        }
        if (!ok) {
            if (argErr)
                *argErr = 0;
            return DISP_E_TYPEMISMATCH;
        }
        return S_OK;
    }

private:
    std::shared_ptr<FontObject> m_font;
};

// The value of the object's property id, in result (cleared by the caller);
// false when the object does not give it.
bool readProperty(IDispatch *dispatch, DISPID id, VARIANT &result)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantInit(&result);
    return SUCCEEDED(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr));
}

QVariant readValue(IDispatch *dispatch, DISPID id)
{
    VARIANT value;
    if (!readProperty(dispatch, id, value))
        return QVariant();
    const QVariant result = qvariantFromVariant(value).value_or(QVariant());
    VariantClear(&value);
    return result;
}

} // namespace

IDispatch *fontDispatch(std::shared_ptr<FontObject> font)
{
    return new FontDispatch(std::move(font));
}

std::shared_ptr<FontObject> fontFromDispatch(IDispatch *dispatch)
{
    if (!dispatch)
        return nullptr;
    void *self = nullptr;
    if (SUCCEEDED(dispatch->QueryInterface(IID_FontDispatchSelf, &self)) && self)
        return static_cast<FontDispatch *>(self)->font();
    const QVariant name = readValue(dispatch, DISPID_FONT_NAME);
    VARIANT sizeValue;
    const bool hasSize = readProperty(dispatch, DISPID_FONT_SIZE, sizeValue);
    const auto size = hasSize ? numberFromVariant(sizeValue) : std::nullopt;
    VariantClear(&sizeValue);
    if (name.typeId() != QMetaType::QString || !size)
        return nullptr;
    auto font = FontObject::create(QFont(name.toString()));
    font->setSize(*size);
    font->setBold(readValue(dispatch, DISPID_FONT_BOLD).toBool());
    font->setItalic(readValue(dispatch, DISPID_FONT_ITALIC).toBool());
    return font;
}
