#pragma once

#include "fontobject.h"
#include "runtimeerror.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>

class PropertyBag;

// The surface a user control is built on: a widget with a retained drawing
// (Cls, Print, text measuring in twips), the values of BackColor,
// ForeColor, Enabled, Font and BorderStyle, the host's ambient properties,
// change notification and the persistence handlers. A control derives from
// it and overrides the UserControl_ handlers it needs.
class UserControl : public QWidget
{
    Q_OBJECT

public:
    explicit UserControl(QWidget *parent = nullptr);
    ~UserControl() override;

    // Persistence on behalf of the host. Each runs its handler; a runtime
    // error inside stops the handler at that step, is reported through
    // errorRaised, and makes the call return false.
    bool initProperties();
    bool readProperties(PropertyBag &bag);
    bool writeProperties(PropertyBag &bag);

    // The host's ambient properties: UserMode is true while the host runs,
    // false while it is being designed; Font is the host's font for its
    // controls.
    bool ambientUserMode() const { return m_userMode; }
    void setAmbientUserMode(bool userMode) { m_userMode = userMode; }
    // Without an ambient font of the host's, the parent's font stands in.
    QFont ambientFont() const;
    void setAmbientFont(const QFont &font) { m_ambientFont = font; }

signals:
    // A property changed; the host's saved data is out of date.
    void propertyChanged(const QString &name);
    // A runtime error that no handler handled.
    void errorRaised(int number, const QString &description);

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

    // The surface's own values. Colours are 0x00BBGGRR or system colours;
    // a value that is neither throws RuntimeError 380, and so does a
    // BorderStyle other than 0 (none) or 1 (fixed single).
    quint32 surfaceBackColor() const { return m_backColor; }
    void setSurfaceBackColor(quint32 color);
    quint32 surfaceForeColor() const { return m_foreColor; }
    void setSurfaceForeColor(quint32 color);
    qint16 surfaceBorderStyle() const { return m_borderStyle; }
    void setSurfaceBorderStyle(qint16 style);
    std::shared_ptr<FontObject> surfaceFont() const { return m_font; }
    void setSurfaceFont(std::shared_ptr<FontObject> font);
    float FontSize() const { return m_font->Size(); }
    void setFontSize(float points) { m_font->setSize(points); }

    // Drawing on the retained image, which paintEvent shows.
    void Cls();
    void Print(const QString &text);
    // Measures in twips, in the surface's current font.
    float TextWidth(const QString &text) const;
    float TextHeight(const QString &text) const;
    float ScaleWidth() const;
    float ScaleHeight() const;
    void PropertyChanged(const QString &name) { emit propertyChanged(name); }

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

    // Runs a handler of the control, reporting a runtime error as errorRaised.
    template <typename F>
    bool runHandler(F &&handler)
    {
        try {
            handler();
            return true;
        } catch (const RuntimeError &error) {
            emit errorRaised(error.number(), error.message());
            return false;
        }
    }

private:
    QRect drawingArea() const;
    void mouseEvent(QMouseEvent *event, void (UserControl::*handler)(qint16 &, qint16 &, float &, float &));

    QImage m_image;
    QPointF m_printPosition;
    quint32 m_backColor;
    quint32 m_foreColor;
    qint16 m_borderStyle = 0;
    std::shared_ptr<FontObject> m_font;
    bool m_userMode = true;
    std::optional<QFont> m_ambientFont;
    bool m_pressed = false;
};
