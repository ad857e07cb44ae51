#include "format.h"
#include "instr.h"
#include "runtimeerror.h"

#include <QLocale>
#include <QTest>

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void inStr_data();
    void inStr();
    void inStrRejectsStartBelowOne();
    void format_data();
    void format();
    void formatRejectsUnknownNames();
    void percentReadsBack_data();
    void percentReadsBack();
    void percentReadsBackInEveryLocale();
};

void TestText::inStr_data()
{
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sought");
    QTest::addColumn<int>("compare");
    QTest::addColumn<qsizetype>("expected");

    QTest::newRow("found at 1") << qsizetype(1) << "abc"
                                << "a" << 0 << qsizetype(1);
    QTest::newRow("found later") << qsizetype(1) << "abcabc"
                                 << "ca" << 0 << qsizetype(3);
    QTest::newRow("from start") << qsizetype(2) << "abcabc"
                                << "a" << 0 << qsizetype(4);
    QTest::newRow("not found") << qsizetype(1) << "abc"
                               << "d" << 0 << qsizetype(0);
    QTest::newRow("binary respects case") << qsizetype(1) << "ABC"
                                          << "b" << 0 << qsizetype(0);
    QTest::newRow("text ignores case") << qsizetype(1) << "ABC"
                                       << "b" << 1 << qsizetype(2);
    QTest::newRow("case folding") << qsizetype(1) << QString::fromUtf8("un été") << QString::fromUtf8("ÉTÉ") << 1
                                  << qsizetype(4);
    QTest::newRow("overlapping") << qsizetype(2) << "aaaa"
                                 << "aa" << 1 << qsizetype(2);
    QTest::newRow("start past end") << qsizetype(5) << "abc"
                                    << "a" << 0 << qsizetype(0);
    QTest::newRow("empty sought at start") << qsizetype(2) << "abc"
                                           << "" << 0 << qsizetype(2);
    QTest::newRow("empty sought just past end") << qsizetype(4) << "abc"
                                                << "" << 0 << qsizetype(4);
    QTest::newRow("empty sought beyond end") << qsizetype(5) << "abc"
                                             << "" << 0 << qsizetype(0);
    QTest::newRow("empty text") << qsizetype(1) << ""
                                << "a" << 1 << qsizetype(0);
    QTest::newRow("empty sought in empty text") << qsizetype(1) << ""
                                                << "" << 1 << qsizetype(0);
    QTest::newRow("sought longer than text") << qsizetype(1) << "ab"
                                             << "abc" << 1 << qsizetype(0);
    QTest::newRow("beyond 16 bits") << qsizetype(1) << QString(70000, u'x') + "Y"
                                    << "y" << 1 << qsizetype(70001);
}

void TestText::inStr()
{
    QFETCH(qsizetype, start);
    QFETCH(QString, text);
    QFETCH(QString, sought);
    QFETCH(int, compare);
    QFETCH(qsizetype, expected);
    QCOMPARE(InStr(start, text, sought, Compare(compare)), expected);
}

void TestText::inStrRejectsStartBelowOne()
{
    QVERIFY_THROWS_EXCEPTION(RuntimeError, InStr(0, u"abc", u"a"));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, InStr(-3, u"abc", u"a"));
}

void TestText::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("percent 0.07") << double(0.07f) << "percent"
                                  << "en_US"
                                  << "7.00%";
    QTest::newRow("percent 0.0725") << double(0.0725f) << "Percent"
                                    << "en_US"
                                    << "7.25%";
    QTest::newRow("percent just below 0.12") << double(0.1199999526f) << "percent"
                                             << "en_US"
                                             << "12.00%";
    QTest::newRow("percent German") << 0.0725 << "percent"
                                    << "de_DE" << QString::fromUtf8("7,25%");
    QTest::newRow("currency") << double(207.58354f) << "currency"
                              << "en_US"
                              << "$207.58";
    QTest::newRow("currency grouping") << 5561.11 << "currency"
                                       << "en_US"
                                       << "$5,561.11";
    QTest::newRow("currency zero") << 0.0 << "currency"
                                   << "en_US"
                                   << "$0.00";
    QTest::newRow("currency negative") << -103.79 << "currency"
                                       << "en_US"
                                       << "($103.79)";
    QTest::newRow("currency C locale falls back") << 1234.5 << "currency"
                                                  << "C"
                                                  << "$1,234.50";
    QTest::newRow("currency German") << 1234.5 << "currency"
                                     << "de_DE" << QString::fromUtf8("1.234,50\u00A0€");
    QTest::newRow("general number") << 1234.5 << "general number"
                                    << "en_US"
                                    << "1234.5";
    QTest::newRow("general number whole") << 7.0 << "General Number"
                                          << "en_US"
                                          << "7";
    QTest::newRow("general number German") << 0.25 << "general number"
                                           << "de_DE"
                                           << "0,25";
}

void TestText::format()
{
    QFETCH(double, value);
    QFETCH(QString, name);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, name, QLocale(locale)), expected);
}

void TestText::formatRejectsUnknownNames()
{
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Format(1.0, QStringLiteral("fixed")));
}

void TestText::percentReadsBack_data()
{
    QTest::addColumn<QString>("locale");

    QTest::newRow("US English") << "en_US";
    QTest::newRow("German") << "de_DE";
    QTest::newRow("French") << "fr_FR";
    QTest::newRow("C") << "C";
}

void TestText::percentReadsBack()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    const QString text = Format(double(0.0725f), QStringLiteral("percent"), l);
    QCOMPARE(float(readPercent(text, l)), 0.0725f);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, readPercent(QStringLiteral("abc"), l));
}

// Every locale reads back what it formats, negative numbers included (the
// right-to-left ones put direction marks around the sign).
void TestText::percentReadsBackInEveryLocale()
{
    QStringList failures;
    for (const QLocale &l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        for (const double rate : {0.0725, -0.0725, 12.0}) {
            const QString text = Format(rate, QStringLiteral("percent"), l);
            try {
                if (qAbs(readPercent(text, l) - rate) > 1e-12)
                    failures << l.name() + u' ' + text;
            } catch (const RuntimeError &) {
                failures << l.name() + u' ' + text;
            }
        }
    }
    QVERIFY2(failures.isEmpty(),
             qPrintable(failures.mid(0, 5).join(u", ") + QStringLiteral(" (%1 in all)").arg(failures.size())));
}

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
