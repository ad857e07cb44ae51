#include "lineeditaccessible.h"

#include <QLineEdit>
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

// The unit of text (character, word or sentence; a line is the whole text)
// that holds offset, as [start, end). An offset at the end stands for the
// last unit, so that every offset has one; an empty text has none.
std::pair<int, int> unitAt(const QString &text, int offset, QAccessible::TextBoundaryType boundaryType)
{
    const int length = int(text.size());
    if (length == 0)
        return {0, 0};
    if (boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary
        || boundaryType == QAccessible::NoBoundary)
        return {0, length};
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

LineEditAccessible::LineEditAccessible(QLineEdit *lineEdit)
    : QAccessibleWidget(lineEdit, QAccessible::EditableText)
{ }

QAccessibleInterface *LineEditAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit"))
        return new LineEditAccessible(static_cast<QLineEdit *>(object));
    return nullptr;
}

QLineEdit *LineEditAccessible::lineEdit() const
{
    return static_cast<QLineEdit *>(widget());
}

// What the box shows: a password box shows its mask, not its text.
QString LineEditAccessible::shown() const
{
    return lineEdit()->displayText();
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !lineEdit()->isReadOnly();
    state.readOnly = lineEdit()->isReadOnly();
    state.selectableText = true;
    state.passwordEdit = lineEdit()->echoMode() != QLineEdit::Normal;
    return state;
}

QString LineEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return shown();
    return QAccessibleWidget::text(t);
}

void *LineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void LineEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !lineEdit()->hasSelectedText())
        return;
    *startOffset = lineEdit()->selectionStart();
    *endOffset = lineEdit()->selectionEnd();
}

int LineEditAccessible::selectionCount() const
{
    return lineEdit()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        lineEdit()->deselect();
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        lineEdit()->setSelection(startOffset, endOffset - startOffset);
}

int LineEditAccessible::cursorPosition() const
{
    return lineEdit()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position)
{
    lineEdit()->setCursorPosition(position);
}

QString LineEditAccessible::text(int startOffset, int endOffset) const
{
    const QString text = shown();
    const int start = std::clamp(startOffset, 0, int(text.size()));
    const int end = endOffset < 0 ? int(text.size()) : std::clamp(endOffset, start, int(text.size()));
    return text.mid(start, end - start);
}

QString LineEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                         int *endOffset) const
{
    const QString text = shown();
    return textOf(text, unitAt(text, offset, boundaryType), startOffset, endOffset);
}

QString LineEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                             int *endOffset) const
{
    const QString text = shown();
    const int start = unitAt(text, offset, boundaryType).first;
    const auto before = start == 0 ? std::pair{0, 0} : unitAt(text, start - 1, boundaryType);
    return textOf(text, before, startOffset, endOffset);
}

QString LineEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                            int *endOffset) const
{
    const QString text = shown();
    const int length = int(text.size());
    const int end = unitAt(text, offset, boundaryType).second;
    const auto after = end >= length ? std::pair{length, length} : unitAt(text, end, boundaryType);
    return textOf(text, after, startOffset, endOffset);
}

int LineEditAccessible::characterCount() const
{
    return int(shown().size());
}

QRect LineEditAccessible::characterRect(int) const
{
    return QRect();
}

int LineEditAccessible::offsetAtPoint(const QPoint &point) const
{
    return lineEdit()->cursorPositionAt(lineEdit()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int, int endIndex)
{
    lineEdit()->setCursorPosition(endIndex);
}

QString LineEditAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}
