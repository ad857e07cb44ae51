#pragma once

#include "ui_frmedit.h"

#include <QMainWindow>
// Named here as well as in the generated form, so that moc reads the same
// declarations whether or not uic has written the form yet: builds are
// reproducible.
#include <QPlainTextEdit>

class DocumentText;

// The editor window: one text box filling the window, the clipboard
// commands, and Find / Find Next ignoring case. The File menu's items other
// than Exit do nothing.
class frmEdit : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmEdit(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString selText() const;
    void setSelText(const QString &text);
    void select(qsizetype start, qsizetype length);
    void enableCutAndCopy();
    void enablePaste();
    void wrapLongWordsAnywhere(int position, int removed, int added);

    void mnuFileExit_Click();
    void mnuEdit_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();

    Ui::frmEdit ui;
    DocumentText *m_documentText;
    QString strSearch;
};
