// The type library embedded in libtovrell.so as TYPELIB 1, read back with
// the tests' own reader and checked against the control's member table:
// every member, flag, dispatch id, help string and parameter.

#include "componentconversions.h"
#include "libraryresources.h"
#include "scrollermembers.h"
#include "typelibraryreader.h"
#include <tovrell/tovrell.h>

#include <QTest>

using namespace TypeLibrary;

namespace {

// Flags of the format.
constexpr std::uint32_t hidden = 0x10, dual = 0x40, nonExtensible = 0x80, oleAutomation = 0x100, dispatchable = 0x1000,
                        canCreate = 0x2, control = 0x20;
constexpr int kindDispatch = 4, kindCoclass = 5;
constexpr int pureVirtual = 1, dispatch = 4, standardCall = 4;
constexpr std::uint32_t in = 1, out = 2, retval = 8;
constexpr int pointerSize = int(sizeof(void *));

QUuid uuidOf(const GUID &guid)
{
    return QUuid(guidToString(guid));
}

// The standard types, imported from the standard automation library by
// their well-known ids.
const QString colourType = QStringLiteral("stdole2.tlb/{66504301-be0f-101a-8bbb-00aa00300cab}");
const QString fontType = QStringLiteral("stdole2.tlb/{bef6e003-a874-101a-8bba-00aa00300cab}");
const QString dispatchInterface = QStringLiteral("stdole2.tlb/{00020400-0000-0000-c000-000000000046}");

QString typeOf(ScrollerMembers::Type type)
{
    using ScrollerMembers::Type;
    switch (type) {
    case Type::Colour:
        return colourType;
    case Type::Boolean:
        return QStringLiteral("VARIANT_BOOL");
    case Type::FontReference:
        return fontType + u'*';
    case Type::Integer16:
        return QStringLiteral("short");
    case Type::Integer32:
        return QStringLiteral("long");
    case Type::Variant:
        return QStringLiteral("VARIANT");
    case Type::None:
        break;
    }
    return QString();
}

} // namespace

class TestTypeLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void library();
    void defaultInterface();
    void defaultInterfaceMembers_data();
    void defaultInterfaceMembers();
    void eventInterface();
    void events_data();
    void events();
    void scrollerClass();

private:
    const Type *typeNamed(const QString &name) const;

    Library m_library;
};

void TestTypeLibrary::initTestCase()
{
    const auto file = findResource(QStringLiteral(TOVRELL_PATH), QStringLiteral("TYPELIB"), 1);
    QVERIFY(file.has_value());
    Reader reader(*file);
    m_library = reader.read();
    QVERIFY2(reader.error().isEmpty(), qPrintable(reader.error()));
}

const Type *TestTypeLibrary::typeNamed(const QString &name) const
{
    for (const auto &type : m_library.types)
        if (type.name == name)
            return &type;
    return nullptr;
}

void TestTypeLibrary::library()
{
    QCOMPARE(m_library.name, QStringLiteral("Tovrell"));
    QCOMPARE(m_library.help, QStringLiteral("Tovrell"));
    QCOMPARE(m_library.id, uuidOf(LIBID_Tovrell));
    QCOMPARE(m_library.major, 1);
    QCOMPARE(m_library.minor, 0);
    QCOMPARE(m_library.locale, 0u);
    QCOMPARE(m_library.systemKind, 3); // 64-bit
    QCOMPARE(m_library.flags, 2u); // a control library
    QCOMPARE(m_library.imports.size(), 1);
    const Import &automation = m_library.imports.front();
    QCOMPARE(automation.file, QStringLiteral("stdole2.tlb"));
    QCOMPARE(automation.id, QUuid(QStringLiteral("{00020430-0000-0000-C000-000000000046}")));
    QCOMPARE(automation.major, 2);
    QCOMPARE(automation.minor, 0);
    QCOMPARE(m_library.types.size(), 3);
}

void TestTypeLibrary::defaultInterface()
{
    const Type *type = typeNamed(QStringLiteral("_Scroller"));
    QVERIFY(type);
    QCOMPARE(type->kind, kindDispatch);
    QCOMPARE(type->id, uuidOf(IID__Scroller));
    QCOMPARE(type->flags, hidden | dual | nonExtensible | oleAutomation | dispatchable);
    QCOMPARE(type->base, dispatchInterface);
    QCOMPARE(type->functions.size(), qsizetype(std::size(ScrollerMembers::members)));
    // IDispatch's seven entries, then the members.
    QCOMPARE(type->vtableSize, (7 + int(std::size(ScrollerMembers::members))) * pointerSize);
}

void TestTypeLibrary::defaultInterfaceMembers_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < int(std::size(ScrollerMembers::members)); ++index) {
        const auto &member = ScrollerMembers::members[index];
        QTest::addRow("%d %s", index + 1, qPrintable(QString::fromUtf16(member.name))) << index;
    }
}

void TestTypeLibrary::defaultInterfaceMembers()
{
    QFETCH(int, index);
    const Type *type = typeNamed(QStringLiteral("_Scroller"));
    QVERIFY(type);
    const auto &member = ScrollerMembers::members[index];
    const Function &function = type->functions.at(index);
    QCOMPARE(function.name, QString::fromUtf16(member.name));
    QCOMPARE(function.id, member.id);
    QVERIFY(function.id != 0);
    QCOMPARE(function.invokeKind, int(member.kind));
    QCOMPARE(function.help, QString::fromLatin1(member.help));
    QCOMPARE(function.helpContext, 0);
    QCOMPARE(function.functionKind, pureVirtual);
    QCOMPARE(function.callingConvention, standardCall);
    QCOMPARE(function.returnType, QStringLiteral("HRESULT"));
    QCOMPARE(function.vtableOffset, (7 + index) * pointerSize);
    switch (member.kind) {
    case ScrollerMembers::Get:
        QCOMPARE(function.parameters.size(), 1);
        QCOMPARE(function.parameters[0].type, typeOf(member.type) + u'*');
        QCOMPARE(function.parameters[0].flags, out | retval);
        break;
    case ScrollerMembers::Let:
    case ScrollerMembers::Set:
        QCOMPARE(function.parameters.size(), 1);
        QCOMPARE(function.parameters[0].type, typeOf(member.type));
        QCOMPARE(function.parameters[0].flags, in);
        break;
    case ScrollerMembers::Method:
        QCOMPARE(function.parameters.size(), 0);
        break;
    }
}

void TestTypeLibrary::eventInterface()
{
    const Type *type = typeNamed(QStringLiteral("__Scroller"));
    QVERIFY(type);
    QCOMPARE(type->kind, kindDispatch);
    QCOMPARE(type->id, uuidOf(DIID___Scroller));
    QCOMPARE(type->flags, hidden | nonExtensible | dispatchable);
    QCOMPARE(type->functions.size(), qsizetype(std::size(ScrollerMembers::events)));
}

void TestTypeLibrary::events_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < int(std::size(ScrollerMembers::events)); ++index)
        QTest::addRow("%s", qPrintable(QString::fromUtf16(ScrollerMembers::events[index].name))) << index;
}

void TestTypeLibrary::events()
{
    QFETCH(int, index);
    const Type *type = typeNamed(QStringLiteral("__Scroller"));
    QVERIFY(type);
    const auto &event = ScrollerMembers::events[index];
    const Function &function = type->functions.at(index);
    QCOMPARE(function.name, QString::fromUtf16(event.name));
    QCOMPARE(function.id, event.id);
    QCOMPARE(function.id, index + 1);
    QCOMPARE(function.help, QString::fromLatin1(event.help));
    QCOMPARE(function.functionKind, dispatch);
    QCOMPARE(function.invokeKind, 1);
    QCOMPARE(function.returnType, QStringLiteral("void"));
    QStringList parameters;
    for (const auto &parameter : function.parameters) {
        parameters << parameter.name + u':' + parameter.type;
        QCOMPARE(parameter.flags, in | out);
    }
    const QStringList mouse{"Button:short*", "Shift:short*", "X:float*", "Y:float*"};
    QCOMPARE(parameters, event.mouseArguments ? mouse : QStringList());
}

void TestTypeLibrary::scrollerClass()
{
    const Type *type = typeNamed(QStringLiteral("Scroller"));
    QVERIFY(type);
    QCOMPARE(type->kind, kindCoclass);
    QCOMPARE(type->id, uuidOf(CLSID_Scroller));
    QCOMPARE(type->flags, canCreate | control);
    QCOMPARE(type->implemented.size(), 2);
    QCOMPARE(type->implemented[0].type, QStringLiteral("_Scroller"));
    QCOMPARE(type->implemented[0].flags, 1u); // default
    QCOMPARE(type->implemented[1].type, QStringLiteral("__Scroller"));
    QCOMPARE(type->implemented[1].flags, 3u); // default source
}

QTEST_GUILESS_MAIN(TestTypeLibrary)
#include "tst_typelibrary.moc"
