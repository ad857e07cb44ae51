#pragma once

#include "scrollerface.h"
#include "scrollermembers.h"
#include "usercontrol.h"

#include <tovrell/scroller.h>

#include <QTimer>
#include <QVariant>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace Tovrell {

// The Scroller itself, on the runtime's user-control surface: its state,
// property procedures, persistence handlers and scrolling engine. It is
// shown on a face it owns (the class Scroller's widget, a windowless
// host's memory, a Qt Quick item) and driven by the class that Qt hosts
// link, the component object that hosts load by identifiers, or the Qt
// Quick item. A value it refuses throws RuntimeError; each caller turns
// that into its own kind of failure.
class ScrollerPrivate final : public UserControl
{
public:
    explicit ScrollerPrivate(std::unique_ptr<ScrollerFace> face);
    ~ScrollerPrivate() override;

    static ScrollerPrivate &of(Scroller &scroller) { return *scroller.d; }
    ScrollerFace &face() const { return *m_face; }

    // Called with the member's dispatch id after every property change.
    std::function<void(DISPID)> onPropertyChanged;

    bool initProperties();
    bool readProperties(::PropertyBag &bag);
    bool writeProperties(::PropertyBag &bag);
    // Places the control in its parent, in pixels, and fits its font to
    // its height, also when the size stays the same. A size or position no
    // X11 window can have throws RuntimeError 380.
    void setBounds(int x, int y, int width, int height);
    // Destroys the widget's own native window, which its host took with
    // its own: Qt makes a new one when the widget is placed again.
    static void destroyNativeWindow(Scroller &scroller) { scroller.destroy(); }

    // The seven properties, in the order they are saved: every procedure
    // that reads, lets, saves, loads or reports one goes through its row.
    struct Property
    {
        const char16_t *name; // as saved, reported and named in _Scroller
        DISPID id;
        bool repaints; // a let repaints before it reports the change
        // A load sets it through its procedure and reports it (Font); the
        // others go straight to the surface or the timer.
        bool loadReports;
        QVariant (*get)(const ScrollerPrivate &); // as the get returns it and a save writes it
        void (*store)(ScrollerPrivate &, const QVariant &); // what a let and a load store, with its checks
        QVariant (*savedDefault)(const ScrollerPrivate &); // read and written with it
        QVariant (*placed)(const ScrollerPrivate &); // what a new placement gives it; null: nothing
    };
    static const std::array<Property, 7> &properties();
    static const Property &property(DISPID id);

    QVariant get(DISPID id) const { return property(id).get(*this); }
    // Stores value (refused: RuntimeError, nothing changes), repaints where
    // the property does, and reports the change. A font comes as a QFont or
    // as the font object itself (std::shared_ptr<FontObject>).
    void let(DISPID id, const QVariant &value);
    std::shared_ptr<FontObject> Font() const { return surfaceFont(); }
    QVariant Caption() const;
    void Refresh();
    void RefreshCaption();

    // A change of the widget made through Qt's own paths (QWidget::setEnabled
    // or setFont through a QWidget pointer, a layout, Designer, a style
    // sheet) goes through the property's procedure.
    void widgetChanged(const QEvent &event, const QFont &widgetFont);

    // The caption as the host set it or a load gave it, as text, and
    // whether it scrolls now: what screen readers read.
    QString captionAsSet() const;
    // The host's ambient user mode, telling screen readers when the banner
    // starts or stops moving with it.
    void setAmbientUserMode(bool userMode);
    bool scrolling() const { return ambientUserMode() && Timer1.isActive(); }

    void Timer1_Timer();
    // The text that scrolls and where the shown part starts (1-based, in
    // user-visible characters); empty and 0 until the first tick.
    QString scrollText() const { return ScrollText; }
    qsizetype scrollPosition() const { return ScrollPosition; }

protected:
    void PropertyChanged(const QString &name) override;
    void reportError(int number, const QString &description) override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(::PropertyBag &PropBag) override;
    void UserControl_WriteProperties(::PropertyBag &PropBag) override;
    void UserControl_Resize() override;
    void surfaceFontChanged() override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y) override;
    void UserControl_MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y) override;
    void UserControl_MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y) override;

private:
    void notify(DISPID id);
    void applyInterval(qint32 milliseconds);
    void buildScrollText();
    void scrollAfresh();
    void storeCaption(const QVariant &value);
    QString rotation(qsizetype characters) const;
    qsizetype charactersShown();
    qreal widthOf(qsizetype position);
    bool trySetFontSize(float points);

    std::unique_ptr<ScrollerFace> m_face;
    QTimer Timer1;
    // The caption. While the host runs, each tick makes it the rotation of
    // ScrollText at ScrollPosition; that string is built only when
    // something reads it (the Caption get, a save), as the drawing needs a
    // few characters of it: CaptionValue then holds the caption as set.
    QVariant CaptionValue;
    bool m_captionRotates = false;
    QString ScrollText;
    // Where each user-visible character of ScrollText starts, and its end:
    // a character is a grapheme cluster, never split across the edge.
    std::vector<qsizetype> m_characterStarts;
    qsizetype ScrollPosition = 0;
    float LastHeight = 0.0f;
    // The width of each character of ScrollText, and of "W", in pixels in
    // the current font: measured once for each font, as each tick needs
    // them. Empty until measured.
    std::vector<qreal> m_characterWidths;
    std::optional<qreal> m_widthOfW;
};

} // namespace Tovrell
