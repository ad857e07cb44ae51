/* A GTK 3 program with a text entry and, beside it, a banner that fills
   the room GTK gives it. GTK's loop is GLib's, which runs the banner's work
   with no help. It prints "ready <window> <x> <y> <width> <height>" once
   the banner is placed, "font <points>" after each fit, "entry <text>" as
   the entry changes, and the banner's events; it ends when its window is
   closed or a line "quit" arrives on its standard input. */

#include "banner.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

typedef struct Host
{
    GtkWidget *window;
    GtkWidget *area;
    Banner *banner;
    int closedCleanly;
} Host;

static void fit(GtkWidget *area, GdkRectangle *room, Host *host)
{
    (void)area;
    if (!host->banner)
        return;
    banner_move(host->banner, 0, 0, room->width, room->height);
    printf("font %.2f\n", (double)banner_font_size(host->banner));
    fflush(stdout);
}

static void typed(GtkEditable *entry, Host *host)
{
    (void)host;
    printf("entry %s\n", gtk_entry_get_text(GTK_ENTRY(entry)));
    fflush(stdout);
}

/* The banner goes before its window does. */
static void closed(GtkWidget *window, Host *host)
{
    (void)window;
    host->closedCleanly = banner_close(host->banner) == 0;
    host->banner = NULL;
    gtk_main_quit();
}

static gboolean command(GIOChannel *input, GIOCondition condition, Host *host)
{
    char line[64] = "";
    (void)condition;
    if (read(g_io_channel_unix_get_fd(input), line, sizeof line - 1) <= 0)
        return FALSE;
    if (strncmp(line, "quit", 4) == 0)
        gtk_window_close(GTK_WINDOW(host->window));
    return TRUE;
}

int main(int argc, char **argv)
{
    Host host = {NULL, NULL, NULL, 0};
    GtkWidget *box;
    GtkWidget *entry;
    GtkAllocation room;
    int x = 0, y = 0;
    gtk_init(&argc, &argv);
    if (!GDK_IS_X11_DISPLAY(gdk_display_get_default())) {
        fprintf(stderr, "gtkhost: the banner needs an X11 display (GDK_BACKEND=x11)\n");
        return 1;
    }

    host.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(host.window), "GTK host");
    box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_container_set_border_width(GTK_CONTAINER(box), 8);
    entry = gtk_entry_new();
    host.area = gtk_drawing_area_new();
    gtk_widget_set_size_request(host.area, 408, 40);
    gtk_box_pack_start(GTK_BOX(box), entry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), host.area, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(host.window), box);
    g_signal_connect(entry, "changed", G_CALLBACK(typed), &host);
    g_signal_connect(host.area, "size-allocate", G_CALLBACK(fit), &host);
    g_signal_connect(host.window, "destroy", G_CALLBACK(closed), &host);
    g_io_add_watch(g_io_channel_unix_new(0), G_IO_IN | G_IO_HUP, (GIOFunc)command, &host);
    gtk_widget_show_all(host.window);
    while (gtk_events_pending())
        gtk_main_iteration();

    /* The drawing area's own X11 window holds the banner. */
    gtk_widget_get_allocation(host.area, &room);
    host.banner = banner_open("Hello from GTK", gdk_x11_window_get_xid(gtk_widget_get_window(host.area)), 0, 0,
                              room.width, room.height);
    if (!host.banner)
        return 1;
    gtk_widget_translate_coordinates(host.area, host.window, 0, 0, &x, &y);
    printf("ready 0x%lx %d %d %d %d\n", gdk_x11_window_get_xid(gtk_widget_get_window(host.window)), x, y, room.width,
           room.height);
    fit(host.area, &room, &host);

    gtk_main();
    if (!host.closedCleanly) {
        fprintf(stderr, "gtkhost: the library was still in use\n");
        return 1;
    }
    puts("closed");
    return 0;
}
