// A host that loads libtovrell.so with dlopen and knows it only by its
// identifiers: the class object and its errors, registration, and when the
// library may be unloaded.

#include "componenthost.h"

#include <QFile>
#include <QProcess>

class TestComponentLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void registrationAndClassObjectErrors();
    void registrationNeedsTheTypeLibrary();
    void everyObjectKeepsTheLibraryLoaded();
    void unloadAndUnregister();

private:
    ComponentHost host;
};

void TestComponentLibrary::initTestCase()
{
    QVERIFY(host.load());
}

void TestComponentLibrary::registrationAndClassObjectErrors()
{
    void *object = nullptr;
    QCOMPARE(host.getClassObject(IID_IDispatch, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    QVERIFY(!object);
    QCOMPARE(host.getClassObject(host.classId, IID_IDispatch, &object), E_NOINTERFACE);
    QCOMPARE(host.getClassObject(host.classId, IID_IClassFactory, nullptr), E_POINTER);

    IClassFactory *factory = nullptr;
    QCOMPARE(host.getClassObject(host.classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    QCOMPARE(factory->CreateInstance(reinterpret_cast<IUnknown *>(factory), IID_IUnknown, &object),
             CLASS_E_NOAGGREGATION);
    QCOMPARE(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    QCOMPARE(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    QCOMPARE(host.canUnloadNow(), S_FALSE); // the factory lives
    factory->Release();
    QCOMPARE(host.canUnloadNow(), S_OK);
}

// A copy of the library without its resources has no type library to
// register: registration refuses it and writes nothing.
void TestComponentLibrary::registrationNeedsTheTypeLibrary()
{
    const QString bare = host.folder.filePath(QStringLiteral("libtovrell-bare.so.1"));
    QCOMPARE(
        QProcess::execute(QStringLiteral("objcopy"),
                          {QStringLiteral("--remove-section=.libraryresources"), QStringLiteral(TOVRELL_PATH), bare}),
        0);
    void *copy = dlopen(QFile::encodeName(bare).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(copy, dlerror());
    const auto registerCopy = reinterpret_cast<NoArguments>(dlsym(copy, "DllRegisterServer"));
    QVERIFY(registerCopy && registerCopy != host.registerServer);
    const auto before = host.registry();
    QCOMPARE(registerCopy(), SELFREG_E_TYPELIB);
    QCOMPARE(host.registry(), before);
    dlclose(copy);
}

// The library stays in use while the host holds anything it handed out,
// not just the control: here its font object and a connection point.
void TestComponentLibrary::everyObjectKeepsTheLibraryLoaded()
{
    QCOMPARE(host.canUnloadNow(), S_OK);
    IDispatch *object = host.create();
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
    QCOMPARE(host.canUnloadNow(), S_FALSE);
    point->Release();
    QCOMPARE(host.canUnloadNow(), S_FALSE); // the font object
    QVERIFY(get(font, DISPID_FONT_SIZE).toDouble() > 0);
    font->Release();
    QCOMPARE(host.canUnloadNow(), S_OK);
}

void TestComponentLibrary::unloadAndUnregister()
{
    QCOMPARE(host.canUnloadNow(), S_OK);
    IDispatch *object = host.create();
    QCOMPARE(host.canUnloadNow(), S_FALSE);
    object->Release();
    QCOMPARE(host.canUnloadNow(), S_OK);

    IClassFactory *factory = nullptr;
    QCOMPARE(host.getClassObject(host.classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    factory->LockServer(1);
    factory->Release();
    QCOMPARE(host.canUnloadNow(), S_FALSE);
    QCOMPARE(host.getClassObject(host.classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    factory->LockServer(0);
    factory->Release();
    QCOMPARE(host.canUnloadNow(), S_OK);

    QCOMPARE(host.unregisterServer(), S_OK);
    QCOMPARE(host.registry(), host.registryBefore);
    QVERIFY(!ComponentRegistry::classIdOf(QStringLiteral("Tovrell.Scroller")).has_value());
}

QTEST_MAIN(TestComponentLibrary)
#include "tst_componentlibrary.moc"
