// VARIANT, BSTR and GUID text at the component boundary: every conversion
// that has a Qt form must give back exactly what went in.

#include "hostileobjects.h"

#include <cmath>

namespace {

const VARTYPE types[] = {VT_EMPTY, VT_NULL,  VT_I2,   VT_I4,  VT_R4,      VT_R8,      VT_CY, VT_DATE,
                         VT_BSTR,  VT_ERROR, VT_BOOL, VT_UI1, VT_VARIANT, VT_UNKNOWN, 0x48};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);

    const QString text = in.text(256);
    BSTR string = bstrFromString(text);
    if (stringFromBstr(string) != text || SysStringLen(string) != UINT(text.size()))
        checkFailed("a string did not cross the boundary code unit for code unit");

    // A variant of any type, by value or by reference to one.
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = types[in.choose(std::size(types))];
    const auto bits = in.take<std::uint64_t>();
    std::memcpy(&inner.dblVal, &bits, sizeof bits);
    if (inner.vt == VT_BSTR)
        inner.bstrVal = string;
    else if (inner.vt == VT_UNKNOWN || inner.vt == VT_VARIANT)
        inner.punkVal = nullptr;
    VARIANT outer;
    VariantInit(&outer);
    const bool byReference = in.take<std::uint8_t>() & 1;
    if (byReference) {
        outer.vt = VT_VARIANT | VT_BYREF;
        outer.pvarVal = &inner;
    }
    const VARIANT &given = byReference ? outer : inner;

    if (const auto value = qvariantFromVariant(given)) {
        VARIANT back;
        if (FAILED(variantFromQVariant(*value, &back)))
            checkFailed("a value read from a variant has no variant form");
        if (!sameVariant(back, inner))
            checkFailed("a variant did not come back as it went in");
        VariantClear(&back);
    }
    if (const auto number = numberFromVariant(given); number && inner.vt == VT_I4 && *number != inner.lVal)
        checkFailed("a number read wrongly");

    VARIANT copy;
    VariantInit(&copy);
    if (SUCCEEDED(VariantCopy(&copy, &inner)) && !sameVariant(copy, inner))
        checkFailed("a copy differs");
    VariantClear(&copy);
    SysFreeString(string);

    const QString guidText = in.text(40);
    if (const auto guid = guidFromString(guidText)) {
        const auto again = guidFromString(guidToString(*guid));
        if (!again || !(*again == *guid)
            || guidToString(*guid).compare(guidText.startsWith(u'{') ? guidText : u'{' + guidText + u'}',
                                           Qt::CaseInsensitive)
                != 0)
            checkFailed("GUID text did not read back");
    }
    return 0;
}
