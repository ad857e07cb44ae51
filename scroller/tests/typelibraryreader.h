#pragma once

// A reader of the standard binary type-library format ("MSFT"), enough to
// check what a type library declares: the library's identity, its imports,
// and for each type its kind, flags, base and implemented interfaces, and
// its functions with their ids, kinds, help, offsets and parameter types.
// Nothing on Linux reads these files, so the tests bring their own. Every
// offset is checked; a malformed file leaves error() set, never a crash.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>
#include <QtEndian>

#include <cstdint>

namespace TypeLibrary {

struct Parameter
{
    QString name; // empty when the file names none
    QString type; // e.g. "long*", "VARIANT", "stdole2.tlb/{...}*"
    std::uint32_t flags; // 1 in, 2 out, 8 retval
};

struct Function
{
    std::int32_t id;
    QString name;
    int functionKind; // 1 pure virtual, 4 dispatch
    int invokeKind; // 1 method, 2 get, 4 put, 8 put by reference
    int callingConvention; // 4 standard
    int vtableOffset;
    std::uint32_t flags;
    QString help;
    std::int32_t helpContext;
    QString returnType;
    QList<Parameter> parameters;
};

struct ImplementedType
{
    QString type; // the name of a type of this library
    std::uint32_t flags; // 1 default, 2 source
};

struct Type
{
    int kind; // 3 interface, 4 dispatch, 5 coclass
    QUuid id;
    QString name;
    QString help;
    std::uint32_t flags;
    int vtableSize;
    QString base; // interfaces: what they derive from
    QList<Function> functions;
    QList<ImplementedType> implemented; // coclasses
};

struct Import
{
    QString file;
    QUuid id;
    int major;
    int minor;
};

struct Library
{
    QUuid id;
    QString name;
    QString help;
    std::uint32_t locale;
    int systemKind; // 3: 64-bit
    int major;
    int minor;
    std::uint32_t flags; // 2: a control library
    QList<Import> imports;
    QList<Type> types;
};

class Reader
{
public:
    explicit Reader(QByteArray file)
        : m_file(std::move(file))
    { }

    // The library, or an empty one with error() set.
    Library read()
    {
        Library library{};
        if (m_file.size() < headerSize || !m_file.startsWith("MSFT")) {
            m_error = QStringLiteral("not a type library");
            return library;
        }
        const int typeCount = int32(0x20);
        const bool hasHelpDll = int32(0x14) & 0x100;
        const int directory = headerSize + (hasHelpDll ? 4 : 0) + 4 * typeCount;
        for (int segment = 0; segment < segmentCount; ++segment) {
            m_segment[segment] = int32(directory + 16 * segment);
            m_length[segment] = int32(directory + 16 * segment + 4);
        }
        library.id = guid(int32(0x08));
        library.locale = std::uint32_t(int32(0x0C));
        library.systemKind = int32(0x14) & 0xF;
        library.major = int32(0x18) & 0xFFFF;
        library.minor = std::uint32_t(int32(0x18)) >> 16;
        library.flags = std::uint32_t(int32(0x1C));
        library.help = string(int32(0x24));
        library.name = name(int32(0x38));
        for (int at = 0; at + 14 <= m_length[ImportFiles] && m_error.isEmpty();) {
            const int entry = offsetIn(ImportFiles, at, 14);
            const int length = int16(entry + 12) >> 2;
            library.imports.append({QString::fromLatin1(bytes(entry + 14, length)), guid(int32(entry)),
                                    int32(entry + 8) & 0xFFFF, int(std::uint32_t(int32(entry + 8)) >> 16)});
            at += (14 + length + 3) & ~3;
        }
        for (int index = 0; index < typeCount && m_error.isEmpty(); ++index)
            library.types.append(type(offsetIn(TypeInfos, index * typeInfoSize, typeInfoSize)));
        if (!m_error.isEmpty())
            return {};
        return library;
    }

    QString error() const { return m_error; }

private:
    enum Segment {
        TypeInfos,
        ImportInfos,
        ImportFiles,
        References,
        GuidHash,
        Guids,
        NameHash,
        Names,
        Strings,
        TypeDescriptions,
        segmentCount = 15
    };
    static constexpr int headerSize = 0x54;
    static constexpr int typeInfoSize = 0x64;

    Type type(int info)
    {
        Type type{};
        type.kind = int32(info) & 0xF;
        const int members = int32(info + 0x18);
        if (int32(info + 0x2C) >= 0)
            type.id = guid(int32(info + 0x2C));
        type.flags = std::uint32_t(int32(info + 0x30));
        type.name = name(int32(info + 0x34));
        type.help = string(int32(info + 0x3C));
        const int implementedCount = int16(info + 0x4C);
        type.vtableSize = int16(info + 0x4E);
        const int datatype1 = int32(info + 0x54);
        if (type.kind == 5) {
            for (int at = datatype1, count = 0; at >= 0 && count < implementedCount && m_error.isEmpty(); ++count) {
                const int entry = offsetIn(References, at, 16);
                type.implemented.append({reference(int32(entry)), std::uint32_t(int32(entry + 4))});
                at = int32(entry + 12);
            }
        } else if (implementedCount > 0 && datatype1 != -1) { // -1: a dispatch-only interface's implied base
            type.base = reference(datatype1);
        }
        const int functionCount = members & 0xFFFF;
        const int variableCount = int(std::uint32_t(members) >> 16);
        if (functionCount > 0)
            type.functions = functions(int32(info + 0x04), functionCount, variableCount);
        return type;
    }

    QList<Function> functions(int start, int count, int variableCount)
    {
        QList<Function> list;
        const int recordsLength = int32(start);
        const int ids = start + 4 + recordsLength;
        const int names = ids + 4 * (count + variableCount);
        for (int index = 0, at = start + 4; index < count && m_error.isEmpty(); ++index) {
            const int size = int32(at) & 0xFFFF;
            const int parameterCount = int16(at + 0x14);
            const int optionalCount = (size - 0x18 - 12 * parameterCount) / 4;
            if (size < 0x18 || optionalCount < 0) {
                m_error = QStringLiteral("malformed function record");
                break;
            }
            const int kinds = int32(at + 0x10);
            Function function{};
            function.id = int32(ids + 4 * index);
            function.name = name(int32(names + 4 * index));
            function.returnType = typeName(int32(at + 4));
            function.flags = std::uint32_t(int32(at + 8));
            function.vtableOffset = int16(at + 0x0C);
            function.functionKind = kinds & 0x7;
            function.invokeKind = (kinds >> 3) & 0xF;
            function.callingConvention = (kinds >> 8) & 0xF;
            function.helpContext = optionalCount > 0 ? int32(at + 0x18) : 0;
            function.help = optionalCount > 1 ? string(int32(at + 0x1C)) : QString();
            for (int parameter = 0; parameter < parameterCount; ++parameter) {
                const int record = at + size - 12 * (parameterCount - parameter);
                const int nameOffset = int32(record + 4);
                function.parameters.append({nameOffset >= 0 ? name(nameOffset) : QString(), typeName(int32(record)),
                                            std::uint32_t(int32(record + 8))});
            }
            list.append(function);
            at += size;
        }
        return list;
    }

    // A type as the file encodes it: a base type in the value itself
    // (high bit set), or an offset into the type-description table.
    QString typeName(int encoded, int depth = 0)
    {
        if (depth > 16) {
            m_error = QStringLiteral("type description loops");
            return {};
        }
        if (encoded < 0)
            return baseTypeName(encoded & 0x0FFF);
        const int entry = offsetIn(TypeDescriptions, encoded, 8);
        const int variantType = int16(entry) & 0x0FFF;
        const int target = int32(entry + 4);
        if (variantType == 26) // a pointer
            return typeName(target, depth + 1) + u'*';
        if (variantType == 29) // a user-defined type
            return reference(target);
        return QStringLiteral("?vt%1").arg(variantType);
    }

    static QString baseTypeName(int variantType)
    {
        switch (variantType) {
        case 2:
            return QStringLiteral("short");
        case 3:
            return QStringLiteral("long");
        case 4:
            return QStringLiteral("float");
        case 11:
            return QStringLiteral("VARIANT_BOOL");
        case 12:
            return QStringLiteral("VARIANT");
        case 24:
            return QStringLiteral("void");
        case 25:
            return QStringLiteral("HRESULT");
        }
        return QStringLiteral("vt%1").arg(variantType);
    }

    // A type reference: a type of this library by its offset, or (low bit
    // set) an imported one, named by its file and id.
    QString reference(int handle)
    {
        if (handle < 0) {
            m_error = QStringLiteral("missing type reference");
            return {};
        }
        if ((handle & 1) == 0)
            return name(int32(offsetIn(TypeInfos, handle, typeInfoSize) + 0x34));
        const int import = offsetIn(ImportInfos, handle & ~3, 12);
        const int flags = int32(import);
        const int file = offsetIn(ImportFiles, int32(import + 4), 14);
        const QString fileName = QString::fromLatin1(bytes(file + 14, int16(file + 12) >> 2));
        if (!(flags & 0x10000))
            return fileName + QStringLiteral("/#%1").arg(int32(import + 8));
        return fileName + u'/' + guid(int32(import + 8)).toString();
    }

    QUuid guid(int offset)
    {
        const QByteArray raw = bytes(offsetIn(Guids, offset, 16), 16);
        return raw.size() == 16 ? QUuid::fromRfc4122(swapped(raw)) : QUuid();
    }

    // The file keeps a GUID's first three fields little-endian.
    static QByteArray swapped(QByteArray raw)
    {
        std::swap(raw[0], raw[3]);
        std::swap(raw[1], raw[2]);
        std::swap(raw[4], raw[5]);
        std::swap(raw[6], raw[7]);
        return raw;
    }

    QString name(int offset)
    {
        const int entry = offsetIn(Names, offset, 12);
        return QString::fromLatin1(bytes(entry + 12, int32(entry + 8) & 0xFF));
    }

    // A string of the string table; empty for the offset -1 ("none").
    QString string(int offset)
    {
        if (offset < 0)
            return {};
        const int entry = offsetIn(Strings, offset, 2);
        return QString::fromLatin1(bytes(entry + 2, int16(entry)));
    }

    int offsetIn(Segment segment, int offset, int size)
    {
        if (offset < 0 || m_segment[segment] < 0 || offset + size > m_length[segment]) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("offset %1 outside segment %2").arg(offset).arg(int(segment));
            return 0;
        }
        return m_segment[segment] + offset;
    }

    QByteArray bytes(int at, int count)
    {
        if (at < 0 || count < 0 || qsizetype(at) + count > m_file.size()) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("read beyond the file at %1").arg(at);
            return {};
        }
        return m_file.mid(at, count);
    }

    int int32(int at)
    {
        const QByteArray raw = bytes(at, 4);
        return raw.size() == 4 ? qFromLittleEndian<std::int32_t>(raw.constData()) : -1;
    }

    int int16(int at)
    {
        const QByteArray raw = bytes(at, 2);
        return raw.size() == 2 ? qFromLittleEndian<std::int16_t>(raw.constData()) : -1;
    }

    QByteArray m_file;
    QString m_error;
    int m_segment[segmentCount] = {};
    int m_length[segmentCount] = {};
};

} // namespace TypeLibrary
