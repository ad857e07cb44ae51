#include "hostapplication.h"

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

// The arguments of the application the library makes: the program's name,
// and where the host runs on X11, Qt's X11 platform, whatever else Qt would
// prefer: the host's windows are X11 windows.
int argumentCount = 1;
char platformOption[] = "-platform";
char x11Platform[] = "xcb";
char *arguments[] = {program_invocation_name, platformOption, x11Platform, nullptr};

// Keeps the library loaded once Qt holds code of it (its widgets' classes,
// its handlers): a dlclose would leave the application calling into
// nothing. It stays until the process ends.
void stayLoaded()
{
    Dl_info self{};
    if (dladdr(reinterpret_cast<const void *>(&stayLoaded), &self) && self.dli_fname)
        dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

void makeApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        argumentCount = 3;
    made = new QApplication(argumentCount, arguments);
    stayLoaded();
}

bool glibLoop()
{
    const auto *dispatcher = QAbstractEventDispatcher::instance();
    return dispatcher && dispatcher->inherits("QEventDispatcherGlib");
}

std::uint32_t epollEventsOf(gushort events)
{
    return (events & G_IO_IN ? EPOLLIN : 0u) | (events & G_IO_OUT ? EPOLLOUT : 0u) | (events & G_IO_PRI ? EPOLLPRI : 0u);
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

HRESULT ensure()
{
    static std::mutex making;
    {
        const std::lock_guard lock(making);
        if (!QCoreApplication::instance())
            makeApplication();
    }
    const auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!application)
        return CO_E_NOTINITIALIZED;
    if (QThread::currentThread() != application->thread())
        return RPC_E_WRONG_THREAD;
    return S_OK;
}

bool onX11()
{
    return QGuiApplication::platformName() == u"xcb";
}

void passKeysOn(unsigned long window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t *connection = x11->connection();
    const auto cookie = xcb_get_window_attributes(connection, xcb_window_t(window));
    xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(connection, cookie, nullptr);
    if (!attributes)
        return;
    const std::uint32_t mask =
        attributes->your_event_mask & ~std::uint32_t(XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
    free(attributes);
    xcb_change_window_attributes(connection, xcb_window_t(window), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

int wakeDescriptor()
{
    if (!glibLoop())
        return -1;
    if (wakeUp < 0) {
        wakeUp = epoll_create1(EPOLL_CLOEXEC);
        runPendingWork();
    }
    return wakeUp;
}

// GLib's own iteration, taken apart so that what it would wait for is
// known: prepare, query, look without waiting, check, dispatch; again while
// something was ready, a few times at most.
int runPendingWork()
{
    if (!glibLoop())
        return 0;
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

void end()
{
    if (wakeUp >= 0)
        close(wakeUp);
    wakeUp = -1;
}

} // namespace HostApplication
