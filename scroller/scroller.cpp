#include <tovrell/scroller.h>

#include "colour.h"
#include "conversions.h"
#include "propertybag.h"
#include "scrolleraccessible.h"
#include "scrollerprivate.h"
#include "twips.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace Tovrell {

namespace {

// A host's property bag as the runtime's.
class HostBag final : public ::PropertyBag
{
public:
    explicit HostBag(Tovrell::PropertyBag &bag)
        : m_bag(bag)
    { }

protected:
    std::optional<QVariant> value(const QString &name) const override { return m_bag.value(name); }
    void store(const QString &name, const QVariant &value) override { m_bag.store(name, value); }

private:
    Tovrell::PropertyBag &m_bag;
};

// The Scroller's own widget as its face: Qt sizes and paints it, and its
// signals tell a Qt host. Its font and enabled state are the QWidget's
// own, reached around the class's properties of the same names.
class WidgetFace final : public ScrollerFace
{
public:
    explicit WidgetFace(Scroller &scroller)
        : q(scroller)
    {
        // Mouse movement reaches the handler with or without a button held.
        q.setMouseTracking(true);
        // paint covers every pixel: Qt need not clear the widget first.
        q.setAttribute(Qt::WA_OpaquePaintEvent);
    }

    QSize size() const override { return q.size(); }
    void update() override { q.update(); }
    QFont defaultFont() const override { return q.parentWidget() ? q.parentWidget()->font() : QApplication::font(); }
    bool isEnabled() const override { return q.isEnabled(); }
    void setEnabled(bool enabled) override { static_cast<QWidget &>(q).setEnabled(enabled); }
    void showFont(const QFont &font) override { static_cast<QWidget &>(q).setFont(font); }
    QObject &lifetime() override { return q; }
    void setGeometry(const QRect &bounds) override { q.setGeometry(bounds); }
    void propertyChanged(const QString &name) override { emit q.propertyChanged(name); }
    void errorRaised(int number, const QString &description) override { emit q.errorRaised(number, description); }
    void Click() override { emit q.Click(); }
    void DblClick() override { emit q.DblClick(); }
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y) override
    {
        emit q.MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y) override
    {
        emit q.MouseMove(Button, Shift, X, Y);
    }
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y) override { emit q.MouseUp(Button, Shift, X, Y); }
    void captionChanged() override { tellCaptionChanged(q); }
    void scrollingChanged() override { tellScrollingChanged(q); }

private:
    Scroller &q;
};

// Runs a property procedure, turning a runtime error into the kit's own.
template <typename F>
auto checked(F &&procedure)
{
    try {
        return procedure();
    } catch (const RuntimeError &error) {
        throw Error(error.number(), error.message());
    }
}

// Runs a property procedure for Designer, which has no use for its errors.
template <typename F>
void ignoringRefusal(F &&change)
{
    try {
        change();
    } catch (const RuntimeError &) {
    }
}

} // namespace

PropertyBag::PropertyBag() = default;
PropertyBag::~PropertyBag() = default;

Error::Error(int number, const QString &message)
    : std::runtime_error(message.toStdString())
    , m_number(number)
{ }

Error::~Error() = default;

Scroller::Scroller(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<ScrollerPrivate>(std::make_unique<WidgetFace>(*this)))
{
    resize(sizeHint());
    d->showFontOnSurface();
    makeReadableToScreenReaders(*this);
}

Scroller::~Scroller() = default;

bool Scroller::ambientUserMode() const
{
    return d->ambientUserMode();
}

void Scroller::setAmbientUserMode(bool userMode)
{
    d->setAmbientUserMode(userMode);
}

QFont Scroller::ambientFont() const
{
    return d->ambientFont();
}

void Scroller::setAmbientFont(const QFont &font)
{
    checked([&] { d->setAmbientFont(font); });
}

bool Scroller::initProperties()
{
    return d->initProperties();
}

bool Scroller::readProperties(PropertyBag &bag)
{
    HostBag properties(bag);
    return d->readProperties(properties);
}

bool Scroller::writeProperties(PropertyBag &bag)
{
    HostBag properties(bag);
    return d->writeProperties(properties);
}

void Scroller::setBounds(const QRect &bounds)
{
    checked([&] { d->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height()); });
}

quint32 Scroller::BackColor() const
{
    return quint32(d->get(ScrollerMembers::BackColor).toInt());
}

void Scroller::setBackColor(quint32 New_BackColor)
{
    checked([&] { d->let(ScrollerMembers::BackColor, New_BackColor); });
}

quint32 Scroller::ForeColor() const
{
    return quint32(d->get(ScrollerMembers::ForeColor).toInt());
}

void Scroller::setForeColor(quint32 New_ForeColor)
{
    checked([&] { d->let(ScrollerMembers::ForeColor, New_ForeColor); });
}

bool Scroller::Enabled() const
{
    return d->get(ScrollerMembers::Enabled).toBool();
}

void Scroller::setEnabled(bool New_Enabled)
{
    d->let(ScrollerMembers::Enabled, New_Enabled);
}

QFont Scroller::Font() const
{
    return d->Font()->font();
}

void Scroller::setFont(const QFont &New_Font)
{
    checked([&] { d->let(ScrollerMembers::Font, New_Font); });
}

qint16 Scroller::BorderStyle() const
{
    return d->get(ScrollerMembers::BorderStyle).value<qint16>();
}

void Scroller::setBorderStyle(qint16 New_BorderStyle)
{
    checked([&] { d->let(ScrollerMembers::BorderStyle, QVariant::fromValue(New_BorderStyle)); });
}

qint32 Scroller::Interval() const
{
    return d->get(ScrollerMembers::Interval).toInt();
}

void Scroller::setInterval(qint32 New_Interval)
{
    checked([&] { d->let(ScrollerMembers::Interval, New_Interval); });
}

QVariant Scroller::Caption() const
{
    return d->Caption();
}

void Scroller::setCaption(const QVariant &New_Caption)
{
    checked([&] { d->let(ScrollerMembers::Caption, New_Caption); });
}

void Scroller::Refresh()
{
    d->Refresh();
}

void Scroller::RefreshCaption()
{
    d->RefreshCaption();
}

QSize Scroller::sizeHint() const
{
    return QSize(pixelsFromTwips(6120), pixelsFromTwips(600));
}

void Scroller::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        d->widgetChanged(*event, font());
}

void Scroller::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    d->paint(painter);
}

void Scroller::resizeEvent(QResizeEvent *)
{
    d->resized();
}

void Scroller::mousePressEvent(QMouseEvent *event)
{
    d->mousePressed(event);
}

void Scroller::mouseMoveEvent(QMouseEvent *event)
{
    d->mouseMoved(event);
}

void Scroller::mouseReleaseEvent(QMouseEvent *event)
{
    d->mouseReleased(event);
}

void Scroller::mouseDoubleClickEvent(QMouseEvent *event)
{
    d->mouseDoubleClicked(event);
}

QColor Scroller::backColorForDesigner() const
{
    return colorFromValue(BackColor());
}

void Scroller::setBackColorForDesigner(const QColor &color)
{
    ignoringRefusal([&] { d->let(ScrollerMembers::BackColor, valueFromColor(color)); });
}

QColor Scroller::foreColorForDesigner() const
{
    return colorFromValue(ForeColor());
}

void Scroller::setForeColorForDesigner(const QColor &color)
{
    ignoringRefusal([&] { d->let(ScrollerMembers::ForeColor, valueFromColor(color)); });
}

void Scroller::setFontForDesigner(const QFont &font)
{
    ignoringRefusal([&] { d->let(ScrollerMembers::Font, font); });
}

void Scroller::setBorderStyleForDesigner(int style)
{
    ignoringRefusal(
        [&] { d->let(ScrollerMembers::BorderStyle, QVariant::fromValue(qint16(std::clamp(style, -32768, 32767)))); });
}

void Scroller::setIntervalForDesigner(int milliseconds)
{
    ignoringRefusal([&] { d->let(ScrollerMembers::Interval, milliseconds); });
}

QString Scroller::captionForDesigner() const
{
    return toText(Caption());
}

void Scroller::setCaptionForDesigner(const QString &caption)
{
    setCaption(caption);
}

} // namespace Tovrell
