#include "componentregistry.h"

#include "componentconversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <functional>

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

// A key's value in the user's registry, else in the system's: a user's own
// registration wins. A registry whose file cannot be read back as written
// is passed over.
QString lookUp(const QString &key)
{
    for (const QString &path : {location(), systemLocation()}) {
        if (!QFileInfo::exists(path) || !isSound(path))
            continue;
        const QSettings settings(path, QSettings::IniFormat);
        if (settings.status() == QSettings::NoError && settings.contains(key))
            return settings.value(key).toString();
    }
    return QString();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A settings file's key lines (not blank lines or section headers), each
// as its section and key, and as its section and whole line, byte for
// byte: Qt may write back what it read in another encoding.
QList<std::pair<QByteArray, QByteArray>> keyLinesOf(const QByteArray &contents)
{
    QList<std::pair<QByteArray, QByteArray>> lines;
    QByteArray section;
    for (const QByteArray &line : contents.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith('['))
            section = line;
        else
            lines.append({section + line.left(line.indexOf('=')), section + line});
    }
    return lines;
}

// The key lines of contents whose keys are not in own.
QList<QByteArray> linesBesides(const QByteArray &contents, const QSet<QByteArray> &own)
{
    QList<QByteArray> kept;
    for (const auto &[key, line] : keyLinesOf(contents)) {
        if (!own.contains(key))
            kept << line;
    }
    return kept;
}

// Whether Qt's rewrite of the file at path keeps its every byte. Qt reads
// a settings file leniently: it skips what it cannot parse, drops comments,
// and reads a section only once a key of it is wanted, so a file can read
// without error and still lose lines (or gain unreadable ones) when written
// back. A change and its undoing make Qt write the whole file again.
bool rewriteKeepsEveryLine(const QString &path)
{
    const QByteArray before = contentsOf(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.allKeys();
        const QString probe = QStringLiteral("FormRuntimeRewriteCheck/Probe");
        settings.setValue(probe, 1);
        settings.remove(probe);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    return contentsOf(path) == before;
}

// Changes keys of the registry through change, on a copy first: the file is
// replaced (atomically) only when Qt can rewrite it without loss, and the
// copy then differs from it in the lines of those keys alone. Otherwise
// the file is left as it was and the answer is SELFREG_E_CLASS: it is
// read-only, its folder cannot be made, or it holds lines that Qt would
// drop or damage (comments, binary data, keys it cannot write back).
HRESULT changeRegistry(const QStringList &keys, const std::function<void(QSettings &)> &change)
{
    const QString path = location();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return SELFREG_E_CLASS;
    const bool exists = QFileInfo::exists(path);
    if (exists && !QFileInfo(path).isWritable())
        return SELFREG_E_CLASS;
    const QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("registry.ini"));
    const QString ownOnly = folder.filePath(QStringLiteral("own.ini"));
    if (!folder.isValid())
        return SELFREG_E_CLASS;
    const QByteArray before = exists ? contentsOf(path) : QByteArray();
    if (exists
        && (!QFile::copy(path, copy) || !QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner)
            || contentsOf(copy) != before || !rewriteKeepsEveryLine(copy)))
        return SELFREG_E_CLASS;
    {
        QSettings settings(copy, QSettings::IniFormat);
        change(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return SELFREG_E_CLASS;
    }
    // How Qt writes the keys changed: the lines that may differ.
    QSet<QByteArray> own;
    {
        QSettings settings(ownOnly, QSettings::IniFormat);
        for (const QString &key : keys)
            settings.setValue(key, QString());
    }
    for (const auto &[key, line] : keyLinesOf(contentsOf(ownOnly)))
        own.insert(key);
    const QByteArray after = contentsOf(copy);
    if (linesBesides(before, own) != linesBesides(after, own) || !rewriteKeepsEveryLine(copy))
        return SELFREG_E_CLASS;
    // A registry left without keys is the same as none: its file goes, and
    // its own folder where nothing else is in it, so that registering and
    // unregistering leave the configuration folder as it was.
    if (keyLinesOf(after).isEmpty()) {
        if (exists && !QFile::remove(path))
            return SELFREG_E_CLASS;
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.fileName() == u"formruntime")
            QDir().rmdir(folder.absoluteFilePath());
        return S_OK;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(after) != after.size() || !file.commit())
        return SELFREG_E_CLASS;
    return S_OK;
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

// The configuration folder of the prefix /usr is /etc, as GNU's install
// directories have it.
QString systemLocationFor(const QString &prefix)
{
    const QString configurationFolder = prefix == u"/usr" ? QStringLiteral("/etc") : prefix + QStringLiteral("/etc");
    return configurationFolder + QStringLiteral("/formruntime/components.ini");
}

// The system registry belongs to the installation that this code is part
// of: the prefix is found from where its binary (the control library under
// the libdir, or regcomponent under the bindir) lies, so that a tree
// installed with another prefix than it was configured with reads its own.
// A binary outside an installation (a build tree) takes the configured
// prefix.
QString systemLocation()
{
    const QString moved = qEnvironmentVariable("FORM_COMPONENT_SYSTEM_REGISTRY");
    if (!moved.isEmpty())
        return moved;
    Dl_info self{};
    if (dladdr(reinterpret_cast<const void *>(&systemLocation), &self) && self.dli_fname) {
        const QString binaryFolder = QFileInfo(QString::fromLocal8Bit(self.dli_fname)).absolutePath();
        for (const auto &installFolder : {QStringLiteral("/" FORM_LIBDIR), QStringLiteral("/" FORM_BINDIR)}) {
            if (binaryFolder.endsWith(installFolder))
                return systemLocationFor(binaryFolder.chopped(installFolder.size()));
        }
    }
    return systemLocationFor(QStringLiteral(FORM_PREFIX));
}

HRESULT registerServer(const ProjectDescriptor &project, const QString &libraryPath)
{
    const auto entries = entriesOf(project, QFileInfo(libraryPath).absoluteFilePath());
    return changeRegistry(entries.keys(), [&entries](QSettings &settings) {
        for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
            settings.setValue(entry.key(), entry.value());
    });
}

HRESULT unregisterServer(const ProjectDescriptor &project)
{
    // The keys do not depend on the library's path, only their values do.
    const QStringList keys = entriesOf(project, QString()).keys();
    return changeRegistry(keys, [&keys](QSettings &settings) {
        for (const QString &key : keys)
            settings.remove(key);
    });
}

std::optional<CLSID> classIdOf(const QString &programmaticId)
{
    return guidFromString(lookUp(programmaticId + QStringLiteral("/CLSID/Default")));
}

QString libraryOf(REFCLSID classId)
{
    return lookUp(QStringLiteral("CLSID/") + guidToString(classId) + QStringLiteral("/InprocServer32/Default"));
}

} // namespace ComponentRegistry
