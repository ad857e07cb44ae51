// findResource over any file: a resource is found or not, never read from
// outside the file.

#include "fuzzinput.h"
#include "libraryresources.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("library.so"));
    FuzzInput in(data, size);
    const QString type = in.text(16);
    const auto id = in.take<std::uint32_t>();
    const QByteArray contents = in.rest();
    writeFile(path, contents);
    for (const auto &[wanted, number] :
         {std::pair{type, id}, std::pair{QStringLiteral("TYPELIB"), 1u}, std::pair{QStringLiteral("BITMAP"), 30000u}}) {
        if (const auto found = findResource(path, wanted, number); found && found->size() > contents.size())
            checkFailed("a resource larger than its file");
    }
    return 0;
}
