#include "hostapplication.h"

#include <tovrell/tovrell.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QGuiApplication>
#include <QThread>

#include <glib.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <dlfcn.h>
#include <errno.h>
#include <mutex>
#include <sys/epoll.h>
#include <unistd.h>
#include <vector>

namespace HostApplication {

namespace {

QApplication *made = nullptr;
int wakeUp = -1;
std::vector<int> watched;

// The arguments of the application the library makes: the program's name
// and the platform it was found to start on. Qt keeps them to the end.
QByteArray platform;
char platformOption[] = "-platform";
char *arguments[] = {program_invocation_name, platformOption, nullptr, nullptr};
int argumentCount = 3;

// Keeps the library loaded once Qt holds code of it (its widgets' classes,
// its handlers): a dlclose would leave the application calling into
// nothing. It stays until the process ends.
void stayLoaded()
{
    Dl_info self{};
    if (dladdr(reinterpret_cast<const void *>(&stayLoaded), &self) && self.dli_fname)
        dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

// Whether an X server answers at DISPLAY: Qt's X11 platform aborts the
// process where none does, so the library asks first.
bool x11ServerAnswers()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool answers = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return answers;
}

// The platform the library's application starts on: none, without a
// window system, where QT_QPA_PLATFORM asks for that or the first control
// is windowless; else X11, where a server answers, whatever else
// QT_QPA_PLATFORM names: the host's windows are X11 windows, and a Wayland
// connection of the library's own could show nothing inside them. Empty
// where no platform can start.
QByteArray platformThatStarts(bool windowless)
{
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    if (asked == "offscreen" || asked == "minimal")
        return asked;
    if (windowless)
        return QByteArrayLiteral("offscreen");
    return x11ServerAnswers() ? QByteArrayLiteral("xcb") : QByteArray();
}

HRESULT makeApplication(bool windowless)
{
    platform = platformThatStarts(windowless);
    if (platform.isEmpty())
        return TOVRELL_E_NODISPLAY;
    arguments[2] = platform.data();
    made = new QApplication(argumentCount, arguments);
    stayLoaded();
    return S_OK;
}

bool glibLoop()
{
    const auto *dispatcher = QAbstractEventDispatcher::instance();
    return dispatcher && dispatcher->inherits("QEventDispatcherGlib");
}

std::uint32_t epollEventsOf(gushort events)
{
    return (events & G_IO_IN ? EPOLLIN : 0u) | (events & G_IO_OUT ? EPOLLOUT : 0u)
        | (events & G_IO_PRI ? EPOLLPRI : 0u);
}

// Makes the wake-up descriptor watch exactly the descriptors GLib polls.
// A descriptor closed since the last call dropped out of the set by
// itself, and its number may be another file's now: each is modified, or
// added where the set no longer has it.
void watch(const std::vector<GPollFD> &descriptors)
{
    std::vector<int> now;
    for (const GPollFD &descriptor : descriptors) {
        epoll_event event{};
        event.events = epollEventsOf(descriptor.events);
        event.data.fd = descriptor.fd;
        if (epoll_ctl(wakeUp, EPOLL_CTL_MOD, descriptor.fd, &event) != 0 && errno == ENOENT)
            epoll_ctl(wakeUp, EPOLL_CTL_ADD, descriptor.fd, &event);
        now.push_back(descriptor.fd);
    }
    for (int fd : watched) {
        if (std::find(now.begin(), now.end(), fd) == now.end())
            epoll_ctl(wakeUp, EPOLL_CTL_DEL, fd, nullptr);
    }
    watched = std::move(now);
}

} // namespace

HRESULT ensure(bool windowless)
{
    static std::mutex making;
    {
        const std::lock_guard lock(making);
        if (!QCoreApplication::instance()) {
            if (const HRESULT started = makeApplication(windowless); FAILED(started))
                return started;
        }
    }
    const QCoreApplication *application = QCoreApplication::instance();
    const bool drawsAtAll = qobject_cast<const QGuiApplication *>(application);
    if (!drawsAtAll || (!windowless && !qobject_cast<const QApplication *>(application)))
        return CO_E_NOTINITIALIZED;
    if (QThread::currentThread() != application->thread())
        return RPC_E_WRONG_THREAD;
    return S_OK;
}

bool onX11()
{
    return QGuiApplication::platformName() == u"xcb";
}

void wake()
{
    if (wakeUp >= 0)
        g_main_context_wakeup(g_main_context_default());
}

namespace {

// Whether the loop calls can run here and now.
HRESULT loopUsable()
{
    const QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return CO_E_NOTINITIALIZED;
    if (QThread::currentThread() != application->thread())
        return RPC_E_WRONG_THREAD;
    return glibLoop() ? S_OK : E_NOTIMPL;
}

// GLib's own iteration, taken apart so that what it would wait for is
// known: prepare, query, look without waiting, check, dispatch; again while
// something was ready, a few times at most. Answers the milliseconds GLib
// would wait.
int runGlibRounds()
{
    GMainContext *context = g_main_context_default();
    if (!g_main_context_acquire(context))
        return 0;
    std::vector<GPollFD> descriptors(8);
    gint count = 0;
    gint timeout = -1;
    for (int round = 0; round < 8; ++round) {
        gint priority = 0;
        g_main_context_prepare(context, &priority);
        while ((count = g_main_context_query(context, priority, &timeout, descriptors.data(), gint(descriptors.size())))
               > gint(descriptors.size()))
            descriptors.resize(std::size_t(count));
        g_poll(descriptors.data(), guint(count), 0);
        if (!g_main_context_check(context, priority, descriptors.data(), count))
            break;
        g_main_context_dispatch(context);
        timeout = 0;
    }
    g_main_context_release(context);
    descriptors.resize(std::size_t(count));
    if (wakeUp >= 0)
        watch(descriptors);
    return timeout;
}

} // namespace

HRESULT wakeDescriptor(std::int32_t *descriptor)
{
    if (const HRESULT usable = loopUsable(); FAILED(usable))
        return usable;
    if (wakeUp < 0) {
        wakeUp = epoll_create1(EPOLL_CLOEXEC);
        if (wakeUp < 0)
            return E_FAIL;
        // The set starts as what GLib waits on; the round does no work
        // from within a dispatch, where the host should not be calling.
        if (g_main_depth() == 0)
            runGlibRounds();
    }
    *descriptor = wakeUp;
    return S_OK;
}

HRESULT runPendingWork(std::int32_t *nextMilliseconds)
{
    if (const HRESULT usable = loopUsable(); FAILED(usable))
        return usable;
    // Within a dispatch GLib runs the work itself; a round from here would
    // run handlers inside handlers.
    if (g_main_depth() > 0)
        return E_ILLEGAL_METHOD_CALL;
    *nextMilliseconds = runGlibRounds();
    return S_OK;
}

void end()
{
    if (wakeUp >= 0)
        close(wakeUp);
    wakeUp = -1;
}

} // namespace HostApplication
