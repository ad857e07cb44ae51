#include "scrollerobject.h"

#include "componentconversions.h"
#include "conversions.h"
#include "fontdispatch.h"
#include "hostapplication.h"
#include "hostpropertybag.h"
#include "scrollermembers.h"
#include "scrollerprivate.h"
#include "windowlessface.h"

#include <QImage>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <type_traits>

using Tovrell::Scroller;
using Tovrell::ScrollerPrivate;

namespace {

// A runtime error as a component result: 0x800A0000 plus its number.
HRESULT resultOf(int errorNumber)
{
    return HRESULT(0x800A0000u | (std::uint32_t(errorNumber) & 0xFFFFu));
}

const ScrollerMembers::Member *memberOf(DISPID id, WORD flags)
{
    const ScrollerMembers::Member *found = nullptr;
    for (const auto &member : ScrollerMembers::members) {
        if (member.id != id)
            continue;
        if (member.kind & flags)
            return &member;
        found = found ? found : &member;
    }
    // A property get may come as a method call, as some callers make it.
    if (found && (flags & DISPATCH_METHOD)) {
        for (const auto &member : ScrollerMembers::members)
            if (member.id == id && member.kind == ScrollerMembers::Get)
                return &member;
    }
    return nullptr;
}

} // namespace

ScrollerObject::ScrollerObject(bool windowless)
{
    const auto rememberError = [this](int number, const QString &description) {
        m_lastError = number;
        m_lastErrorDescription = description;
    };
    if (windowless) {
        auto face = std::make_unique<Tovrell::WindowlessFace>();
        m_windowlessFace = face.get();
        m_windowless = std::make_unique<ScrollerPrivate>(std::move(face));
        QObject::connect(m_windowlessFace, &Tovrell::WindowlessFace::errorRaisedNumbered, m_windowlessFace,
                         rememberError);
        QObject::connect(m_windowlessFace, &Tovrell::WindowlessFace::invalidated, m_windowlessFace,
                         [this](const QRect &area) { invalidate(area); });
    } else {
        m_scroller = new Scroller;
        m_placement =
            std::make_unique<X11Placement>(*m_scroller, [this] { ScrollerPrivate::destroyNativeWindow(*m_scroller); });
        QObject::connect(m_scroller.data(), &Scroller::errorRaised, m_scroller.data(), rememberError);
    }
    connectEvents();
}

// The control leaves a host's window (as its placement ends) before its
// widget goes, and both are gone from the X server when the release
// returns.
ScrollerObject::~ScrollerObject()
{
    m_placement.reset();
    delete m_scroller.data();
    X11Placement::sync();
    m_windowless.reset();
    if (m_site)
        m_site->Release();
}

// A control with a window has the two faces that place it, one without
// has the one that draws it.
HRESULT ScrollerObject::QueryInterface(REFIID riid, void **object)
{
    _Scroller *scroller = this;
    const bool windowed = !m_windowless;
    return answerQueryInterface(
        *scroller, riid, object,
        {{IID_IUnknown, scroller},
         {IID_IDispatch, scroller},
         {IID__Scroller, scroller},
         {IID_IConnectionPointContainer, static_cast<IConnectionPointContainer *>(this)},
         {IID_IPersistPropertyBag, static_cast<IPersistPropertyBag *>(this)},
         {IID_IWidgetControl, windowed ? static_cast<IWidgetControl *>(this) : nullptr},
         {IID_IX11WindowControl, windowed ? static_cast<IX11WindowControl *>(this) : nullptr},
         {IID_IWindowlessControl, windowed ? nullptr : static_cast<IWindowlessControl *>(this)}});
}

ScrollerPrivate &ScrollerObject::engine() const
{
    return m_windowless ? *m_windowless : ScrollerPrivate::of(*m_scroller);
}

// Whether the control can be called now: it lives (the host has not
// deleted it with its window), and the call comes on its thread.
HRESULT ScrollerObject::usable() const
{
    if (!m_windowless && !m_scroller)
        return E_UNEXPECTED;
    if (QThread::currentThread() != engine().face().lifetime().thread())
        return RPC_E_WRONG_THREAD;
    return S_OK;
}

// The last runtime error as an exception record, with strings the receiver
// frees.
EXCEPINFO ScrollerObject::exceptionOf(HRESULT result) const
{
    EXCEPINFO exception{};
    exception.scode = result;
    exception.wCode = WORD(result & 0xFFFF);
    exception.bstrSource = bstrFromString(QStringLiteral("Tovrell"));
    exception.bstrDescription =
        bstrFromString(m_lastErrorDescription.isEmpty() ? QCoreApplication::translate("RuntimeError", "Run-time error")
                                                        : m_lastErrorDescription);
    return exception;
}

// Runs work on the control, which may answer an HRESULT of its own or throw
// the runtime error of a refused value. A host's own loop hears that work
// may have fallen due.
template <typename F>
HRESULT ScrollerObject::call(F &&work)
{
    if (const HRESULT state = usable(); FAILED(state))
        return state;
    try {
        HRESULT result = S_OK;
        ScrollerPrivate &scroller = engine();
        if constexpr (std::is_void_v<std::invoke_result_t<F, ScrollerPrivate &>>)
            work(scroller);
        else
            result = work(scroller);
        HostApplication::wake();
        return result;
    } catch (const RuntimeError &error) {
        m_lastError = error.number();
        m_lastErrorDescription = error.message();
        return resultOf(error.number());
    }
}

// Runs a persistence handler, which reports a refused value through the
// control's errorRaised rather than throwing it.
HRESULT ScrollerObject::persist(const std::function<bool(ScrollerPrivate &)> &handler)
{
    return call([&](ScrollerPrivate &s) {
        m_lastError = 0;
        return handler(s) ? S_OK : resultOf(m_lastError);
    });
}

HRESULT ScrollerObject::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ScrollerObject::GetTypeInfo(UINT, LCID, ITypeInfo **info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ScrollerObject::GetIDsOfNames(REFIID, OLECHAR **names, UINT count, LCID, DISPID *ids)
{
    if (!names || !ids || std::any_of(names, names + count, [](const OLECHAR *name) { return !name; }))
        return E_POINTER;
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        const QString name = QString::fromUtf16(names[i]);
        for (const auto &member : ScrollerMembers::members) {
            if (name.compare(QString::fromUtf16(member.name), Qt::CaseInsensitive) == 0) {
                ids[i] = member.id;
                break;
            }
        }
        if (ids[i] == DISPID_UNKNOWN)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT ScrollerObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                               EXCEPINFO *exception, UINT *argumentError)
{
    using namespace ScrollerMembers;
    if (!params || (params->cArgs > 0 && !params->rgvarg))
        return E_POINTER;
    const Member *member = memberOf(id, flags);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    const UINT expected = (member->kind == Let || member->kind == Set) ? 1 : 0;
    if (params->cArgs != expected)
        return DISP_E_BADPARAMCOUNT;
    if (result)
        VariantInit(result);

    HRESULT outcome = S_OK;
    switch (member->kind) {
    case Get:
        outcome = getProperty(id, result);
        break;
    case Let:
        outcome = letProperty(id, params->rgvarg[0]);
        break;
    case Set:
        outcome = setFontProperty(params->rgvarg[0]);
        break;
    case Method:
        outcome = id == ScrollerMembers::Refresh ? Refresh() : RefreshCaption();
        break;
    }
    if (outcome == DISP_E_TYPEMISMATCH && argumentError)
        *argumentError = 0;
    if ((std::uint32_t(outcome) & 0xFFFF0000u) == 0x800A0000u) {
        if (exception)
            *exception = exceptionOf(outcome);
        return DISP_E_EXCEPTION;
    }
    return outcome;
}

// The property's value as a variant of its member's type in result, if the
// caller wants it.
HRESULT ScrollerObject::getProperty(DISPID id, VARIANT *result)
{
    using ScrollerMembers::Type;
    VARIANT value;
    VariantInit(&value);
    const HRESULT outcome = call([&](ScrollerPrivate &s) {
        const QVariant got = s.get(id);
        switch (memberOf(id, ScrollerMembers::Get)->type) {
        case Type::Colour:
        case Type::Integer32:
            value.vt = VT_I4;
            value.lVal = got.toInt();
            break;
        case Type::Boolean:
            value.vt = VT_BOOL;
            value.boolVal = got.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case Type::Integer16:
            value.vt = VT_I2;
            value.iVal = got.value<qint16>();
            break;
        case Type::FontReference:
            value.vt = VT_DISPATCH;
            value.pdispVal = fontDispatch(s.Font());
            break;
        case Type::Variant:
        case Type::None:
            if (FAILED(variantFromQVariant(got, &value)))
                variantFromQVariant(got.toString(), &value);
            break;
        }
    });
    if (SUCCEEDED(outcome) && result)
        *result = value;
    else
        VariantClear(&value);
    return outcome;
}

// Converts the argument as an assignment to the property does, then lets
// the property have it.
HRESULT ScrollerObject::letProperty(DISPID id, const VARIANT &argument)
{
    using ScrollerMembers::Type;
    const Type type = memberOf(id, ScrollerMembers::Let)->type;
    if (type == Type::Variant)
        return letCaption(argument);
    const auto value = qvariantFromVariant(argument);
    if (!value)
        return DISP_E_TYPEMISMATCH;
    QVariant converted;
    try {
        switch (type) {
        case Type::Colour:
            converted = toColour(*value);
            break;
        case Type::Boolean:
            converted = toBoolean(*value);
            break;
        case Type::Integer16:
            converted = QVariant::fromValue(toInteger(*value));
            break;
        default:
            converted = toLong(*value);
            break;
        }
    } catch (const RuntimeError &error) {
        return error.number() == RuntimeError::Overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    }
    return let(id, converted);
}

HRESULT ScrollerObject::let(DISPID id, const QVariant &value)
{
    return call([&](ScrollerPrivate &s) { s.let(id, value); });
}

// Lets the caption have a copy of the argument, or of the variant that it
// refers to.
HRESULT ScrollerObject::letCaption(const VARIANT &argument)
{
    const bool byReference = (argument.vt & VT_BYREF) && (argument.vt & ~VT_BYREF) == VT_VARIANT;
    if (byReference && !argument.pvarVal)
        return DISP_E_TYPEMISMATCH;
    const VARIANT &source = byReference ? *argument.pvarVal : argument;
    VARIANT copy;
    VariantInit(&copy);
    HRESULT outcome = VariantCopy(&copy, &source);
    if (SUCCEEDED(outcome))
        outcome = put_Caption(copy);
    VariantClear(&copy);
    return outcome;
}

// Sets the font that the argument holds, by value or by reference.
HRESULT ScrollerObject::setFontProperty(const VARIANT &argument)
{
    IDispatch *font = nullptr;
    if (argument.vt == VT_DISPATCH)
        font = argument.pdispVal;
    else if (argument.vt == (VT_DISPATCH | VT_BYREF) && argument.ppdispVal)
        font = *argument.ppdispVal;
    return font ? putref_Font(font) : DISP_E_TYPEMISMATCH;
}

HRESULT ScrollerObject::get_BackColor(std::uint32_t *color)
{
    return color ? call([color](ScrollerPrivate &s) { *color = quint32(s.get(ScrollerMembers::BackColor).toInt()); })
                 : E_POINTER;
}

HRESULT ScrollerObject::put_BackColor(std::uint32_t color)
{
    return let(ScrollerMembers::BackColor, color);
}

HRESULT ScrollerObject::get_ForeColor(std::uint32_t *color)
{
    return color ? call([color](ScrollerPrivate &s) { *color = quint32(s.get(ScrollerMembers::ForeColor).toInt()); })
                 : E_POINTER;
}

HRESULT ScrollerObject::put_ForeColor(std::uint32_t color)
{
    return let(ScrollerMembers::ForeColor, color);
}

HRESULT ScrollerObject::get_Enabled(VARIANT_BOOL *enabled)
{
    return enabled ? call([enabled](ScrollerPrivate &s) {
        *enabled = s.get(ScrollerMembers::Enabled).toBool() ? VARIANT_TRUE : VARIANT_FALSE;
    })
                   : E_POINTER;
}

HRESULT ScrollerObject::put_Enabled(VARIANT_BOOL enabled)
{
    return let(ScrollerMembers::Enabled, enabled != VARIANT_FALSE);
}

HRESULT ScrollerObject::get_Font(IDispatch **font)
{
    if (!font)
        return E_POINTER;
    *font = nullptr;
    return call([font](ScrollerPrivate &s) { *font = fontDispatch(s.Font()); });
}

HRESULT ScrollerObject::putref_Font(IDispatch *font)
{
    std::shared_ptr<FontObject> object;
    if (const HRESULT read = call([&](ScrollerPrivate &) { object = fontFromDispatch(font); }); FAILED(read))
        return read;
    if (!object)
        return E_INVALIDARG;
    return let(ScrollerMembers::Font, QVariant::fromValue(object));
}

HRESULT ScrollerObject::get_BorderStyle(std::int16_t *style)
{
    return style ? call([style](ScrollerPrivate &s) { *style = s.get(ScrollerMembers::BorderStyle).value<qint16>(); })
                 : E_POINTER;
}

HRESULT ScrollerObject::put_BorderStyle(std::int16_t style)
{
    return let(ScrollerMembers::BorderStyle, QVariant::fromValue(style));
}

HRESULT ScrollerObject::Refresh()
{
    return call([](ScrollerPrivate &s) { s.Refresh(); });
}

HRESULT ScrollerObject::get_Interval(std::int32_t *milliseconds)
{
    return milliseconds
        ? call([milliseconds](ScrollerPrivate &s) { *milliseconds = s.get(ScrollerMembers::Interval).toInt(); })
        : E_POINTER;
}

HRESULT ScrollerObject::put_Interval(std::int32_t milliseconds)
{
    return let(ScrollerMembers::Interval, milliseconds);
}

HRESULT ScrollerObject::get_Caption(VARIANT *caption)
{
    if (!caption)
        return E_POINTER;
    VariantInit(caption);
    return call([caption](ScrollerPrivate &s) {
        const QVariant value = s.Caption();
        if (FAILED(variantFromQVariant(value, caption)))
            variantFromQVariant(value.toString(), caption);
    });
}

// A type with no exact Qt form here (a date, currency, an object) is
// refused rather than kept as something else.
HRESULT ScrollerObject::put_Caption(VARIANT caption)
{
    const auto value = qvariantFromVariant(caption);
    if (!value)
        return DISP_E_TYPEMISMATCH;
    return let(ScrollerMembers::Caption, *value);
}

HRESULT ScrollerObject::RefreshCaption()
{
    return call([](ScrollerPrivate &s) { s.RefreshCaption(); });
}

HRESULT ScrollerObject::EnumConnectionPoints(IEnumConnectionPoints **points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT ScrollerObject::FindConnectionPoint(REFIID riid, IConnectionPoint **point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (isMissing(&riid))
        return E_POINTER;
    for (ConnectionPoint *candidate : {&m_events, &m_propertyNotifications}) {
        if (riid == candidate->interfaceId()) {
            *point = candidate;
            AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

// The host may release the control from its handler: the object lives
// until every sink has been called, and the control's widget copes with
// its own end inside its event handler.
void ScrollerObject::fire(DISPID id, DISPPARAMS &params)
{
    AddRef();
    m_events.forEachSink<IDispatch>(
        [&](IDispatch *sink) { sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr); });
    Release();
}

// Tells the host's property-change sinks which member changed.
void ScrollerObject::notifyChange(DISPID id)
{
    m_propertyNotifications.forEachSink<IPropertyNotifySink>([id](IPropertyNotifySink *sink) { sink->OnChanged(id); });
}

void ScrollerObject::connectEvents()
{
    auto plain = [this](DISPID id) {
        return [this, id] {
            DISPPARAMS none{nullptr, nullptr, 0, 0};
            fire(id, none);
        };
    };
    auto mouse = [this](DISPID id) {
        return [this, id](qint16 &button, qint16 &shift, float &x, float &y) {
            // By reference, in reverse order: Y, X, Shift, Button.
            VARIANT arguments[4];
            for (VARIANT &argument : arguments)
                VariantInit(&argument);
            arguments[0].vt = VT_R4 | VT_BYREF;
            arguments[0].pfltVal = &y;
            arguments[1].vt = VT_R4 | VT_BYREF;
            arguments[1].pfltVal = &x;
            arguments[2].vt = VT_I2 | VT_BYREF;
            arguments[2].piVal = &shift;
            arguments[3].vt = VT_I2 | VT_BYREF;
            arguments[3].piVal = &button;
            DISPPARAMS params{arguments, nullptr, 4, 0};
            fire(id, params);
        };
    };
    // The same five events, from the widget or from the windowless face.
    auto hear = [&](auto *source, auto click, auto doubleClick, auto down, auto move, auto up) {
        QObject::connect(source, click, source, plain(ScrollerMembers::ClickEvent));
        QObject::connect(source, doubleClick, source, plain(ScrollerMembers::DblClickEvent));
        QObject::connect(source, down, source, mouse(ScrollerMembers::MouseDownEvent));
        QObject::connect(source, move, source, mouse(ScrollerMembers::MouseMoveEvent));
        QObject::connect(source, up, source, mouse(ScrollerMembers::MouseUpEvent));
    };
    using Tovrell::WindowlessFace;
    if (m_windowless)
        hear(m_windowlessFace, &WindowlessFace::clicked, &WindowlessFace::doubleClicked, &WindowlessFace::mouseDown,
             &WindowlessFace::mouseMoved, &WindowlessFace::mouseUp);
    else
        hear(m_scroller.data(), &Scroller::Click, &Scroller::DblClick, &Scroller::MouseDown, &Scroller::MouseMove,
             &Scroller::MouseUp);
    engine().onPropertyChanged = [this](DISPID id) { notifyChange(id); };
}

// Tells the host's site what to draw again. The host may release the
// control from there: the object lives until the call returns.
void ScrollerObject::invalidate(const QRect &area)
{
    if (!m_site)
        return;
    AddRef();
    m_site->Invalidate(area.x(), area.y(), area.width(), area.height());
    Release();
}

HRESULT ScrollerObject::GetClassID(CLSID *classId)
{
    if (!classId)
        return E_POINTER;
    *classId = CLSID_Scroller;
    return S_OK;
}

HRESULT ScrollerObject::InitNew()
{
    return persist([](ScrollerPrivate &s) { return s.initProperties(); });
}

HRESULT ScrollerObject::Load(IPropertyBag *bag, IErrorLog *log)
{
    if (!bag)
        return E_POINTER;
    HostPropertyBag properties(bag, log);
    const HRESULT result = persist([&](ScrollerPrivate &s) { return s.readProperties(properties); });
    // Tell the host's error log which saved value was refused, and why.
    if (log && (std::uint32_t(result) & 0xFFFF0000u) == 0x800A0000u) {
        EXCEPINFO exception = exceptionOf(result);
        const QString name = properties.lastRead();
        log->AddError(reinterpret_cast<const OLECHAR *>(name.utf16()), &exception);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
    }
    return result;
}

HRESULT ScrollerObject::Save(IPropertyBag *bag, std::int32_t, std::int32_t)
{
    if (!bag)
        return E_POINTER;
    HostPropertyBag properties(bag, nullptr);
    return persist([&](ScrollerPrivate &s) { return s.writeProperties(properties); });
}

HRESULT ScrollerObject::SetParent(void *parentWidget)
{
    return call([this, parentWidget](ScrollerPrivate &) {
        m_placement->leave();
        m_scroller->setParent(static_cast<QWidget *>(parentWidget));
        if (parentWidget && !m_placement->hidden())
            m_scroller->show();
    });
}

HRESULT ScrollerObject::SetParentWindow(std::uint64_t x11Window)
{
    return call([this, x11Window](ScrollerPrivate &) { return m_placement->place(x11Window); });
}

HRESULT ScrollerObject::SetVisible(VARIANT_BOOL visible)
{
    return call([this, visible](ScrollerPrivate &) {
        if (m_windowless)
            m_windowlessFace->setVisible(visible != VARIANT_FALSE);
        else
            m_placement->setVisible(visible != VARIANT_FALSE);
    });
}

HRESULT ScrollerObject::SetSite(IWindowlessSite *site)
{
    return call([this, site](ScrollerPrivate &) {
        if (site)
            site->AddRef();
        if (m_site)
            m_site->Release();
        m_site = site;
    });
}

HRESULT ScrollerObject::SetSize(std::int32_t width, std::int32_t height)
{
    return SetBounds(0, 0, width, height);
}

HRESULT ScrollerObject::Draw(void *pixels, std::int32_t stride, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height)
{
    if (!pixels)
        return E_POINTER;
    return call([=, this](ScrollerPrivate &s) {
        const QRect area(x, y, width, height);
        if (width <= 0 || height <= 0 || stride / 4 < width || !s.face().rect().contains(area))
            return E_INVALIDARG;
        QImage target(static_cast<uchar *>(pixels), width, height, stride, QImage::Format_ARGB32_Premultiplied);
        m_windowlessFace->draw(target, area);
        return S_OK;
    });
}

HRESULT ScrollerObject::OnPointer(std::int32_t event, std::int32_t x, std::int32_t y, std::int32_t buttons,
                                  std::int32_t modifiers)
{
    const bool known =
        event == TOVRELL_POINTER_MOVE || event == TOVRELL_POINTER_PRESS || event == TOVRELL_POINTER_RELEASE;
    const bool oneButton = buttons == 1 || buttons == 2 || buttons == 4;
    if (!known || (buttons & ~7) || (event != TOVRELL_POINTER_MOVE && !oneButton))
        return E_INVALIDARG;
    return call([=, this](ScrollerPrivate &) { m_windowlessFace->pointer(event, QPoint(x, y), buttons, modifiers); });
}

// The control refuses a size no window can have; this interface says so
// with E_INVALIDARG, as it says of a font too large.
HRESULT ScrollerObject::SetBounds(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    const HRESULT result = call([=](ScrollerPrivate &s) { s.setBounds(x, y, width, height); });
    return result == resultOf(RuntimeError::InvalidPropertyValue) ? E_INVALIDARG : result;
}

HRESULT ScrollerObject::SetAmbient(VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints)
{
    const HRESULT result = call([=](ScrollerPrivate &s) {
        if (fontName && fontPoints > 0.0f) {
            QFont font(QString::fromUtf16(fontName));
            font.setPointSizeF(double(fontPoints));
            s.setAmbientFont(font);
        }
        s.setAmbientUserMode(userMode != VARIANT_FALSE);
    });
    return result == resultOf(RuntimeError::InvalidPropertyValue) ? E_INVALIDARG : result;
}
