#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QQuickItem>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

#include <memory>

namespace Tovrell {
class ScrollerPrivate;
}

// The Scroller in a Qt Quick scene: the same control as the widget's,
// shown as a texture. Its seven properties keep their meaning in QML's
// spelling (enabled is Item's own), and its five events are QML signals,
// positions in twips (15 a pixel). A value the control refuses is reported
// as a QML warning and changes nothing. The banner scrolls from the start.
//
// The control draws on the GUI thread, as a widget does: into an image
// that the scene graph takes as its texture (Qt's fonts may not be used
// from the render thread that paints a QQuickPaintedItem), or, under Qt
// Quick's software renderer on the GUI thread, straight into the scene.
class QuickScroller : public QQuickItem
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Scroller)
    Q_PROPERTY(QVariant caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor NOTIFY foreColorChanged)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY fontChanged)
    Q_PROPERTY(int borderStyle READ borderStyle WRITE setBorderStyle NOTIFY borderStyleChanged)
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)

public:
    explicit QuickScroller(QQuickItem *parent = nullptr);
    ~QuickScroller() override;

    // While it scrolls, the text shown at that moment.
    QVariant caption() const;
    void setCaption(const QVariant &caption);
    QColor backColor() const;
    void setBackColor(const QColor &color);
    QColor foreColor() const;
    void setForeColor(const QColor &color);
    QFont font() const;
    void setFont(const QFont &font);
    // 0 none, 1 fixed single.
    int borderStyle() const;
    void setBorderStyle(int style);
    // Milliseconds between scrolling steps, 0 (stopped) to 65535.
    int interval() const;
    void setInterval(int milliseconds);

    // The banner as the scene shows it, drawn now at the window's density.
    QImage image() const;
    // The control's drawing changed.
    void requestDrawing();
    // The control itself, for its tests and benchmarks.
    Tovrell::ScrollerPrivate &engine() const { return *d; }

signals:
    void captionChanged();
    void backColorChanged();
    void foreColorChanged();
    void fontChanged();
    void borderStyleChanged();
    void intervalChanged();
    void click();
    void dblClick();
    void mouseDown(int button, int shift, qreal x, qreal y);
    void mouseMove(int button, int shift, qreal x, qreal y);
    void mouseUp(int button, int shift, qreal x, qreal y);

protected:
    void updatePolish() override;
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void hoverMoveEvent(QHoverEvent *event) override;

private:
    template <typename F>
    void let(F &&change);
    void draw(QImage &image) const;

    std::unique_ptr<Tovrell::ScrollerPrivate> const d;
    // The image drawn last, and whether the texture shows it yet; none
    // where the control draws straight into the scene.
    QImage m_image;
    bool m_imageChanged = false;
    bool m_drawsIntoScene = false;
    // Where the pointer last moved with no button held.
    QPointF m_hoveredAt{-1, -1};
};
