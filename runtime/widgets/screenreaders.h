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

// Tells screen readers the current item of a list or other item view as the
// view takes the focus. Qt tells them only of the view, and they then say
// the list and how many items it has, but not the item the user is on.
// Installed once for the whole program.
void tellCurrentItemOnFocus();
