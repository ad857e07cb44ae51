#include "conversions.h"
#include "runtimeerror.h"

#include <QTest>

#include <functional>
#include <limits>

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void converts_data();
    void converts();
};

// Each row converts value to one target: the result as a QVariant of the
// target's type, or the number of the error it throws.
using Conversion = std::function<QVariant(const QVariant &)>;
Q_DECLARE_METATYPE(Conversion)

void TestConversions::converts_data()
{
    QTest::addColumn<Conversion>("conversion");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<int>("error");

    const Conversion integer = [](const QVariant &v) { return QVariant(toInteger(v)); };
    const Conversion whole = [](const QVariant &v) { return QVariant(toLong(v)); };
    const Conversion colour = [](const QVariant &v) { return QVariant(toColour(v)); };
    const Conversion boolean = [](const QVariant &v) { return QVariant(toBoolean(v)); };
    const Conversion text = [](const QVariant &v) { return QVariant(toText(v)); };
    const QVariant none;
    const QVariant null = QVariant::fromValue(nullptr);
    const double infinity = std::numeric_limits<double>::infinity();
    const int mismatch = RuntimeError::TypeMismatch;
    const int overflow = RuntimeError::Overflow;

    QTest::newRow("Integer: 2.5 -> 2") << integer << QVariant(2.5) << QVariant(qint16(2)) << 0;
    QTest::newRow("Integer: 3.5 -> 4") << integer << QVariant(3.5) << QVariant(qint16(4)) << 0;
    QTest::newRow("Integer: -2.5 -> -2") << integer << QVariant(-2.5) << QVariant(qint16(-2)) << 0;
    QTest::newRow("Integer: text 12") << integer << QVariant(QStringLiteral(" 12 ")) << QVariant(qint16(12)) << 0;
    QTest::newRow("Integer: True is 1") << integer << QVariant(true) << QVariant(qint16(1)) << 0;
    QTest::newRow("Integer: 32767") << integer << QVariant(32767) << QVariant(qint16(32767)) << 0;
    QTest::newRow("Integer: 32767.5 overflows") << integer << QVariant(32767.5) << none << overflow;
    QTest::newRow("Integer: -32768") << integer << QVariant(-32768) << QVariant(qint16(-32768)) << 0;
    QTest::newRow("Integer: -32769 overflows") << integer << QVariant(-32769) << none << overflow;
    QTest::newRow("Integer: infinity overflows") << integer << QVariant(infinity) << none << overflow;
    QTest::newRow("Integer: not a number overflows") << integer << QVariant(std::nan("")) << none << overflow;
    QTest::newRow("Integer: letters") << integer << QVariant(QStringLiteral("red")) << none << mismatch;
    QTest::newRow("Integer: empty text") << integer << QVariant(QString()) << none << mismatch;
    QTest::newRow("Integer: Empty") << integer << none << none << mismatch;
    QTest::newRow("Integer: Null") << integer << null << none << mismatch;
    QTest::newRow("Integer: bytes") << integer << QVariant(QByteArray("1")) << none << mismatch;

    QTest::newRow("Long: 0.5 -> 0") << whole << QVariant(0.5) << QVariant(qint32(0)) << 0;
    QTest::newRow("Long: 1.5 -> 2") << whole << QVariant(1.5) << QVariant(qint32(2)) << 0;
    QTest::newRow("Long: 2147483647") << whole << QVariant(2147483647LL) << QVariant(qint32(2147483647)) << 0;
    QTest::newRow("Long: 2147483648 overflows") << whole << QVariant(2147483648LL) << none << overflow;
    QTest::newRow("Long: -2147483648") << whole << QVariant(-2147483648LL) << QVariant(qint32(-2147483647 - 1)) << 0;
    QTest::newRow("Long: -2147483649 overflows") << whole << QVariant(-2147483649LL) << none << overflow;
    QTest::newRow("Long: letters") << whole << QVariant(QStringLiteral("fast")) << none << mismatch;

    QTest::newRow("colour: signed system colour")
        << colour << QVariant(qint32(0x8000000F)) << QVariant(quint32(0x8000000F)) << 0;
    QTest::newRow("colour: unsigned system colour")
        << colour << QVariant(quint32(0x80000012)) << QVariant(quint32(0x80000012)) << 0;
    QTest::newRow("colour: 0xFFFFFFFF") << colour << QVariant(4294967295LL) << QVariant(quint32(0xFFFFFFFF)) << 0;
    QTest::newRow("colour: 2^32 overflows") << colour << QVariant(4294967296LL) << none << overflow;
    QTest::newRow("colour: below the signed range") << colour << QVariant(-2147483649LL) << none << overflow;
    QTest::newRow("colour: 1E+300 overflows") << colour << QVariant(1e300) << none << overflow;
    QTest::newRow("colour: text") << colour << QVariant(QStringLiteral("255")) << QVariant(quint32(255)) << 0;
    QTest::newRow("colour: Null") << colour << null << none << mismatch;

    QTest::newRow("Boolean: True") << boolean << QVariant(true) << QVariant(true) << 0;
    QTest::newRow("Boolean: 0") << boolean << QVariant(0) << QVariant(false) << 0;
    QTest::newRow("Boolean: -1") << boolean << QVariant(-1) << QVariant(true) << 0;
    QTest::newRow("Boolean: 0.25") << boolean << QVariant(0.25) << QVariant(true) << 0;
    QTest::newRow("Boolean: text true") << boolean << QVariant(QStringLiteral(" true ")) << QVariant(true) << 0;
    QTest::newRow("Boolean: text FALSE") << boolean << QVariant(QStringLiteral("FALSE")) << QVariant(false) << 0;
    QTest::newRow("Boolean: text 0") << boolean << QVariant(QStringLiteral("0")) << QVariant(false) << 0;
    QTest::newRow("Boolean: text yes") << boolean << QVariant(QStringLiteral("yes")) << none << mismatch;
    QTest::newRow("Boolean: not a number") << boolean << QVariant(std::nan("")) << none << mismatch;
    QTest::newRow("Boolean: Empty") << boolean << none << none << mismatch;
    QTest::newRow("Boolean: Null") << boolean << null << none << mismatch;
    QTest::newRow("Boolean: bytes") << boolean << QVariant(QByteArray("1")) << none << mismatch;

    QTest::newRow("text: Null is empty") << text << null << QVariant(QString()) << 0;
    QTest::newRow("text: Empty is empty") << text << none << QVariant(QString()) << 0;
    QTest::newRow("text: True") << text << QVariant(true) << QVariant(QStringLiteral("True")) << 0;
    QTest::newRow("text: False") << text << QVariant(false) << QVariant(QStringLiteral("False")) << 0;
    QTest::newRow("text: a number") << text << QVariant(42) << QVariant(QStringLiteral("42")) << 0;
    QTest::newRow("text: a byte") << text << QVariant::fromValue(quint8(65)) << QVariant(QStringLiteral("65")) << 0;
    QTest::newRow("text: text") << text << QVariant(QStringLiteral("Hello")) << QVariant(QStringLiteral("Hello")) << 0;
}

void TestConversions::converts()
{
    QFETCH(Conversion, conversion);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QFETCH(int, error);

    try {
        const QVariant result = conversion(value);
        QCOMPARE(0, error);
        QCOMPARE(result.typeId(), expected.typeId());
        QCOMPARE(result, expected);
    } catch (const RuntimeError &thrown) {
        QCOMPARE(thrown.number(), error);
    }
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
