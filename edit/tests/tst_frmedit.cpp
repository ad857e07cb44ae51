#include "documenttext.h"
#include "formtesting.h"
#include "frmedit.h"
#include "program.h"
#include "twips.h"

#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>

#include <memory>

class TestEdit : public FormTest<frmEdit>
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void textBoxFillsTheWindow_data();
    void textBoxFillsTheWindow();
    void menus_data();
    void menus();
    void fileItemsDoNothing_data();
    void fileItemsDoNothing();
    void exitClosesAtOnce();
    void escapeFromTheMenusGivesTheTextBack_data();
    void escapeFromTheMenusGivesTheTextBack();
    void editMenuEnablesFromSelectionAndClipboard_data();
    void editMenuEnablesFromSelectionAndClipboard();
    void commandsFollowTheSelectionAndClipboard();
    void cutCopyPaste();
    void documentTextFollowsEdits_data();
    void documentTextFollowsEdits();
    void find_data();
    void find();
    void findNextOverlaps();
    void findNextBeforeFind();
    void findBeyond16Bits();
    void badInput_data();
    void badInput();

private:
    void showWindow();
    void setText(const QString &text, int selectionStart = 0, int selectionEnd = 0);
    // Presses the shortcut in the text box; answers an input box with typed
    // (Escape when cancelled is true) and a message box with OK. Returns the
    // message box's text and title, if one opened.
    QStringList press(const QKeySequence &keys, const QString &typed = {}, bool cancelled = false);
    int selectionStart() const { return text()->textCursor().selectionStart(); }
    int selectionEnd() const { return text()->textCursor().selectionEnd(); }
    QPlainTextEdit *text() const { return control<QPlainTextEdit>("txtEdit"); }
    QAction *action(const char *name) const { return control<QAction>(name); }
};

void TestEdit::initTestCase()
{
    setUpProgram("Edit", "1.00", "org.formprograms.Edit");
}

void TestEdit::init()
{
    QGuiApplication::clipboard()->clear();
    m_window = std::make_unique<frmEdit>();
}

void TestEdit::cleanup()
{
    m_window.reset();
}

void TestEdit::showWindow()
{
    FormTest::showWindow();
    QCOMPARE(QApplication::focusWidget(), text());
}

void TestEdit::setText(const QString &content, int selectionStart, int selectionEnd)
{
    text()->setPlainText(content);
    QTextCursor cursor = text()->textCursor();
    cursor.setPosition(selectionStart);
    cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
    text()->setTextCursor(cursor);
}

QStringList TestEdit::press(const QKeySequence &keys, const QString &typed, bool cancelled)
{
    QStringList message;
    QList<QPointer<QTimer>> watches;
    std::function<void(QWidget *)> answer = [&message, &answer, &watches, typed, cancelled](QWidget *modal) {
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            QTest::keyClicks(input->findChild<QLineEdit *>(), typed);
            watches << whenModalOpens(answer); // the message box that may follow
            QTest::keyClick(input->findChild<QLineEdit *>(), cancelled ? Qt::Key_Escape : Qt::Key_Return);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            message << box->text() << box->windowTitle() << QString::number(box->icon());
            QTest::keyClick(box, Qt::Key_Return);
        }
    };
    watches << whenModalOpens(answer);
    QTest::keySequence(text(), keys);
    // Stop watching for dialogs that did not come.
    for (const QPointer<QTimer> &watch : std::as_const(watches))
        delete watch.data();
    // Offscreen has no window manager to give the activation back to the
    // window when a dialog closes; a desktop does.
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        message << QStringLiteral("window not active");
    return message;
}

void TestEdit::window()
{
    showWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Document - Text Editor"));
    QCOMPARE(m_window->objectName(), QStringLiteral("frmEdit"));
    QCOMPARE(m_window->centralWidget(), text());
    QCOMPARE(text()->geometry().size(), QSize(pixelsFromTwips(6630), pixelsFromTwips(3915)));
    QVERIFY(text()->toPlainText().isEmpty());
    QCOMPARE(text()->textCursor().position(), 0);
    QCOMPARE(text()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(text()->accessibleName(), QStringLiteral("Document"));
}

void TestEdit::textBoxFillsTheWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("enlarge") << "800x600";
    QTest::newRow("shrink") << "120x60";
    QTest::newRow("tiny") << "1x1";
    QTest::newRow("maximize") << "maximize";
    QTest::newRow("minimize and restore") << "minimize";
}

void TestEdit::textBoxFillsTheWindow()
{
    QFETCH(QString, how);
    showWindow();
    if (how == u"maximize") {
        m_window->showMaximized();
    } else if (how == u"minimize") {
        m_window->showMinimized();
        QCoreApplication::processEvents();
        m_window->showNormal();
    } else {
        const auto size = how.split(u'x');
        m_window->resize(size[0].toInt(), size[1].toInt());
    }
    const int menu = m_window->menuBar()->height();
    QTRY_COMPARE(text()->geometry(), QRect(0, menu, m_window->width(), m_window->height() - menu));
}

void TestEdit::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items"); // name|text|shortcut, "-" a separator

    QTest::newRow("File") << "mnuFile"
                          << "&File"
                          << QStringList{"mnuFileNew|&New|Ctrl+N",
                                         "mnuFileOpen|&Open...|Ctrl+O",
                                         "-",
                                         "mnuFileSave|&Save|Ctrl+S",
                                         "mnuFileSaveAs|Save &As...|Ctrl+A",
                                         "-",
                                         "mnuFilePrint|&Print...|Ctrl+P",
                                         "-",
                                         "mnuFileExit|E&xit|"};
    QTest::newRow("Edit") << "mnuEdit"
                          << "&Edit" << QStringList{"mnuEditCut|Cu&t|Ctrl+X",      "mnuEditCopy|&Copy|Ctrl+C",
                                                    "mnuEditPaste|&Paste|Ctrl+V",  "-",
                                                    "mnuEditFind|&Find...|Ctrl+F", "mnuEditFindNext|Find &Next|F3"};
}

void TestEdit::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);

    auto *dropDown = m_window->findChild<QMenu *>(menu);
    QVERIFY(dropDown);
    QCOMPARE(dropDown->title(), title);
    QStringList seen;
    for (const QAction *item : dropDown->actions()) {
        seen << (item->isSeparator() ? QStringLiteral("-")
                                     : item->objectName() + u'|' + item->text() + u'|' + item->shortcut().toString());
        QVERIFY(item->isVisible());
        QVERIFY(!item->isChecked());
    }
    QCOMPARE(seen, items);
}

void TestEdit::fileItemsDoNothing_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Ctrl+N") << QKeySequence(QStringLiteral("Ctrl+N"));
    QTest::newRow("Ctrl+O") << QKeySequence(QStringLiteral("Ctrl+O"));
    QTest::newRow("Ctrl+S") << QKeySequence(QStringLiteral("Ctrl+S"));
    QTest::newRow("Ctrl+A is Save As, not Select All") << QKeySequence(QStringLiteral("Ctrl+A"));
    QTest::newRow("Ctrl+P") << QKeySequence(QStringLiteral("Ctrl+P"));
}

void TestEdit::fileItemsDoNothing()
{
    QFETCH(QKeySequence, keys);
    showWindow();
    setText(QStringLiteral("some text\nsecond line"), 2, 4);
    QStringList triggered;
    for (QAction *item : m_window->findChildren<QAction *>())
        connect(item, &QAction::triggered, this, [&triggered, item] { triggered << item->objectName(); });

    QVERIFY(press(keys).isEmpty());
    QCOMPARE(triggered.size(), 1);
    QVERIFY(triggered.front().startsWith(u"mnuFile"));
    QCOMPARE(text()->toPlainText(), QStringLiteral("some text\nsecond line"));
    QCOMPARE(selectionStart(), 2);
    QCOMPARE(selectionEnd(), 4);
    QVERIFY(m_window->isVisible());
}

void TestEdit::exitClosesAtOnce()
{
    showWindow();
    setText(QStringLiteral("unsaved"));
    action("mnuFileExit")->trigger();
    QVERIFY(!m_window->isVisible());
    forgetQuitRequest();
}

void TestEdit::escapeFromTheMenusGivesTheTextBack_data()
{
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("a menu, then the menu bar") << QStringList{"Alt+E", "Esc", "Esc"};
    QTest::newRow("a menu twice") << QStringList{"Alt+E", "Esc", "Alt+E", "Esc", "Esc"};
    QTest::newRow("two menus") << QStringList{"Alt+F", "Esc", "Alt+E", "Esc", "Esc"};
}

void TestEdit::escapeFromTheMenusGivesTheTextBack()
{
    QFETCH(QStringList, keys);

    showWindow();
    for (const QString &key : std::as_const(keys)) {
        QWidget *target =
            QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
        QTest::keySequence(target, QKeySequence(key));
        QTest::qWait(0);
    }
    QTRY_COMPARE(QApplication::focusWidget(), text());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
    QCOMPARE(text()->toPlainText(), QStringLiteral("typed"));
}

void TestEdit::editMenuEnablesFromSelectionAndClipboard_data()
{
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("clipboard"); // "<image>" for a picture only
    QTest::addColumn<bool>("cutAndCopy");
    QTest::addColumn<bool>("paste");

    QTest::newRow("nothing selected, empty clipboard") << 0 << "" << false << false;
    QTest::newRow("a selection, clipboard text") << 3 << "abc" << true << true;
    QTest::newRow("spaces only selected") << -2 << "" << true << false;
    QTest::newRow("line break only selected") << -1 << "x" << true << true;
    QTest::newRow("picture only on the clipboard") << 0 << "<image>" << false << false;
}

void TestEdit::editMenuEnablesFromSelectionAndClipboard()
{
    QFETCH(int, selectionLength);
    QFETCH(QString, clipboard);
    QFETCH(bool, cutAndCopy);
    QFETCH(bool, paste);

    showWindow();
    if (selectionLength == -2)
        setText(QStringLiteral("a   b"), 1, 4);
    else if (selectionLength == -1)
        setText(QStringLiteral("a\nb"), 1, 2);
    else
        setText(QStringLiteral("abcdef"), 0, selectionLength);
    if (clipboard == u"<image>") {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(picture);
    } else {
        QGuiApplication::clipboard()->setText(clipboard);
    }

    auto *edit = m_window->findChild<QMenu *>(QStringLiteral("mnuEdit"));
    QTest::keyClick(text(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(edit->isVisible());
    QCOMPARE(action("mnuEditCut")->isEnabled(), cutAndCopy);
    QCOMPARE(action("mnuEditCopy")->isEnabled(), cutAndCopy);
    QCOMPARE(action("mnuEditPaste")->isEnabled(), paste);
    QVERIFY(action("mnuEditFind")->isEnabled());
    QVERIFY(action("mnuEditFindNext")->isEnabled());
    edit->close();
}

void TestEdit::commandsFollowTheSelectionAndClipboard()
{
    showWindow();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));
    setText(QStringLiteral("alpha beta"));

    // Nothing selected: Ctrl+C and Ctrl+X leave the clipboard as it was.
    QTest::keySequence(text(), QKeySequence::Copy);
    QTest::keySequence(text(), QKeySequence::Cut);
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));
    QCOMPARE(text()->toPlainText(), QStringLiteral("alpha beta"));

    // Ctrl+C right after selecting copies, without opening the menu.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(text(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(text()->textCursor().selectedText(), QStringLiteral("alpha"));
    QTest::keySequence(text(), QKeySequence::Copy);
    QCOMPARE(clipboard->text(), QStringLiteral("alpha"));

    // No text on the clipboard: Ctrl+V leaves the selection in place.
    clipboard->clear();
    QTest::keySequence(text(), QKeySequence::Paste);
    QCOMPARE(text()->toPlainText(), QStringLiteral("alpha beta"));
    QCOMPARE(text()->textCursor().selectedText(), QStringLiteral("alpha"));
}

void TestEdit::cutCopyPaste()
{
    showWindow();
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString original = QStringLiteral("one\ntwo three\n\nfour");
    setText(original, 2, 12);

    QStringList handled;
    for (const char *name : {"mnuEditCut", "mnuEditCopy", "mnuEditPaste"})
        connect(action(name), &QAction::triggered, this, [&handled, name] { handled << QLatin1String(name); });

    QTest::keySequence(text(), QKeySequence::Copy);
    QCOMPARE(clipboard->text(), QStringLiteral("e\ntwo thre"));
    QCOMPARE(text()->toPlainText(), original);
    QCOMPARE(selectionStart(), 2);
    QCOMPARE(selectionEnd(), 12);

    QTest::keySequence(text(), QKeySequence::Cut);
    QCOMPARE(clipboard->text(), QStringLiteral("e\ntwo thre"));
    QCOMPARE(text()->toPlainText(), QStringLiteral("one\n\nfour"));
    QCOMPARE(text()->textCursor().position(), 2);

    QTest::keySequence(text(), QKeySequence::Paste);
    QCOMPARE(text()->toPlainText(), original);

    // Nothing selected: paste inserts at the caret.
    QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier);
    QTest::keySequence(text(), QKeySequence::Paste);
    QCOMPARE(text()->toPlainText(), original + QStringLiteral("e\ntwo thre"));
    QCOMPARE(handled, (QStringList{"mnuEditCopy", "mnuEditCut", "mnuEditPaste", "mnuEditPaste"}));
}

void TestEdit::documentTextFollowsEdits_data()
{
    QTest::addColumn<QString>("edit");

    QTest::newRow("typing") << "type";
    QTest::newRow("new line") << "enter";
    QTest::newRow("soft line break") << "shift-enter";
    QTest::newRow("delete across lines") << "delete";
    QTest::newRow("replace all") << "set";
    QTest::newRow("clear") << "clear";
    QTest::newRow("undo and redo") << "undo";
    QTest::newRow("paste lines") << "paste";
    QTest::newRow("cut to the end") << "cut";
}

void TestEdit::documentTextFollowsEdits()
{
    QFETCH(QString, edit);
    showWindow();
    setText(QStringLiteral("first line\nsecond\u00A0line\n\nlast"), 6, 6);
    auto *mirror = m_window->findChild<DocumentText *>();
    QVERIFY(mirror);

    if (edit == u"type") {
        QTest::keyClicks(text(), QStringLiteral("xyz"));
    } else if (edit == u"enter") {
        QTest::keyClick(text(), Qt::Key_Return);
    } else if (edit == u"shift-enter") {
        QTest::keyClick(text(), Qt::Key_Return, Qt::ShiftModifier);
    } else if (edit == u"delete") {
        setText(text()->toPlainText(), 3, 20);
        QTest::keyClick(text(), Qt::Key_Delete);
    } else if (edit == u"set") {
        text()->setPlainText(QStringLiteral("all\nnew"));
    } else if (edit == u"clear") {
        text()->clear();
    } else if (edit == u"undo") {
        QTest::keyClicks(text(), QStringLiteral("ab"));
        text()->undo();
        text()->redo();
        text()->undo();
    } else if (edit == u"paste") {
        QGuiApplication::clipboard()->setText(QStringLiteral("p1\np2\n"));
        QTest::keySequence(text(), QKeySequence::Paste);
    } else if (edit == u"cut") {
        QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keySequence(text(), QKeySequence::Cut);
    }
    QString expected = text()->document()->toRawText();
    expected.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    QCOMPARE(mirror->text(), expected);
    QCOMPARE(mirror->text().size(), qsizetype(text()->document()->characterCount() - 1));
}

void TestEdit::find_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionEnd");
    QTest::addColumn<QString>("message");

    QTest::newRow("small letters find capitals") << "The Word and WORD" << 0 << "word" << false << 4 << 8 << "";
    QTest::newRow("case folding: ÉTÉ finds été")
        << QString::fromUtf8("un été chaud") << 0 << QString::fromUtf8("ÉTÉ") << false << 3 << 6 << "";
    QTest::newRow("always from the first character") << "ab ab ab" << 7 << "ab" << false << 0 << 2 << "";
    QTest::newRow("not found keeps the selection")
        << "abc" << 2 << "x" << false << 2 << 2 << "The search string was not found.";
    QTest::newRow("search longer than the text")
        << "ab" << 1 << "abc" << false << 1 << 1 << "The search string was not found.";
    QTest::newRow("cancel searches for empty: caret to start") << "abc" << 2 << "ignored" << true << 0 << 0 << "";
    QTest::newRow("OK with empty entry") << "abc" << 3 << "" << false << 0 << 0 << "";
    QTest::newRow("cancel with empty text") << "" << 0 << "" << true << 0 << 0 << "The search string was not found.";
}

void TestEdit::find()
{
    QFETCH(QString, content);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(bool, cancelled);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionEnd);
    QFETCH(QString, message);

    showWindow();
    setText(content, caret, caret);
    // The selection keeps the text's own letters; the typed text is "typed",
    // but Qt Test types only what a keyboard can, so Unicode goes in whole.
    const QStringList seen = press(QKeySequence(QStringLiteral("Ctrl+F")), typed, cancelled);
    if (message.isEmpty())
        QVERIFY2(seen.isEmpty(), qPrintable(seen.join(u'/')));
    else
        QCOMPARE(seen, (QStringList{message, "Find", QString::number(QMessageBox::Information)}));
    QCOMPARE(this->selectionStart(), selectionStart);
    QCOMPARE(this->selectionEnd(), selectionEnd);
    QCOMPARE(text()->toPlainText(), content);
}

void TestEdit::findNextOverlaps()
{
    showWindow();
    setText(QStringLiteral("aaaa"));
    QVERIFY(press(QKeySequence(QStringLiteral("Ctrl+F")), QStringLiteral("aa")).isEmpty());
    QCOMPARE(selectionStart(), 0);
    QCOMPARE(selectionEnd(), 2);
    for (int start = 1; start <= 2; ++start) {
        QVERIFY(press(QKeySequence(Qt::Key_F3)).isEmpty());
        QCOMPARE(selectionStart(), start);
        QCOMPARE(selectionEnd(), start + 2);
    }
    for (int again = 0; again < 2; ++again) {
        QCOMPARE(
            press(QKeySequence(Qt::Key_F3)),
            (QStringList{"The search has been completed.", "Find Next", QString::number(QMessageBox::Information)}));
        QCOMPARE(selectionStart(), 2);
        QCOMPARE(selectionEnd(), 4);
    }

    // With the caret at the start and nothing selected, Find Next begins at
    // the second character.
    setText(QStringLiteral("aa b"));
    QVERIFY(!press(QKeySequence(Qt::Key_F3)).isEmpty());
    QCOMPARE(selectionStart(), 0);
}

void TestEdit::findNextBeforeFind()
{
    showWindow();
    setText(QStringLiteral("abc"));
    // The search text is empty: each Find Next moves the caret one to the right.
    for (int caret = 1; caret <= 3; ++caret) {
        QVERIFY(press(QKeySequence(Qt::Key_F3)).isEmpty());
        QCOMPARE(selectionStart(), caret);
        QCOMPARE(selectionEnd(), caret);
    }
    QCOMPARE(press(QKeySequence(Qt::Key_F3)).value(0), QStringLiteral("The search has been completed."));
    QCOMPARE(selectionStart(), 3);
}

void TestEdit::findBeyond16Bits()
{
    showWindow();
    QString content = QString(40000, u'x') + QStringLiteral("Needle") + QString(40000, u'y') + QStringLiteral("NEEDLE");
    setText(content);
    QVERIFY(press(QKeySequence(QStringLiteral("Ctrl+F")), QStringLiteral("needle")).isEmpty());
    QCOMPARE(selectionStart(), 40000);
    QVERIFY(press(QKeySequence(Qt::Key_F3)).isEmpty());
    QCOMPARE(selectionStart(), 80006);
    QCOMPARE(text()->textCursor().selectedText(), QStringLiteral("NEEDLE"));
}

void TestEdit::badInput_data()
{
    QTest::addColumn<QString>("pasted");

    QString lines;
    for (int i = 0; i < 100000; ++i)
        lines += QStringLiteral("line %1 of a pasted megabyte\n").arg(i);
    QTest::newRow("megabytes") << lines;
    QTest::newRow("a two-megabyte line") << QStringLiteral("word ").repeated(400'000);
    QTest::newRow("a long word") << QString(50'000, u'w');
    QTest::newRow("a megabyte without a blank") << QString(1'000'000, u'x');
    QTest::newRow("NUL characters") << QString::fromUtf16(u"a\0b\0c", 5);
    QTest::newRow("replacement characters") << QString::fromUtf8("\xff\xfe bad \xc3");
    QTest::newRow("right to left") << QString::fromUtf8("שלום עולם\u202Eabc");
    QTest::newRow("emoji and combining") << QString::fromUtf8("\U0001F468\u200D\U0001F469 e\u0301");
}

void TestEdit::badInput()
{
    QFETCH(QString, pasted);
    showWindow();
    const bool longWord = !pasted.contains(u' ') && !pasted.contains(u'\n') && pasted.size() > 4096;
    QGuiApplication::clipboard()->setText(pasted);
    setText(QStringLiteral("[]"), 1, 1);
    QTest::keySequence(text(), QKeySequence::Paste);
    QCOMPARE(text()->toPlainText(), u'[' + pasted + u']');
    // A word that long wraps at any character; ordinary text at words.
    QCOMPARE(text()->wordWrapMode() == QTextOption::WrapAnywhere, longWord);

    // Searching and copying it all back give the same text.
    QVERIFY(press(QKeySequence(QStringLiteral("Ctrl+F")), QStringLiteral("]")).isEmpty());
    QCOMPARE(selectionStart(), int(pasted.size()) + 1);
    setText(text()->toPlainText(), 1, int(pasted.size()) + 1);
    QTest::keySequence(text(), QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), pasted);
}

QTEST_MAIN(TestEdit)
#include "tst_frmedit.moc"
