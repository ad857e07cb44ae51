#!/usr/bin/python3
"""Drives an example host (scroller/examples) on a real X server as a user
would, and checks what it shows and hears.

    drivehost.py <host> [entry] [by-command] [wayland]

The host prints "ready <window> <x> <y> <width> <height>" when its banner
is placed, "font <points>" after each fit, the banner's events and, with an
entry, "entry <text>" as it changes; a line "quit" on its standard input
closes its window. Checks: the banner's pixels appear in the host's window
and move (two captures differ inside its rectangle and nowhere outside); a
click on it reaches the host's sink; a taller window (with "by-command",
a line "height <pixels>" to the host: a taller room) fits a larger font;
with "entry", typing reaches the host's entry, also after a click on the
banner; closing the window releases everything and the host ends with 0.
Captures are taken with xwd, input is sent with xdotool (XTest). With
"wayland" the host runs as a Wayland client, with no X server in sight,
under weston, which shows it full-screen (its kiosk shell) in a window of
its own on the X server: the captures and the input go through that
window, and the host must load none of Qt's platforms that need a display
server (the banner has no window). The host
runs with a text cursor that does not blink (GTK's settings.ini), so that
only the banner moves, and in a D-Bus session of its own where one can be
had (a GtkApplication asks for one). A host ending in .py runs with this
Python.
"""

import os
import pathlib
import queue
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def still_desktop(folder):
    """Settings under which GTK 3 and 4 draw a text cursor that stands still:
    their settings.ini on X11, GSettings' (in a key file) on Wayland."""
    for version in ("gtk-3.0", "gtk-4.0"):
        settings = pathlib.Path(folder, version, "settings.ini")
        settings.parent.mkdir(parents=True)
        settings.write_text("[Settings]\ngtk-cursor-blink = false\n")
    keyfile = pathlib.Path(folder, "glib-2.0", "settings", "keyfile")
    keyfile.parent.mkdir(parents=True)
    keyfile.write_text("[org/gnome/desktop/interface]\ncursor-blink=false\n")
    return dict(os.environ, XDG_CONFIG_HOME=folder, NO_AT_BRIDGE="1", GTK_A11Y="none", GSETTINGS_BACKEND="keyfile")


class Host:
    def __init__(self, path, environment):
        session = ["dbus-run-session", "--"] if shutil.which("dbus-run-session") else []
        interpreter = [sys.executable] if path.endswith(".py") else []
        self.process = subprocess.Popen([*session, *interpreter, path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, env=environment)
        self.lines = queue.Queue()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())

    def wait_for(self, prefix, seconds=10):
        """The next line that starts with prefix, or None."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            try:
                line = self.lines.get(timeout=max(0.0, end - time.monotonic()))
            except queue.Empty:
                break
            if line.startswith(prefix):
                return line
        return None


def top_level(window, x, y):
    """The top-level window that holds window (a toolkit such as Tk wraps
    its own in one), and (x, y) of window in it."""
    while True:
        tree = subprocess.run(["xwininfo", "-tree", "-id", window], check=True, capture_output=True, text=True).stdout
        parent = tree.split("Parent window id: ")[1].split()[0]
        if "(the root window)" in tree.split("Parent window id: ")[1].splitlines()[0]:
            return window, x, y
        info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True, text=True).stdout
        x += int(info.split("Relative upper-left X:")[1].split()[0])
        y += int(info.split("Relative upper-left Y:")[1].split()[0])
        window = parent


def capture(window):
    """The window's pixels as (width, height, rows of RGB tuples), from xwd."""
    data = subprocess.run(["xwd", "-silent", "-id", window], check=True, capture_output=True).stdout
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order, bits = fields[0], fields[4], fields[5], fields[7], fields[11]
    line, masks, colours = fields[12], fields[14:17], fields[19]
    start = header_size + 12 * colours
    order = "little" if byte_order == 0 else "big"
    step = bits // 8
    shifts = [(mask & -mask).bit_length() - 1 for mask in masks]

    def pixel(x, y):
        offset = start + y * line + x * step
        value = int.from_bytes(data[offset:offset + step], order)
        return tuple((value & mask) >> shift for mask, shift in zip(masks, shifts))

    return width, height, [[pixel(x, y) for x in range(width)] for y in range(height)]


def differences(first, second, inside):
    """How many pixels differ inside the rectangle and outside it."""
    width, height, a = first
    _, _, b = second
    x0, y0, w, h = inside
    counts = [0, 0]
    for y in range(height):
        for x in range(width):
            if a[y][x] != b[y][x]:
                counts[0 if x0 <= x < x0 + w and y0 <= y < y0 + h else 1] += 1
    return counts


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], check=True, capture_output=True, text=True).stdout


class Compositor:
    """weston nested in the X server, with its kiosk shell."""

    def __init__(self, runtime):
        self.runtime = runtime
        self.process = subprocess.Popen(["weston", "--backend=x11-backend.so", "--shell=kiosk-shell.so",
                                         "--socket=tovrell-test", "--width=600", "--height=160", "--idle-time=0"],
                                        env=dict(os.environ, XDG_RUNTIME_DIR=runtime), stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = xdotool("search", "--sync", "--classname", "weston").split()[0]
        for _ in range(100):
            if os.path.exists(os.path.join(runtime, "tovrell-test")):
                break
            time.sleep(0.1)

    def client(self, environment):
        """What a Wayland client of it sees: no X server at all."""
        environment = dict(environment, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY="tovrell-test",
                           GDK_BACKEND="wayland")
        environment.pop("DISPLAY", None)
        return environment

    def end(self):
        self.process.terminate()
        self.process.wait(10)


def platforms_loaded(process, path):
    """Qt's platform plugins in the memory of the host (a child of its
    D-Bus session, or the process itself)."""
    pids = [str(process.pid)]
    while pids:
        pid = pids.pop()
        try:
            if os.path.realpath(f"/proc/{pid}/exe") == os.path.realpath(path):
                maps = pathlib.Path(f"/proc/{pid}/maps").read_text()
                return sorted({line.split("/")[-1] for line in maps.splitlines() if "/platforms/" in line})
            pids += pathlib.Path(f"/proc/{pid}/task/{pid}/children").read_text().split()
        except OSError:
            pass
    return None


def main():
    with tempfile.TemporaryDirectory() as folder:
        environment = still_desktop(folder)
        if "wayland" not in sys.argv[2:]:
            return drive(Host(sys.argv[1], environment))
        compositor = Compositor(folder)
        try:
            host = Host(sys.argv[1], compositor.client(environment))
            result = drive(host, compositor.window)
        finally:
            compositor.end()
        return result


def drive(host, compositor=None):
    with_entry = "entry" in sys.argv[2:]
    ready = host.wait_for("ready", 20)
    if not check(ready, "the host places its banner"):
        host.process.kill()
        return 1
    window, *bounds = ready.split()[1:]
    x, y, w, h = (int(value) for value in bounds)
    if compositor:
        # Full-screen at the compositor's top-left.
        window = compositor
        check(platforms_loaded(host.process, sys.argv[1]) == ["libqoffscreen.so"],
              f"the library opened no display connection of its own "
              f"(Qt's platforms: {platforms_loaded(host.process, sys.argv[1])})")
    window, x, y = top_level(window, x, y)
    first_font = float(host.wait_for("font").split()[1])

    time.sleep(1)
    before = capture(window)
    time.sleep(0.6)
    after = capture(window)
    inside, outside = differences(before, after, (x, y, w, h))
    check(inside > 0 and outside == 0,
          f"the banner moves inside its rectangle and nothing changes outside ({inside} and {outside} pixels)")
    cyan = sum(row[x:x + w].count((0, 255, 255)) for row in after[2][y:y + h])
    check(cyan > w * h // 4, f"the banner's background fills its rectangle ({cyan} cyan pixels)")

    if with_entry:
        xdotool("windowfocus", "--sync", window)
        xdotool("type", "--delay", "50", "abc")
        check(host.wait_for("entry abc"), "typing reaches the host's entry")
    xdotool("mousemove", "--window", window, str(x + 10), str(y + 5), "click", "1")
    check(host.wait_for("MouseDown 1 0 150 75"), "a press on the banner reaches the host's sink, in twips")
    check(host.wait_for("Click"), "the click reaches the host's sink")
    if with_entry:
        xdotool("type", "--delay", "50", "d")
        check(host.wait_for("entry abcd"), "after a click on the banner, keys still reach the entry")

    if "by-command" in sys.argv[2:]:
        host.process.stdin.write(f"height {h + 60}\n")
        host.process.stdin.flush()
    else:
        xdotool("windowsize", window, str(before[0]), str(before[1] + 60))
    larger = host.wait_for("font")
    check(larger and float(larger.split()[1]) > first_font,
          f"a taller window fits a larger font ({first_font} pt, then {larger})")

    host.process.stdin.write("quit\n")
    host.process.stdin.flush()
    check(host.wait_for("closed"), "closing the window releases the banner and the library")
    check(host.process.wait(20) == 0, "the host ends with 0")
    if failures:
        print(f"{len(failures)} checks failed", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
