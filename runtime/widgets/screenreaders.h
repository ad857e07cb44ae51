#pragma once

#include <QWidget>

class QAccessibleInterface;

// Tells screen readers a piece of news without moving the focus: an object
// of the notification role, with the news as its name, shown for each piece
// of news. Screen readers such as Orca speak a notification as it appears;
// they do not speak a change of a name or a description. It takes no space
// and draws nothing.
class Notice : public QWidget
{
    Q_OBJECT

public:
    explicit Notice(QWidget *parent);

    // Says news now, or, while a box or dialog is over the window, once the
    // window is active again: a screen reader first tells where the focus
    // has come back to, which would cut short news said before.
    void say(const QString &news);

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool waiting() const;
};

// Gives screen readers new objects for a widget and its children that were
// just shown. Qt tells them only that a widget shown is now showing, so one
// that they read while it was hidden stays not visible to them, and they
// skip it; new objects are read afresh.
void renewForScreenReaders(QWidget *widget);

// Installs what the programs' windows need for screen readers, for the
// whole process and once, however often it is called: the accessible
// interfaces of plain windows, text boxes, option groups and notices, the
// current item of a list told as the list takes the focus, and the keyboard
// given back from a menu bar left with Escape.
void installScreenReaderSupport();

// Tells screen readers news of the window, wherever the focus is, through
// the window's notice (made at the first news).
void tellScreenReaders(QWidget *window, const QString &news);
