#include "libraryresources.h"

#include <QFile>

#include <cstring>
#include <elf.h>

namespace {

template <typename T>
bool readAt(const QByteArray &file, quint64 offset, T &value)
{
    if (offset > quint64(file.size()) || quint64(file.size()) - offset < sizeof(T))
        return false;
    std::memcpy(&value, file.constData() + offset, sizeof(T));
    return true;
}

// The bytes of the named section of a 64-bit little-endian ELF file.
std::optional<QByteArray> section(const QByteArray &file, const char *name)
{
    Elf64_Ehdr header{};
    if (!readAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0
        || header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB
        || header.e_shentsize != sizeof(Elf64_Shdr))
        return std::nullopt;
    Elf64_Shdr names{};
    if (!readAt(file, header.e_shoff + quint64(header.e_shstrndx) * sizeof(Elf64_Shdr), names))
        return std::nullopt;
    for (quint64 i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr candidate{};
        if (!readAt(file, header.e_shoff + i * sizeof(Elf64_Shdr), candidate))
            return std::nullopt;
        const quint64 nameAt = names.sh_offset + candidate.sh_name;
        const quint64 length = std::strlen(name) + 1;
        if (nameAt > quint64(file.size()) || quint64(file.size()) - nameAt < length
            || std::memcmp(file.constData() + nameAt, name, length) != 0)
            continue;
        if (candidate.sh_offset > quint64(file.size())
            || quint64(file.size()) - candidate.sh_offset < candidate.sh_size)
            return std::nullopt;
        return file.mid(qsizetype(candidate.sh_offset), qsizetype(candidate.sh_size));
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> findResource(const QString &libraryPath, const QString &type, std::uint32_t id)
{
    QFile library(libraryPath);
    if (!library.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray file = library.readAll();
    const auto records = section(file, ".libraryresources");
    if (!records)
        return std::nullopt;
    const QByteArray wanted = type.toUtf8();
    qsizetype at = 0;
    while (at < records->size()) {
        const qsizetype end = records->indexOf('\0', at);
        if (end < 0)
            return std::nullopt;
        const QByteArray recordType = records->mid(at, end - at);
        std::uint32_t recordId = 0, size = 0;
        if (!readAt(*records, quint64(end + 1), recordId) || !readAt(*records, quint64(end + 5), size))
            return std::nullopt;
        const qsizetype data = end + 9;
        if (quint64(size) > quint64(records->size() - data))
            return std::nullopt;
        if (recordType == wanted && recordId == id)
            return records->mid(data, qsizetype(size));
        at = (data + qsizetype(size) + 3) & ~qsizetype(3);
    }
    return std::nullopt;
}
