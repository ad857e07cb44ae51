#pragma once

#include "propertybag.h"
#include "usercontrol.h"

#include <QColor>
#include <QTimer>
#include <QVariant>

#include <memory>
#include <vector>

class TestScroller;
class ScrollerBenchmark;

namespace Tovrell {

// The Scroller control: a banner that scrolls its caption from right to
// left on a timer while its host runs, fits its font size to its height,
// and passes its mouse events on to the host. A Qt host places it like any
// widget; what the host must tell it is its ambient user mode (design or
// run) and font, before initProperties() or readProperties(). The class is
// exported from libtovrell.so for the Qt programs that link it.
class Q_DECL_EXPORT Scroller : public UserControl
{
    Q_OBJECT
    // The seven properties in Qt's types, for Qt Designer and .ui files.
    Q_PROPERTY(QColor BackColor READ backColorForDesigner WRITE setBackColorForDesigner)
    Q_PROPERTY(QColor ForeColor READ foreColorForDesigner WRITE setForeColorForDesigner)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ fontForDesigner WRITE setFontForDesigner)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyleForDesigner)
    Q_PROPERTY(int Interval READ Interval WRITE setIntervalForDesigner)
    Q_PROPERTY(QString Caption READ captionForDesigner WRITE setCaptionForDesigner)

public:
    // The design size, in twips, and the timer's design interval.
    static constexpr int designWidth = 6120;
    static constexpr int designHeight = 600;

    explicit Scroller(QWidget *parent = nullptr);
    ~Scroller() override;

    // Persistence on behalf of the host: a new placement, or the values
    // saved in bag (either starts the scrolling afresh); and saving them.
    // Each runs its handler; a runtime error inside stops the handler at
    // that step, is reported through errorRaised, and makes the call return
    // false.
    bool initProperties();
    bool readProperties(PropertyBag &bag);
    bool writeProperties(PropertyBag &bag);

    // Places the control in its parent, in pixels, and fits its font to
    // its height, also when the size stays the same: every size a host
    // sets runs the fitting, as a resize does.
    void setBounds(const QRect &bounds);

    // Properties. Each let or set stores the value, repaints the caption
    // where noted, then emits propertyChanged with the property's name. A
    // value the surface or timer refuses throws RuntimeError.
    quint32 BackColor() const; // repaints
    void setBackColor(quint32 New_BackColor);
    quint32 ForeColor() const; // repaints
    void setForeColor(quint32 New_ForeColor);
    bool Enabled() const; // repaints; the banner keeps moving
    void setEnabled(bool New_Enabled);
    // The font object itself: a change made through it changes the
    // control's font, seen at the next repaint.
    std::shared_ptr<FontObject> Font() const;
    void setFont(std::shared_ptr<FontObject> New_Font);
    using QWidget::setFont;
    qint16 BorderStyle() const; // 0 none, 1 fixed single; repaints
    void setBorderStyle(qint16 New_BorderStyle);
    qint32 Interval() const; // milliseconds, 0 to 65535; 0 stops the timer
    void setInterval(qint32 New_Interval);
    // Any value: a number stays a number. While the host runs, the text
    // shown at that moment. Repaints.
    QVariant Caption() const;
    void setCaption(const QVariant &New_Caption);

    // The design size, for layouts.
    QSize sizeHint() const override;

    // The properties in Qt's types. A value the control refuses is ignored.
    QColor backColorForDesigner() const;
    void setBackColorForDesigner(const QColor &color);
    QColor foreColorForDesigner() const;
    void setForeColorForDesigner(const QColor &color);
    QFont fontForDesigner() const;
    void setFontForDesigner(const QFont &font);
    void setBorderStyleForDesigner(int style);
    void setIntervalForDesigner(int milliseconds);
    QString captionForDesigner() const;
    void setCaptionForDesigner(const QString &caption);

    // Repaints the whole surface.
    void Refresh();
    // Clears the surface and prints the caption at its top-left corner.
    void RefreshCaption();

signals:
    // A property changed; the host's saved data is out of date.
    void propertyChanged(const QString &name);
    // A runtime error that no handler handled.
    void errorRaised(int number, const QString &description);
    // The control's events, with their arguments by reference; positions
    // are in twips.
    void Click();
    void DblClick();
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);

protected:
    void PropertyChanged(const QString &name) override;
    void reportError(int number, const QString &description) override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag &PropBag) override;
    void UserControl_WriteProperties(PropertyBag &PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y) override;
    void UserControl_MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y) override;
    void UserControl_MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y) override;

private:
    void Timer1_Timer();
    void applyInterval(qint32 milliseconds);
    void buildScrollText();
    void scrollAfresh();
    QString character(qsizetype position) const;
    bool trySetFontSize(float points);

    QTimer Timer1;
    QVariant CaptionValue;
    QString ScrollText;
    // Where each user-visible character of ScrollText starts, and its end:
    // a character is a grapheme cluster, never split across the edge.
    std::vector<qsizetype> m_characterStarts;
    qsizetype ScrollPosition = 0;
    float LastHeight = 0.0f;

    friend class ::TestScroller;
    friend class ::ScrollerBenchmark;
};

} // namespace Tovrell
