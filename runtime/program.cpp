#include "program.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace {

// Writes the time of the window's first paint, once that paint has been
// delivered and flushed to the screen.
class FirstPaintReporter : public QObject
{
public:
    explicit FirstPaintReporter(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, &FirstPaintReporter::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report()
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-paint %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
    }

    QWidget *m_window;
};

} // namespace

void setUpProgram(const char *name, const char *version)
{
    QApplication::setApplicationName(QString::fromLatin1(name));
    QApplication::setApplicationVersion(QString::fromLatin1(version));
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 8));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/program.ico")));
}

int runProgram(QWidget &window)
{
    if (qEnvironmentVariableIsSet("FORM_REPORT_FIRST_PAINT"))
        new FirstPaintReporter(&window);
    window.show();
    return QApplication::exec();
}
