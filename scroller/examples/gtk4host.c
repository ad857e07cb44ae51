/* A GTK 4 program on X11 with a text entry and, beside it, a banner over
   the room GTK gives a drawing area. GTK 4's widgets have no windows of
   their own: the banner goes into the window's X11 surface, at the area's
   place in that surface. GTK's loop is GLib's, which runs the banner's
   work with no help. Run it with GDK_BACKEND=x11 in a Wayland session. It
   prints "ready <window> <x> <y> <width> <height>" once the banner is
   placed, "font <points>" after each fit, "entry <text>" as the entry
   changes, and the banner's events; it ends when its window is closed or a
   line "quit" arrives on its standard input. */

#include "banner.h"

#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

typedef struct
{
    GtkWidget *window;
    GtkWidget *area;
    Banner *banner;
    gboolean failed;
    gboolean closed_cleanly;
} Host;

static void on_entry_changed(GtkEditable *entry, gpointer user_data)
{
    (void)user_data;
    printf("entry %s\n", gtk_editable_get_text(entry));
    fflush(stdout);
}

/* The area's rectangle in its window's surface: its place in the window
   widget, moved by where that widget lies in the surface (GTK 4 may draw
   shadows and a title bar of its own around it). */
static void area_in_surface(Host *host, int *x, int *y, int *width, int *height)
{
    GtkNative *native = gtk_widget_get_native(host->area);
    double widget_x = 0.0, widget_y = 0.0, surface_x = 0.0, surface_y = 0.0;
    gtk_widget_translate_coordinates(host->area, GTK_WIDGET(native), 0.0, 0.0, &widget_x, &widget_y);
    gtk_native_get_surface_transform(native, &surface_x, &surface_y);
    *x = (int)(widget_x + surface_x);
    *y = (int)(widget_y + surface_y);
    *width = gtk_widget_get_width(host->area);
    *height = gtk_widget_get_height(host->area);
}

/* The first size the area gets places the banner, in the window's X11
   surface, after the X server has heard of it; each later one moves it. */
static void on_area_resize(GtkDrawingArea *area, int width, int height, gpointer user_data)
{
    Host *host = user_data;
    GdkSurface *surface = gtk_native_get_surface(gtk_widget_get_native(GTK_WIDGET(area)));
    int x = 0, y = 0;
    area_in_surface(host, &x, &y, &width, &height);
    if (!host->banner) {
        gdk_display_flush(gdk_surface_get_display(surface));
        host->banner = banner_open("Hello from GTK 4", gdk_x11_surface_get_xid(surface), x, y, width, height);
        if (!host->banner) {
            host->failed = TRUE;
            g_application_quit(g_application_get_default());
            return;
        }
        printf("ready 0x%lx %d %d %d %d\n", gdk_x11_surface_get_xid(surface), x, y, width, height);
    }
    if (banner_move(host->banner, x, y, width, height) != 0)
        return;
    printf("font %.2f\n", (double)banner_font_size(host->banner));
    fflush(stdout);
}

/* The banner goes before its window does. */
static gboolean on_window_close_request(GtkWindow *window, gpointer user_data)
{
    Host *host = user_data;
    (void)window;
    if (host->banner)
        host->closed_cleanly = banner_close(host->banner) == 0;
    host->banner = NULL;
    return FALSE;
}

static gboolean on_stdin_readable(GIOChannel *input, GIOCondition condition, gpointer user_data)
{
    Host *host = user_data;
    char line[64] = "";
    (void)condition;
    if (read(g_io_channel_unix_get_fd(input), line, sizeof line - 1) <= 0)
        return G_SOURCE_REMOVE;
    if (strncmp(line, "quit", 4) == 0 && host->window)
        gtk_window_close(GTK_WINDOW(host->window));
    return G_SOURCE_CONTINUE;
}

static void on_application_activate(GtkApplication *application, gpointer user_data)
{
    Host *host = user_data;
    GtkWidget *box;
    GtkWidget *entry;
    if (!GDK_IS_X11_DISPLAY(gdk_display_get_default())) {
        fprintf(stderr, "gtk4host: the banner needs an X11 display (GDK_BACKEND=x11)\n");
        host->failed = TRUE;
        return;
    }
    host->window = gtk_application_window_new(application);
    gtk_window_set_title(GTK_WINDOW(host->window), "GTK 4 host");
    box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_widget_set_margin_start(box, 8);
    gtk_widget_set_margin_end(box, 8);
    gtk_widget_set_margin_top(box, 8);
    gtk_widget_set_margin_bottom(box, 8);
    entry = gtk_entry_new();
    host->area = gtk_drawing_area_new();
    gtk_widget_set_size_request(host->area, 408, 40);
    gtk_widget_set_hexpand(host->area, TRUE);
    gtk_box_append(GTK_BOX(box), entry);
    gtk_box_append(GTK_BOX(box), host->area);
    gtk_window_set_child(GTK_WINDOW(host->window), box);
    g_signal_connect(entry, "changed", G_CALLBACK(on_entry_changed), host);
    g_signal_connect(host->area, "resize", G_CALLBACK(on_area_resize), host);
    g_signal_connect(host->window, "close-request", G_CALLBACK(on_window_close_request), host);
    g_io_add_watch(g_io_channel_unix_new(STDIN_FILENO), G_IO_IN | G_IO_HUP, on_stdin_readable, host);
    gtk_window_present(GTK_WINDOW(host->window));
}

int main(int argc, char **argv)
{
    Host host = {NULL, NULL, NULL, FALSE, FALSE};
    GtkApplication *application = gtk_application_new(NULL, G_APPLICATION_NON_UNIQUE);
    int status;
    g_signal_connect(application, "activate", G_CALLBACK(on_application_activate), &host);
    status = g_application_run(G_APPLICATION(application), argc, argv);
    g_object_unref(application);
    if (status != 0 || host.failed)
        return 1;
    if (!host.closed_cleanly) {
        fprintf(stderr, "gtk4host: the library was still in use\n");
        return 1;
    }
    puts("closed");
    return 0;
}
