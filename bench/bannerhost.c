/* A host that is not a Qt program, for bannercost: a plain Xlib window
   holding one banner of the given size, interval and caption length, and a
   poll loop of its own (the example hosts' banner.c). Runs until killed.

       bannerhost <width> <height> <interval> <caption length> */

#include "banner.h"

#include <X11/Xlib.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    Window window;
    Banner *banner;
    char *caption;
    int width, height, length, i;
    if (argc != 5 || !display)
        return 2;
    width = atoi(argv[1]);
    height = atoi(argv[2]);
    length = atoi(argv[4]);
    caption = calloc((size_t)length + 1, 1);
    for (i = 0; i < length; ++i)
        caption[i] = "The quick brown fox jumps over the lazy dog 123. "[i % 49];
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, (unsigned)width, (unsigned)height, 0, 0, 0);
    XMapWindow(display, window);
    XFlush(display);
    banner = banner_open(caption, window, 0, 0, width, height);
    if (!banner || banner_set_interval(banner, atoi(argv[3])) != 0)
        return 1;
    for (;;) {
        struct pollfd waiting[2] = {{ConnectionNumber(display), POLLIN, 0}, {banner_wake_descriptor(banner), POLLIN, 0}};
        int timeout = banner_run_pending_work(banner);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        poll(waiting, 2, timeout);
    }
}
