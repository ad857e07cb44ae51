#include "lineeditaccessible.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

// A line edit's text as screen readers ask for it: every offset answers,
// the end of the text included, and the selection is the box's own.
class TestLineEditAccessible : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::installFactory(LineEditAccessible::create); }
    void textAtOffset_data();
    void textAtOffset();
    void selectionAndCaret();
};

void TestLineEditAccessible::textAtOffset_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("which"); // the unit at, before or after offset
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");

    const int word = QAccessible::WordBoundary;
    const int character = QAccessible::CharBoundary;
    const int line = QAccessible::LineBoundary;
    QTest::newRow("the word at the end of the text") << "999"
                                                     << "at" << 3 << word << "999" << 0 << 3;
    QTest::newRow("the character at the end of the text") << "0"
                                                          << "at" << 1 << character << "0" << 0 << 1;
    QTest::newRow("the sentence at the end of the text")
        << "Try again."
        << "at" << 10 << int(QAccessible::SentenceBoundary) << "Try again." << 0 << 10;
    QTest::newRow("a word in the middle") << "the cat sat"
                                          << "at" << 5 << word << "cat" << 4 << 7;
    QTest::newRow("the line") << "the cat sat"
                              << "at" << 11 << line << "the cat sat" << 0 << 11;
    QTest::newRow("an empty text") << ""
                                   << "at" << 0 << word << "" << 0 << 0;
    QTest::newRow("the blank before the last word") << "the cat sat"
                                                    << "before" << 11 << word << " " << 7 << 8;
    QTest::newRow("no word before the first") << "the cat"
                                              << "before" << 1 << word << "" << 0 << 0;
    QTest::newRow("the word after the first") << "the cat"
                                              << "after" << 0 << word << " " << 3 << 4;
    QTest::newRow("no character after the last") << "12"
                                                 << "after" << 2 << character << "" << 2 << 2;
    QTest::newRow("an offset past the end") << "12"
                                            << "at" << 40 << character << "2" << 1 << 2;
}

void TestLineEditAccessible::textAtOffset()
{
    QFETCH(QString, text);
    QFETCH(QString, which);
    QFETCH(int, offset);
    QFETCH(int, boundary);
    QFETCH(QString, expected);
    QFETCH(int, start);
    QFETCH(int, end);
    QLineEdit box(text);
    QAccessibleTextInterface *read = QAccessible::queryAccessibleInterface(&box)->textInterface();
    QVERIFY(read);
    int from = -1;
    int to = -1;
    const auto type = QAccessible::TextBoundaryType(boundary);
    const QString unit = which == u"before" ? read->textBeforeOffset(offset, type, &from, &to)
        : which == u"after"                 ? read->textAfterOffset(offset, type, &from, &to)
                                            : read->textAtOffset(offset, type, &from, &to);
    QCOMPARE(unit, expected);
    QCOMPARE(from, start);
    QCOMPARE(to, end);
}

void TestLineEditAccessible::selectionAndCaret()
{
    QLineEdit box(QStringLiteral("20000"));
    box.selectAll();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&box);
    QAccessibleTextInterface *read = accessible->textInterface();
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("20000"));
    QCOMPARE(read->selectionCount(), 1);
    int from = -1;
    int to = -1;
    read->selection(0, &from, &to);
    QCOMPARE(read->text(from, to), QStringLiteral("20000"));
    QCOMPARE(read->cursorPosition(), 5);
    read->setSelection(0, 1, 3);
    QCOMPARE(box.selectedText(), QStringLiteral("00"));

    box.setEchoMode(QLineEdit::Password);
    QVERIFY(!read->text(0, -1).contains(u'2'));
}

QTEST_MAIN(TestLineEditAccessible)
#include "tst_lineeditaccessible.moc"
