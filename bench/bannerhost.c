/* A host that is not a Qt program, for bannercost: a plain Xlib window
   with one banner of the given size, interval and caption length, and a
   poll loop of its own (the example hosts' banner.c). The banner lies in
   the window, or, with "windowless", has none: the host draws it into an
   image of its own and puts that on the window. Runs until killed.

       bannerhost <width> <height> <interval> <caption length> [windowless] */

#include "banner.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int stale;

static void invalidated(void *user_data)
{
    (void)user_data;
    stale = 1;
}

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    Window window;
    Banner *banner;
    XImage *image = NULL;
    GC context;
    char *caption;
    int width, height, length, i;
    const int windowless = argc == 6 && strcmp(argv[5], "windowless") == 0;
    if ((argc != 5 && !windowless) || !display)
        return 2;
    width = atoi(argv[1]);
    height = atoi(argv[2]);
    length = atoi(argv[4]);
    caption = calloc((size_t)length + 1, 1);
    for (i = 0; i < length; ++i)
        caption[i] = "The quick brown fox jumps over the lazy dog 123. "[i % 49];
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, (unsigned)width, (unsigned)height, 0, 0, 0);
    context = XCreateGC(display, window, 0, NULL);
    XMapWindow(display, window);
    XFlush(display);
    if (windowless) {
        /* A 24-bit visual's pixels are 32-bit 0x00RRGGBB: premultiplied ARGB, opaque. */
        image = XCreateImage(display, DefaultVisual(display, DefaultScreen(display)), 24, ZPixmap, 0,
                             malloc((size_t)width * (size_t)height * 4), (unsigned)width, (unsigned)height, 32, 0);
        banner = banner_open_windowless(caption, width, height, invalidated, NULL);
    } else {
        banner = banner_open(caption, window, 0, 0, width, height);
    }
    if (!banner || banner_set_interval(banner, atoi(argv[3])) != 0)
        return 1;
    for (;;) {
        struct pollfd waiting[2] = {{ConnectionNumber(display), POLLIN, 0},
                                    {banner_wake_descriptor(banner), POLLIN, 0}};
        int timeout = banner_run_pending_work(banner);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        if (image && stale) {
            banner_draw(banner, image->data, image->bytes_per_line, width, height);
            XPutImage(display, window, context, image, 0, 0, 0, 0, (unsigned)width, (unsigned)height);
            XFlush(display);
            stale = 0;
        }
        poll(waiting, 2, timeout);
    }
}
