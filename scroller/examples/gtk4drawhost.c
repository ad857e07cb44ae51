/* A GTK 4 program with a text entry and, beside it, a banner that it draws
   itself: the banner has no window, so the program runs as a Wayland
   client as well as on X11. The banner draws into a cairo image surface
   whenever it says it moved on, which the drawing area then paints; the
   pointer over the area reaches the banner. GTK's loop is GLib's, which
   runs the banner's work with no help. It prints "ready <window> <x> <y>
   <width> <height>" once the banner shows ("wayland" for the window on
   Wayland, where the area's place is in the window's surface),
   "font <points>" after each fit, "entry <text>" as the entry changes, and
   the banner's events. A line "height <pixels>" on its standard input
   makes the banner's area that tall; a line "quit", or closing its
   window, ends it. */

#include "banner.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/x11/gdkx.h>
#endif

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

typedef struct
{
    GtkWidget *window;
    GtkWidget *area;
    Banner *banner;
    cairo_surface_t *pixels; /* the banner's, in device pixels */
    int buttons; /* held over the banner */
    gboolean failed;
    gboolean closed_cleanly;
} Host;

static void on_entry_changed(GtkEditable *entry, gpointer user_data)
{
    (void)user_data;
    printf("entry %s\n", gtk_editable_get_text(entry));
    fflush(stdout);
}

/* The banner moved on: the area paints it again at GTK's next frame. */
static void on_banner_invalidated(void *user_data)
{
    Host *host = user_data;
    gtk_widget_queue_draw(host->area);
}

/* The banner draws itself into an image of the area's size in device
   pixels, which the area then paints. */
static void on_area_draw(GtkDrawingArea *area, cairo_t *cr, int width, int height, gpointer user_data)
{
    Host *host = user_data;
    const int scale = gtk_widget_get_scale_factor(GTK_WIDGET(area));
    if (!host->banner)
        return;
    if (!host->pixels || cairo_image_surface_get_width(host->pixels) != width * scale
        || cairo_image_surface_get_height(host->pixels) != height * scale) {
        if (host->pixels)
            cairo_surface_destroy(host->pixels);
        host->pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
        cairo_surface_set_device_scale(host->pixels, scale, scale);
    }
    cairo_surface_flush(host->pixels);
    if (banner_draw(host->banner, cairo_image_surface_get_data(host->pixels),
                    cairo_image_surface_get_stride(host->pixels), width * scale, height * scale)
        != 0)
        return;
    cairo_surface_mark_dirty(host->pixels);
    cairo_set_source_surface(cr, host->pixels, 0, 0);
    cairo_paint(cr);
}

/* The window that shows the area, and the area's place in its surface. */
static void print_ready(Host *host, int width, int height)
{
    GtkNative *native = gtk_widget_get_native(host->area);
    double widget_x = 0.0, widget_y = 0.0, surface_x = 0.0, surface_y = 0.0;
    char window[32] = "wayland";
    gtk_widget_translate_coordinates(host->area, GTK_WIDGET(native), 0.0, 0.0, &widget_x, &widget_y);
    gtk_native_get_surface_transform(native, &surface_x, &surface_y);
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_SURFACE(gtk_native_get_surface(native)))
        snprintf(window, sizeof window, "0x%lx", gdk_x11_surface_get_xid(gtk_native_get_surface(native)));
#endif
    printf("ready %s %d %d %d %d\n", window, (int)(widget_x + surface_x), (int)(widget_y + surface_y), width, height);
}

/* The banner needs no window of its own: it is made once the area has a
   size, which is the banner's from then on, in device pixels. */
static void on_area_resize(GtkDrawingArea *area, int width, int height, gpointer user_data)
{
    Host *host = user_data;
    const int scale = gtk_widget_get_scale_factor(GTK_WIDGET(area));
    if (!host->banner) {
        host->banner =
            banner_open_windowless("Hello from GTK 4", width * scale, height * scale, on_banner_invalidated, host);
        if (!host->banner) {
            host->failed = TRUE;
            g_application_quit(g_application_get_default());
            return;
        }
        print_ready(host, width, height);
    }
    if (banner_move(host->banner, 0, 0, width * scale, height * scale) != 0)
        return;
    printf("font %.2f\n", (double)banner_font_size(host->banner));
    fflush(stdout);
}

static int modifiers_of(GtkEventController *controller)
{
    const GdkModifierType state = gtk_event_controller_get_current_event_state(controller);
    return (state & GDK_SHIFT_MASK ? 1 : 0) | (state & GDK_CONTROL_MASK ? 2 : 0) | (state & GDK_ALT_MASK ? 4 : 0);
}

/* GTK numbers the buttons 1 left, 2 middle, 3 right; the banner 1, 4, 2. */
static int button_of(GtkGesture *gesture)
{
    switch (gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture))) {
    case GDK_BUTTON_PRIMARY:
        return 1;
    case GDK_BUTTON_SECONDARY:
        return 2;
    case GDK_BUTTON_MIDDLE:
        return 4;
    default:
        return 0;
    }
}

static void forward(Host *host, GtkEventController *controller, int event, double x, double y, int buttons)
{
    const int scale = gtk_widget_get_scale_factor(host->area);
    if (host->banner && buttons >= 0)
        banner_pointer(host->banner, event, (int)(x * scale), (int)(y * scale), buttons, modifiers_of(controller));
}

static void on_area_motion(GtkEventControllerMotion *motion, double x, double y, gpointer user_data)
{
    Host *host = user_data;
    forward(host, GTK_EVENT_CONTROLLER(motion), TOVRELL_POINTER_MOVE, x, y, host->buttons);
}

static void on_area_pressed(GtkGestureClick *click, int presses, double x, double y, gpointer user_data)
{
    Host *host = user_data;
    const int button = button_of(GTK_GESTURE(click));
    (void)presses;
    host->buttons |= button;
    forward(host, GTK_EVENT_CONTROLLER(click), TOVRELL_POINTER_PRESS, x, y, button ? button : -1);
}

static void on_area_released(GtkGestureClick *click, int presses, double x, double y, gpointer user_data)
{
    Host *host = user_data;
    const int button = button_of(GTK_GESTURE(click));
    (void)presses;
    host->buttons &= ~button;
    forward(host, GTK_EVENT_CONTROLLER(click), TOVRELL_POINTER_RELEASE, x, y, button ? button : -1);
}

/* The banner goes before its window does. */
static gboolean on_window_close_request(GtkWindow *window, gpointer user_data)
{
    Host *host = user_data;
    (void)window;
    if (host->banner)
        host->closed_cleanly = banner_close(host->banner) == 0;
    host->banner = NULL;
    if (host->pixels)
        cairo_surface_destroy(host->pixels);
    host->pixels = NULL;
    return FALSE;
}

static gboolean on_stdin_readable(GIOChannel *input, GIOCondition condition, gpointer user_data)
{
    Host *host = user_data;
    char line[64] = "";
    (void)condition;
    if (read(g_io_channel_unix_get_fd(input), line, sizeof line - 1) <= 0)
        return G_SOURCE_REMOVE;
    if (strncmp(line, "height ", 7) == 0 && host->area)
        gtk_widget_set_size_request(host->area, 408, atoi(line + 7));
    if (strncmp(line, "quit", 4) == 0 && host->window)
        gtk_window_close(GTK_WINDOW(host->window));
    return G_SOURCE_CONTINUE;
}

static void on_application_activate(GtkApplication *application, gpointer user_data)
{
    Host *host = user_data;
    GtkWidget *box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    GtkWidget *entry = gtk_entry_new();
    GtkEventController *motion = gtk_event_controller_motion_new();
    GtkGesture *click = gtk_gesture_click_new();
    host->window = gtk_application_window_new(application);
    gtk_window_set_title(GTK_WINDOW(host->window), "GTK 4 drawing host");
    gtk_widget_set_margin_start(box, 8);
    gtk_widget_set_margin_end(box, 8);
    gtk_widget_set_margin_top(box, 8);
    gtk_widget_set_margin_bottom(box, 8);
    gtk_widget_set_valign(entry, GTK_ALIGN_START);
    host->area = gtk_drawing_area_new();
    gtk_widget_set_size_request(host->area, 408, 40);
    gtk_widget_set_hexpand(host->area, TRUE);
    gtk_widget_set_valign(host->area, GTK_ALIGN_START);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(host->area), on_area_draw, host, NULL);
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(click), 0);
    gtk_widget_add_controller(host->area, motion);
    gtk_widget_add_controller(host->area, GTK_EVENT_CONTROLLER(click));
    gtk_box_append(GTK_BOX(box), entry);
    gtk_box_append(GTK_BOX(box), host->area);
    gtk_window_set_child(GTK_WINDOW(host->window), box);
    g_signal_connect(entry, "changed", G_CALLBACK(on_entry_changed), host);
    g_signal_connect(host->area, "resize", G_CALLBACK(on_area_resize), host);
    g_signal_connect(motion, "motion", G_CALLBACK(on_area_motion), host);
    g_signal_connect(click, "pressed", G_CALLBACK(on_area_pressed), host);
    g_signal_connect(click, "released", G_CALLBACK(on_area_released), host);
    g_signal_connect(host->window, "close-request", G_CALLBACK(on_window_close_request), host);
    g_io_add_watch(g_io_channel_unix_new(STDIN_FILENO), G_IO_IN | G_IO_HUP, on_stdin_readable, host);
    gtk_window_present(GTK_WINDOW(host->window));
}

int main(int argc, char **argv)
{
    Host host = {NULL, NULL, NULL, NULL, 0, FALSE, FALSE};
    GtkApplication *application = gtk_application_new(NULL, G_APPLICATION_NON_UNIQUE);
    int status;
    g_signal_connect(application, "activate", G_CALLBACK(on_application_activate), &host);
    status = g_application_run(G_APPLICATION(application), argc, argv);
    g_object_unref(application);
    if (status != 0 || host.failed)
        return 1;
    if (!host.closed_cleanly) {
        fprintf(stderr, "gtk4drawhost: the library was still in use\n");
        return 1;
    }
    puts("closed");
    return 0;
}
