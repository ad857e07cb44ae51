// The find text kept current through edits, undo and redo, and InStr over
// it: the kept text always equals the document's, and InStr finds the
// first occurrence that a plain scan finds.

#include "documenttext.h"
#include "fuzzinput.h"
#include "instr.h"
#include "runtimeerror.h"

#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The first position at or after start (1-based) where sought matches,
// compared code unit by code unit; 0 for none.
qsizetype scan(qsizetype start, const QString &text, const QString &sought, Qt::CaseSensitivity sensitivity)
{
    for (qsizetype at = start - 1; at + sought.size() <= text.size(); ++at) {
        if (QStringView(text).mid(at, sought.size()).compare(sought, sensitivity) == 0)
            return at + 1;
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    startApplication();
    FuzzInput in(data, size);
    // The document as Edit's text box has it.
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    DocumentText kept(&document);
    document.setPlainText(in.text(128));
    for (int step = 0; step < 16 && !in.atEnd(); ++step) {
        QTextCursor cursor(&document);
        const int length = document.characterCount() - 1;
        cursor.setPosition(in.take<std::uint16_t>() % (length + 1));
        cursor.setPosition(in.take<std::uint16_t>() % (length + 1), QTextCursor::KeepAnchor);
        switch (in.choose(5)) {
        case 0:
            cursor.insertText(in.text(16));
            break;
        case 1:
            cursor.removeSelectedText();
            break;
        case 2:
            document.undo();
            break;
        case 3:
            document.redo();
            break;
        case 4:
            cursor.insertBlock();
            break;
        }
        if (kept.text() != plainText(document.toRawText()))
            checkFailed("the kept text differs from the document's");
    }

    const QString sought = in.text(8);
    const qsizetype start = 1 + in.take<std::uint16_t>() % (kept.text().size() + 2);
    const qsizetype found = InStr(start, kept.text(), sought, Compare::Binary);
    if (!sought.isEmpty() && start <= kept.text().size()
        && found != scan(start, kept.text(), sought, Qt::CaseSensitive))
        checkFailed("InStr disagrees with a plain scan");
    const qsizetype foundIgnoringCase = InStr(start, kept.text(), sought, Compare::Text);
    if (foundIgnoringCase > 0
        && QStringView(kept.text()).mid(foundIgnoringCase - 1, sought.size()).compare(sought, Qt::CaseInsensitive) != 0)
        checkFailed("InStr ignoring case found what does not match");
    return 0;
}
