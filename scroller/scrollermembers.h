#pragma once

#include <tovrell/componenttypes.h>

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

constexpr DISPID BackColor = 0x68030005;
constexpr DISPID ForeColor = 0x68030004;
constexpr DISPID Enabled = 0x68030003;
constexpr DISPID Font = -512;
constexpr DISPID BorderStyle = 0x68030002;
constexpr DISPID Refresh = 0x60030006;
constexpr DISPID Interval = 0x68030001;
constexpr DISPID Caption = 0x68030000;
constexpr DISPID RefreshCaption = 0x60030011;

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

// The seven saved properties, in the order they are read and written:
// name, dispatch id, and the default with its type. Reading, writing and
// change notification loop over this table. Font's default is the host's
// ambient font.
struct Saved
{
    const char16_t *name;
    DISPID id;
    Type defaultType;
    std::int32_t defaultNumber;
    const char16_t *defaultText;
};

inline constexpr Saved savedProperties[] = {
    {u"BackColor", BackColor, Type::Colour, std::int32_t(0x8000000Fu), nullptr},
    {u"ForeColor", ForeColor, Type::Colour, std::int32_t(0x80000012u), nullptr},
    {u"Enabled", Enabled, Type::Boolean, 1, nullptr},
    {u"Font", Font, Type::FontReference, 0, nullptr},
    {u"BorderStyle", BorderStyle, Type::Integer16, 0, nullptr},
    {u"Interval", Interval, Type::Integer16, 100, nullptr},
    {u"Caption", Caption, Type::Variant, 0, u"Scroller"},
};

struct Event
{
    const char16_t *name;
    DISPID id;
    bool mouseArguments; // Button, Shift, X, Y by reference
    const char *help;
};

constexpr DISPID ClickEvent = 1;
constexpr DISPID DblClickEvent = 2;
constexpr DISPID MouseDownEvent = 3;
constexpr DISPID MouseMoveEvent = 4;
constexpr DISPID MouseUpEvent = 5;

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
