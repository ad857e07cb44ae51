#include "textboxaccessible.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

// A text box's text as screen readers ask for it, a line edit's and a
// document's: every offset answers, the end of the text included, a
// selection is the box's own, and the line at a selection is the selection.
class TestTextBoxAccessible : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::installFactory(TextBoxAccessible::create); }
    void textAtOffset_data();
    void textAtOffset();
    void selectionAndCaret();
};

void TestTextBoxAccessible::textAtOffset_data()
{
    QTest::addColumn<bool>("document"); // a plain text document, or a line edit
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("selected"); // from x to y
    QTest::addColumn<QString>("which"); // the unit at, before or after offset
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");

    const int word = QAccessible::WordBoundary;
    const int character = QAccessible::CharBoundary;
    const int line = QAccessible::LineBoundary;
    QTest::newRow("the word at the end of the text")
        << false << "999" << QPoint() << "at" << 3 << word << "999" << 0 << 3;
    QTest::newRow("the character at the end of the text")
        << false << "0" << QPoint() << "at" << 1 << character << "0" << 0 << 1;
    QTest::newRow("the sentence at the end of the text")
        << false << "Try again." << QPoint() << "at" << 10 << int(QAccessible::SentenceBoundary) << "Try again." << 0
        << 10;
    QTest::newRow("a word in the middle") << false << "the cat sat" << QPoint() << "at" << 5 << word << "cat" << 4 << 7;
    QTest::newRow("the line") << false << "the cat sat" << QPoint() << "at" << 11 << line << "the cat sat" << 0 << 11;
    QTest::newRow("an empty text") << false << "" << QPoint() << "at" << 0 << word << "" << 0 << 0;
    QTest::newRow("the blank before the last word")
        << false << "the cat sat" << QPoint() << "before" << 11 << word << " " << 7 << 8;
    QTest::newRow("no word before the first")
        << false << "the cat" << QPoint() << "before" << 1 << word << "" << 0 << 0;
    QTest::newRow("the word after the first")
        << false << "the cat" << QPoint() << "after" << 0 << word << " " << 3 << 4;
    QTest::newRow("no character after the last")
        << false << "12" << QPoint() << "after" << 2 << character << "" << 2 << 2;
    QTest::newRow("an offset past the end") << false << "12" << QPoint() << "at" << 40 << character << "2" << 1 << 2;
    const QString two = QStringLiteral("Hello world.\nThe cat sat.");
    QTest::newRow("a document's line") << true << two << QPoint() << "at" << 15 << line << "The cat sat." << 13 << 25;
    QTest::newRow("a document's line after the first")
        << true << two << QPoint() << "after" << 0 << line << "The cat sat." << 13 << 25;
    QTest::newRow("a document's line before the last")
        << true << two << QPoint() << "before" << 20 << line << "Hello world." << 0 << 12;
    QTest::newRow("the line at a found word is the word")
        << true << two << QPoint(17, 20) << "at" << 20 << line << "cat" << 17 << 20;
    QTest::newRow("a word elsewhere in a document with a selection")
        << true << two << QPoint(17, 20) << "at" << 2 << word << "Hello" << 0 << 5;
    QTest::newRow("the line at a selection in a line edit")
        << false << "the cat sat" << QPoint(4, 7) << "at" << 4 << line << "cat" << 4 << 7;
}

void TestTextBoxAccessible::textAtOffset()
{
    QFETCH(bool, document);
    QFETCH(QString, text);
    QFETCH(QPoint, selected);
    QFETCH(QString, which);
    QFETCH(int, offset);
    QFETCH(int, boundary);
    QFETCH(QString, expected);
    QFETCH(int, start);
    QFETCH(int, end);
    std::unique_ptr<QWidget> box;
    if (document)
        box = std::make_unique<QPlainTextEdit>(text);
    else
        box = std::make_unique<QLineEdit>(text);
    box->resize(400, 200);
    box->show();
    QAccessibleTextInterface *read = QAccessible::queryAccessibleInterface(box.get())->textInterface();
    QVERIFY(read);
    if (selected != QPoint())
        read->setSelection(0, selected.x(), selected.y());
    int from = -1;
    int to = -1;
    const auto type = QAccessible::TextBoundaryType(boundary);
    const QString unit = which == u"before" ? read->textBeforeOffset(offset, type, &from, &to)
        : which == u"after"                 ? read->textAfterOffset(offset, type, &from, &to)
                                            : read->textAtOffset(offset, type, &from, &to);
    QCOMPARE(unit, expected);
    QCOMPARE(from, start);
    QCOMPARE(to, end);
    QCOMPARE(read->characterCount(), int(read->text(0, -1).size()));
}

void TestTextBoxAccessible::selectionAndCaret()
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

QTEST_MAIN(TestTextBoxAccessible)
#include "tst_textboxaccessible.moc"
