#include "fontobject.h"

#include "runtimeerror.h"

FontObject::FontObject(const QFont &font)
    : m_font(font)
{ }

std::shared_ptr<FontObject> FontObject::fromFont(const QFont &font)
{
    auto object = create(font);
    object->setSize(font.pointSizeF());
    return object;
}

void FontObject::setFont(const QFont &font)
{
    if (font == m_font)
        return;
    m_font = font;
    emit changed();
}

void FontObject::setName(const QString &name)
{
    QFont font = m_font;
    font.setFamily(name);
    setFont(font);
}

void FontObject::setSize(double points)
{
    // The size a font holds is a float: a size that narrows to 0 or to
    // infinity is refused as well, and so is one the font does not take.
    const float size = float(points);
    QFont font = m_font;
    if (size > 0.0f && size <= largestSize)
        font.setPointSizeF(double(size));
    if (!(size > 0.0f && size <= largestSize) || font.pointSizeF() != double(size))
        throw RuntimeError::invalidPropertyValue(
            QCoreApplication::translate("RuntimeError",
                                        "Invalid property value: a font size is more than 0 and at most %1 points")
                .arg(double(largestSize)));
    setFont(font);
}

void FontObject::setBold(bool bold)
{
    QFont font = m_font;
    font.setBold(bold);
    setFont(font);
}

void FontObject::setItalic(bool italic)
{
    QFont font = m_font;
    font.setItalic(italic);
    setFont(font);
}
