#include "integer.h"
#include "runtimeerror.h"

#include <QTest>

#include <limits>

class TestInteger : public QObject
{
    Q_OBJECT

private slots:
    void fromDouble_data();
    void fromDouble();
    void arithmetic_data();
    void arithmetic();
    void toString_data();
    void toString();
};

void TestInteger::fromDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("overflows");
    QTest::addColumn<int>("expected");

    QTest::newRow("2.5 -> 2") << 2.5 << false << 2;
    QTest::newRow("3.5 -> 4") << 3.5 << false << 4;
    QTest::newRow("4.5 -> 4") << 4.5 << false << 4;
    QTest::newRow("-0.4 -> 0") << -0.4 << false << 0;
    QTest::newRow("-0.5 -> 0") << -0.5 << false << 0;
    QTest::newRow("-1.5 -> -2") << -1.5 << false << -2;
    QTest::newRow("2.6 -> 3") << 2.6 << false << 3;
    QTest::newRow("32767.4 -> 32767") << 32767.4 << false << 32767;
    QTest::newRow("32767.5 overflows") << 32767.5 << true << 0;
    QTest::newRow("-32768.5 -> -32768") << -32768.5 << false << -32768;
    QTest::newRow("-32768.6 overflows") << -32768.6 << true << 0;
    QTest::newRow("1e300 overflows") << 1e300 << true << 0;
    QTest::newRow("infinity overflows") << std::numeric_limits<double>::infinity() << true << 0;
    QTest::newRow("NaN fails") << std::numeric_limits<double>::quiet_NaN() << true << 0;
}

void TestInteger::fromDouble()
{
    QFETCH(double, value);
    QFETCH(bool, overflows);
    QFETCH(int, expected);

    if (overflows) {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Integer::fromDouble(value));
        return;
    }
    QCOMPARE(Integer::fromDouble(value).value(), expected);
}

void TestInteger::arithmetic_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<char>("operation");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("overflows");
    QTest::addColumn<int>("expected");

    QTest::newRow("100+100") << 100 << '+' << 100 << false << 200;
    QTest::newRow("32767+1 overflows") << 32767 << '+' << 1 << true << 0;
    QTest::newRow("32766+1") << 32766 << '+' << 1 << false << 32767;
    QTest::newRow("-32768-1 overflows") << -32768 << '-' << 1 << true << 0;
    QTest::newRow("0-32768") << 0 << '-' << 32768 - 1 << false << -32767;
    QTest::newRow("5-9 negative") << 5 << '-' << 9 << false << -4;
    QTest::newRow("200*200 overflows") << 200 << '*' << 200 << true << 0;
    QTest::newRow("5*12") << 5 << '*' << 12 << false << 60;
    QTest::newRow("-128*256") << -128 << '*' << 256 << false << -32768;
}

void TestInteger::arithmetic()
{
    QFETCH(int, a);
    QFETCH(char, operation);
    QFETCH(int, b);
    QFETCH(bool, overflows);
    QFETCH(int, expected);

    const Integer left = Integer::from(a);
    const Integer right = Integer::from(b);
    auto compute = [&] {
        switch (operation) {
        case '+':
            return left + right;
        case '-':
            return left - right;
        default:
            return left * right;
        }
    };
    if (overflows) {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, compute());
        return;
    }
    QCOMPARE(compute().value(), expected);
}

void TestInteger::toString_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("positive has no leading space") << 17 << "17";
    QTest::newRow("negative") << -5 << "-5";
    QTest::newRow("lowest") << -32768 << "-32768";
}

void TestInteger::toString()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(Integer::from(value).toString(), text);
}

QTEST_GUILESS_MAIN(TestInteger)
#include "tst_integer.moc"
