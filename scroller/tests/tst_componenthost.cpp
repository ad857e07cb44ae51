// A host that knows the control only by its identifiers: it loads
// libtovrell.so with dlopen, registers it, finds it by programmatic id,
// creates and places a Scroller, drives it by dispatch id and through the
// vtable, receives its events and property changes, saves and loads it
// through a property bag of its own, releases it and unregisters it. It
// includes only the kit's component surface, <tovrell/tovrell.h>.

#include "componentconversions.h"
#include "componentregistry.h"

#include <tovrell/tovrell.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <thread>

namespace {

using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void **);
using NoArguments = HRESULT (*)();

// Reference counting shared by the host's own objects.
template <typename Interface>
class HostObject : public Interface
{
public:
    // Answers QueryInterface for IUnknown and the ids given.
    explicit HostObject(std::initializer_list<IID> interfaceIds)
        : m_interfaceIds(interfaceIds)
    { }
    HRESULT QueryInterface(REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        const auto answered = [&](const IID &id) { return id == riid; };
        if (!(riid == IID_IUnknown) && std::none_of(m_interfaceIds.begin(), m_interfaceIds.end(), answered))
            return E_NOINTERFACE;
        *object = static_cast<Interface *>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; } // lives on the test's stack
    ULONG references = 1;

private:
    std::vector<IID> m_interfaceIds;
};

// Records the events a control raises.
class EventSink final : public HostObject<IDispatch>
{
public:
    EventSink()
        : HostObject({IID_IDispatch, DIID___Scroller})
    { }
    HRESULT GetTypeInfoCount(UINT *count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, OLECHAR **, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *, UINT *) override
    {
        QList<double> arguments;
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT &argument = params->rgvarg[i];
            if (!(argument.vt & VT_BYREF))
                arguments << -1;
            else
                arguments << qvariantFromVariant(argument).value_or(QVariant()).toDouble();
        }
        events.push_back({id, arguments});
        if (onEvent)
            onEvent(id);
        return S_OK;
    }
    std::vector<std::pair<DISPID, QList<double>>> events;
    std::function<void(DISPID)> onEvent; // what the host does in its handler
};

// The host's store of saved properties: variants by name.
class HostBag final : public HostObject<IPropertyBag>
{
public:
    HostBag()
        : HostObject({IID_IPropertyBag})
    { }
    ~HostBag()
    {
        for (auto &[name, value] : values)
            VariantClear(&value);
    }
    HRESULT Read(const OLECHAR *name, VARIANT *value, IErrorLog *) override
    {
        const auto found = values.find(QString::fromUtf16(name));
        if (found == values.end())
            return E_INVALIDARG;
        return VariantCopy(value, &found->second);
    }
    HRESULT Write(const OLECHAR *name, VARIANT *value) override
    {
        VARIANT &slot = values[QString::fromUtf16(name)];
        order << QString::fromUtf16(name);
        return VariantCopy(&slot, value);
    }
    std::map<QString, VARIANT> values;
    QStringList order;
};

// Records what a control could not load.
class HostErrorLog final : public HostObject<IErrorLog>
{
public:
    HostErrorLog()
        : HostObject({IID_IErrorLog})
    { }
    HRESULT AddError(const OLECHAR *name, EXCEPINFO *exception) override
    {
        errors << QStringLiteral("%1: %2 %3 (%4)")
                      .arg(QString::fromUtf16(name), QString::number(std::uint32_t(exception->scode), 16),
                           stringFromBstr(exception->bstrDescription), stringFromBstr(exception->bstrSource));
        return S_OK;
    }
    QStringList errors;
};

// Records the property changes a control reports.
class PropertyChangeSink final : public HostObject<IPropertyNotifySink>
{
public:
    PropertyChangeSink()
        : HostObject({IID_IPropertyNotifySink})
    { }
    HRESULT OnChanged(DISPID id) override
    {
        changed << id;
        return S_OK;
    }
    HRESULT OnRequestEdit(DISPID) override { return S_OK; }
    QList<DISPID> changed;
};

// A font object of the host's own: Name as text, Size as currency, the
// conventional types of a font in this component world.
class HostFont final : public HostObject<IDispatch>
{
public:
    explicit HostFont(double points)
        : HostObject({IID_IDispatch})
        , size{std::int64_t(points * 10000)}
    { }
    HRESULT GetTypeInfoCount(UINT *count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, OLECHAR **, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *result, EXCEPINFO *, UINT *) override
    {
        VariantInit(result);
        if (id == DISPID_FONT_NAME) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(u"Liberation Serif");
        } else if (id == DISPID_FONT_SIZE) {
            result->vt = VT_CY;
            result->cyVal = size;
        } else if (id == DISPID_FONT_BOLD || id == DISPID_FONT_ITALIC) {
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_FALSE;
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        return S_OK;
    }
    CY size;
};

HRESULT invoke(IDispatch *object, DISPID id, WORD flags, std::vector<VARIANT> arguments, VARIANT *result = nullptr,
               EXCEPINFO *exception = nullptr)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{arguments.data(), (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? &named : nullptr,
                      UINT(arguments.size()), (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? 1u : 0u};
    UINT argumentError = 0;
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, exception, &argumentError);
}

VARIANT variantOf(const QVariant &value)
{
    VARIANT variant;
    variantFromQVariant(value, &variant);
    return variant;
}

QVariant get(IDispatch *object, DISPID id)
{
    VARIANT result;
    VariantInit(&result);
    if (FAILED(invoke(object, id, DISPATCH_PROPERTYGET, {}, &result)))
        return QStringLiteral("(failed)");
    const QVariant value = result.vt == VT_DISPATCH ? QVariant(QStringLiteral("(object)"))
                                                    : qvariantFromVariant(result).value_or(QVariant());
    VariantClear(&result);
    return value;
}

HRESULT put(IDispatch *object, DISPID id, const QVariant &value)
{
    VARIANT argument = variantOf(value);
    const HRESULT result = invoke(object, id, DISPATCH_PROPERTYPUT, {argument});
    VariantClear(&argument);
    return result;
}

} // namespace

class TestComponentHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void registrationAndClassObjectErrors();
    void propertiesByDispatchIdAndVtable();
    void dispatchErrors();
    void callsAfterTheWindowIsGone();
    void registrationNeedsTheTypeLibrary();
    void registrationIntoABadRegistry_data();
    void registrationIntoABadRegistry();
    void theSystemRegistryIsTheFallback();
    void eventsFromRealMouseInput();
    void propertyChangesReachTheHost();
    void captionKeepsItsType_data();
    void captionKeepsItsType();
    void aHostsOwnFont_data();
    void aHostsOwnFont();
    void boundsOfTheSameSizeFitTheFontAgain();
    void everyObjectKeepsTheLibraryLoaded();
    void theHostEndsTheControlInItsHandler_data();
    void theHostEndsTheControlInItsHandler();
    void aTickBeforeLoadingKeepsTheNewCaption();
    void persistenceThroughAPropertyBag();
    void unloadAndUnregister();

private:
    IDispatch *create(QWidget *parent = nullptr);
    QMap<QString, QVariant> registry();

    QTemporaryDir folder;
    void *library = nullptr;
    GetClassObject getClassObject = nullptr;
    NoArguments canUnloadNow = nullptr, registerServer = nullptr, unregisterServer = nullptr;
    QMap<QString, QVariant> registryBefore;
    CLSID classId{};
    QWidget window;
};

QMap<QString, QVariant> TestComponentHost::registry()
{
    QSettings settings(ComponentRegistry::location(), QSettings::IniFormat);
    QMap<QString, QVariant> all;
    for (const QString &key : settings.allKeys())
        all.insert(key, settings.value(key));
    return all;
}

void TestComponentHost::initTestCase()
{
    qputenv("FORM_COMPONENT_REGISTRY", folder.filePath(QStringLiteral("components.ini")).toLocal8Bit());
    qputenv("FORM_COMPONENT_SYSTEM_REGISTRY", folder.filePath(QStringLiteral("system/components.ini")).toLocal8Bit());
    {
        QSettings other(ComponentRegistry::location(), QSettings::IniFormat);
        other.setValue(QStringLiteral("Other.Thing/CLSID/Default"),
                       QStringLiteral("{00000000-0000-0000-0000-000000000001}"));
    }
    registryBefore = registry();

    library = dlopen(TOVRELL_PATH, RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(library, dlerror());
    getClassObject = reinterpret_cast<GetClassObject>(dlsym(library, "DllGetClassObject"));
    canUnloadNow = reinterpret_cast<NoArguments>(dlsym(library, "DllCanUnloadNow"));
    registerServer = reinterpret_cast<NoArguments>(dlsym(library, "DllRegisterServer"));
    unregisterServer = reinterpret_cast<NoArguments>(dlsym(library, "DllUnregisterServer"));
    QVERIFY(getClassObject && canUnloadNow && registerServer && unregisterServer);

    QCOMPARE(registerServer(), S_OK);
    const auto found = ComponentRegistry::classIdOf(QStringLiteral("Tovrell.Scroller"));
    QVERIFY(found.has_value());
    classId = *found;
    QCOMPARE(ComponentRegistry::libraryOf(classId), QFileInfo(QStringLiteral(TOVRELL_PATH)).absoluteFilePath());
    window.resize(500, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void TestComponentHost::cleanupTestCase()
{
    if (library)
        dlclose(library);
}

IDispatch *TestComponentHost::create(QWidget *parent)
{
    IClassFactory *factory = nullptr;
    if (FAILED(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory))))
        return nullptr;
    IDispatch *object = nullptr;
    const HRESULT created = factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void **>(&object));
    factory->Release();
    if (FAILED(created))
        return nullptr;
    IWidgetControl *placement = nullptr;
    object->QueryInterface(IID_IWidgetControl, reinterpret_cast<void **>(&placement));
    placement->SetAmbient(VARIANT_TRUE, u"Liberation Sans", 10.0f);
    placement->SetParent(parent ? parent : &window);
    placement->SetBounds(10, 10, 408, 40);
    placement->Release();
    return object;
}

void TestComponentHost::registrationAndClassObjectErrors()
{
    void *object = nullptr;
    QCOMPARE(getClassObject(IID_IDispatch, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    QVERIFY(!object);
    QCOMPARE(getClassObject(classId, IID_IDispatch, &object), E_NOINTERFACE);
    QCOMPARE(getClassObject(classId, IID_IClassFactory, nullptr), E_POINTER);

    IClassFactory *factory = nullptr;
    QCOMPARE(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    QCOMPARE(factory->CreateInstance(reinterpret_cast<IUnknown *>(factory), IID_IUnknown, &object),
             CLASS_E_NOAGGREGATION);
    QCOMPARE(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    QCOMPARE(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    QCOMPARE(canUnloadNow(), S_FALSE); // the factory lives
    factory->Release();
    QCOMPARE(canUnloadNow(), S_OK);
}

void TestComponentHost::propertiesByDispatchIdAndVtable()
{
    IDispatch *object = create();
    QVERIFY(object);
    IPersistPropertyBag *persist = nullptr;
    QCOMPARE(object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist)), S_OK);
    QCOMPARE(persist->InitNew(), S_OK);
    persist->Release();
    _Scroller *scroller = nullptr;
    QCOMPARE(object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller)), S_OK);

    // New-instance values, read both ways.
    QCOMPARE(get(object, 0x68030005).toUInt(), 0x00FFFF00u);
    std::uint32_t color = 0;
    QCOMPARE(scroller->get_BackColor(&color), S_OK);
    QCOMPARE(color, 0x00FFFF00u);
    QCOMPARE(get(object, 0x68030000).toString(), QStringLiteral("Scroller"));

    // Each property set one way and read the other.
    QCOMPARE(put(object, 0x68030004, 0x000000FF), S_OK);
    QCOMPARE(scroller->get_ForeColor(&color), S_OK);
    QCOMPARE(color, 0x000000FFu);
    QCOMPARE(scroller->put_Enabled(VARIANT_FALSE), S_OK);
    QCOMPARE(get(object, 0x68030003).toBool(), false);
    QCOMPARE(put(object, 0x68030002, 1), S_OK);
    std::int16_t style = 0;
    QCOMPARE(scroller->get_BorderStyle(&style), S_OK);
    QCOMPARE(style, 1);
    QCOMPARE(scroller->put_Interval(250), S_OK);
    QCOMPARE(get(object, 0x68030001).toInt(), 250);
    QCOMPARE(put(object, 0x68030000, 42), S_OK);
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
    QCOMPARE(invoke(object, -512, DISPATCH_PROPERTYPUTREF, {reference}), S_OK);
    QCOMPARE(invoke(object, -512, DISPATCH_PROPERTYPUT, {reference}), DISP_E_MEMBERNOTFOUND);
    again->Release();
    font->Release();

    QCOMPARE(invoke(object, 0x60030006, DISPATCH_METHOD, {}), S_OK);
    QCOMPARE(invoke(object, 0x60030011, DISPATCH_METHOD, {}), S_OK);
    QCOMPARE(scroller->Refresh(), S_OK);
    QCOMPARE(scroller->get_BackColor(nullptr), E_POINTER);
    scroller->Release();
    QCOMPARE(object->Release(), 0u);
}

void TestComponentHost::dispatchErrors()
{
    IDispatch *object = create();
    QVERIFY(object);
    QCOMPARE(invoke(object, 0, DISPATCH_PROPERTYGET, {}), DISP_E_MEMBERNOTFOUND); // no default member
    QCOMPARE(invoke(object, 0x12345, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    VARIANT one = variantOf(1);
    QCOMPARE(invoke(object, 0x68030002, DISPATCH_PROPERTYPUT, {one, one}), DISP_E_BADPARAMCOUNT);
    QCOMPARE(invoke(object, 0x68030002, DISPATCH_PROPERTYGET, {one}), DISP_E_BADPARAMCOUNT);
    QCOMPARE(put(object, 0x68030005, QStringLiteral("red")), DISP_E_TYPEMISMATCH);
    QCOMPARE(put(object, 0x68030002, 70000), DISP_E_OVERFLOW);

    VARIANT refused = variantOf(5);
    EXCEPINFO exception{};
    QCOMPARE(invoke(object, 0x68030002, DISPATCH_PROPERTYPUT, {refused}, nullptr, &exception), DISP_E_EXCEPTION);
    QCOMPARE(exception.scode, HRESULT(0x800A017Cu));
    QCOMPARE(stringFromBstr(exception.bstrDescription), QStringLiteral("Invalid property value"));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    std::vector<OLECHAR *> names{const_cast<OLECHAR *>(u"caption"), const_cast<OLECHAR *>(u"RefreshCaption"),
                                 const_cast<OLECHAR *>(u"Nothing")};
    DISPID ids[3];
    QCOMPARE(object->GetIDsOfNames(IID_NULL, names.data(), 3, 0, ids), DISP_E_UNKNOWNNAME);
    QCOMPARE(ids[0], 0x68030000);
    QCOMPARE(ids[1], 0x60030011);
    QCOMPARE(ids[2], DISPID_UNKNOWN);
    QCOMPARE(invoke(object, 0x68030000, DISPATCH_PROPERTYGET, {}, nullptr), S_OK);
    DISPPARAMS broken{nullptr, nullptr, 1, 0};
    QCOMPARE(object->Invoke(0x68030000, IID_NULL, 0, DISPATCH_PROPERTYPUT, &broken, nullptr, nullptr, nullptr),
             E_POINTER);
    void *nothing = nullptr;
    QCOMPARE(object->QueryInterface(IID_IClassFactory, &nothing), E_NOINTERFACE);
    QCOMPARE(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    // The control is apartment-threaded: another thread is turned away.
    HRESULT fromAnotherThread = S_OK;
    std::thread([&] { fromAnotherThread = invoke(object, 0x68030001, DISPATCH_PROPERTYGET, {}); }).join();
    QCOMPARE(fromAnotherThread, RPC_E_WRONG_THREAD);
    QCOMPARE(object->Release(), 0u);
}

// A host that deletes its window deletes the control placed on it; the
// object that is left answers E_UNEXPECTED and is released as usual.
void TestComponentHost::callsAfterTheWindowIsGone()
{
    auto *ownWindow = new QWidget;
    IDispatch *object = create(ownWindow);
    QVERIFY(object);
    delete ownWindow;
    QCOMPARE(put(object, 0x68030001, 100), E_UNEXPECTED);
    QCOMPARE(invoke(object, 0x60030006, DISPATCH_METHOD, {}), E_UNEXPECTED);
    IPersistPropertyBag *persist = nullptr;
    QCOMPARE(object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist)), S_OK);
    QCOMPARE(persist->InitNew(), E_UNEXPECTED);
    persist->Release();
    QCOMPARE(object->Release(), 0u);
    QCOMPARE(canUnloadNow(), S_OK);
}

// A registry file that is corrupt, holds lines a rewrite would lose, or
// cannot be made fails registration with SELFREG_E_CLASS and stays byte for
// byte as it was.
void TestComponentHost::registrationIntoABadRegistry_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("contents");
    // Unregistration has nothing to remove from a file that registration
    // could not change, so it may succeed there, leaving the file as it is.
    QTest::addColumn<HRESULT>("unregistered");
    QTest::newRow("corrupt") << folder.filePath(QStringLiteral("corrupt.ini"))
                             << QByteArray("[Other.Thing\nCLSID=\x01\xff\n") << SELFREG_E_CLASS;
    QTest::newRow("registrations, then damage")
        << folder.filePath(QStringLiteral("damaged.ini"))
        << QByteArray("[Tovrell.Scroller]\nCLSID\\Default={6D2A9C42-3B7E-4F15-9A0C-52E1B7D4C8A1}\n"
                      "[Other.Thing]\nCLSID\\Default={00000000-0000-0000-0000-000000000001}\n[CLSID\n\x01\xfe\xff")
        << SELFREG_E_CLASS;
    QTest::newRow("binary bytes") << folder.filePath(QStringLiteral("binary.ini"))
                                  << QByteArray("\x01\x02\xff\x00 not settings at all\n", 24) << SELFREG_E_CLASS;
    QTest::newRow("a comment") << folder.filePath(QStringLiteral("comment.ini"))
                               << QByteArray("[Other.Thing]\n# the user's note\nCLSID\\Default=x\n") << SELFREG_E_CLASS;
    QTest::newRow("a key that ends in a slash")
        << folder.filePath(QStringLiteral("slash.ini")) << QByteArray("[Other.Thing]\nCLSID/=x\n") << S_OK;
    QTest::newRow("its folder is a file")
        << folder.filePath(QStringLiteral("components.ini/nested.ini")) << QByteArray() << SELFREG_E_CLASS;
}

void TestComponentHost::registrationIntoABadRegistry()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, contents);
    QFETCH(HRESULT, unregistered);
    const QByteArray good = qgetenv("FORM_COMPONENT_REGISTRY");
    if (!contents.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    qputenv("FORM_COMPONENT_REGISTRY", path.toLocal8Bit());
    const HRESULT registered = registerServer();
    const HRESULT unregisteredNow = unregisterServer();
    qputenv("FORM_COMPONENT_REGISTRY", good);
    QFile file(path);
    if (contents.isEmpty()) {
        QVERIFY(!file.exists());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }
    QCOMPARE(registered, SELFREG_E_CLASS);
    QCOMPARE(unregisteredNow, unregistered);
}

// A copy of the library without its resources has no type library to
// register: registration refuses it and writes nothing.
// A package registers for every user into the system registry (as
// regcomponent --system does, by naming it to the library); lookups fall
// back to it, a user's own registration wins, and unregistering leaves the
// system's folder as it was.
void TestComponentHost::theSystemRegistryIsTheFallback()
{
    const QByteArray user = qgetenv("FORM_COMPONENT_REGISTRY");
    const QString system = ComponentRegistry::systemLocation();
    const auto intoSystem = [&](NoArguments call) {
        qputenv("FORM_COMPONENT_REGISTRY", system.toLocal8Bit());
        const HRESULT result = call();
        qputenv("FORM_COMPONENT_REGISTRY", user);
        return result;
    };
    const QString progId = QStringLiteral("Tovrell.Scroller");
    QCOMPARE(intoSystem(registerServer), S_OK);
    QCOMPARE(unregisterServer(), S_OK);
    QCOMPARE(registry(), registryBefore);
    QCOMPARE(ComponentRegistry::classIdOf(progId), std::optional<CLSID>(classId));
    QCOMPARE(ComponentRegistry::libraryOf(classId), QFileInfo(QStringLiteral(TOVRELL_PATH)).absoluteFilePath());

    const QString own = QStringLiteral("{00000000-0000-0000-0000-000000000002}");
    QSettings(QString::fromLocal8Bit(user), QSettings::IniFormat)
        .setValue(progId + QStringLiteral("/CLSID/Default"), own);
    QCOMPARE(ComponentRegistry::classIdOf(progId), guidFromString(own));
    QSettings(QString::fromLocal8Bit(user), QSettings::IniFormat).remove(progId);

    QCOMPARE(intoSystem(unregisterServer), S_OK);
    QVERIFY(!QFileInfo::exists(system));
    QVERIFY(!ComponentRegistry::classIdOf(progId).has_value());
    QCOMPARE(registerServer(), S_OK);
}

void TestComponentHost::registrationNeedsTheTypeLibrary()
{
    const QString bare = folder.filePath(QStringLiteral("libtovrell-bare.so.1"));
    QCOMPARE(
        QProcess::execute(QStringLiteral("objcopy"),
                          {QStringLiteral("--remove-section=.libraryresources"), QStringLiteral(TOVRELL_PATH), bare}),
        0);
    void *copy = dlopen(QFile::encodeName(bare).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(copy, dlerror());
    const auto registerCopy = reinterpret_cast<NoArguments>(dlsym(copy, "DllRegisterServer"));
    QVERIFY(registerCopy && registerCopy != registerServer);
    const auto before = registry();
    QCOMPARE(registerCopy(), SELFREG_E_TYPELIB);
    QCOMPARE(registry(), before);
    dlclose(copy);
}

void TestComponentHost::eventsFromRealMouseInput()
{
    IDispatch *object = create();
    QVERIFY(object);
    IConnectionPointContainer *container = nullptr;
    QCOMPARE(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)), S_OK);
    IConnectionPoint *point = nullptr;
    QCOMPARE(container->FindConnectionPoint(IID_IDispatch, &point), CONNECT_E_NOCONNECTION);
    QCOMPARE(container->FindConnectionPoint(DIID___Scroller, &point), S_OK);
    EventSink sink;
    DWORD cookie = 0;
    QCOMPARE(point->Advise(&sink, &cookie), S_OK);
    QVERIFY(cookie != 0);

    QWidget *control = window.childAt(20, 20);
    QVERIFY(control);
    QTest::mouseClick(control, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
    QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(2, 3));
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(control, QPoint(6, 4));
    QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(6, 4));
    QTest::mouseMove(control, QPoint(8, 2)); // no button held

    QList<DISPID> ids;
    for (const auto &[id, arguments] : sink.events)
        ids << id;
    QVERIFY(ids.mid(0, 3) == (QList<DISPID>{3, 5, 1}));
    QVERIFY(ids.contains(2));
    QVERIFY(ids.contains(4));
    QCOMPARE(sink.events.front().second, (QList<double>{1, 1, 150, 75})); // Button, Shift, X, Y in twips
    QCOMPARE(sink.events.back().first, 4);
    QCOMPARE(sink.events.back().second, (QList<double>{0, 0, 120, 30}));

    QCOMPARE(point->Unadvise(cookie), S_OK);
    QCOMPARE(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    const std::size_t seen = sink.events.size();
    QTest::mouseClick(control, Qt::LeftButton);
    QCOMPARE(sink.events.size(), seen);
    QCOMPARE(sink.references, 1u);
    point->Release();
    container->Release();
    QCOMPARE(object->Release(), 0u);
}

void TestComponentHost::propertyChangesReachTheHost()
{
    IDispatch *object = create();
    QVERIFY(object);
    IConnectionPointContainer *container = nullptr;
    QCOMPARE(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)), S_OK);
    IConnectionPoint *point = nullptr;
    QCOMPARE(container->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
    IID outgoing{};
    QCOMPARE(point->GetConnectionInterface(&outgoing), S_OK);
    QVERIFY(outgoing == IID_IPropertyNotifySink);
    PropertyChangeSink sink;
    DWORD cookie = 0;
    QCOMPARE(point->Advise(&sink, &cookie), S_OK);
    EventSink notASink;
    DWORD none = 0;
    QCOMPARE(point->Advise(&notASink, &none), CONNECT_E_CANNOTCONNECT);

    _Scroller *scroller = nullptr;
    QCOMPARE(object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller)), S_OK);
    QCOMPARE(put(object, 0x68030000, QStringLiteral("news")), S_OK);
    QCOMPARE(scroller->put_Interval(50), S_OK);
    QCOMPARE(scroller->put_BorderStyle(7), HRESULT(0x800A017Cu)); // refused: no change
    QCOMPARE(sink.changed, (QList<DISPID>{0x68030000, 0x68030001}));

    QCOMPARE(point->Unadvise(cookie), S_OK);
    QCOMPARE(sink.references, 1u);
    scroller->Release();
    point->Release();
    container->Release();
    QCOMPARE(object->Release(), 0u);
}

// Every type the component layer carries comes back from the get and from
// a save and load as it went in; the others are refused and change nothing.
void TestComponentHost::captionKeepsItsType_data()
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

void TestComponentHost::captionKeepsItsType()
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

    IDispatch *first = create();
    QVERIFY(first);
    _Scroller *scroller = nullptr;
    first->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller));
    QCOMPARE(invoke(first, 0x68030000, DISPATCH_PROPERTYPUT, {caption}), kept ? S_OK : DISP_E_TYPEMISMATCH);
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
    IDispatch *second = create();
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
void TestComponentHost::aHostsOwnFont_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<HRESULT>("result");
    QTest::newRow("12 pt") << 12.0 << S_OK;
    QTest::newRow("2048 pt") << 2048.0 << S_OK;
    QTest::newRow("0 pt") << 0.0 << HRESULT(0x800A017Cu);
    QTest::newRow("2049 pt") << 2049.0 << HRESULT(0x800A017Cu);
}

void TestComponentHost::aHostsOwnFont()
{
    QFETCH(double, points);
    QFETCH(HRESULT, result);
    IDispatch *object = create();
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
    VARIANT size;
    VariantInit(&size);
    size.vt = VT_CY;
    size.cyVal = font.size;
    QCOMPARE(invoke(current, DISPID_FONT_SIZE, DISPATCH_PROPERTYPUT, {size}),
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
void TestComponentHost::boundsOfTheSameSizeFitTheFontAgain()
{
    IDispatch *object = create();
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

// The library stays in use while the host holds anything it handed out,
// not just the control: here its font object and a connection point.
void TestComponentHost::everyObjectKeepsTheLibraryLoaded()
{
    QCOMPARE(canUnloadNow(), S_OK);
    IDispatch *object = create();
    _Scroller *scroller = nullptr;
    object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller));
    IDispatch *font = nullptr;
    QCOMPARE(scroller->get_Font(&font), S_OK);
    IConnectionPointContainer *container = nullptr;
    object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container));
    IConnectionPoint *point = nullptr;
    QCOMPARE(container->FindConnectionPoint(DIID___Scroller, &point), S_OK);
    container->Release();
    scroller->Release();
    object->Release();
    QCOMPARE(canUnloadNow(), S_FALSE);
    point->Release();
    QCOMPARE(canUnloadNow(), S_FALSE); // the font object
    QVERIFY(get(font, DISPID_FONT_SIZE).toDouble() > 0);
    font->Release();
    QCOMPARE(canUnloadNow(), S_OK);
}

// A host may release its last reference, or delete its window, from an
// event handler; the control's own handler must not touch what is gone
// (the sanitizer build sees any use after free).
void TestComponentHost::theHostEndsTheControlInItsHandler_data()
{
    QTest::addColumn<DISPID>("event");
    QTest::addColumn<bool>("deleteWindow");
    QTest::newRow("release in MouseUp") << 5 << false;
    QTest::newRow("release in Click") << 1 << false;
    QTest::newRow("release in DblClick") << 2 << false;
    QTest::newRow("delete the window in MouseUp") << 5 << true;
    QTest::newRow("delete the window in DblClick") << 2 << true;
}

void TestComponentHost::theHostEndsTheControlInItsHandler()
{
    QFETCH(DISPID, event);
    QFETCH(bool, deleteWindow);
    auto *ownWindow = new QWidget;
    ownWindow->resize(440, 80);
    ownWindow->show();
    IDispatch *object = create(ownWindow);
    QVERIFY(object);
    IConnectionPointContainer *container = nullptr;
    object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container));
    IConnectionPoint *point = nullptr;
    container->FindConnectionPoint(DIID___Scroller, &point);
    EventSink sink;
    DWORD cookie = 0;
    QCOMPARE(point->Advise(&sink, &cookie), S_OK);
    point->Release();
    container->Release();
    QPointer<QWidget> control = ownWindow->childAt(20, 20);
    QVERIFY(control);
    bool ended = false;
    sink.onEvent = [&](DISPID id) {
        if (id != event || ended)
            return;
        ended = true;
        if (deleteWindow)
            delete ownWindow;
        else
            object->Release();
    };
    if (event == 2)
        QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(4, 4));
    else
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(ended);
    QVERIFY(!control);
    if (deleteWindow)
        QCOMPARE(object->Release(), 0u);
    else
        delete ownWindow;
    QCOMPARE(sink.references, 1u);
    QCOMPARE(canUnloadNow(), S_OK);
}

// Ticks of the timer before InitNew or Load do not keep the banner on what
// they built: the new caption scrolls.
void TestComponentHost::aTickBeforeLoadingKeepsTheNewCaption()
{
    for (const bool load : {false, true}) {
        IDispatch *object = create();
        QVERIFY(object);
        QTest::qWait(250);
        IPersistPropertyBag *persist = nullptr;
        object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
        HostBag bag;
        VARIANT caption = variantOf(QStringLiteral("Loaded"));
        bag.Write(u"Caption", &caption);
        VariantClear(&caption);
        QCOMPARE(load ? persist->Load(&bag, nullptr) : persist->InitNew(), S_OK);
        persist->Release();
        QTest::qWait(250);
        const QString shown = get(object, 0x68030000).toString();
        QVERIFY2(shown.contains(load ? u'L' : u'S'), qPrintable(shown));
        QCOMPARE(object->Release(), 0u);
    }
}

void TestComponentHost::persistenceThroughAPropertyBag()
{
    IDispatch *first = create();
    QVERIFY(first);
    IPersistPropertyBag *persist = nullptr;
    first->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    QCOMPARE(persist->InitNew(), S_OK);
    QCOMPARE(put(first, 0x68030000, 3.5), S_OK);
    QCOMPARE(put(first, 0x68030002, 1), S_OK);
    HostBag bag;
    QCOMPARE(persist->Save(&bag, 1, 0), S_OK);
    QCOMPARE(bag.order, (QStringList{"BackColor", "ForeColor", "BorderStyle", "Caption"}));
    QCOMPARE(int(bag.values[QStringLiteral("BorderStyle")].vt), int(VT_I2));
    persist->Release();
    QCOMPARE(first->Release(), 0u);

    IDispatch *second = create();
    second->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    QCOMPARE(persist->Load(&bag, nullptr), S_OK);
    QCOMPARE(get(second, 0x68030000), QVariant(3.5));
    QCOMPARE(get(second, 0x68030002).toInt(), 1);
    QCOMPARE(get(second, 0x68030005).toUInt(), 0x00FFFF00u);

    // Saved data of the wrong type stops loading with the runtime's error.
    HostBag wrong;
    VARIANT text = variantOf(QStringLiteral("not a number"));
    wrong.Write(u"Interval", &text);
    VariantClear(&text);
    QCOMPARE(persist->Load(&wrong, nullptr), HRESULT(0x800A000Du)); // type mismatch
    HostErrorLog log;
    QCOMPARE(persist->Load(&wrong, &log), HRESULT(0x800A000Du));
    QCOMPARE(log.errors, QStringList{"Interval: 800a000d Type mismatch (Tovrell)"});
    QCOMPARE(log.references, 1u);
    QCOMPARE(persist->Load(nullptr, nullptr), E_POINTER);
    CLSID saved{};
    QCOMPARE(persist->GetClassID(&saved), S_OK);
    QVERIFY(saved == classId);
    persist->Release();
    QCOMPARE(second->Release(), 0u);
}

void TestComponentHost::unloadAndUnregister()
{
    QCOMPARE(canUnloadNow(), S_OK);
    IDispatch *object = create();
    QCOMPARE(canUnloadNow(), S_FALSE);
    object->Release();
    QCOMPARE(canUnloadNow(), S_OK);

    IClassFactory *factory = nullptr;
    QCOMPARE(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    factory->LockServer(1);
    factory->Release();
    QCOMPARE(canUnloadNow(), S_FALSE);
    QCOMPARE(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    factory->LockServer(0);
    factory->Release();
    QCOMPARE(canUnloadNow(), S_OK);

    QCOMPARE(unregisterServer(), S_OK);
    QCOMPARE(registry(), registryBefore);
    QVERIFY(!ComponentRegistry::classIdOf(QStringLiteral("Tovrell.Scroller")).has_value());
}

QTEST_MAIN(TestComponentHost)
#include "tst_componenthost.moc"
