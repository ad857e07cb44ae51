/* An SDL 2 program with a loop of its own that draws a banner into a
   streaming texture, in the middle of its window, and follows the window's
   size. The banner has no window, so the program runs wherever SDL does.
   SDL's loop waits for SDL's events only: a thread watches the banner's
   descriptor and wakes it with an event of its own. It prints
   "ready <window> <x> <y> <width> <height>" once the banner shows (the
   window's X11 id, or "0" elsewhere), "font <points>" after each fit, and
   the banner's events; it ends when its window is closed or a line "quit"
   arrives on its standard input. */

#include "banner.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { MARGIN = 16 };

typedef struct
{
    SDL_Window *window;
    SDL_Renderer *renderer;
    SDL_Texture *texture;
    Banner *banner;
    SDL_Rect room; /* the banner's, in the window */
    int buttons; /* held over the banner */
    int drawn; /* the texture shows the banner as it is */
    int ready; /* said so */
    Uint32 wake_event;
    SDL_sem *watching;
    int descriptor;
} Host;

static void on_banner_invalidated(void *user_data)
{
    ((Host *)user_data)->drawn = 0;
}

/* Waits for the banner's descriptor and for standard input, and wakes
   SDL's loop with an event when either is readable; then waits for the
   loop to have run the banner's work before looking again. */
static int watch(void *data)
{
    Host *host = data;
    for (;;) {
        struct pollfd waiting[2] = {{host->descriptor, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        SDL_Event wake;
        if (poll(waiting, 2, -1) < 0)
            return 0;
        SDL_zero(wake);
        wake.type = host->wake_event;
        wake.user.code = waiting[1].revents ? 1 : 0;
        SDL_PushEvent(&wake);
        SDL_SemWait(host->watching);
        if (waiting[1].revents & (POLLHUP | POLLERR))
            return 0;
    }
}

/* The banner fills the window but for a margin; its texture is its size. */
static void fit(Host *host, int width, int height)
{
    host->room.x = MARGIN;
    host->room.y = MARGIN;
    host->room.w = width - 2 * MARGIN;
    host->room.h = height - 2 * MARGIN;
    if (host->texture)
        SDL_DestroyTexture(host->texture);
    host->texture = SDL_CreateTexture(host->renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                      host->room.w, host->room.h);
    host->drawn = 0;
    if (banner_move(host->banner, 0, 0, host->room.w, host->room.h) != 0)
        return;
    if (!host->ready) {
        SDL_SysWMinfo about;
        SDL_VERSION(&about.version);
        printf("ready 0x%lx %d %d %d %d\n",
               SDL_GetWindowWMInfo(host->window, &about) && about.subsystem == SDL_SYSWM_X11
                   ? (unsigned long)about.info.x11.window
                   : 0ul,
               host->room.x, host->room.y, host->room.w, host->room.h);
        host->ready = 1;
    }
    printf("font %.2f\n", (double)banner_font_size(host->banner));
    fflush(stdout);
}

/* The banner draws itself into the texture, which goes on a white window. */
static void draw(Host *host)
{
    void *pixels = NULL;
    int stride = 0;
    if (host->drawn || SDL_LockTexture(host->texture, NULL, &pixels, &stride) != 0)
        return;
    banner_draw(host->banner, pixels, stride, host->room.w, host->room.h);
    SDL_UnlockTexture(host->texture);
    SDL_SetRenderDrawColor(host->renderer, 255, 255, 255, 255);
    SDL_RenderClear(host->renderer);
    SDL_RenderCopy(host->renderer, host->texture, NULL, &host->room);
    SDL_RenderPresent(host->renderer);
    host->drawn = 1;
}

static int modifiers(void)
{
    const SDL_Keymod held = SDL_GetModState();
    return (held & KMOD_SHIFT ? 1 : 0) | (held & KMOD_CTRL ? 2 : 0) | (held & KMOD_ALT ? 4 : 0);
}

/* SDL numbers the buttons 1 left, 2 middle, 3 right; the banner 1, 4, 2. */
static int button_of(Uint8 button)
{
    return button == SDL_BUTTON_LEFT ? 1 : button == SDL_BUTTON_RIGHT ? 2 : button == SDL_BUTTON_MIDDLE ? 4 : 0;
}

/* Whether the pointer at (x, y) is the banner's: over it, or held since a
   press on it. */
static int over_banner(const Host *host, int x, int y)
{
    const SDL_Point at = {x, y};
    return host->buttons || SDL_PointInRect(&at, &host->room);
}

/* Hands an event to the banner or the window; 0 once the window closes. */
static int handle(Host *host, const SDL_Event *event)
{
    int button;
    switch (event->type) {
    case SDL_QUIT:
        return 0;
    case SDL_WINDOWEVENT:
        if (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            fit(host, event->window.data1, event->window.data2);
        else if (event->window.event == SDL_WINDOWEVENT_EXPOSED)
            host->drawn = 0;
        return 1;
    case SDL_MOUSEMOTION:
        if (over_banner(host, event->motion.x, event->motion.y))
            banner_pointer(host->banner, TOVRELL_POINTER_MOVE, event->motion.x - host->room.x,
                           event->motion.y - host->room.y, host->buttons, modifiers());
        return 1;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        button = button_of(event->button.button);
        if (button && over_banner(host, event->button.x, event->button.y)) {
            const int pressed = event->type == SDL_MOUSEBUTTONDOWN;
            host->buttons = pressed ? host->buttons | button : host->buttons & ~button;
            banner_pointer(host->banner, pressed ? TOVRELL_POINTER_PRESS : TOVRELL_POINTER_RELEASE,
                           event->button.x - host->room.x, event->button.y - host->room.y, button, modifiers());
        }
        return 1;
    default:
        if (event->type == host->wake_event && event->user.code == 1) {
            char line[64] = "";
            return read(STDIN_FILENO, line, sizeof line - 1) > 0 && strncmp(line, "quit", 4) != 0;
        }
        return 1;
    }
}

int main(void)
{
    Host host;
    SDL_Thread *watcher;
    int running = 1;
    int status = 0;
    memset(&host, 0, sizeof host);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "sdlhost: %s\n", SDL_GetError());
        return 1;
    }
    host.window =
        SDL_CreateWindow("SDL host", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 440, 72, SDL_WINDOW_RESIZABLE);
    host.renderer = host.window ? SDL_CreateRenderer(host.window, -1, 0) : NULL;
    host.wake_event = SDL_RegisterEvents(1);
    host.watching = SDL_CreateSemaphore(0);
    if (!host.renderer || host.wake_event == (Uint32)-1 || !host.watching) {
        fprintf(stderr, "sdlhost: %s\n", SDL_GetError());
        return 1;
    }
    host.banner = banner_open_windowless("Hello from SDL", 408, 40, on_banner_invalidated, &host);
    if (!host.banner)
        return 1;
    fit(&host, 440, 72);
    host.descriptor = banner_wake_descriptor(host.banner);
    watcher = SDL_CreateThread(watch, "banner", &host);

    /* The loop runs the banner's work, waits for SDL's events for no longer
       than the banner asks, and draws the banner when it moved on. */
    while (running) {
        SDL_Event event;
        const int timeout = banner_run_pending_work(host.banner);
        draw(&host);
        if (timeout < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeout)) {
            do {
                running = handle(&host, &event) && running;
                if (event.type == host.wake_event)
                    SDL_SemPost(host.watching);
            } while (running && SDL_PollEvent(&event));
        }
    }

    if (banner_close(host.banner) != 0) {
        fprintf(stderr, "sdlhost: the library was still in use\n");
        status = 1;
    }
    SDL_DetachThread(watcher);
    SDL_DestroyTexture(host.texture);
    SDL_DestroyRenderer(host.renderer);
    SDL_DestroyWindow(host.window);
    SDL_Quit();
    if (status == 0)
        puts("closed");
    return status;
}
