#include "runtimeerror.h"
#include "val.h"

#include <QLocale>
#include <QTest>

class TestVal : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void overflowIsAnError_data();
    void overflowIsAnError();
    void ignoresTheLocale();
    void readsLongTextsQuickly();
};

void TestVal::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank") << "   " << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("plus alone") << "+" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("whole") << "42" << 42.0;
    QTest::newRow("leading blanks") << "   7" << 7.0;
    QTest::newRow("tab and line feed inside") << "1\t2\n3" << 123.0;
    QTest::newRow("1 000 reads 1000") << "1 000" << 1000.0;
    QTest::newRow("12abc reads 12") << "12abc" << 12.0;
    QTest::newRow("10,000 reads 10") << "10,000" << 10.0;
    QTest::newRow("negative") << "-5000" << -5000.0;
    QTest::newRow("sign then blank") << "- 3" << -3.0;
    QTest::newRow("explicit plus") << "+8" << 8.0;
    QTest::newRow("decimal") << "3.5" << 3.5;
    QTest::newRow("leading point") << ".25" << 0.25;
    QTest::newRow("trailing point") << "4." << 4.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("-0.4") << "-0.4" << -0.4;
    QTest::newRow("exponent") << "1.5E3" << 1500.0;
    QTest::newRow("D exponent") << "2d2" << 200.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign without digits") << "7e+x" << 7.0;
    QTest::newRow("carriage return ends") << "5\r6" << 5.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex 16-bit is signed") << "&HFFFF" << -1.0;
    QTest::newRow("hex 32-bit is signed") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("hex 17 bits") << "&H10000" << 65536.0;
    QTest::newRow("hex ends at other") << "&H1G" << 1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal ends at 8") << "&O78" << 7.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("ampersand other") << "&X1" << 0.0;
    QTest::newRow("non-Latin digits are not digits") << QString::fromUtf8("\u0661\u0662") << 0.0;
    QTest::newRow("fullwidth digits are not digits") << QString::fromUtf8("\uFF11") << 0.0;
    QTest::newRow("underflow reads 0") << "1e-400" << 0.0;
    QTest::newRow("tiny without exponent reads 0") << "0." + QString(400, u'0') + "1" << 0.0;
    QTest::newRow("zero with huge exponent") << "0e999999" << 0.0;
    QTest::newRow("many leading zeros") << QString(1000, u'0') + "12" << 12.0;
}

void TestVal::reads()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestVal::overflowIsAnError_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("1e309") << "1e309";
    QTest::newRow("thousand digits") << QString(1000, u'9');
    QTest::newRow("huge exponent") << "1e99999999999999999999";
    QTest::newRow("negative huge") << "-2e400";
    QTest::newRow("hex beyond 32 bits") << "&H100000000";
}

void TestVal::overflowIsAnError()
{
    QFETCH(QString, text);
    try {
        Val(text);
        QFAIL("no overflow");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), int(RuntimeError::Overflow));
    }
}

void TestVal::ignoresTheLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(Val(u"7,25"), 7.0);
    QCOMPARE(Val(u"7.25"), 7.25);
    QLocale::setDefault(saved);
}

void TestVal::readsLongTextsQuickly()
{
    // A megabyte of blanks, then a number: read in one pass.
    QCOMPARE(Val(QString(1 << 20, u' ') + "3"), 3.0);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Val(QString(1 << 20, u'1')));
    QCOMPARE(Val(QString(1 << 20, u'0') + "5x"), 5.0);
}

QTEST_GUILESS_MAIN(TestVal)
#include "tst_val.moc"
