// IPersistPropertyBag::Load from a bag that gives back anything, with font
// objects that answer anything. A load that succeeds must survive a save
// and a load into a second control unchanged, and the control must then
// scroll what it loaded: a few steps in user mode, as a running host's
// timer makes them.

#include "hostileobjects.h"
#include "scrollerobject.h"
#include "scrollerprivate.h"

#include <QWidget>

namespace {

IPersistPropertyBag *placed(ScrollerObject *object, QWidget *window)
{
    IWidgetControl *placement = nullptr;
    object->QueryInterface(IID_IWidgetControl, reinterpret_cast<void **>(&placement));
    placement->SetAmbient(VARIANT_FALSE, u"Liberation Sans", 10.0f);
    placement->SetParent(window);
    placement->SetBounds(0, 0, 408, 40);
    placement->Release();
    IPersistPropertyBag *persist = nullptr;
    object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    return persist;
}

// The saved values, fonts by their properties.
QStringList savedValues(const HostBag &bag)
{
    QStringList values;
    for (const auto &[name, value] : bag.values) {
        QString text = name + u'=' + QString::number(value.vt) + u':';
        if (value.vt == VT_DISPATCH && value.pdispVal) {
            for (DISPID id : {DISPID_FONT_NAME, DISPID_FONT_SIZE, DISPID_FONT_BOLD, DISPID_FONT_ITALIC}) {
                VARIANT property;
                VariantInit(&property);
                DISPPARAMS none{nullptr, nullptr, 0, 0};
                value.pdispVal->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &property, nullptr, nullptr);
                text += qvariantFromVariant(property).value_or(QVariant()).toString() + u',';
                VariantClear(&property);
            }
        } else {
            QByteArray bits(reinterpret_cast<const char *>(&value.dblVal), 8);
            text += value.vt == VT_BSTR ? stringFromBstr(value.bstrVal) : QString::fromLatin1(bits.toHex());
        }
        values << text;
    }
    return values;
}

// Runs scrolling steps of the loaded control as its timer would, with the
// host running.
void scrollAsARunningHost(QWidget &window)
{
    auto *scroller = window.findChild<Tovrell::Scroller *>();
    if (!scroller)
        checkFailed("the loaded control is not on the window");
    auto &control = Tovrell::ScrollerPrivate::of(*scroller);
    control.setAmbientUserMode(true);
    for (int step = 0; step < 3; ++step)
        control.Timer1_Timer();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    startApplication();
    FuzzInput in(data, size);
    VariantStore store;
    QWidget window;
    HostileFont font(in, store);
    {
        HostileBag hostile(in, store, font);
        auto *first = new ScrollerObject(false);
        IPersistPropertyBag *persist = placed(first, &window);
        const HRESULT loaded = persist->Load(&hostile, nullptr);
        if (SUCCEEDED(loaded)) {
            HostBag saved;
            if (FAILED(persist->Save(&saved, 1, 0)))
                checkFailed("a control that loaded could not save");
            auto *second = new ScrollerObject(false);
            IPersistPropertyBag *again = placed(second, &window);
            if (FAILED(again->Load(&saved, nullptr)))
                checkFailed("what a control saved could not be loaded");
            HostBag savedAgain;
            again->Save(&savedAgain, 1, 0);
            if (savedValues(saved) != savedValues(savedAgain))
                checkFailed("a save and load changed a value");
            again->Release();
            second->Release();
            scrollAsARunningHost(window);
        }
        persist->Release();
        first->Release();
        if (hostile.references != 1)
            checkFailed("the bag was kept");
    }
    if (font.references != 1)
        checkFailed("a font object was not released as often as it was referenced");
    if (ComponentModule::library().inUse())
        checkFailed("an object of the library is still alive");
    return 0;
}
