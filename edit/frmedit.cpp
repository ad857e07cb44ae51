#include "frmedit.h"

#include "documenttext.h"
#include "handlerguard.h"
#include "instr.h"
#include "messagebox.h"
#include "screenreaders.h"
#include "twips.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QTextBlock>

namespace {

// The designed inner area, below the menu bar.
constexpr int innerWidthTwips = 6630;
constexpr int innerHeightTwips = 3915;

QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}

} // namespace

frmEdit::frmEdit(QWidget *parent)
    : QMainWindow(parent)
{
    ui.setupUi(this);
    m_documentText = new DocumentText(ui.txtEdit->document(), this);
    // The text box is the central widget, so the window's layout keeps it
    // filling the inner area exactly at every resize.
    resize(pixelsFromTwips(innerWidthTwips), pixelsFromTwips(innerHeightTwips) + ui.menuBar->sizeHint().height());

    connect(ui.mnuFileExit, &QAction::triggered, this, guarded(this, &frmEdit::mnuFileExit_Click));
    connect(ui.mnuEdit, &QMenu::aboutToShow, this, guarded(this, &frmEdit::mnuEdit_Click));
    connect(ui.mnuEditCut, &QAction::triggered, this, guarded(this, &frmEdit::mnuEditCut_Click));
    connect(ui.mnuEditCopy, &QAction::triggered, this, guarded(this, &frmEdit::mnuEditCopy_Click));
    connect(ui.mnuEditPaste, &QAction::triggered, this, guarded(this, &frmEdit::mnuEditPaste_Click));
    connect(ui.mnuEditFind, &QAction::triggered, this, guarded(this, &frmEdit::mnuEditFind_Click));
    connect(ui.mnuEditFindNext, &QAction::triggered, this, guarded(this, &frmEdit::mnuEditFindNext_Click));

    // Cut, Copy and Paste also follow the selection and the clipboard as
    // they change, so a shortcut never acts on what the menu last saw.
    connect(ui.txtEdit, &QPlainTextEdit::selectionChanged, this, &frmEdit::enableCutAndCopy);
    connect(clipboard(), &QClipboard::dataChanged, this, &frmEdit::enablePaste);
    connect(ui.txtEdit->document(), &QTextDocument::contentsChange, this, &frmEdit::wrapLongWordsAnywhere);
    enableCutAndCopy();
    // Reading the clipboard may wait on another program: not before the
    // window is first painted.
    QMetaObject::invokeMethod(this, &frmEdit::enablePaste, Qt::QueuedConnection);

    ui.txtEdit->installEventFilter(this);
}

QString frmEdit::selText() const
{
    return plainText(ui.txtEdit->textCursor().selectedText());
}

void frmEdit::setSelText(const QString &text)
{
    ui.txtEdit->textCursor().insertText(text);
}

void frmEdit::select(qsizetype start, qsizetype length)
{
    QTextCursor cursor(ui.txtEdit->document());
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    ui.txtEdit->setTextCursor(cursor);
}

void frmEdit::enableCutAndCopy()
{
    const bool selected = !selText().isEmpty();
    ui.mnuEditCut->setEnabled(selected);
    ui.mnuEditCopy->setEnabled(selected);
}

void frmEdit::enablePaste()
{
    ui.mnuEditPaste->setEnabled(!clipboard()->text().isEmpty());
}

// Wrapping at word boundaries lays out a line in time that grows with the
// square of its longest word: a pasted megabyte without a blank would hang
// the window. Once a word that long arrives, lines wrap at any character.
void frmEdit::wrapLongWordsAnywhere(int position, int, int added)
{
    constexpr qsizetype longestWordWrapped = 4096;
    if (ui.txtEdit->wordWrapMode() == QTextOption::WrapAnywhere)
        return;
    const QTextDocument *document = ui.txtEdit->document();
    const QTextBlock last = document->findBlock(position + added);
    for (QTextBlock block = document->findBlock(position); block.isValid(); block = block.next()) {
        if (block.length() > longestWordWrapped) {
            qsizetype run = 0;
            for (const QChar c : block.text()) {
                run = c.isSpace() ? 0 : run + 1;
                if (run > longestWordWrapped) {
                    ui.txtEdit->setWordWrapMode(QTextOption::WrapAnywhere);
                    return;
                }
            }
        }
        if (block == last)
            break;
    }
}

void frmEdit::mnuFileExit_Click()
{
    close();
}

void frmEdit::mnuEdit_Click()
{
    enableCutAndCopy();
    enablePaste();
}

void frmEdit::mnuEditCut_Click()
{
    clipboard()->clear();
    clipboard()->setText(selText());
    setSelText(QString());
}

void frmEdit::mnuEditCopy_Click()
{
    clipboard()->clear();
    clipboard()->setText(selText());
}

void frmEdit::mnuEditPaste_Click()
{
    setSelText(clipboard()->text());
}

void frmEdit::mnuEditFind_Click()
{
    strSearch = InputBox(tr("Find what?"), tr("Find"));
    const qsizetype found = InStr(1, m_documentText->text(), strSearch, Compare::Text);
    if (found != 0) {
        select(found - 1, strSearch.size());
        tellScreenReaders(this, selText());
    } else {
        MsgBox(tr("The search string was not found."), 64, tr("Find"));
    }
}

void frmEdit::mnuEditFindNext_Click()
{
    // One character after the start of the selection, not after its end, so
    // occurrences may overlap.
    const qsizetype start = qsizetype(ui.txtEdit->textCursor().selectionStart()) + 2;
    const qsizetype found = InStr(start, m_documentText->text(), strSearch, Compare::Text);
    if (found != 0) {
        select(found - 1, strSearch.size());
        tellScreenReaders(this, selText());
    } else {
        MsgBox(tr("The search has been completed."), 64, tr("Find Next"));
    }
}

// The menus' shortcuts win over the text box's own keys while their item is
// enabled: Ctrl+A is Save As, not Select All, and Ctrl+X, Ctrl+C and Ctrl+V
// run the menu's handlers.
bool frmEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.txtEdit && event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : findChildren<QAction *>()) {
            if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
