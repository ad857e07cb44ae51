#include "program.h"

#include "numbers.h"
#include "screenreaders.h"
#include "twips.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// Writes the time of the window's first paint, once that paint has been
// delivered and flushed to the screen.
class FirstPaintReporter : public QObject
{
public:
    explicit FirstPaintReporter(QWidget *window)
        : QObject(window)
        , m_window(window)
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

QString &nameOfProgram()
{
    static QString name;
    return name;
}

// Installs the catalog of the user's language from a folder, if there is one.
// English is the source language and has none.
void installTranslation(const QString &catalog, const QString &folder)
{
    auto *translator = new QTranslator(qApp);
    if (translator->load(QLocale(), catalog, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void setUpProgram(const char *name, const char *version, const char *desktopId)
{
    nameOfProgram() = QString::fromLatin1(name);
    // The window's class (WM_CLASS on X11) is the application name, and its
    // application id (Wayland) the desktop file name: both are the id.
    QApplication::setApplicationName(QString::fromLatin1(desktopId));
    QApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    QApplication::setApplicationVersion(QString::fromLatin1(version));
    // Qt's own texts (dialog buttons), the runtime's boxes and the program's
    // window, all in the same language.
    installTranslation(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installTranslation(QStringLiteral("formruntime"), QStringLiteral(":/i18n"));
    installTranslation(nameOfProgram().toLower(), QStringLiteral(":/i18n"));
    // "Sans Serif" in the layouts names the default control font, which each
    // window sets for its own controls (8 points), so that a desktop's font
    // does not reach, and clip, their captions. Liberation Sans has the
    // metrics the layouts were measured with.
    QFont::insertSubstitution(QStringLiteral("Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/program.ico")));
    installScreenReaderSupport();
}

QString programName()
{
    return nameOfProgram();
}

int runProgram(QWidget &window)
{
    if (qEnvironmentVariableIsSet("FORM_REPORT_FIRST_PAINT"))
        new FirstPaintReporter(&window);
    window.show();
    // A desktop activates a new window itself; on a bare X server (a kiosk)
    // the window takes the keyboard itself, once it is mapped.
    window.activateWindow();
    return QApplication::exec();
}

void End()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void centreOnScreen(QWidget *window)
{
    // The platform window is made now so that its frame is known where the
    // platform can tell it before the window is mapped.
    window->winId();
    const QRect screen = window->screen()->geometry();
    const QRect outer = window->frameGeometry();
    const float left = divideSingle(float(twipsFromPixels(screen.width()) - twipsFromPixels(outer.width())), 2.0f);
    const float top = divideSingle(float(twipsFromPixels(screen.height()) - twipsFromPixels(outer.height())), 2.0f);
    window->move(screen.x() + pixelsFromTwips(left), screen.y() + pixelsFromTwips(top));
}
