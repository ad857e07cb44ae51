#include "componentregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace ComponentRegistry {

namespace {

QString programmaticId(const ProjectDescriptor &project, const ProjectDescriptor::Object &object)
{
    return project.name + u'.' + object.name;
}

QString version(const ProjectDescriptor &project)
{
    return QStringLiteral("%1.%2").arg(project.typeLibraryMajor).arg(project.typeLibraryMinor, 0, 16);
}

// The keys one project owns, as registration writes them.
QMap<QString, QVariant> entriesOf(const ProjectDescriptor &project, const QString &libraryPath)
{
    QMap<QString, QVariant> entries;
    const QString typeLibrary = guidToString(project.typeLibraryId);
    for (const auto &object : project.objects) {
        const QString clsid = QStringLiteral("CLSID/") + guidToString(object.classId);
        const QString progId = programmaticId(project, object);
        entries.insert(clsid + QStringLiteral("/Default"), progId);
        entries.insert(clsid + QStringLiteral("/InprocServer32/Default"), libraryPath);
        entries.insert(clsid + QStringLiteral("/InprocServer32/ThreadingModel"),
                       project.apartmentThreaded ? QStringLiteral("Apartment") : QStringLiteral("Free"));
        entries.insert(clsid + QStringLiteral("/ProgID/Default"), progId);
        entries.insert(clsid + QStringLiteral("/TypeLib/Default"), typeLibrary);
        entries.insert(clsid + QStringLiteral("/Version/Default"), version(project));
        if (object.isControl) {
            entries.insert(clsid + QStringLiteral("/Control/Default"), QString());
            entries.insert(clsid + QStringLiteral("/ToolboxBitmap32/Default"),
                           QStringLiteral("%1, %2").arg(libraryPath).arg(object.toolboxBitmapId));
            entries.insert(clsid + QStringLiteral("/MiscStatus/Default"), QStringLiteral("0"));
            entries.insert(clsid + QStringLiteral("/MiscStatus/1/Default"), QString::number(object.miscStatus));
        }
        entries.insert(progId + QStringLiteral("/Default"), progId);
        entries.insert(progId + QStringLiteral("/CLSID/Default"), guidToString(object.classId));
        for (const auto &[iid, name] : {std::pair{object.interfaceId, u'_' + object.name},
                                        std::pair{object.eventInterfaceId, QStringLiteral("__") + object.name}}) {
            const QString key = QStringLiteral("Interface/") + guidToString(iid);
            entries.insert(key + QStringLiteral("/Default"), name);
            entries.insert(key + QStringLiteral("/TypeLib/Default"), typeLibrary);
            entries.insert(key + QStringLiteral("/TypeLib/Version"), version(project));
        }
    }
    const QString lib = QStringLiteral("TypeLib/") + typeLibrary + u'/' + version(project);
    entries.insert(lib + QStringLiteral("/Default"), project.description);
    entries.insert(lib + QStringLiteral("/FLAGS/Default"), QStringLiteral("2")); // a control library
    entries.insert(lib + QStringLiteral("/0/linux64/Default"), libraryPath);
    entries.insert(lib + QStringLiteral("/HELPDIR/Default"), QFileInfo(libraryPath).absolutePath());
    return entries;
}

// Whether the registry's file (if any) reads as a settings file. Qt parses
// a file once per process and path and reports a format error to that first
// reader only; later readers of the unchanged file see none, and a write
// through them would replace the file with what little was understood. So
// the check reads a fresh copy each time.
bool isSound(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("registry.ini"));
    if (!folder.isValid() || !QFile::copy(path, copy))
        return false;
    return QSettings(copy, QSettings::IniFormat).status() == QSettings::NoError;
}

// The registry, or none when its file cannot be read back as written.
std::unique_ptr<QSettings> open()
{
    const QString path = location();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!isSound(path))
        return nullptr;
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return nullptr;
    return settings;
}

// The registry to change, or none when it cannot be written: its folder
// cannot be made, or its file is read-only.
std::unique_ptr<QSettings> openForWriting()
{
    auto settings = open();
    if (!settings || !QFileInfo(settings->fileName()).dir().exists())
        return nullptr;
    if (QFileInfo::exists(settings->fileName()) && !QFileInfo(settings->fileName()).isWritable())
        return nullptr;
    return settings;
}

HRESULT commit(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

} // namespace

QString location()
{
    const QString moved = qEnvironmentVariable("FORM_COMPONENT_REGISTRY");
    if (!moved.isEmpty())
        return moved;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/formruntime/components.ini");
}

HRESULT registerServer(const ProjectDescriptor &project, const QString &libraryPath)
{
    const auto settings = openForWriting();
    if (!settings)
        return SELFREG_E_CLASS;
    const auto entries = entriesOf(project, QFileInfo(libraryPath).absoluteFilePath());
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        settings->setValue(entry.key(), entry.value());
    return commit(*settings);
}

HRESULT unregisterServer(const ProjectDescriptor &project)
{
    const auto settings = openForWriting();
    if (!settings)
        return SELFREG_E_CLASS;
    const auto entries = entriesOf(project, QString());
    // The keys do not depend on the library's path, only their values do.
    for (const QString &key : entries.keys())
        settings->remove(key);
    return commit(*settings);
}

std::optional<CLSID> classIdOf(const QString &programmaticId)
{
    const auto settings = open();
    if (!settings)
        return std::nullopt;
    return guidFromString(settings->value(programmaticId + QStringLiteral("/CLSID/Default")).toString());
}

QString libraryOf(REFCLSID classId)
{
    const auto settings = open();
    if (!settings)
        return QString();
    return settings->value(QStringLiteral("CLSID/") + guidToString(classId) + QStringLiteral("/InprocServer32/Default"))
        .toString();
}

} // namespace ComponentRegistry
