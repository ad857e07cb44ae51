#include "fontdispatch.h"

#include "comobject.h"

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

    HRESULT QueryInterface(REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (riid == IID_FontDispatchSelf) {
            *object = this;
            return S_OK;
        }
        if (!(riid == IID_IUnknown) && !(riid == IID_IDispatch))
            return E_NOINTERFACE;
        *object = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
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
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result, EXCEPINFO *,
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
        const QVariant value = qvariantFromVariant(params->rgvarg[0]);
        bool ok = true;
        try {
            switch (id) {
            case DISPID_FONT_NAME:
                ok = value.typeId() == QMetaType::QString;
                if (ok)
                    m_font->setName(value.toString());
                break;
            case DISPID_FONT_SIZE: {
                const float size = value.toFloat(&ok);
                if (ok)
                    m_font->setSize(size);
                break;
            }
            case DISPID_FONT_BOLD:
                m_font->setBold(value.toBool());
                break;
            case DISPID_FONT_ITALIC:
                m_font->setItalic(value.toBool());
                break;
            default:
                return DISP_E_MEMBERNOTFOUND;
            }
        } catch (const RuntimeError &) {
            return E_INVALIDARG;
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

QVariant readProperty(IDispatch *dispatch, DISPID id)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    if (FAILED(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr)))
        return QVariant();
    QVariant result = qvariantFromVariant(value);
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
    const QVariant name = readProperty(dispatch, DISPID_FONT_NAME);
    const QVariant size = readProperty(dispatch, DISPID_FONT_SIZE);
    if (name.typeId() != QMetaType::QString || !size.isValid())
        return nullptr;
    QFont font(name.toString());
    font.setPointSizeF(std::max(1.0, size.toDouble()));
    font.setBold(readProperty(dispatch, DISPID_FONT_BOLD).toBool());
    font.setItalic(readProperty(dispatch, DISPID_FONT_ITALIC).toBool());
    return FontObject::create(font);
}
