#include "hostpropertybag.h"

#include "componentconversions.h"
#include "fontdispatch.h"
#include "runtimeerror.h"

#include <memory>

std::optional<QVariant> HostPropertyBag::value(const QString &name) const
{
    m_lastRead = name;
    VARIANT variant;
    VariantInit(&variant);
    if (FAILED(m_bag->Read(reinterpret_cast<const OLECHAR *>(name.utf16()), &variant, m_log)))
        return std::nullopt;
    // Cleared however the conversion ends.
    const std::unique_ptr<VARIANT, HRESULT (*)(VARIANT *)> owned(&variant, VariantClear);
    // The only object a saved property holds is a font.
    if (variant.vt == VT_DISPATCH) {
        const auto font = variant.pdispVal ? fontFromDispatch(variant.pdispVal) : nullptr;
        if (!font)
            throw RuntimeError::typeMismatch();
        return QVariant::fromValue(font->font());
    }
    const auto result = qvariantFromVariant(variant);
    if (!result)
        throw RuntimeError::typeMismatch();
    return *result;
}

void HostPropertyBag::store(const QString &name, const QVariant &value)
{
    VARIANT variant;
    VariantInit(&variant);
    if (value.typeId() == QMetaType::QFont) {
        variant.vt = VT_DISPATCH;
        variant.pdispVal = fontDispatch(FontObject::create(value.value<QFont>()));
    } else if (FAILED(variantFromQVariant(value, &variant))) {
        variantFromQVariant(value.toString(), &variant);
    }
    const HRESULT written = m_bag->Write(reinterpret_cast<const OLECHAR *>(name.utf16()), &variant);
    VariantClear(&variant);
    if (FAILED(written))
        throw RuntimeError::invalidPropertyValue(
            QCoreApplication::translate("RuntimeError", "The property bag refused %1").arg(name));
}
