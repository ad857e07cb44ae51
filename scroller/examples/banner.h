#ifndef BANNER_H
#define BANNER_H

/* A Scroller in a window of the host's own, for hosts written in C: found
   through the component registry, loaded with dlopen, created, placed,
   heard and released through its interfaces (<tovrell/tovrell.h>). Each
   step is numbered as HOSTING.md numbers it. The example hosts beside this
   file (GTK 3, GTK 4 and Xlib) use it; each prints what it hears on its
   standard output, a line an event. Call everything on one thread: the
   first banner_open's is the library's main thread from then on. */

#include <tovrell/tovrell.h>

typedef struct Banner Banner;

/* Loads the library that serves the Scroller, makes a banner scrolling
   caption in window (an X11 window id the X server already knows: flush
   the host's connection first) at the given bounds, and hears its Click
   and MouseDown events. NULL, with the reason on standard error, where any
   step fails. */
Banner *banner_open(const char *caption, unsigned long window, int x, int y, int width, int height);

/* New bounds in the window; the banner fits its font to the height. 0 when
   taken. */
int banner_move(Banner *banner, int x, int y, int width, int height);

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
