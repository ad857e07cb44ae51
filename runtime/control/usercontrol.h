#pragma once

#include "controlsurface.h"
#include "fontobject.h"
#include "propertybag.h"
#include "runtimeerror.h"
#include "textstrip.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QMouseEvent;
class QPainter;

// The surface a user control is built on, drawn on whatever shows the
// control (a ControlSurface: a widget, a Qt Quick item, a host's memory): a
// retained drawing (Cls, Print, text measuring in twips), the values of
// BackColor, ForeColor, Enabled, Font and BorderStyle, the host's ambient
// properties and the event and persistence handlers. A control derives
// from it and overrides the UserControl_ handlers it needs; the surface
// hands its paint, resize and mouse events to it.
class UserControl
{
public:
    explicit UserControl(ControlSurface &surface);
    virtual ~UserControl();
    UserControl(const UserControl &) = delete;
    UserControl &operator=(const UserControl &) = delete;

    // The host's ambient properties: UserMode is true while the host runs,
    // false while it is being designed; Font is the host's font for its
    // controls, and without one the parent's font stands in.
    bool ambientUserMode() const { return m_userMode; }
    void setAmbientUserMode(bool userMode) { m_userMode = userMode; }
    QFont ambientFont() const;
    // A font a font object can hold: one sized in pixels, or too large,
    // throws RuntimeError 380 and changes nothing.
    void setAmbientFont(const QFont &font);

    // Measures in twips, in the surface's current font.
    float TextWidth(const QString &text) const;
    float TextHeight(const QString &text) const;
    float ScaleWidth() const;
    float ScaleHeight() const;
    float FontSize() const { return m_font->Size(); }
    void setFontSize(float points) { m_font->setSize(points); }

    // What shows the control shows its font as its own (QWidget::font), and
    // follows its changes; call once it is made.
    void showFontOnSurface();
    // Whether the control is changing what shows it, so that the change
    // events of a widget come from it rather than from outside.
    bool changingSurface() const { return m_changingSurface; }

    // What shows the control hands on its events.
    void paint(QPainter &painter) const;
    void resized();
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);
    void mouseDoubleClicked(QMouseEvent *event);

protected:
    virtual void UserControl_InitProperties() { }
    virtual void UserControl_ReadProperties(PropertyBag &) { }
    virtual void UserControl_WriteProperties(PropertyBag &) { }
    virtual void UserControl_Resize() { }
    virtual void UserControl_Click() { }
    virtual void UserControl_DblClick() { }
    virtual void UserControl_MouseDown(qint16 &, qint16 &, float &, float &) { }
    virtual void UserControl_MouseMove(qint16 &, qint16 &, float &, float &) { }
    virtual void UserControl_MouseUp(qint16 &, qint16 &, float &, float &) { }

    // Called after the surface's font changed, or the font object it holds.
    virtual void surfaceFontChanged() { }
    const QFontMetricsF &fontMetrics() const { return measures().metrics; }
    qreal lineHeight() const { return measures().lineHeight; }

    // The surface's own values. Colours are 0x00BBGGRR or system colours;
    // a value that is neither throws RuntimeError 380, and so does a
    // BorderStyle other than 0 (none) or 1 (fixed single).
    quint32 surfaceBackColor() const { return m_backColor; }
    void setSurfaceBackColor(quint32 color);
    quint32 surfaceForeColor() const { return m_foreColor; }
    void setSurfaceForeColor(quint32 color);
    bool surfaceEnabled() const { return m_surface.isEnabled(); }
    void setSurfaceEnabled(bool enabled);
    qint16 surfaceBorderStyle() const { return m_borderStyle; }
    void setSurfaceBorderStyle(qint16 style);
    std::shared_ptr<FontObject> surfaceFont() const { return m_font; }
    void setSurfaceFont(std::shared_ptr<FontObject> font);

    // Drawing on the retained image, which paint shows.
    void Cls();
    void Print(const QString &text);
    // Tells the host that property name changed: its saved data is out of
    // date.
    virtual void PropertyChanged(const QString &name) = 0;
    // Tells the host of a runtime error that no handler handled.
    virtual void reportError(int number, const QString &description) = 0;

    // Runs a handler of the control, reporting a runtime error to the host.
    // False also when the control did not survive it: a host may delete the
    // control (or its window) from an event that the handler raised, and
    // the caller must then touch nothing of it.
    template <typename F>
    bool runHandler(F &&handler)
    {
        const QPointer<QObject> alive(&m_surface.lifetime());
        try {
            handler();
            return alive;
        } catch (const RuntimeError &error) {
            if (alive)
                reportError(error.number(), error.message());
            return false;
        }
    }

private:
    QRect drawingArea() const;
    void mouseEvent(QMouseEvent *event, void (UserControl::*handler)(qint16 &, qint16 &, float &, float &));

    // The retained drawing: what Cls cleared (its size and colour) and the
    // lines Print printed since, each with its font and colour. The surface
    // draws it when it shows the control, and only then: a hidden control
    // draws nothing.
    struct PrintedLine
    {
        QPointF baseline;
        QString text;
        QFont font;
        QColor colour;
    };
    struct Drawing
    {
        QSize size;
        QColor background;
        std::vector<PrintedLine> lines;
    };

    ControlSurface &m_surface;
    std::optional<Drawing> m_drawing;
    mutable TextStrip m_strip;
    QPointF m_printPosition;
    void followFont();
    quint32 m_backColor;
    quint32 m_foreColor;
    qint16 m_borderStyle = 0;
    std::shared_ptr<FontObject> m_font;
    QMetaObject::Connection m_fontFollowed;
    struct Measures
    {
        QFontMetricsF metrics;
        qreal ascent;
        qreal lineHeight;
    };
    const Measures &measures() const;
    mutable std::optional<Measures> m_measures;
    bool m_changingSurface = false;
    bool m_resizing = false;
    bool m_userMode = true;
    std::optional<QFont> m_ambientFont;
    bool m_pressed = false;
};
