#include "colour.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace {

constexpr quint32 systemColourMark = 0x80000000u;

QPalette::ColorRole roleOfSystemColour(quint32 index)
{
    switch (index) {
    case 0x05:
        return QPalette::Base; // window background
    case 0x08:
        return QPalette::WindowText; // window text
    case 0x0D:
        return QPalette::Highlight;
    case 0x0E:
        return QPalette::HighlightedText;
    case 0x0F:
        return QPalette::Button; // button face
    case 0x10:
        return QPalette::Dark; // button shadow
    case 0x12:
        return QPalette::ButtonText;
    case 0x14:
        return QPalette::Light; // button highlight
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor colorFromValue(quint32 value)
{
    if (value & systemColourMark)
        return QGuiApplication::palette().color(roleOfSystemColour(value & 0xFFu));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 valueFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

quint32 backColor(const QWidget *widget)
{
    return valueFromColor(widget->palette().color(widget->backgroundRole()));
}

void setBackColor(QWidget *widget, quint32 value)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colorFromValue(value));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
