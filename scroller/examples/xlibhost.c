/* A plain Xlib program with a poll loop of its own, and a banner in its
   window that follows the window's size. It prints "ready <window> <x> <y>
   <width> <height>" once the banner is placed, "font <points>" after each
   fit, and the banner's events; it ends when its window is closed or a line
   "quit" arrives on its standard input. */

#include "banner.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { MARGIN = 16 };

static void fit(Banner *banner, int width, int height)
{
    banner_move(banner, MARGIN, MARGIN, width - 2 * MARGIN, height - 2 * MARGIN);
    printf("font %.2f\n", (double)banner_font_size(banner));
    fflush(stdout);
}

int main(void)
{
    Display *display = XOpenDisplay(NULL);
    Window window;
    Atom closing;
    Banner *banner;
    int running = 1;
    int listening = 1;
    int width = 440, height = 72;
    if (!display) {
        fprintf(stderr, "xlibhost: no X display\n");
        return 1;
    }
    window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, (unsigned)width, (unsigned)height, 0,
                            BlackPixel(display, DefaultScreen(display)), WhitePixel(display, DefaultScreen(display)));
    closing = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &closing, 1);
    XStoreName(display, window, "Xlib host");
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XFlush(display);

    banner =
        banner_open("Hello from a plain Xlib program", window, MARGIN, MARGIN, width - 2 * MARGIN, height - 2 * MARGIN);
    if (!banner)
        return 1;
    printf("ready 0x%lx %d %d %d %d\n", window, MARGIN, MARGIN, width - 2 * MARGIN, height - 2 * MARGIN);
    fit(banner, width, height);

    /* The loop waits on the X connection, the banner's descriptor and
       standard input, for no longer than the banner asks. */
    while (running) {
        struct pollfd waiting[3] = {{ConnectionNumber(display), POLLIN, 0},
                                    {banner_wake_descriptor(banner), POLLIN, 0},
                                    {listening ? STDIN_FILENO : -1, POLLIN, 0}};
        int timeout = banner_run_pending_work(banner);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ConfigureNotify
                && (event.xconfigure.width != width || event.xconfigure.height != height)) {
                width = event.xconfigure.width;
                height = event.xconfigure.height;
                fit(banner, width, height);
            } else if (event.type == ClientMessage && (Atom)event.xclient.data.l[0] == closing) {
                running = 0;
            }
        }
        if (!running || poll(waiting, 3, timeout) < 0)
            break;
        if (waiting[2].revents) {
            char line[64] = "";
            ssize_t got = read(STDIN_FILENO, line, sizeof line - 1);
            listening = got > 0;
            running = strncmp(line, "quit", 4) != 0;
        }
    }

    if (banner_close(banner) != 0) {
        fprintf(stderr, "xlibhost: the library was still in use\n");
        return 1;
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    puts("closed");
    return 0;
}
