#include "screenreaders.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Counts the times the object it watches is shown.
class ShowCounter : public QObject
{
public:
    int shown = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        shown += event->type() == QEvent::Show;
        return false;
    }
};

} // namespace

// What screen readers are told beside the focus: news through a window's
// notice, and the keyboard given back by a menu bar left with Escape;
// installed once, however often asked.
class TestScreenReaders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void news_data();
    void news();
    void escapeFromTheMenuBarGivesTheKeyboardBack();
};

void TestScreenReaders::initTestCase()
{
    installScreenReaderSupport();
    installScreenReaderSupport();
    QCOMPARE(qApp->findChildren<QObject *>(QStringLiteral("menuBarKeyboard")).size(), 1);
}

void TestScreenReaders::news_data()
{
    QTest::addColumn<QStringList>("news");
    QTest::addColumn<bool>("elsewhere"); // another window is active
    QTest::addColumn<int>("shown");

    QTest::newRow("said at once") << QStringList{"Correct."} << false << 1;
    QTest::newRow("the same news twice, said twice") << QStringList{"cat", "cat"} << false << 2;
    QTest::newRow("while another window is active (a box just closed), said once the window is back")
        << QStringList{"Monthly payment $415.17"} << true << 1;
}

void TestScreenReaders::news()
{
    QFETCH(QStringList, news);
    QFETCH(bool, elsewhere);
    QFETCH(int, shown);

    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget other;
    if (elsewhere) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    tellScreenReaders(&window, QString()); // makes the notice, says nothing
    auto *notice = window.findChild<Notice *>();
    QVERIFY(notice);
    ShowCounter counter;
    notice->installEventFilter(&counter);
    for (const QString &each : news) {
        tellScreenReaders(&window, each);
        QCOMPARE(notice->accessibleName(), each);
    }
    QCOMPARE(counter.shown, elsewhere ? 0 : shown);
    if (elsewhere) {
        window.activateWindow();
        QTRY_COMPARE(counter.shown, shown);
    }
}

void TestScreenReaders::escapeFromTheMenuBarGivesTheKeyboardBack()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *menuBar = new QMenuBar;
    menuBar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    layout->setMenuBar(menuBar);
    auto *text = new QLineEdit;
    layout->addWidget(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    text->setFocus();
    QTest::keyClick(text, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), menuBar);
    QTest::keyClick(menuBar, Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), text);
}

QTEST_MAIN(TestScreenReaders)
#include "tst_screenreaders.moc"
