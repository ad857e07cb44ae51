"""What the screen-reader tests share: keys sent through the accessibility
registry (XTest) as a user's would be, the programs started with Qt's
accessibility bridge on and found on the accessibility bus, and their
accessible trees walked.

The session is the environment's: an X server without a window manager and
a session bus that starts the accessibility bus and its registry.
"""

import os
import re
import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

KEYSYMS = {"Return": 0xFF0D, "Tab": 0xFF09, "Escape": 0xFF1B, "space": 0x20,
           "KP_Up": 0xFF97, "KP_Page_Up": 0xFF9A, "KP_Home": 0xFF95, "KP_Enter": 0xFF8D}
# The keys a person's finger rests on, by their codes on the X server's
# keyboard (the same on Xvfb and on a desktop with the evdev rules).
KEYCODES = {"Return": 36, "space": 65}
MODIFIERS = {"Alt": 0x08, "Control": 0x04}


def pump(seconds):
    """Lets events arrive for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(condition, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        pump(0.1)
    return condition()


def press(key, pause=0.15):
    """A key (a name of KEYSYMS or a character) pressed and released at once."""
    Atspi.generate_keyboard_event(KEYSYMS.get(key) or ord(key), None, Atspi.KeySynthType.SYM)
    pump(pause)


def hold(key, seconds):
    """A key (a name of KEYCODES) pressed and released after a while, as a
    person presses it (0.1 to 0.2 s) or rests a finger on it (longer)."""
    Atspi.generate_keyboard_event(KEYCODES[key], None, Atspi.KeySynthType.PRESS)
    pump(seconds)
    Atspi.generate_keyboard_event(KEYCODES[key], None, Atspi.KeySynthType.RELEASE)
    pump(0.15)


def press_with(modifier, key):
    """A key with Alt or Control held, as one chord."""
    mask = MODIFIERS[modifier]
    Atspi.generate_keyboard_event(mask, None, Atspi.KeySynthType.LOCKMODIFIERS)
    press(key)
    Atspi.generate_keyboard_event(mask, None, Atspi.KeySynthType.UNLOCKMODIFIERS)


def type_text(text):
    for character in text:
        press(character)


def park_the_pointer():
    """No window holds the keyboard by being under the pointer."""
    Atspi.generate_mouse_event(0, 0, "abs")


def start(path, *arguments):
    """A program started in English with Qt's accessibility bridge always on."""
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       LC_ALL="C.UTF-8", LANGUAGE="")
    return subprocess.Popen([path, *arguments], env=environment)


def end(process):
    if process.poll() is None:
        process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def application_of(process):
    """The process's application object on the accessibility bus, or None."""
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(index)
        if app is not None and app.get_process_id() == process.pid:
            return app
    return None


def objects(root):
    yield root
    for index in range(root.get_child_count()):
        child = root.get_child_at_index(index)
        if child is not None:
            yield from objects(child)


def find(root, role, name=None):
    for item in objects(root):
        if item.get_role() == role and (name is None or re.fullmatch(name, item.get_name() or "")):
            return item
    return None
