#include "textboxaccessible.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

QTextBoundaryFinder::BoundaryType finderType(QAccessible::TextBoundaryType boundaryType)
{
    switch (boundaryType) {
    case QAccessible::WordBoundary:
        return QTextBoundaryFinder::Word;
    case QAccessible::SentenceBoundary:
        return QTextBoundaryFinder::Sentence;
    default:
        return QTextBoundaryFinder::Grapheme;
    }
}

// The character, word or sentence that holds offset, as [start, end). An
// offset at the end stands for the last unit, so that every offset has one;
// an empty text has none.
std::pair<int, int> unitOfText(const QString &text, int offset, QAccessible::TextBoundaryType boundaryType)
{
    const int length = int(text.size());
    if (length == 0)
        return {0, 0};
    const int at = std::clamp(offset, 0, length - 1);
    QTextBoundaryFinder finder(finderType(boundaryType), text);
    finder.setPosition(at);
    const qsizetype start = finder.isAtBoundary() ? at : finder.toPreviousBoundary();
    finder.setPosition(at);
    const qsizetype end = finder.toNextBoundary();
    return {int(std::max<qsizetype>(start, 0)), end < 0 ? length : int(end)};
}

// The text of unit, with its offsets given back through start and end.
QString textOf(const QString &text, std::pair<int, int> unit, int *startOffset, int *endOffset)
{
    *startOffset = unit.first;
    *endOffset = unit.second;
    return text.mid(unit.first, unit.second - unit.first);
}

} // namespace

TextBoxAccessible::TextBoxAccessible(QLineEdit *lineEdit)
    : QAccessibleWidget(lineEdit, QAccessible::EditableText)
{ }

TextBoxAccessible::TextBoxAccessible(QPlainTextEdit *document)
    : QAccessibleWidget(document, QAccessible::EditableText)
{ }

QAccessibleInterface *TextBoxAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit"))
        return new TextBoxAccessible(static_cast<QLineEdit *>(object));
    if (className == QLatin1String("QPlainTextEdit"))
        return new TextBoxAccessible(static_cast<QPlainTextEdit *>(object));
    return nullptr;
}

QLineEdit *TextBoxAccessible::lineEdit() const
{
    return qobject_cast<QLineEdit *>(widget());
}

QPlainTextEdit *TextBoxAccessible::document() const
{
    return qobject_cast<QPlainTextEdit *>(widget());
}

// What the box shows: a password box shows its mask, not its text.
QString TextBoxAccessible::shown() const
{
    return lineEdit() ? lineEdit()->displayText() : document()->toPlainText();
}

// The selection as [start, end), empty where nothing is selected.
std::pair<int, int> TextBoxAccessible::selected() const
{
    if (QLineEdit *box = lineEdit())
        return box->hasSelectedText() ? std::pair{box->selectionStart(), box->selectionEnd()} : std::pair{0, 0};
    const QTextCursor cursor = document()->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}

// The unit of text (what the box shows) that holds offset. A line edit's
// line is its whole text, a document's the line of its layout, or the
// paragraph where it has none; with a selection, the line at an offset
// within it is the selection.
std::pair<int, int> TextBoxAccessible::unitAt(const QString &text, int offset,
                                              QAccessible::TextBoundaryType boundaryType) const
{
    const bool line = boundaryType == QAccessible::LineBoundary;
    const bool whole = boundaryType == QAccessible::ParagraphBoundary || boundaryType == QAccessible::NoBoundary;
    if (!line && !whole)
        return unitOfText(text, offset, boundaryType);
    const auto [selectionStart, selectionEnd] = selected();
    if (line && selectionStart < selectionEnd && offset >= selectionStart && offset <= selectionEnd)
        return {selectionStart, selectionEnd};
    if (lineEdit() || boundaryType == QAccessible::NoBoundary)
        return {0, int(text.size())};
    QTextCursor cursor(document()->document());
    cursor.setPosition(std::clamp(offset, 0, int(text.size())));
    const QTextBlock block = cursor.block();
    const QTextLayout *layout = block.layout();
    const QTextLine shownLine = line && layout ? layout->lineForTextPosition(cursor.positionInBlock()) : QTextLine();
    if (!shownLine.isValid())
        return {block.position(), block.position() + block.length() - 1};
    const int start = block.position() + shownLine.textStart();
    return {start, start + shownLine.textLength()};
}

QAccessible::State TextBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const bool readOnly = lineEdit() ? lineEdit()->isReadOnly() : document()->isReadOnly();
    state.editable = !readOnly;
    state.readOnly = readOnly;
    state.selectableText = true;
    state.passwordEdit = lineEdit() && lineEdit()->echoMode() != QLineEdit::Normal;
    state.multiLine = document() != nullptr;
    return state;
}

QString TextBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return shown();
    return QAccessibleWidget::text(t);
}

void *TextBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TextBoxAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0)
        std::tie(*startOffset, *endOffset) = selected();
}

int TextBoxAccessible::selectionCount() const
{
    const auto [start, end] = selected();
    return start < end ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        setCursorPosition(cursorPosition());
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    if (QLineEdit *box = lineEdit()) {
        box->setSelection(startOffset, endOffset - startOffset);
        return;
    }
    QTextCursor cursor = document()->textCursor();
    cursor.setPosition(std::clamp(startOffset, 0, characterCount()));
    cursor.setPosition(std::clamp(endOffset, 0, characterCount()), QTextCursor::KeepAnchor);
    document()->setTextCursor(cursor);
}

int TextBoxAccessible::cursorPosition() const
{
    return lineEdit() ? lineEdit()->cursorPosition() : document()->textCursor().position();
}

void TextBoxAccessible::setCursorPosition(int position)
{
    if (QLineEdit *box = lineEdit()) {
        box->setCursorPosition(position);
        return;
    }
    QTextCursor cursor = document()->textCursor();
    cursor.setPosition(std::clamp(position, 0, characterCount()));
    document()->setTextCursor(cursor);
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    const QString text = shown();
    const int start = std::clamp(startOffset, 0, int(text.size()));
    const int end = endOffset < 0 ? int(text.size()) : std::clamp(endOffset, start, int(text.size()));
    return text.mid(start, end - start);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                        int *endOffset) const
{
    const QString text = shown();
    return textOf(text, unitAt(text, offset, boundaryType), startOffset, endOffset);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                            int *endOffset) const
{
    const QString text = shown();
    const int start = unitAt(text, offset, boundaryType).first;
    const auto before = start == 0 ? std::pair{0, 0} : unitAt(text, start - 1, boundaryType);
    return textOf(text, before, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                           int *endOffset) const
{
    const QString text = shown();
    const int length = int(text.size());
    // A document's paragraph or line ends before its line break; the next
    // one starts after it.
    int end = unitAt(text, offset, boundaryType).second;
    if (end < length && text.at(end) == u'\n' && boundaryType != QAccessible::CharBoundary)
        ++end;
    const auto after = end >= length ? std::pair{length, length} : unitAt(text, end, boundaryType);
    return textOf(text, after, startOffset, endOffset);
}

// Counted without copying the text: a document's count has its last
// paragraph's end too.
int TextBoxAccessible::characterCount() const
{
    return lineEdit() ? int(lineEdit()->displayText().size()) : document()->document()->characterCount() - 1;
}

QRect TextBoxAccessible::characterRect(int) const
{
    return QRect();
}

int TextBoxAccessible::offsetAtPoint(const QPoint &point) const
{
    if (QLineEdit *box = lineEdit())
        return box->cursorPositionAt(box->mapFromGlobal(point));
    return document()->cursorForPosition(document()->viewport()->mapFromGlobal(point)).position();
}

void TextBoxAccessible::scrollToSubstring(int, int endIndex)
{
    setCursorPosition(endIndex);
    if (document())
        document()->ensureCursorVisible();
}

QString TextBoxAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}
