#ifndef TOVRELL_SCROLLER_H
#define TOVRELL_SCROLLER_H

#include <tovrell/error.h>
#include <tovrell/propertybag.h>
#include <tovrell/tovrell_export.h>

#include <QColor>
#include <QFont>
#include <QVariant>
#include <QWidget>

#include <memory>

namespace Tovrell {

class ScrollerPrivate;

// The Scroller control: a banner that scrolls its caption from right to
// left on a timer while its host runs, fits its font size to its height,
// and passes its mouse events on to the host. A Qt Widgets host places it
// like any widget; before initProperties() or readProperties() it tells
// the control its ambient user mode (design or run) and font.
//
// The properties keep the names of the control's component members
// (tovrell.h documents their values). Each setter stores the value,
// repaints the caption where noted, then emits propertyChanged with the
// property's name; a value the control refuses throws Error and changes
// nothing.
class TOVRELL_EXPORT Scroller final : public QWidget
{
    Q_OBJECT
    // The seven properties in Qt's types, for Qt Designer and .ui files. A
    // value the control refuses is ignored there.
    Q_PROPERTY(QColor BackColor READ backColorForDesigner WRITE setBackColorForDesigner)
    Q_PROPERTY(QColor ForeColor READ foreColorForDesigner WRITE setForeColorForDesigner)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFontForDesigner)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyleForDesigner)
    Q_PROPERTY(int Interval READ Interval WRITE setIntervalForDesigner)
    Q_PROPERTY(QString Caption READ captionForDesigner WRITE setCaptionForDesigner)

public:
    // 6120 x 600 twips (408 x 40 pixels), scrolling every 100 ms.
    explicit Scroller(QWidget *parent = nullptr);
    ~Scroller() override;

    // The host's ambient properties: user mode is true while the host runs
    // (the banner scrolls) and false while it is being designed; the font
    // is what a new placement takes (the parent's font until one is set).
    bool ambientUserMode() const;
    void setAmbientUserMode(bool userMode);
    QFont ambientFont() const;
    void setAmbientFont(const QFont &font);

    // Persistence on behalf of the host: a new placement, or the values
    // saved in bag (either starts the scrolling afresh); and saving them.
    // A value the control refuses stops the call at that property, is
    // reported through errorRaised, and makes it return false.
    bool initProperties();
    bool readProperties(PropertyBag &bag);
    bool writeProperties(PropertyBag &bag);

    // Places the control in its parent, in pixels, and fits its font to
    // its height, also when the size stays the same. A negative size, one
    // above 32767 or a position outside -32768 to 32767 (more than an X11
    // window can have) throws Error 380 and changes nothing.
    void setBounds(const QRect &bounds);

    // 0x00BBGGRR, or 0x80000000 plus a system colour index up to 0x18.
    quint32 BackColor() const;
    void setBackColor(quint32 New_BackColor); // repaints
    quint32 ForeColor() const;
    void setForeColor(quint32 New_ForeColor); // repaints
    // Whether mouse events reach the host; the banner keeps moving.
    bool Enabled() const;
    void setEnabled(bool New_Enabled); // repaints
    // A size in points, above 0 and at most 2048; seen at the next repaint.
    QFont Font() const;
    void setFont(const QFont &New_Font);
    // 0 none, 1 fixed single.
    qint16 BorderStyle() const;
    void setBorderStyle(qint16 New_BorderStyle); // repaints
    // Milliseconds between scrolling steps, 0 (stopped) to 65535.
    qint32 Interval() const;
    void setInterval(qint32 New_Interval);
    // Any value: a number stays a number. While the host runs, the text
    // shown at that moment.
    QVariant Caption() const;
    void setCaption(const QVariant &New_Caption); // repaints

    // Repaints the whole control.
    void Refresh();
    // Clears the control and prints the caption at its top-left corner.
    void RefreshCaption();

    QSize sizeHint() const override;

signals:
    // A property changed; the host's saved data is out of date.
    void propertyChanged(const QString &name);
    // A value refused while initialising, loading or saving.
    void errorRaised(int number, const QString &description);
    // The control's events, with their arguments by reference; positions
    // are in twips (15 per pixel), Button 1 left, 2 right, 4 middle, Shift
    // 1 Shift, 2 Ctrl, 4 Alt.
    void Click();
    void DblClick();
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Designer's adaptors, for the properties above: not exported.
    Q_DECL_HIDDEN QColor backColorForDesigner() const;
    Q_DECL_HIDDEN void setBackColorForDesigner(const QColor &color);
    Q_DECL_HIDDEN QColor foreColorForDesigner() const;
    Q_DECL_HIDDEN void setForeColorForDesigner(const QColor &color);
    Q_DECL_HIDDEN void setFontForDesigner(const QFont &font);
    Q_DECL_HIDDEN void setBorderStyleForDesigner(int style);
    Q_DECL_HIDDEN void setIntervalForDesigner(int milliseconds);
    Q_DECL_HIDDEN QString captionForDesigner() const;
    Q_DECL_HIDDEN void setCaptionForDesigner(const QString &caption);

    friend class ScrollerPrivate;
    std::unique_ptr<ScrollerPrivate> const d;
};

} // namespace Tovrell

#endif
