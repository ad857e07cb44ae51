// The Scroller's seven properties, one row each: how each is read, stored
// with its check, saved with its default, and given to a new placement.

#include "scrollerprivate.h"

#include "componentconversions.h"
#include "conversions.h"

#include <algorithm>

namespace Tovrell {

namespace {

// A font as a let or a load gives it: the font object itself, shared, or a
// font that a new object holds.
std::shared_ptr<FontObject> fontObjectOf(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<std::shared_ptr<FontObject>>())
        return value.value<std::shared_ptr<FontObject>>();
    if (value.typeId() != QMetaType::QFont)
        throw RuntimeError::typeMismatch();
    return FontObject::fromFont(value.value<QFont>());
}

// A caption is a value the component's Caption can hand out as it is:
// nothing, null, a Boolean, a number or a string. A date, a font or any
// other object is refused, as the component refuses it.
QVariant toCaption(const QVariant &value)
{
    if (!hasVariantForm(value))
        throw RuntimeError::typeMismatch();
    return value;
}

QVariant fixed(qint32 value)
{
    return value;
}

} // namespace

const std::array<ScrollerPrivate::Property, 7> &ScrollerPrivate::properties()
{
    using namespace ScrollerMembers;
    static const std::array<Property, 7> table{{
        {u"BackColor", BackColor, true, false,
         [](const ScrollerPrivate &s) -> QVariant { return qint32(s.surfaceBackColor()); },
         [](ScrollerPrivate &s, const QVariant &New_BackColor) { s.setSurfaceBackColor(toColour(New_BackColor)); },
         [](const ScrollerPrivate &) { return fixed(qint32(0x8000000Fu)); },
         [](const ScrollerPrivate &) { return fixed(0x00FFFF00); }},
        {u"ForeColor", ForeColor, true, false,
         [](const ScrollerPrivate &s) -> QVariant { return qint32(s.surfaceForeColor()); },
         [](ScrollerPrivate &s, const QVariant &New_ForeColor) { s.setSurfaceForeColor(toColour(New_ForeColor)); },
         [](const ScrollerPrivate &) { return fixed(qint32(0x80000012u)); },
         [](const ScrollerPrivate &) { return fixed(0x00000000); }},
        {u"Enabled", Enabled, true, false, [](const ScrollerPrivate &s) -> QVariant { return s.surfaceEnabled(); },
         [](ScrollerPrivate &s, const QVariant &New_Enabled) { s.setSurfaceEnabled(toBoolean(New_Enabled)); },
         [](const ScrollerPrivate &) { return QVariant(true); }, nullptr},
        {u"Font", ScrollerMembers::Font, false, true,
         [](const ScrollerPrivate &s) { return QVariant(s.Font()->font()); },
         [](ScrollerPrivate &s, const QVariant &New_Font) { s.setSurfaceFont(fontObjectOf(New_Font)); },
         [](const ScrollerPrivate &s) { return QVariant(s.ambientFont()); },
         [](const ScrollerPrivate &s) { return QVariant(s.ambientFont()); }},
        {u"BorderStyle", BorderStyle, true, false,
         [](const ScrollerPrivate &s) { return QVariant::fromValue(s.surfaceBorderStyle()); },
         [](ScrollerPrivate &s, const QVariant &New_BorderStyle) {
             s.setSurfaceBorderStyle(toInteger(New_BorderStyle));
         },
         [](const ScrollerPrivate &) { return QVariant::fromValue(qint16(0)); }, nullptr},
        {u"Interval", Interval, false, false, [](const ScrollerPrivate &s) { return fixed(s.Timer1.interval()); },
         [](ScrollerPrivate &s, const QVariant &New_Interval) { s.applyInterval(toLong(New_Interval)); },
         [](const ScrollerPrivate &) { return QVariant::fromValue(qint16(100)); }, nullptr},
        // A new caption scrolls from the next tick on.
        {u"Caption", ScrollerMembers::Caption, true, false, [](const ScrollerPrivate &s) { return s.Caption(); },
         [](ScrollerPrivate &s, const QVariant &New_Caption) {
             s.storeCaption(toCaption(New_Caption));
             s.ScrollText.clear();
             s.m_face->captionChanged();
         },
         [](const ScrollerPrivate &) { return QVariant(QStringLiteral("Scroller")); },
         [](const ScrollerPrivate &) { return QVariant(QStringLiteral("Scroller")); }},
    }};
    return table;
}

const ScrollerPrivate::Property &ScrollerPrivate::property(DISPID id)
{
    const auto &table = properties();
    const auto found = std::find_if(table.begin(), table.end(), [id](const Property &row) { return row.id == id; });
    Q_ASSERT(found != table.end());
    return *found;
}

} // namespace Tovrell
