#include "quickscroller.h"

#include "colour.h"
#include "scrollerprivate.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQmlInfo>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGRenderNode>
#include <QThread>

using Tovrell::ScrollerPrivate;

namespace {

// The item as the Scroller's face: Qt Quick sizes and shows it, and its
// signals tell the scene.
class QuickFace final : public Tovrell::ScrollerFace
{
public:
    explicit QuickFace(QuickScroller &item)
        : q(item)
    { }

    QSize size() const override { return QSize(qRound(q.width()), qRound(q.height())); }
    void update() override { q.requestDrawing(); }
    QFont defaultFont() const override { return QGuiApplication::font(); }
    bool isEnabled() const override { return q.isEnabled(); }
    void setEnabled(bool enabled) override { q.setEnabled(enabled); }
    void showFont(const QFont &) override { }
    QObject &lifetime() override { return q; }
    void setGeometry(const QRect &bounds) override
    {
        q.setPosition(bounds.topLeft());
        q.setSize(bounds.size());
    }
    // Each property's own notification, by the name the control reports.
    void propertyChanged(const QString &name) override
    {
        static const std::pair<const char16_t *, void (QuickScroller::*)()> notifications[] = {
            {u"BackColor", &QuickScroller::backColorChanged}, {u"ForeColor", &QuickScroller::foreColorChanged},
            {u"Font", &QuickScroller::fontChanged},           {u"BorderStyle", &QuickScroller::borderStyleChanged},
            {u"Interval", &QuickScroller::intervalChanged},   {u"Caption", &QuickScroller::captionChanged},
        };
        for (const auto &[property, notify] : notifications) {
            if (name == QStringView(property))
                (q.*notify)();
        }
    }
    void errorRaised(int, const QString &description) override { qmlWarning(&q) << description; }
    void Click() override { emit q.click(); }
    void DblClick() override { emit q.dblClick(); }
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y) override
    {
        emit q.mouseDown(Button, Shift, qreal(X), qreal(Y));
    }
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y) override
    {
        emit q.mouseMove(Button, Shift, qreal(X), qreal(Y));
    }
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y) override
    {
        emit q.mouseUp(Button, Shift, qreal(X), qreal(Y));
    }

private:
    QuickScroller &q;
};

// Under Qt Quick's software renderer on the GUI thread: the control draws
// straight into the scene's painter, as a widget draws into its backing
// store, with no image between them.
class PainterNode final : public QSGRenderNode
{
public:
    explicit PainterNode(QuickScroller &item)
        : m_item(item)
    { }

    void render(const RenderState *state) override
    {
        QQuickWindow *window = m_item.window();
        auto *painter = static_cast<QPainter *>(
            window->rendererInterface()->getResource(window, QSGRendererInterface::PainterResource));
        if (!painter)
            return;
        painter->save();
        if (const QRegion *clip = state->clipRegion(); clip && !clip->isEmpty())
            painter->setClipRegion(*clip, Qt::ReplaceClip);
        painter->setTransform(matrix()->toTransform());
        painter->setOpacity(inheritedOpacity());
        m_item.engine().paint(*painter);
        painter->restore();
    }
    StateFlags changedStates() const override { return {}; }
    RenderingFlags flags() const override { return BoundedRectRendering; }
    QRectF rect() const override { return m_item.boundingRect(); }

private:
    QuickScroller &m_item;
};

} // namespace

QuickScroller::QuickScroller(QQuickItem *parent)
    : QQuickItem(parent)
    , d(std::make_unique<ScrollerPrivate>(std::make_unique<QuickFace>(*this)))
{
    setFlag(ItemHasContents);
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    setAcceptHoverEvents(true);
    d->initProperties();
    // 6120 x 600 twips, the font fitted to the height.
    setImplicitSize(408, 40);
}

QuickScroller::~QuickScroller() = default;

// A value the control refuses is a QML warning, and changes nothing.
template <typename F>
void QuickScroller::let(F &&change)
{
    try {
        change();
    } catch (const RuntimeError &error) {
        qmlWarning(this) << error.message();
    }
}

QVariant QuickScroller::caption() const
{
    return d->Caption();
}

void QuickScroller::setCaption(const QVariant &caption)
{
    let([&] { d->let(ScrollerMembers::Caption, caption); });
}

QColor QuickScroller::backColor() const
{
    return colorFromValue(quint32(d->get(ScrollerMembers::BackColor).toInt()));
}

void QuickScroller::setBackColor(const QColor &color)
{
    let([&] { d->let(ScrollerMembers::BackColor, valueFromColor(color)); });
}

QColor QuickScroller::foreColor() const
{
    return colorFromValue(quint32(d->get(ScrollerMembers::ForeColor).toInt()));
}

void QuickScroller::setForeColor(const QColor &color)
{
    let([&] { d->let(ScrollerMembers::ForeColor, valueFromColor(color)); });
}

QFont QuickScroller::font() const
{
    return d->Font()->font();
}

void QuickScroller::setFont(const QFont &font)
{
    let([&] { d->let(ScrollerMembers::Font, font); });
}

int QuickScroller::borderStyle() const
{
    return d->get(ScrollerMembers::BorderStyle).toInt();
}

void QuickScroller::setBorderStyle(int style)
{
    let([&] { d->let(ScrollerMembers::BorderStyle, QVariant::fromValue(qint16(std::clamp(style, -32768, 32767)))); });
}

int QuickScroller::interval() const
{
    return d->get(ScrollerMembers::Interval).toInt();
}

void QuickScroller::setInterval(int milliseconds)
{
    let([&] { d->let(ScrollerMembers::Interval, milliseconds); });
}

QImage QuickScroller::image() const
{
    QImage drawn;
    draw(drawn);
    return drawn;
}

// Draws the banner into image, which keeps its memory from one drawing to
// the next while the size stays: a banner draws ten times a second.
void QuickScroller::draw(QImage &image) const
{
    const qreal density = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QSize size = d->face().size() * density;
    if (image.size() != size || image.devicePixelRatio() != density) {
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(density);
    }
    if (!image.isNull()) {
        QPainter painter(&image);
        d->paint(painter);
    }
}

// The scene shows the control again at its next frame; an image for its
// texture is drawn before that frame, on the GUI thread.
void QuickScroller::requestDrawing()
{
    update();
    if (!m_drawsIntoScene)
        polish();
}

void QuickScroller::updatePolish()
{
    draw(m_image);
    m_imageChanged = true;
}

// While the GUI thread waits: under the software renderer on the GUI
// thread, a node that draws the control into the scene; else the image
// drawn last becomes the texture, as another thread may render it.
QSGNode *QuickScroller::updatePaintNode(QSGNode *node, UpdatePaintNodeData *)
{
    m_drawsIntoScene = window()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software
        && QThread::currentThread() == thread();
    if (m_drawsIntoScene) {
        auto *painted = dynamic_cast<PainterNode *>(node);
        if (!painted) {
            delete node;
            painted = new PainterNode(*this);
        }
        painted->markDirty(QSGNode::DirtyMaterial);
        return painted;
    }
    auto *shown = dynamic_cast<QSGImageNode *>(node);
    if (node && !shown)
        delete node;
    if (m_image.isNull()) {
        delete shown;
        return nullptr;
    }
    if (!shown) {
        shown = window()->createImageNode();
        shown->setOwnsTexture(true);
    }
    if (m_imageChanged) {
        shown->setTexture(window()->createTextureFromImage(m_image));
        m_imageChanged = false;
    }
    shown->setRect(boundingRect());
    return shown;
}

void QuickScroller::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size().toSize() != oldGeometry.size().toSize()) {
        d->resized();
        requestDrawing();
    }
}

// Item's own enabled is the control's Enabled: it repaints and tells.
void QuickScroller::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemEnabledHasChanged) {
        const QEvent enabledChange(QEvent::EnabledChange);
        d->widgetChanged(enabledChange, font());
    }
}

void QuickScroller::mousePressEvent(QMouseEvent *event)
{
    d->mousePressed(event);
}

void QuickScroller::mouseMoveEvent(QMouseEvent *event)
{
    d->mouseMoved(event);
}

void QuickScroller::mouseReleaseEvent(QMouseEvent *event)
{
    d->mouseReleased(event);
}

void QuickScroller::mouseDoubleClickEvent(QMouseEvent *event)
{
    d->mouseDoubleClicked(event);
}

// The pointer moving over the banner with no button held. Qt Quick repeats
// the last hover at every frame, to find items that moved under a still
// pointer: a banner whose pointer stands still hears no move, as a widget
// hears none.
void QuickScroller::hoverMoveEvent(QHoverEvent *event)
{
    if (event->position() == m_hoveredAt)
        return;
    m_hoveredAt = event->position();
    QMouseEvent moved(QEvent::MouseMove, event->position(), event->scenePosition(), Qt::NoButton, Qt::NoButton,
                      event->modifiers());
    d->mouseMoved(&moved);
}
