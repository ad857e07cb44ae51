#include "componentconversions.h"
#include "componentregistry.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

ProjectDescriptor project(std::uint32_t seed)
{
    const auto guid = [seed](std::uint16_t n) {
        return GUID{seed, n, 0x1234, {0x80, 0, 0, 0, 0, 0, 0, std::uint8_t(n)}};
    };
    ProjectDescriptor descriptor;
    descriptor.name = seed == 1 ? QStringLiteral("Tovrell") : QStringLiteral("Other");
    descriptor.description = descriptor.name;
    descriptor.locale = 0x409;
    descriptor.objects = {{QStringLiteral("Scroller"), guid(1), guid(2), guid(3), 0x20191, 30000, true}};
    descriptor.apartmentThreaded = true;
    descriptor.typeLibraryId = guid(4);
    descriptor.typeLibraryMajor = 1;
    descriptor.typeLibraryMinor = 0;
    return descriptor;
}

QMap<QString, QVariant> contents(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    QMap<QString, QVariant> all;
    for (const QString &key : settings.allKeys())
        all.insert(key, settings.value(key));
    return all;
}

} // namespace

class TestComponentRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void registerWritesTheEntries();
    void unregisterRemovesExactlyItsOwn();
    void unwritableRegistryFails();

private:
    QTemporaryDir folder;
    QString path;
};

void TestComponentRegistry::init()
{
    path = folder.filePath(QStringLiteral("registry-%1.ini").arg(QTest::currentTestFunction()));
    qputenv("FORM_COMPONENT_REGISTRY", path.toLocal8Bit());
    QCOMPARE(ComponentRegistry::location(), path);
}

void TestComponentRegistry::registerWritesTheEntries()
{
    const ProjectDescriptor tovrell = project(1);
    QCOMPARE(ComponentRegistry::registerServer(tovrell, QStringLiteral("/opt/lib/libtovrell.so.1")), S_OK);
    const auto entries = contents(path);
    const QString clsid = QStringLiteral("CLSID/") + guidToString(tovrell.objects.front().classId);
    QCOMPARE(entries.value(clsid + QStringLiteral("/InprocServer32/Default")).toString(),
             QStringLiteral("/opt/lib/libtovrell.so.1"));
    QCOMPARE(entries.value(clsid + QStringLiteral("/InprocServer32/ThreadingModel")).toString(),
             QStringLiteral("Apartment"));
    QVERIFY(entries.contains(clsid + QStringLiteral("/Control/Default")));
    QCOMPARE(entries.value(clsid + QStringLiteral("/ToolboxBitmap32/Default")).toString(),
             QStringLiteral("/opt/lib/libtovrell.so.1, 30000"));
    QCOMPARE(entries.value(clsid + QStringLiteral("/MiscStatus/1/Default")).toString(), QStringLiteral("131473"));
    QCOMPARE(entries.value(clsid + QStringLiteral("/TypeLib/Default")).toString(), guidToString(tovrell.typeLibraryId));
    QCOMPARE(entries.value(clsid + QStringLiteral("/Version/Default")).toString(), QStringLiteral("1.0"));
    QVERIFY(*ComponentRegistry::classIdOf(QStringLiteral("Tovrell.Scroller")) == tovrell.objects.front().classId);
    QCOMPARE(ComponentRegistry::libraryOf(tovrell.objects.front().classId), QStringLiteral("/opt/lib/libtovrell.so.1"));
    QVERIFY(!ComponentRegistry::classIdOf(QStringLiteral("Nobody.Nothing")).has_value());
}

void TestComponentRegistry::unregisterRemovesExactlyItsOwn()
{
    const ProjectDescriptor other = project(2);
    QCOMPARE(ComponentRegistry::registerServer(other, QStringLiteral("/opt/lib/libother.so")), S_OK);
    const auto before = contents(path);
    const ProjectDescriptor tovrell = project(1);
    QCOMPARE(ComponentRegistry::registerServer(tovrell, QStringLiteral("/opt/lib/libtovrell.so.1")), S_OK);
    QVERIFY(contents(path).size() > before.size());
    QCOMPARE(ComponentRegistry::unregisterServer(tovrell), S_OK);
    QCOMPARE(contents(path), before);
    // Twice does no harm.
    QCOMPARE(ComponentRegistry::unregisterServer(tovrell), S_OK);
    QCOMPARE(contents(path), before);
}

void TestComponentRegistry::unwritableRegistryFails()
{
    // A registry that cannot exist: its folder is a file.
    const QString blocker = folder.filePath(QStringLiteral("a-file"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("FORM_COMPONENT_REGISTRY", (blocker + QStringLiteral("/registry.ini")).toLocal8Bit());
    QCOMPARE(ComponentRegistry::registerServer(project(1), QStringLiteral("/x.so")), SELFREG_E_CLASS);
    QCOMPARE(ComponentRegistry::unregisterServer(project(1)), SELFREG_E_CLASS);

    // A read-only registry is left as it was (root may write anyway).
    qputenv("FORM_COMPONENT_REGISTRY", path.toLocal8Bit());
    QCOMPARE(ComponentRegistry::registerServer(project(2), QStringLiteral("/opt/lib/libother.so")), S_OK);
    const auto before = contents(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    if (QFileInfo(path).isWritable())
        QSKIP("running as root: a read-only file stays writable");
    QCOMPARE(ComponentRegistry::registerServer(project(1), QStringLiteral("/x.so")), SELFREG_E_CLASS);
    QCOMPARE(ComponentRegistry::unregisterServer(project(2)), SELFREG_E_CLASS);
    QCOMPARE(contents(path), before);
}

QTEST_GUILESS_MAIN(TestComponentRegistry)
#include "tst_componentregistry.moc"
