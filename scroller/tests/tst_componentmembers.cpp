// The members of _Scroller as a host that loaded the library calls them,
// by dispatch id and through the vtable: values, conversions, refusals and
// errors.

#include "componenthost.h"

#include <cstring>
#include <thread>

class TestComponentMembers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void propertiesByDispatchIdAndVtable();
    void dispatchErrors();
    void callsAfterTheWindowIsGone();
    void captionKeepsItsType_data();
    void captionKeepsItsType();
    void aHostsOwnFont_data();
    void aHostsOwnFont();
    void boundsOfTheSameSizeFitTheFontAgain();

private:
    ComponentHost host;
};

void TestComponentMembers::initTestCase()
{
    QVERIFY(host.load());
}

void TestComponentMembers::propertiesByDispatchIdAndVtable()
{
    IDispatch *object = host.create();
    QVERIFY(object);
    IPersistPropertyBag *persist = nullptr;
    QCOMPARE(object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist)), S_OK);
    QCOMPARE(persist->InitNew(), S_OK);
    persist->Release();
    _Scroller *scroller = nullptr;
    QCOMPARE(object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller)), S_OK);

    // New-instance values, read both ways.
    QCOMPARE(get(object, DISPID_SCROLLER_BACKCOLOR).toUInt(), 0x00FFFF00u);
    std::uint32_t color = 0;
    QCOMPARE(scroller->get_BackColor(&color), S_OK);
    QCOMPARE(color, 0x00FFFF00u);
    QCOMPARE(get(object, DISPID_SCROLLER_CAPTION).toString(), QStringLiteral("Scroller"));

    // Each property set one way and read the other.
    QCOMPARE(put(object, DISPID_SCROLLER_FORECOLOR, 0x000000FF), S_OK);
    QCOMPARE(scroller->get_ForeColor(&color), S_OK);
    QCOMPARE(color, 0x000000FFu);
    QCOMPARE(scroller->put_Enabled(VARIANT_FALSE), S_OK);
    QCOMPARE(get(object, DISPID_SCROLLER_ENABLED).toBool(), false);
    QCOMPARE(put(object, DISPID_SCROLLER_BORDERSTYLE, 1), S_OK);
    std::int16_t style = 0;
    QCOMPARE(scroller->get_BorderStyle(&style), S_OK);
    QCOMPARE(style, 1);
    QCOMPARE(scroller->put_Interval(250), S_OK);
    QCOMPARE(get(object, DISPID_SCROLLER_INTERVAL).toInt(), 250);
    QCOMPARE(put(object, DISPID_SCROLLER_CAPTION, 42), S_OK);
    VARIANT caption;
    QCOMPARE(scroller->get_Caption(&caption), S_OK);
    QCOMPARE(int(caption.vt), int(VT_I4));
    QCOMPARE(caption.lVal, 42);
    VariantClear(&caption);

    // The font object by reference.
    IDispatch *font = nullptr;
    QCOMPARE(scroller->get_Font(&font), S_OK);
    VARIANT size = variantOf(20.0f);
    QCOMPARE(invoke(font, DISPID_FONT_SIZE, DISPATCH_PROPERTYPUT, {size}), S_OK);
    IDispatch *again = nullptr;
    QCOMPARE(scroller->get_Font(&again), S_OK);
    QCOMPARE(get(again, DISPID_FONT_SIZE).toFloat(), 20.0f);
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_DISPATCH;
    reference.pdispVal = again;
    QCOMPARE(invoke(object, DISPID_SCROLLER_FONT, DISPATCH_PROPERTYPUTREF, {reference}), S_OK);
    QCOMPARE(invoke(object, DISPID_SCROLLER_FONT, DISPATCH_PROPERTYPUT, {reference}), DISP_E_MEMBERNOTFOUND);
    again->Release();
    font->Release();

    QCOMPARE(invoke(object, DISPID_SCROLLER_REFRESH, DISPATCH_METHOD, {}), S_OK);
    QCOMPARE(invoke(object, DISPID_SCROLLER_REFRESHCAPTION, DISPATCH_METHOD, {}), S_OK);
    QCOMPARE(scroller->Refresh(), S_OK);
    QCOMPARE(scroller->get_BackColor(nullptr), E_POINTER);
    scroller->Release();
    QCOMPARE(object->Release(), 0u);
}

void TestComponentMembers::dispatchErrors()
{
    IDispatch *object = host.create();
    QVERIFY(object);
    QCOMPARE(invoke(object, 0, DISPATCH_PROPERTYGET, {}), DISP_E_MEMBERNOTFOUND); // no default member
    QCOMPARE(invoke(object, 0x12345, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    VARIANT one = variantOf(1);
    QCOMPARE(invoke(object, DISPID_SCROLLER_BORDERSTYLE, DISPATCH_PROPERTYPUT, {one, one}), DISP_E_BADPARAMCOUNT);
    QCOMPARE(invoke(object, DISPID_SCROLLER_BORDERSTYLE, DISPATCH_PROPERTYGET, {one}), DISP_E_BADPARAMCOUNT);
    QCOMPARE(put(object, DISPID_SCROLLER_BACKCOLOR, QStringLiteral("red")), DISP_E_TYPEMISMATCH);
    QCOMPARE(put(object, DISPID_SCROLLER_BORDERSTYLE, 70000), DISP_E_OVERFLOW);

    VARIANT refused = variantOf(5);
    EXCEPINFO exception{};
    QCOMPARE(invoke(object, DISPID_SCROLLER_BORDERSTYLE, DISPATCH_PROPERTYPUT, {refused}, nullptr, &exception),
             DISP_E_EXCEPTION);
    QCOMPARE(exception.scode, HRESULT(0x800A017Cu));
    QCOMPARE(stringFromBstr(exception.bstrDescription), QStringLiteral("Invalid property value"));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    std::vector<OLECHAR *> names{const_cast<OLECHAR *>(u"caption"), const_cast<OLECHAR *>(u"RefreshCaption"),
                                 const_cast<OLECHAR *>(u"Nothing")};
    DISPID ids[3];
    QCOMPARE(object->GetIDsOfNames(IID_NULL, names.data(), 3, 0, ids), DISP_E_UNKNOWNNAME);
    QCOMPARE(ids[0], DISPID_SCROLLER_CAPTION);
    QCOMPARE(ids[1], DISPID_SCROLLER_REFRESHCAPTION);
    QCOMPARE(ids[2], DISPID_UNKNOWN);
    QCOMPARE(invoke(object, DISPID_SCROLLER_CAPTION, DISPATCH_PROPERTYGET, {}, nullptr), S_OK);
    DISPPARAMS broken{nullptr, nullptr, 1, 0};
    QCOMPARE(
        object->Invoke(DISPID_SCROLLER_CAPTION, IID_NULL, 0, DISPATCH_PROPERTYPUT, &broken, nullptr, nullptr, nullptr),
        E_POINTER);
    void *nothing = nullptr;
    QCOMPARE(object->QueryInterface(IID_IClassFactory, &nothing), E_NOINTERFACE);
    QCOMPARE(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    // The control is apartment-threaded: another thread is turned away.
    HRESULT fromAnotherThread = S_OK;
    std::thread([&] { fromAnotherThread = invoke(object, DISPID_SCROLLER_INTERVAL, DISPATCH_PROPERTYGET, {}); }).join();
    QCOMPARE(fromAnotherThread, RPC_E_WRONG_THREAD);
    QCOMPARE(object->Release(), 0u);
}

// A host that deletes its host.window deletes the control placed on it; the
// object that is left answers E_UNEXPECTED and is released as usual.
void TestComponentMembers::callsAfterTheWindowIsGone()
{
    auto *ownWindow = new QWidget;
    IDispatch *object = host.create(ownWindow);
    QVERIFY(object);
    delete ownWindow;
    QCOMPARE(put(object, DISPID_SCROLLER_INTERVAL, 100), E_UNEXPECTED);
    QCOMPARE(invoke(object, DISPID_SCROLLER_REFRESH, DISPATCH_METHOD, {}), E_UNEXPECTED);
    IPersistPropertyBag *persist = nullptr;
    QCOMPARE(object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist)), S_OK);
    QCOMPARE(persist->InitNew(), E_UNEXPECTED);
    persist->Release();
    QCOMPARE(object->Release(), 0u);
    QCOMPARE(host.canUnloadNow(), S_OK);
}

// Every type the component layer carries comes back from the get and from
// a save and load as it went in; the others are refused and change nothing.
void TestComponentMembers::captionKeepsItsType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("kept");
    QTest::newRow("Empty") << int(VT_EMPTY) << 0.0 << true;
    QTest::newRow("Null") << int(VT_NULL) << 0.0 << true;
    QTest::newRow("16-bit") << int(VT_I2) << -7.0 << true;
    QTest::newRow("32-bit") << int(VT_I4) << 70000.0 << true;
    QTest::newRow("single") << int(VT_R4) << 1.5 << true;
    QTest::newRow("double") << int(VT_R8) << 0.1 << true;
    QTest::newRow("Boolean") << int(VT_BOOL) << -1.0 << true;
    QTest::newRow("byte") << int(VT_UI1) << 200.0 << true;
    QTest::newRow("text led by U+FEFF") << int(VT_BSTR) << 0.0 << true;
    QTest::newRow("date") << int(VT_DATE) << 46000.25 << false;
    QTest::newRow("currency") << int(VT_CY) << 0.0 << false;
    QTest::newRow("error") << int(VT_ERROR) << 0.0 << false;
}

void TestComponentMembers::captionKeepsItsType()
{
    QFETCH(int, type);
    QFETCH(double, number);
    QFETCH(bool, kept);
    VARIANT caption;
    VariantInit(&caption);
    caption.vt = VARTYPE(type);
    switch (type) {
    case VT_I2:
        caption.iVal = std::int16_t(number);
        break;
    case VT_I4:
        caption.lVal = std::int32_t(number);
        break;
    case VT_R4:
        caption.fltVal = float(number);
        break;
    case VT_R8:
        caption.dblVal = number;
        break;
    case VT_DATE:
        caption.date = number;
        break;
    case VT_BOOL:
        caption.boolVal = VARIANT_BOOL(number);
        break;
    case VT_UI1:
        caption.bVal = std::uint8_t(number);
        break;
    case VT_CY:
        caption.cyVal.int64 = 125000;
        break;
    case VT_BSTR:
        caption.bstrVal = SysAllocString(u"\uFEFFbanner");
        break;
    }

    IDispatch *first = host.create();
    QVERIFY(first);
    _Scroller *scroller = nullptr;
    first->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller));
    QCOMPARE(invoke(first, DISPID_SCROLLER_CAPTION, DISPATCH_PROPERTYPUT, {caption}),
             kept ? S_OK : DISP_E_TYPEMISMATCH);
    QCOMPARE(scroller->put_Caption(caption), kept ? S_OK : DISP_E_TYPEMISMATCH);
    VARIANT back;
    QCOMPARE(scroller->get_Caption(&back), S_OK);
    const VARIANT &expected = caption;
    auto same = [&expected](const VARIANT &value) {
        return value.vt == expected.vt
            && (value.vt == VT_BSTR ? stringFromBstr(value.bstrVal) == stringFromBstr(expected.bstrVal)
                                    : std::memcmp(&value.dblVal, &expected.dblVal, sizeof(double)) == 0);
    };
    if (!kept) {
        QCOMPARE(int(back.vt), int(VT_EMPTY)); // a new control's caption, unchanged
        VariantClear(&back);
        VariantClear(&caption);
        scroller->Release();
        QCOMPARE(first->Release(), 0u);
        return;
    }
    QVERIFY(same(back));
    VariantClear(&back);

    IPersistPropertyBag *persist = nullptr;
    first->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    HostBag bag;
    QCOMPARE(persist->Save(&bag, 1, 0), S_OK);
    persist->Release();
    scroller->Release();
    QCOMPARE(first->Release(), 0u);
    IDispatch *second = host.create();
    second->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    QCOMPARE(persist->Load(&bag, nullptr), S_OK);
    second->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller));
    QCOMPARE(scroller->get_Caption(&back), S_OK);
    QVERIFY(same(back));
    VariantClear(&back);

    // A saved type the caption cannot keep stops the load.
    VARIANT date;
    VariantInit(&date);
    date.vt = VT_DATE;
    bag.Write(u"Caption", &date);
    QCOMPARE(persist->Load(&bag, nullptr), HRESULT(0x800A000Du));
    VariantClear(&caption);
    persist->Release();
    scroller->Release();
    QCOMPARE(second->Release(), 0u);
}

// A font object of the host's own, set directly and loaded from a bag: a
// currency size is a size, and one no font can take is refused.
void TestComponentMembers::aHostsOwnFont_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<HRESULT>("result");
    QTest::newRow("12 pt") << 12.0 << S_OK;
    QTest::newRow("2048 pt") << 2048.0 << S_OK;
    QTest::newRow("0 pt") << 0.0 << HRESULT(0x800A017Cu);
    QTest::newRow("2049 pt") << 2049.0 << HRESULT(0x800A017Cu);
    QTest::newRow("1E-50 pt, 0 as a font holds it") << 1e-50 << HRESULT(0x800A017Cu);
}

void TestComponentMembers::aHostsOwnFont()
{
    QFETCH(double, points);
    QFETCH(HRESULT, result);
    IDispatch *object = host.create();
    QVERIFY(object);
    _Scroller *scroller = nullptr;
    object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller));
    IDispatch *current = nullptr;
    QCOMPARE(scroller->get_Font(&current), S_OK);
    const double before = get(current, DISPID_FONT_SIZE).toDouble();
    current->Release();
    HostFont font(points);
    QCOMPARE(scroller->putref_Font(&font), result);
    QCOMPARE(scroller->get_Font(&current), S_OK);
    QCOMPARE(get(current, DISPID_FONT_SIZE).toDouble(), SUCCEEDED(result) ? points : before);
    if (SUCCEEDED(result))
        QCOMPARE(get(current, DISPID_FONT_NAME).toString(), QStringLiteral("Liberation Serif"));
    // The control's own font object refuses the same size.
    QCOMPARE(invoke(current, DISPID_FONT_SIZE, DISPATCH_PROPERTYPUT, {font.size}),
             SUCCEEDED(result) ? S_OK : DISP_E_EXCEPTION);
    current->Release();

    HostBag bag;
    VARIANT saved;
    VariantInit(&saved);
    saved.vt = VT_DISPATCH;
    saved.pdispVal = &font;
    bag.Write(u"Font", &saved);
    IPersistPropertyBag *persist = nullptr;
    object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    QCOMPARE(persist->Load(&bag, nullptr), result);
    persist->Release();
    scroller->Release();
    QCOMPARE(object->Release(), 0u);
    QCOMPARE(font.references, 2u); // the bag's copy
}

// Every size a host sets runs the fitting: the same height again right
// after a grow shrinks the font once more.
void TestComponentMembers::boundsOfTheSameSizeFitTheFontAgain()
{
    IDispatch *object = host.create();
    QVERIFY(object);
    IWidgetControl *placement = nullptr;
    object->QueryInterface(IID_IWidgetControl, reinterpret_cast<void **>(&placement));
    QCOMPARE(placement->SetAmbient(VARIANT_TRUE, u"Liberation Sans", 5000.0f), E_INVALIDARG);
    QCOMPARE(placement->SetBounds(10, 10, 408, 80), S_OK);
    IDispatch *font = nullptr;
    _Scroller *scroller = nullptr;
    object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller));
    scroller->get_Font(&font);
    const double afterGrow = get(font, DISPID_FONT_SIZE).toDouble();
    QCOMPARE(placement->SetBounds(10, 10, 408, 80), S_OK);
    const double afterSameSize = get(font, DISPID_FONT_SIZE).toDouble();
    QVERIFY2(afterSameSize < afterGrow, qPrintable(QStringLiteral("%1 then %2").arg(afterGrow).arg(afterSameSize)));
    font->Release();
    scroller->Release();
    placement->Release();
    QCOMPARE(object->Release(), 0u);
}

QTEST_MAIN(TestComponentMembers)
#include "tst_componentmembers.moc"
