// A live Scroller driven through IDispatch::Invoke, its vtable and real
// mouse events, with event sinks that do anything while the control waits
// for them (fail, unadvise, call back in, or drop the control). A caption
// that the control takes must come back as it went in.

#include "hostileobjects.h"
#include "scrollerobject.h"

#include <QMouseEvent>
#include <QWidget>

namespace {

const DISPID ids[] = {DISPID_SCROLLER_BACKCOLOR,
                      DISPID_SCROLLER_FORECOLOR,
                      DISPID_SCROLLER_ENABLED,
                      DISPID_SCROLLER_FONT,
                      DISPID_SCROLLER_BORDERSTYLE,
                      DISPID_SCROLLER_REFRESH,
                      DISPID_SCROLLER_INTERVAL,
                      DISPID_SCROLLER_CAPTION,
                      DISPID_SCROLLER_REFRESHCAPTION,
                      0,
                      -3,
                      0x7FFFFFFF};
const WORD flagSets[] = {DISPATCH_METHOD,
                         DISPATCH_PROPERTYGET,
                         DISPATCH_PROPERTYPUT,
                         DISPATCH_PROPERTYPUTREF,
                         DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                         0,
                         0xFFFF};

bool carried(VARTYPE type)
{
    return type == VT_EMPTY || type == VT_NULL || type == VT_I2 || type == VT_I4 || type == VT_R4 || type == VT_R8
        || type == VT_BSTR || type == VT_BOOL || type == VT_UI1;
}

void sendMouse(QWidget *widget, FuzzInput &in)
{
    static const QEvent::Type kinds[] = {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease,
                                         QEvent::MouseButtonDblClick};
    const QEvent::Type kind = kinds[in.choose(4)];
    const QPointF at(in.take<std::int16_t>() % 700, in.take<std::int16_t>() % 100);
    const auto button = Qt::MouseButton(1 << in.choose(3));
    QMouseEvent event(kind, at, widget->mapToGlobal(at), kind == QEvent::MouseMove ? Qt::NoButton : button,
                      Qt::MouseButtons(in.take<std::uint8_t>() & 7),
                      Qt::KeyboardModifiers((in.take<std::uint8_t>() & 7u) << 25));
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    startApplication();
    FuzzInput in(data, size);
    VariantStore store;
    auto *window = new QWidget;
    window->resize(700, 100);

    auto *object = new ScrollerObject(false);
    bool held = true; // the harness's own reference
    IWidgetControl *placement = nullptr;
    object->QueryInterface(IID_IWidgetControl, reinterpret_cast<void **>(&placement));
    const bool designing = in.take<std::uint8_t>() & 1;
    placement->SetAmbient(designing ? VARIANT_FALSE : VARIANT_TRUE, u"Liberation Sans", float(in.take<std::int16_t>()));
    placement->SetParent(window);
    placement->SetBounds(in.take<std::int8_t>(), in.take<std::int8_t>(), in.take<std::uint16_t>() % 700,
                         in.take<std::uint8_t>() % 100);
    placement->Release();

    HostileFont font(in, store);
    IConnectionPointContainer *container = nullptr;
    object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container));
    IConnectionPoint *point = nullptr;
    container->FindConnectionPoint(DIID___Scroller, &point);
    container->Release();
    DWORD cookie = 0;
    const std::uint8_t behaviour = in.take<std::uint8_t>();
    HostileSink sink([&](DISPID id) -> HRESULT {
        switch ((behaviour + id) % 6) {
        case 1:
            return E_FAIL;
        case 2:
            if (point)
                point->Unadvise(cookie);
            return S_OK;
        case 3:
            if (held) {
                VARIANT text;
                VariantInit(&text);
                object->put_Caption(text);
                object->Refresh();
            }
            return S_OK;
        case 4:
            // The host drops the control from its handler.
            if (held) {
                held = false;
                point->Release();
                point = nullptr;
                object->Release();
            }
            return S_OK;
        case 5:
            delete window;
            window = nullptr;
            return S_OK;
        default:
            return S_OK;
        }
    });
    point->Advise(&sink, &cookie);
    window->show();

    for (int step = 0; step < 24 && !in.atEnd() && held; ++step) {
        switch (in.choose(5)) {
        case 0: {
            VARIANT arguments[2] = {makeVariant(in, store, &font), makeVariant(in, store, &font)};
            DISPID named = DISPID_PROPERTYPUT;
            DISPPARAMS params{arguments, in.choose(2) ? &named : nullptr, in.choose(3), 0};
            params.cNamedArgs = params.rgdispidNamedArgs ? std::min(params.cArgs, 1u) : 0;
            VARIANT result;
            EXCEPINFO exception{};
            UINT argumentError = 0;
            const HRESULT outcome =
                object->Invoke(ids[in.choose(std::size(ids))], IID_NULL, 0, flagSets[in.choose(std::size(flagSets))],
                               &params, &result, &exception, &argumentError);
            if (SUCCEEDED(outcome))
                VariantClear(&result);
            SysFreeString(exception.bstrSource);
            SysFreeString(exception.bstrDescription);
            break;
        }
        case 1: {
            const VARIANT caption = makeVariant(in, store, &font);
            if (SUCCEEDED(object->put_Caption(caption)) && designing && window && carried(caption.vt)) {
                VARIANT back;
                object->get_Caption(&back);
                if (!sameVariant(back, caption))
                    checkFailed("a caption did not come back as it went in");
                VariantClear(&back);
            }
            break;
        }
        case 2: {
            object->put_BackColor(in.take<std::uint32_t>());
            object->put_BorderStyle(in.take<std::int16_t>());
            object->put_Interval(in.take<std::int32_t>() % 70000);
            object->putref_Font(in.choose(2) ? &font : nullptr);
            IDispatch *own = nullptr;
            if (SUCCEEDED(object->get_Font(&own))) {
                VARIANT size = makeVariant(in, store);
                DISPPARAMS params{&size, nullptr, 1, 0};
                own->Invoke(DISPID_FONT_SIZE, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
                own->Release();
            }
            break;
        }
        case 3:
            if (window) {
                if (QWidget *control = window->findChild<QWidget *>())
                    sendMouse(control, in);
            }
            break;
        case 4:
            QCoreApplication::processEvents();
            break;
        }
    }

    if (held) {
        if (point) {
            point->Unadvise(cookie);
            point->Release();
        }
        object->Release();
    }
    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (sink.references != 1 || font.references != 1)
        checkFailed("a host object was not released as often as it was referenced");
    if (ComponentModule::library().inUse())
        checkFailed("an object of the library is still alive");
    return 0;
}
