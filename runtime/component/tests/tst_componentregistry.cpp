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
    void aDamagedRegistryIsLeftAsItWas_data();
    void aDamagedRegistryIsLeftAsItWas();
    void readOnlyRegistryIsLeftAsItWas();
    void theSystemRegistryIsTheFallback();

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

// A registry file that is corrupt, holds lines a rewrite would lose, or
// cannot be made fails registration with SELFREG_E_CLASS and stays byte for
// byte as it was.
void TestComponentRegistry::aDamagedRegistryIsLeftAsItWas_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    // Unregistration has nothing to remove from a file that registration
    // could not change, so it may succeed there, leaving the file as it is.
    QTest::addColumn<HRESULT>("unregistered");
    QTest::newRow("corrupt") << "corrupt.ini" << QByteArray("[Other.Thing\nCLSID=\x01\xff\n") << SELFREG_E_CLASS;
    QTest::newRow("registrations, then damage")
        << "damaged.ini"
        << QByteArray("[Tovrell.Scroller]\nCLSID\\Default={00000001-0001-1234-8000-000000000001}\n"
                      "[Other.Thing]\nCLSID\\Default={00000000-0000-0000-0000-000000000001}\n[CLSID\n\x01\xfe\xff")
        << SELFREG_E_CLASS;
    QTest::newRow("binary bytes") << "binary.ini" << QByteArray("\x01\x02\xff\x00 not settings at all\n", 24)
                                  << SELFREG_E_CLASS;
    QTest::newRow("a comment") << "comment.ini" << QByteArray("[Other.Thing]\n# the user's note\nCLSID\\Default=x\n")
                               << SELFREG_E_CLASS;
    QTest::newRow("a key that ends in a slash") << "slash.ini" << QByteArray("[Other.Thing]\nCLSID/=x\n") << S_OK;
    QTest::newRow("its folder is a file") << "a-file/nested.ini" << QByteArray() << SELFREG_E_CLASS;
}

void TestComponentRegistry::aDamagedRegistryIsLeftAsItWas()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(HRESULT, unregistered);
    QFile blocker(folder.filePath(QStringLiteral("a-file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString damaged = folder.filePath(name);
    if (!contents.isEmpty()) {
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    qputenv("FORM_COMPONENT_REGISTRY", damaged.toLocal8Bit());
    QCOMPARE(ComponentRegistry::registerServer(project(1), QStringLiteral("/opt/lib/libtovrell.so.1")),
             SELFREG_E_CLASS);
    QCOMPARE(ComponentRegistry::unregisterServer(project(1)), unregistered);
    QFile file(damaged);
    if (contents.isEmpty()) {
        QVERIFY(!file.exists());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }
}

void TestComponentRegistry::readOnlyRegistryIsLeftAsItWas()
{
    QCOMPARE(ComponentRegistry::registerServer(project(2), QStringLiteral("/opt/lib/libother.so")), S_OK);
    const auto before = contents(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    if (QFileInfo(path).isWritable())
        QSKIP("running as root: a read-only file stays writable");
    QCOMPARE(ComponentRegistry::registerServer(project(1), QStringLiteral("/x.so")), SELFREG_E_CLASS);
    QCOMPARE(ComponentRegistry::unregisterServer(project(2)), SELFREG_E_CLASS);
    QCOMPARE(contents(path), before);
}

// A package registers for every user into the system registry; lookups
// fall back to it, a user's own registration wins, and unregistering
// leaves the system's folder as it was.
void TestComponentRegistry::theSystemRegistryIsTheFallback()
{
    const QString system = folder.filePath(QStringLiteral("system/components.ini"));
    qputenv("FORM_COMPONENT_SYSTEM_REGISTRY", system.toLocal8Bit());
    QCOMPARE(ComponentRegistry::systemLocation(), system);
    const auto intoSystem = [&](auto call) {
        qputenv("FORM_COMPONENT_REGISTRY", system.toLocal8Bit());
        const HRESULT result = call();
        qputenv("FORM_COMPONENT_REGISTRY", path.toLocal8Bit());
        return result;
    };
    const ProjectDescriptor tovrell = project(1);
    const CLSID classId = tovrell.objects.front().classId;
    const QString progId = QStringLiteral("Tovrell.Scroller");
    QCOMPARE(intoSystem([&] { return ComponentRegistry::registerServer(tovrell, QStringLiteral("/usr/lib/x.so.1")); }),
             S_OK);
    QVERIFY(contents(path).isEmpty());
    QVERIFY(*ComponentRegistry::classIdOf(progId) == classId);
    QCOMPARE(ComponentRegistry::libraryOf(classId), QStringLiteral("/usr/lib/x.so.1"));

    const QString own = QStringLiteral("{00000000-0000-0000-0000-000000000002}");
    QSettings(path, QSettings::IniFormat).setValue(progId + QStringLiteral("/CLSID/Default"), own);
    QCOMPARE(ComponentRegistry::classIdOf(progId), guidFromString(own));
    QSettings(path, QSettings::IniFormat).remove(progId);

    QCOMPARE(intoSystem([&] { return ComponentRegistry::unregisterServer(tovrell); }), S_OK);
    QVERIFY(!QFileInfo::exists(system));
    QVERIFY(!ComponentRegistry::classIdOf(progId).has_value());
}

QTEST_GUILESS_MAIN(TestComponentRegistry)
#include "tst_componentregistry.moc"
