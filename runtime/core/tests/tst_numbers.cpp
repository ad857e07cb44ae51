#include "numbers.h"
#include "runtimeerror.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <limits>

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void intFloors_data();
    void intFloors();
    void rndStaysInRange();
    void rndIsEvenlySpread();
    void randomizeReseeds();
    void checkedSingle_data();
    void checkedSingle();
    void divideSingle_data();
    void divideSingle();
    void pmt_data();
    void pmt();
    void pmtRejectsNoPeriods();
};

void TestNumbers::intFloors_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("Int(-0.5) -> -1") << -0.5 << -1.0;
    QTest::newRow("Int(-1) -> -1") << -1.0 << -1.0;
    QTest::newRow("Int(9.999) -> 9") << 9.999 << 9.0;
    QTest::newRow("Int(0) -> 0") << 0.0 << 0.0;
    QTest::newRow("Int(10.0) -> 10") << 10.0 << 10.0;
}

void TestNumbers::intFloors()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(Int(value), expected);
    QCOMPARE(Int(float(value)), float(expected));
}

void TestNumbers::rndStaysInRange()
{
    Randomize(1);
    for (int i = 0; i < 100000; ++i) {
        const float r = Rnd();
        QVERIFY(r >= 0.0f);
        QVERIFY(r < 1.0f);
    }
    // The operand formulas at the largest r below 1 stay within their levels.
    const float largest = 1.0f - 0x1p-24f;
    QCOMPARE(Int(10.0f * largest + 1.0f), 10.0f);
    QCOMPARE(Int(91.0f * largest + 10.0f), 100.0f);
}

void TestNumbers::rndIsEvenlySpread()
{
    Randomize(2);
    constexpr int buckets = 10;
    constexpr int draws = 100000;
    int counts[buckets] = {};
    for (int i = 0; i < draws; ++i)
        ++counts[int(Rnd() * buckets)];
    for (int count : counts)
        QVERIFY2(std::abs(count - draws / buckets) < 600, qPrintable(QString::number(count)));
}

void TestNumbers::randomizeReseeds()
{
    Randomize(42);
    const float first = Rnd();
    Randomize(42);
    QCOMPARE(Rnd(), first);

    // Two clock seeds taken back to back give different sequences.
    Randomize();
    const float a = Rnd();
    const float a2 = Rnd();
    Randomize();
    const float b = Rnd();
    const float b2 = Rnd();
    QVERIFY(a != b || a2 != b2);
}

void TestNumbers::checkedSingle_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    QTest::newRow("ordinary") << 1.5 << 0;
    QTest::newRow("largest single") << double(FLT_MAX) << 0;
    QTest::newRow("beyond single overflows") << 1e39 << int(RuntimeError::Overflow);
    QTest::newRow("negative beyond single overflows") << -1e39 << int(RuntimeError::Overflow);
    QTest::newRow("infinity overflows") << std::numeric_limits<double>::infinity() << int(RuntimeError::Overflow);
    QTest::newRow("NaN is invalid") << std::numeric_limits<double>::quiet_NaN()
                                    << int(RuntimeError::InvalidProcedureCall);
}

void TestNumbers::checkedSingle()
{
    QFETCH(double, value);
    QFETCH(int, error);
    try {
        const float result = ::checkedSingle(value);
        QCOMPARE(error, 0);
        QCOMPARE(result, float(value));
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), error);
    }
}

void TestNumbers::divideSingle_data()
{
    QTest::addColumn<float>("dividend");
    QTest::addColumn<float>("divisor");
    QTest::addColumn<int>("error");

    QTest::newRow("1/4") << 1.0f << 4.0f << 0;
    QTest::newRow("1/0 divides by zero") << 1.0f << 0.0f << int(RuntimeError::DivisionByZero);
    QTest::newRow("0/0 is invalid") << 0.0f << 0.0f << int(RuntimeError::InvalidProcedureCall);
    QTest::newRow("huge/tiny overflows") << 3e38f << 1e-10f << int(RuntimeError::Overflow);
}

void TestNumbers::divideSingle()
{
    QFETCH(float, dividend);
    QFETCH(float, divisor);
    QFETCH(int, error);
    try {
        const float result = ::divideSingle(dividend, divisor);
        QCOMPARE(error, 0);
        QCOMPARE(result, dividend / divisor);
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), error);
    }
}

void TestNumbers::pmt_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("periods");
    QTest::addColumn<double>("presentValue");
    QTest::addColumn<double>("futureValue");
    QTest::addColumn<int>("due");
    QTest::addColumn<double>("expected");

    QTest::newRow("10000 at 9% over 5 years") << 0.09 / 12 << 60.0 << 10000.0 << 0.0 << 0 << -207.5835;
    QTest::newRow("10000 at 7% over 2 years") << 0.07 / 12 << 24.0 << 10000.0 << 0.0 << 0 << -447.72579;
    QTest::newRow("no interest") << 0.0 << 48.0 << 4800.0 << 0.0 << 0 << -100.0;
    QTest::newRow("no interest with future value") << 0.0 << 10.0 << 100.0 << 100.0 << 0 << -20.0;
    QTest::newRow("payments at the start") << 0.01 << 12.0 << 1000.0 << 0.0 << 1 << -87.96909;
    QTest::newRow("saving towards a future value") << 0.01 << 12.0 << 0.0 << 1000.0 << 0 << -78.84879;
    QTest::newRow("a rate too small to change 1 + rate") << 1e-16 << 60.0 << 6000.0 << 0.0 << 0 << -100.0;
    QTest::newRow("a rate of 1E-15") << 1e-15 << 60.0 << 6000.0 << 0.0 << 0 << -100.0;
}

void TestNumbers::pmt()
{
    QFETCH(double, rate);
    QFETCH(double, periods);
    QFETCH(double, presentValue);
    QFETCH(double, futureValue);
    QFETCH(int, due);
    QFETCH(double, expected);
    QVERIFY(std::fabs(Pmt(rate, periods, presentValue, futureValue, due) - expected) < 1e-4);
}

void TestNumbers::pmtRejectsNoPeriods()
{
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Pmt(0.01, 0.0, 1000.0));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Pmt(0.0, 0.0, 1000.0));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Pmt(std::numeric_limits<double>::quiet_NaN(), 12.0, 1000.0));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
