#pragma once

#include <QObject>
#include <QString>

class QTextDocument;

// The text of a document kept as one string, with its line breaks as "\n",
// and kept current as the document changes: Find and Find Next search it
// without copying a long text at every search.
class DocumentText : public QObject
{
    Q_OBJECT

public:
    explicit DocumentText(QTextDocument *document, QObject *parent = nullptr);

    const QString &text() const { return m_text; }

private:
    void update(int position, int removed, int added);
    void reload();

    QTextDocument *m_document;
    QString m_text;
};

// A document's text with its paragraph and line separators as "\n".
QString plainText(QString text);
