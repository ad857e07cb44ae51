#pragma once

#include <tovrell/tovrell.h>

#include <cstdint>

// The members of _Scroller and the events of __Scroller: names, dispatch
// ids, kinds, value types and help strings, in table order. The dispatch
// code, the type library's source and its tests all read this one table.
namespace ScrollerMembers {

enum Kind : WORD { Get = 0x2, Let = 0x4, Set = 0x8, Method = 0x1 };

// The automation types of the members' values.
enum class Type { None, Colour, Boolean, FontReference, Integer16, Integer32, Variant };

struct Member
{
    const char16_t *name;
    DISPID id;
    Kind kind;
    Type type;
    const char *help; // empty for none
};

constexpr DISPID BackColor = DISPID_SCROLLER_BACKCOLOR;
constexpr DISPID ForeColor = DISPID_SCROLLER_FORECOLOR;
constexpr DISPID Enabled = DISPID_SCROLLER_ENABLED;
constexpr DISPID Font = DISPID_SCROLLER_FONT;
constexpr DISPID BorderStyle = DISPID_SCROLLER_BORDERSTYLE;
constexpr DISPID Refresh = DISPID_SCROLLER_REFRESH;
constexpr DISPID Interval = DISPID_SCROLLER_INTERVAL;
constexpr DISPID Caption = DISPID_SCROLLER_CAPTION;
constexpr DISPID RefreshCaption = DISPID_SCROLLER_REFRESHCAPTION;

inline constexpr const char *backColorHelp =
    "Returns/sets the background color used to display text and graphics in an object.";
inline constexpr const char *foreColorHelp =
    "Returns/sets the foreground color used to display text and graphics in an object.";
inline constexpr const char *enabledHelp =
    "Returns/sets a value that determines whether an object can respond to user-generated events.";
inline constexpr const char *fontHelp = "Returns a Font object.";
inline constexpr const char *borderStyleHelp = "Returns/sets the border style for an object.";
inline constexpr const char *refreshHelp = "Forces a complete repaint of a object.";
inline constexpr const char *intervalHelp =
    "Returns/sets the number of milliseconds between calls to a Timer control's Timer event.";

inline constexpr Member members[] = {
    {u"BackColor", BackColor, Get, Type::Colour, backColorHelp},
    {u"BackColor", BackColor, Let, Type::Colour, backColorHelp},
    {u"ForeColor", ForeColor, Get, Type::Colour, foreColorHelp},
    {u"ForeColor", ForeColor, Let, Type::Colour, foreColorHelp},
    {u"Enabled", Enabled, Get, Type::Boolean, enabledHelp},
    {u"Enabled", Enabled, Let, Type::Boolean, enabledHelp},
    {u"Font", Font, Get, Type::FontReference, fontHelp},
    {u"Font", Font, Set, Type::FontReference, fontHelp},
    {u"BorderStyle", BorderStyle, Get, Type::Integer16, borderStyleHelp},
    {u"BorderStyle", BorderStyle, Let, Type::Integer16, borderStyleHelp},
    {u"Refresh", Refresh, Method, Type::None, refreshHelp},
    {u"Interval", Interval, Get, Type::Integer32, intervalHelp},
    {u"Interval", Interval, Let, Type::Integer32, intervalHelp},
    {u"Caption", Caption, Get, Type::Variant, ""},
    {u"Caption", Caption, Let, Type::Variant, ""},
    {u"RefreshCaption", RefreshCaption, Method, Type::None, ""},
};

struct Event
{
    const char16_t *name;
    DISPID id;
    bool mouseArguments; // Button, Shift, X, Y by reference
    const char *help;
};

constexpr DISPID ClickEvent = DISPID_SCROLLER_CLICK;
constexpr DISPID DblClickEvent = DISPID_SCROLLER_DBLCLICK;
constexpr DISPID MouseDownEvent = DISPID_SCROLLER_MOUSEDOWN;
constexpr DISPID MouseMoveEvent = DISPID_SCROLLER_MOUSEMOVE;
constexpr DISPID MouseUpEvent = DISPID_SCROLLER_MOUSEUP;

inline constexpr Event events[] = {
    {u"Click", ClickEvent, false, "Occurs when the user presses and then releases a mouse button over an object."},
    {u"DblClick", DblClickEvent, false,
     "Occurs when the user presses and releases a mouse button and then presses and releases it again over an object."},
    {u"MouseDown", MouseDownEvent, true,
     "Occurs when the user presses the mouse button while an object has the focus."},
    {u"MouseMove", MouseMoveEvent, true, "Occurs when the user moves the mouse."},
    {u"MouseUp", MouseUpEvent, true, "Occurs when the user releases the mouse button while an object has the focus."},
};

} // namespace ScrollerMembers
