#ifndef BANNER_H
#define BANNER_H

/* A Scroller for hosts written in C: found through the component registry,
   loaded with dlopen, created, placed, heard and released through its
   interfaces (<tovrell/tovrell.h>). Each step is numbered as HOSTING.md
   numbers it. The banner lives in a window of the host's (an X11 window),
   or has none and the host draws it (any host: a Wayland client, SDL).
   The example hosts beside this file use it; each prints what it hears on
   its standard output, a line an event. Call everything on one thread: the
   first banner_open's is the library's main thread from then on. */

#include <tovrell/tovrell.h>

typedef struct Banner Banner;

/* Loads the library that serves the Scroller, makes a banner scrolling
   caption in window (an X11 window id the X server already knows: flush
   the host's connection first) at the given bounds, and hears its Click
   and MouseDown events. NULL, with the reason on standard error, where any
   step fails. */
Banner *banner_open(const char *caption, unsigned long window, int x, int y, int width, int height);

/* The same for a banner without a window, width x height pixels, that the
   host draws itself (banner_draw): invalidated(user_data) is called
   whenever it has something new to show. */
typedef void (*BannerInvalidated)(void *user_data);
Banner *banner_open_windowless(const char *caption, int width, int height, BannerInvalidated invalidated,
                               void *user_data);

/* New bounds in the window, or a new size without one; the banner fits its
   font to the height. 0 when taken. */
int banner_move(Banner *banner, int x, int y, int width, int height);

/* Draws a banner without a window, whole, into pixels: its size in
   premultiplied 32-bit ARGB (cairo's ARGB32, SDL's ARGB8888), stride bytes
   a row. 0 when drawn. */
int banner_draw(Banner *banner, void *pixels, int stride, int width, int height);

/* Hands a banner without a window what the pointer did over it: event
   TOVRELL_POINTER_*, (x, y) in its pixels, the button pressed or released
   (the buttons held for a move: 1 left, 2 right, 4 middle), modifiers 1
   Shift, 2 Ctrl, 4 Alt. */
void banner_pointer(Banner *banner, int event, int x, int y, int buttons, int modifiers);

/* Milliseconds between scrolling steps, 0 to stop (a host lets its users
   stop a moving banner); 0 when taken. */
int banner_set_interval(Banner *banner, int milliseconds);

/* The banner's font size in points; 0 where it cannot be read. */
float banner_font_size(Banner *banner);

/* For a host with a loop of its own: the descriptor to wait on (-1 where
   there is none), and the work to run when it is readable or when the
   milliseconds it answered have passed (-1: no time is set). */
int banner_wake_descriptor(Banner *banner);
int banner_run_pending_work(Banner *banner);

/* Releases everything and unloads the library; 0 when it could. */
int banner_close(Banner *banner);

#endif
