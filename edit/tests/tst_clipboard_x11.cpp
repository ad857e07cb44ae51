// The system clipboard as other programs see it: run under Xvfb with the xcb
// platform; xclip reads and writes the CLIPBOARD selection from another
// process while this one keeps serving its event loop.

#include "frmedit.h"
#include "program.h"

#include <QClipboard>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

class TestClipboardX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void copiedTextReachesAnotherProgram();
    void textFromAnotherProgramIsPasted();

private:
    QPlainTextEdit *text() { return window.findChild<QPlainTextEdit *>(QStringLiteral("txtEdit")); }

    frmEdit window;
};

void TestClipboardX11::initTestCase()
{
    if (QGuiApplication::platformName() != u"xcb")
        QSKIP("needs the xcb platform on an X server");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Bare Xvfb has no window manager to activate the window: ask for the
    // input focus directly.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void TestClipboardX11::copiedTextReachesAnotherProgram()
{
    const QString content = QStringLiteral("first line\nsecond line\n\u00e9t\u00e9");
    text()->setPlainText(content);
    text()->selectAll();
    QTest::keySequence(text(), QKeySequence::Copy);

    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    // Serve the selection while xclip asks for it: no blocking wait here.
    QTRY_COMPARE_WITH_TIMEOUT(xclip.state(), QProcess::NotRunning, 10000);
    QCOMPARE(xclip.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(xclip.readAllStandardOutput()), content);
}

void TestClipboardX11::textFromAnotherProgramIsPasted()
{
    const QString content = QStringLiteral("from another program\nline two\n");
    text()->setPlainText(QStringLiteral("[]"));
    QTextCursor cursor = text()->textCursor();
    cursor.setPosition(1);
    text()->setTextCursor(cursor);

    QProcess xclip;
    xclip.start(
        QStringLiteral("xclip"),
        {QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-quiet")});
    QVERIFY(xclip.waitForStarted());
    xclip.write(content.toUtf8());
    xclip.closeWriteChannel();
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), content, 10000);

    auto *paste = window.findChild<QAction *>(QStringLiteral("mnuEditPaste"));
    QTRY_VERIFY(paste->isEnabled());
    QSignalSpy pasted(paste, &QAction::triggered);
    QTest::keySequence(text(), QKeySequence::Paste);
    QCOMPARE(pasted.size(), 1);
    QCOMPARE(text()->toPlainText(), u'[' + content + u']');

    xclip.kill();
    xclip.waitForFinished();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpProgram("Edit", "1.00", "org.formprograms.Edit");
    TestClipboardX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_clipboard_x11.moc"
