#include "messagebox.h"

#include "program.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <utility>
#include <vector>

namespace {

QString titleOrProgramName(const QString &title)
{
    return title.isEmpty() ? programName() : title;
}

QMessageBox::Icon iconOfStyle(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons of a style, each with the value MsgBox returns for it.
std::vector<std::pair<QMessageBox::StandardButton, int>> buttonsOfStyle(int style)
{
    switch (style & 0x7) {
    case 1:
        return {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
    case 2:
        return {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
    case 3:
        return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
    case 4:
        return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
    case 5:
        return {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
    default:
        return {{QMessageBox::Ok, 1}};
    }
}

// The window a box belongs to: the active one, or where a box has just
// closed and the activation is not back yet (it comes asynchronously), the
// program's shown window.
QWidget *ownerWindow()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window)
            return window;
    }
    return nullptr;
}

// Keeps a key held down as a box opens (the Return that answered the box
// before it, say) from answering the box too: while it repeats, it presses
// none of the box's buttons, and the box stays to be read. A repeat is a
// press marked as one, or one at the very time of the release before it
// (how X repeats a key, which Qt does not always mark when events queue).
// While an assistive technology listens, Qt's accessibility bridge takes
// each key event as it reaches the box's window, before any widget sees it,
// and later posts a copy without its timestamp (0). So the filter judges
// the original at the window, where a repeat is dropped before the bridge
// takes it, and a copy by its repeat mark alone; a copy's time is never
// remembered. Remembering it made every fresh press match the release
// before it: a box Return could not close.
class HeldKeys : public QObject
{
public:
    explicit HeldKeys(QWidget *box)
        : QObject(box)
        , m_box(box)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!inBox(watched) || !answers(key->key()))
            return false;
        const bool timed = key->timestamp() != 0;
        if (event->type() == QEvent::KeyRelease) {
            if (timed)
                m_released = {key->key(), key->timestamp()};
            return false;
        }
        return key->isAutoRepeat() || (timed && m_released == std::pair{key->key(), key->timestamp()});
    }

private:
    bool inBox(QObject *watched) const
    {
        if (auto *widget = qobject_cast<QWidget *>(watched))
            return widget->window() == m_box;
        return watched == m_box->windowHandle();
    }

    static bool answers(int key)
    {
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space;
    }

    QWidget *m_box;
    std::pair<int, quint64> m_released{0, 0};
};

} // namespace

void reactivate(QWidget *window)
{
    if (window && window->isVisible())
        window->activateWindow();
}

int MsgBox(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(iconOfStyle(style), titleOrProgramName(title), prompt, QMessageBox::NoButton, ownerWindow());
    const auto buttons = buttonsOfStyle(style);
    for (const auto &[button, value] : buttons)
        box.addButton(button);
    const std::size_t defaultIndex = std::size_t((style >> 8) & 0x3);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].first);
    if (buttons.size() == 1)
        box.setEscapeButton(buttons.front().first);

    new HeldKeys(&box);
    box.exec();
    reactivate(box.parentWidget());
    const auto pressed = box.standardButton(box.clickedButton());
    for (const auto &[button, value] : buttons) {
        if (button == pressed)
            return value;
    }
    // Closed without a button (Escape or the title bar): Cancel where there
    // is one, the only button otherwise.
    for (const auto &[button, value] : buttons) {
        if (button == QMessageBox::Cancel)
            return value;
    }
    return buttons.front().second;
}

QString InputBox(const QString &prompt, const QString &title, const QString &text)
{
    QInputDialog dialog(ownerWindow());
    dialog.setWindowTitle(titleOrProgramName(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    new HeldKeys(&dialog);
    const int result = dialog.exec();
    reactivate(dialog.parentWidget());
    if (result != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}
