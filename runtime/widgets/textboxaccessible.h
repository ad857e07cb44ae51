#pragma once

#include <QAccessibleWidget>

class QLineEdit;
class QPlainTextEdit;

// A text box as screen readers read it, a line edit or a plain text
// document: its text, caret and selection through the accessible text
// interface. Qt 6.4's own interface for a line edit stops answering when
// asked for the word or character at the end of the text, where the caret
// of a box whose text was just selected stands, and Orca then waits for it
// and drops what it was about to say. And Orca says the line at the caret,
// then "selected" whenever anything is selected: after a document's text
// was found and selected, it would say the whole line as if selected. Here,
// with a selection, the line at an offset within it is the selection.
class TextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TextBoxAccessible(QLineEdit *lineEdit);
    explicit TextBoxAccessible(QPlainTextEdit *document);

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    QLineEdit *lineEdit() const;
    QPlainTextEdit *document() const;
    QString shown() const;
    std::pair<int, int> selected() const;
    std::pair<int, int> unitAt(const QString &text, int offset, QAccessible::TextBoundaryType boundaryType) const;
};
