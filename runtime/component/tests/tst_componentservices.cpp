// The library entry and registration services, with a library described
// in the test: registration needs the entry to have run and the library's
// file to carry a type library; unloading with live objects is reported.

#include "componentservices.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

ProjectDescriptor project()
{
    ProjectDescriptor descriptor;
    descriptor.name = QStringLiteral("Sample");
    descriptor.description = descriptor.name;
    descriptor.locale = 0x409;
    descriptor.objects = {
        {QStringLiteral("Thing"), GUID{1, 2, 3, {4}}, GUID{1, 2, 3, {5}}, GUID{1, 2, 3, {6}}, 0, 1, true}};
    descriptor.apartmentThreaded = true;
    descriptor.typeLibraryId = GUID{1, 2, 3, {7}};
    descriptor.typeLibraryMajor = 1;
    descriptor.typeLibraryMinor = 0;
    return descriptor;
}

HRESULT createNothing(REFCLSID, REFIID, IUnknown **)
{
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace

class TestComponentServices : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void registrationNeedsTheLibraryEntry();
    void registrationNeedsATypeLibrary();
    void unloadWithLiveObjectsIsReported();

private:
    QTemporaryDir folder;
    QString registry;
    ProjectDescriptor descriptor = project();
    ComponentModule &module = ComponentModule::library();
    LibraryServices library{&descriptor, &createNothing};
};

void TestComponentServices::init()
{
    registry = folder.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()));
    qputenv("FORM_COMPONENT_REGISTRY", registry.toLocal8Bit());
    module.setHandle(nullptr);
}

void TestComponentServices::registrationNeedsTheLibraryEntry()
{
    QCOMPARE(ComponentServices::registerServer(library), E_UNEXPECTED);
    QVERIFY(!QFileInfo::exists(registry));
}

void TestComponentServices::registrationNeedsATypeLibrary()
{
    // This test program as the "library": a file without resources.
    QCOMPARE(ComponentServices::libraryMain(library, reinterpret_cast<const void *>(&createNothing), DLL_PROCESS_ATTACH,
                                            nullptr),
             1);
    QCOMPARE(module.handle(), reinterpret_cast<const void *>(&createNothing));
    QCOMPARE(ComponentServices::registerServer(library), SELFREG_E_TYPELIB);
    QVERIFY(!QFileInfo::exists(registry));
}

void TestComponentServices::unloadWithLiveObjectsIsReported()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    ComponentServices::libraryMain(library, reinterpret_cast<const void *>(&createNothing), DLL_PROCESS_ATTACH,
                                   nullptr);
    module.objectCreated();
    QTest::ignoreMessage(QtWarningMsg, "Sample: unloaded while 1 of its objects still live");
    QCOMPARE(ComponentServices::libraryMain(library, module.handle(), DLL_PROCESS_DETACH, nullptr), 1);
    QVERIFY(!module.handle());
    module.objectDestroyed();
    // Without live objects the unload is quiet.
    ComponentServices::libraryMain(library, reinterpret_cast<const void *>(&createNothing), DLL_PROCESS_ATTACH,
                                   nullptr);
    QCOMPARE(ComponentServices::libraryMain(library, module.handle(), DLL_PROCESS_DETACH, nullptr), 1);
}

QTEST_GUILESS_MAIN(TestComponentServices)
#include "tst_componentservices.moc"
