#include "colour.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <cmath>

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

double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

void keepEveryTextReadable(QWidget *window)
{
    keepTextReadable(window);
    for (QWidget *control : window->findChildren<QWidget *>())
        keepTextReadable(control);
}

// Checks a window's controls again once the desktop's colours have reached
// them.
class ReadableTextKeeper : public QObject
{
public:
    explicit ReadableTextKeeper(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::ApplicationPaletteChange)
            QMetaObject::invokeMethod(
                this, [this] { keepEveryTextReadable(m_window); }, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void keepTextReadable(QWidget *control)
{
    if (!control->testAttribute(Qt::WA_SetPalette)
        || !control->palette().isBrushSet(QPalette::Active, control->backgroundRole()))
        return;
    const QColor background = control->palette().color(control->backgroundRole());
    if (contrastRatio(control->palette().color(control->foregroundRole()), background) >= 4.5)
        return;
    const QColor black(Qt::black), white(Qt::white);
    QPalette palette = control->palette();
    palette.setColor(control->foregroundRole(),
                     contrastRatio(black, background) >= contrastRatio(white, background) ? black : white);
    control->setPalette(palette);
}

void keepTextReadableIn(QWidget *window)
{
    new ReadableTextKeeper(window);
    keepEveryTextReadable(window);
}

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
    keepTextReadable(widget);
}
