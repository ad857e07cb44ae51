// The component registry over any file content: a registration or an
// unregistration either succeeds and keeps every line it did not write, in
// order, or fails and leaves the file byte for byte as it was.

#include "componentregistry.h"
#include "fuzzinput.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const ProjectDescriptor &project()
{
    static const ProjectDescriptor descriptor{
        QStringLiteral("Fuzz"),
        QStringLiteral("Fuzz"),
        0x409,
        {{QStringLiteral("Thing"),
          {0x6D2A9C42, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}},
          {0x6D2A9C43, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}},
          {0x6D2A9C44, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}},
          0x20191,
          30000,
          true}},
        true,
        {0x6D2A9C41, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}},
        1,
        0,
    };
    return descriptor;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A line of the component's own: in its programmatic id's section, or
// naming one of its ids (all of which start 6D2A9C4).
bool isOwn(const QByteArray &section, const QByteArray &line)
{
    return section == "[Fuzz.Thing]" || line.contains("6D2A9C4");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static int run = 0;
    FuzzInput in(data, size);
    const bool registering = in.take<std::uint8_t>() & 1;
    const QByteArray before = in.rest();
    // A new name each time: Qt caches a settings file by its path.
    const QString path = folder.filePath(QStringLiteral("components-%1.ini").arg(++run));
    writeFile(path, before);
    qputenv("FORM_COMPONENT_REGISTRY", QFile::encodeName(path));
    const HRESULT result = registering
        ? ComponentRegistry::registerServer(project(), QStringLiteral("/usr/lib/libfuzz.so.1"))
        : ComponentRegistry::unregisterServer(project());
    const QByteArray after = contentsOf(path);

    if (FAILED(result)) {
        if (after != before)
            checkFailed("a failed change touched the file");
        QFile::remove(path);
        return 0;
    }
    // Every foreign line is still there, in its order.
    const QList<QByteArray> afterLines = after.split('\n');
    qsizetype next = 0;
    QByteArray section;
    for (const QByteArray &line : before.split('\n')) {
        if (line.startsWith('['))
            section = line;
        if (line.trimmed().isEmpty() || line.startsWith('[') || isOwn(section, line))
            continue;
        const qsizetype at = afterLines.indexOf(line, next);
        if (at < 0)
            checkFailed("a change lost a line it did not write");
        next = at + 1;
    }
    // What it wrote reads back (Qt has not read this path before: the
    // change was made on a copy).
    {
        QSettings settings(path, QSettings::IniFormat);
        const QString registered = settings.value(QStringLiteral("Fuzz.Thing/CLSID/Default")).toString();
        if (settings.status() != QSettings::NoError
            || registered != (registering ? QStringLiteral("{6D2A9C42-3B7E-4F15-9A0C-52E1B7D4C8A1}") : QString()))
            checkFailed("the registry does not read back as changed");
    }
    QFile::remove(path);
    return 0;
}
