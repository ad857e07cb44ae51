#include "fontobject.h"

#include "runtimeerror.h"

FontObject::FontObject(const QFont &font)
    : m_font(font)
{ }

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
    if (!(points > 0.0 && points <= double(largestSize)))
        throw RuntimeError::invalidPropertyValue(
            QCoreApplication::translate("RuntimeError",
                                        "Invalid property value: a font size is more than 0 and at most %1 points")
                .arg(double(largestSize)));
    QFont font = m_font;
    font.setPointSizeF(double(float(points)));
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
