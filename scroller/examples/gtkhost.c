/* A GTK 3 program with a text entry and, beside it, a banner that fills
   the room GTK gives a drawing area. GTK's loop is GLib's, which runs the
   banner's work with no help. It prints "ready <window> <x> <y> <width>
   <height>" once the banner is placed, "font <points>" after each fit,
   "entry <text>" as the entry changes, and the banner's events; it ends
   when its window is closed or a line "quit" arrives on its standard
   input. */

#include "banner.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

typedef struct
{
    GtkWidget *window;
    Banner *banner;
    gboolean failed;
    gboolean closed_cleanly;
} Host;

static void on_entry_changed(GtkEditable *entry, gpointer user_data)
{
    (void)user_data;
    printf("entry %s\n", gtk_entry_get_text(GTK_ENTRY(entry)));
    fflush(stdout);
}

/* Each new size of the area is the banner's. The area is allocated before
   it is realized, so the first allocation comes before the banner. */
static void on_area_size_allocate(GtkWidget *area, GdkRectangle *room, gpointer user_data)
{
    Host *host = user_data;
    (void)area;
    if (!host->banner || banner_move(host->banner, 0, 0, room->width, room->height) != 0)
        return;
    printf("font %.2f\n", (double)banner_font_size(host->banner));
    fflush(stdout);
}

/* The area has its own X11 window once realized: the banner goes into it,
   after the X server has heard of it. */
static void on_area_realize(GtkWidget *area, gpointer user_data)
{
    Host *host = user_data;
    GtkAllocation room;
    Window area_window = gdk_x11_window_get_xid(gtk_widget_get_window(area));
    int x = 0, y = 0;
    gdk_display_flush(gtk_widget_get_display(area));
    gtk_widget_get_allocation(area, &room);
    host->banner = banner_open("Hello from GTK", area_window, 0, 0, room.width, room.height);
    if (!host->banner) {
        host->failed = TRUE;
        g_application_quit(g_application_get_default());
        return;
    }
    gtk_widget_translate_coordinates(area, host->window, 0, 0, &x, &y);
    printf("ready 0x%lx %d %d %d %d\n", gdk_x11_window_get_xid(gtk_widget_get_window(host->window)), x, y, room.width,
           room.height);
    on_area_size_allocate(area, &room, host);
}

/* The banner goes before its window does. */
static void on_window_destroy(GtkWidget *window, gpointer user_data)
{
    Host *host = user_data;
    (void)window;
    if (host->banner)
        host->closed_cleanly = banner_close(host->banner) == 0;
    host->banner = NULL;
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
    GtkWidget *box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    GtkWidget *entry = gtk_entry_new();
    GtkWidget *area = gtk_drawing_area_new();
    if (!GDK_IS_X11_DISPLAY(gdk_display_get_default())) {
        fprintf(stderr, "gtkhost: the banner needs an X11 display (GDK_BACKEND=x11)\n");
        host->failed = TRUE;
        return;
    }
    host->window = gtk_application_window_new(application);
    gtk_window_set_title(GTK_WINDOW(host->window), "GTK host");
    gtk_container_set_border_width(GTK_CONTAINER(box), 8);
    gtk_widget_set_size_request(area, 408, 40);
    gtk_box_pack_start(GTK_BOX(box), entry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), area, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(host->window), box);
    g_signal_connect(entry, "changed", G_CALLBACK(on_entry_changed), host);
    g_signal_connect(area, "size-allocate", G_CALLBACK(on_area_size_allocate), host);
    g_signal_connect(area, "realize", G_CALLBACK(on_area_realize), host);
    g_signal_connect(host->window, "destroy", G_CALLBACK(on_window_destroy), host);
    g_io_add_watch(g_io_channel_unix_new(STDIN_FILENO), G_IO_IN | G_IO_HUP, on_stdin_readable, host);
    gtk_widget_show_all(host->window);
}

int main(int argc, char **argv)
{
    Host host = {NULL, NULL, FALSE, FALSE};
    GtkApplication *application = gtk_application_new(NULL, G_APPLICATION_NON_UNIQUE);
    int status;
    g_signal_connect(application, "activate", G_CALLBACK(on_application_activate), &host);
    status = g_application_run(G_APPLICATION(application), argc, argv);
    g_object_unref(application);
    if (status != 0 || host.failed)
        return 1;
    if (!host.closed_cleanly) {
        fprintf(stderr, "gtkhost: the library was still in use\n");
        return 1;
    }
    puts("closed");
    return 0;
}
