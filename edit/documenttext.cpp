#include "documenttext.h"

#include <QTextCursor>
#include <QTextDocument>

QString plainText(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

DocumentText::DocumentText(QTextDocument *document, QObject *parent)
    : QObject(parent)
    , m_document(document)
{
    connect(document, &QTextDocument::contentsChange, this, &DocumentText::update);
    reload();
}

// Replaces only what changed: typing in a long text copies no more of it
// than the string's own move of its tail.
void DocumentText::update(int position, int removed, int added)
{
    const qsizetype length = m_document->characterCount() - 1;
    if (position < 0 || position > m_text.size()) {
        reload();
        return;
    }
    QTextCursor cursor(m_document);
    cursor.setPosition(position);
    cursor.setPosition(int(std::min<qsizetype>(position + added, length)), QTextCursor::KeepAnchor);
    m_text.replace(position, std::min<qsizetype>(removed, m_text.size() - position), plainText(cursor.selectedText()));
    // A change that reached the document's final separator reports one
    // character more than the text holds; read it afresh then.
    if (m_text.size() != length)
        reload();
}

void DocumentText::reload()
{
    m_text = plainText(m_document->toRawText());
}
