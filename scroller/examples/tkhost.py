#!/usr/bin/python3
"""A Tk program in Python with a text entry and, beside it, a banner that
fills a frame, through ctypes alone: the steps of HOSTING.md's walk, as
banner.c takes them in C. Tk's loop is not GLib's: it waits on the
banner's wake descriptor (createfilehandler) and for the time the banner
asks (after). It prints "ready <window> <x> <y> <width> <height>" once the
banner is placed, "font <points>" after each fit, "entry <text>" as the
entry changes, and the banner's events; it ends when its window is closed
or a line "quit" arrives on its standard input.
"""

import ctypes
import os
import pathlib
import sys
import tkinter

HRESULT = ctypes.c_int32


class GUID(ctypes.Structure):
    _fields_ = [("Data1", ctypes.c_uint32), ("Data2", ctypes.c_uint16), ("Data3", ctypes.c_uint16),
                ("Data4", ctypes.c_uint8 * 8)]

    def __init__(self, text):
        """From "6D2A9C42-3B7E-4F15-9A0C-52E1B7D4C8A1"."""
        parts = text.split("-")
        tail = bytes.fromhex(parts[3] + parts[4])
        super().__init__(int(parts[0], 16), int(parts[1], 16), int(parts[2], 16), (ctypes.c_uint8 * 8)(*tail))


class VARIANT(ctypes.Structure):
    """The 16-byte VARIANT as it passes by value: ctypes passes no unions by
    value, so its eight bytes of value are one integer here (a pointer's
    address, or an integer's bits)."""
    _fields_ = [("vt", ctypes.c_uint16), ("reserved", ctypes.c_uint16 * 3), ("value", ctypes.c_uint64)]


CLSID_Scroller = GUID("6D2A9C42-3B7E-4F15-9A0C-52E1B7D4C8A1")
IID_IUnknown = GUID("00000000-0000-0000-C000-000000000046")
IID_IClassFactory = GUID("00000001-0000-0000-C000-000000000046")
IID_IDispatch = GUID("00020400-0000-0000-C000-000000000046")
IID__Scroller = GUID("6D2A9C43-3B7E-4F15-9A0C-52E1B7D4C8A1")
DIID___Scroller = GUID("6D2A9C44-3B7E-4F15-9A0C-52E1B7D4C8A1")
IID_IConnectionPointContainer = GUID("B196B284-BAB4-101A-B69C-00AA00341D07")
IID_IPersistPropertyBag = GUID("37D84F60-42CB-11CE-8135-00AA004BB851")
IID_IX11WindowControl = GUID("6D2A9C48-3B7E-4F15-9A0C-52E1B7D4C8A1")
IID_ILoopIntegration = GUID("6D2A9C49-3B7E-4F15-9A0C-52E1B7D4C8A1")
VT_BSTR = 8
VARIANT_TRUE = -1
DISPID_SCROLLER_CLICK, DISPID_SCROLLER_MOUSEDOWN = 1, 3


def call(interface, slot, *arguments, types=()):
    """Calls the function in slot of interface's table (the order of
    interfaces.h, from 0: QueryInterface, AddRef, Release, ...); raises on a
    failing HRESULT, answers the result otherwise."""
    table = ctypes.cast(interface, ctypes.POINTER(ctypes.POINTER(ctypes.c_void_p))).contents
    function = ctypes.CFUNCTYPE(HRESULT, ctypes.c_void_p, *types)(table[slot])
    result = function(interface, *arguments)
    if result < 0:
        raise OSError(f"slot {slot} failed: 0x{result & 0xFFFFFFFF:08X}")
    return result


def query(interface, iid):
    """interface's QueryInterface for iid: a pointer the caller releases."""
    found = ctypes.c_void_p()
    call(interface, 0, ctypes.byref(iid), ctypes.byref(found), types=(ctypes.c_void_p, ctypes.c_void_p))
    return found


def release(interface):
    table = ctypes.cast(interface, ctypes.POINTER(ctypes.POINTER(ctypes.c_void_p))).contents
    ctypes.CFUNCTYPE(ctypes.c_uint32, ctypes.c_void_p)(table[2])(interface)


def registered_library():
    """The library of CLSID_Scroller in the component registries, the
    user's first, as <tovrell/registry.h> reads them (no quoting needed for
    a path without commas)."""
    user = os.environ.get("FORM_COMPONENT_REGISTRY") or os.path.join(
        os.environ.get("XDG_CONFIG_HOME") or os.path.expanduser("~/.config"), "formruntime/components.ini")
    system = os.environ.get("FORM_COMPONENT_SYSTEM_REGISTRY") or "/etc/formruntime/components.ini"
    key = "%7B6D2A9C42-3B7E-4F15-9A0C-52E1B7D4C8A1%7D\\InprocServer32\\Default="
    for registry in (user, system):
        section = None
        for line in pathlib.Path(registry).read_text().splitlines() if os.path.exists(registry) else []:
            section = line.strip() if line.startswith("[") else section
            if section == "[CLSID]" and line.startswith(key):
                return line[len(key):].strip('"')
    return None


class EventSink:
    """An IDispatch of the host's, in ctypes: a table of callbacks, then the
    object, whose first field points at the table."""
    prototypes = [
        ctypes.CFUNCTYPE(HRESULT, ctypes.c_void_p, ctypes.POINTER(GUID), ctypes.POINTER(ctypes.c_void_p)),
        ctypes.CFUNCTYPE(ctypes.c_uint32, ctypes.c_void_p),
        ctypes.CFUNCTYPE(ctypes.c_uint32, ctypes.c_void_p),
        ctypes.CFUNCTYPE(HRESULT, ctypes.c_void_p, ctypes.c_void_p),
        ctypes.CFUNCTYPE(HRESULT, ctypes.c_void_p, ctypes.c_uint32, ctypes.c_uint32, ctypes.c_void_p),
        ctypes.CFUNCTYPE(HRESULT, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint32, ctypes.c_uint32,
                         ctypes.c_void_p),
        ctypes.CFUNCTYPE(HRESULT, ctypes.c_void_p, ctypes.c_int32, ctypes.c_void_p, ctypes.c_uint32, ctypes.c_uint16,
                         ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p),
    ]

    def __init__(self):
        self.references = 1
        self.functions = [prototype(function) for prototype, function in zip(self.prototypes, [
            self.query_interface, self.add_ref, self.release, lambda *_: -2147467263, lambda *_: -2147467263,
            lambda *_: -2147467263, self.invoke])]
        self.table = (ctypes.c_void_p * 7)(*(ctypes.cast(f, ctypes.c_void_p) for f in self.functions))
        self.face = ctypes.pointer(ctypes.c_void_p(ctypes.addressof(self.table)))

    def query_interface(self, this, iid, object_out):
        wanted = bytes(iid.contents)
        if wanted not in (bytes(IID_IUnknown), bytes(IID_IDispatch), bytes(DIID___Scroller)):
            object_out[0] = None
            return -2147467262  # E_NOINTERFACE
        object_out[0] = this
        self.references += 1
        return 0

    def add_ref(self, this):
        self.references += 1
        return self.references

    def release(self, this):
        self.references -= 1
        return self.references

    def invoke(self, this, dispid, riid, lcid, flags, params, result, exception, argument_error):
        """MouseDown's arguments come by reference in reverse order: Y, X,
        Shift, Button; positions in twips (15 a pixel)."""
        if dispid == DISPID_SCROLLER_CLICK:
            print("Click", flush=True)
        elif dispid == DISPID_SCROLLER_MOUSEDOWN:
            rgvarg = ctypes.cast(ctypes.cast(params, ctypes.POINTER(ctypes.c_void_p))[0], ctypes.POINTER(VARIANT))
            y, x, shift, button = (rgvarg[i].value for i in range(4))
            read = lambda address, kind: ctypes.cast(address, ctypes.POINTER(kind))[0]
            print(f"MouseDown {read(button, ctypes.c_int16)} {read(shift, ctypes.c_int16)} "
                  f"{read(x, ctypes.c_float):.0f} {read(y, ctypes.c_float):.0f}", flush=True)
        return 0


class Banner:
    def __init__(self, caption, window, bounds):
        # 1. Find the library through the component registry, and load it.
        path = registered_library()
        if not path:
            raise OSError("Tovrell.Scroller is not registered: regcomponent <path of libtovrell.so.1>")
        self.library = ctypes.CDLL(path, mode=os.RTLD_LOCAL)
        self.library.DllGetClassObject.restype = HRESULT
        self.library.DllCanUnloadNow.restype = HRESULT

        # 2. Create a Scroller, and keep the factory's loop integration.
        factory = ctypes.c_void_p()
        self.scroller = ctypes.c_void_p()
        if self.library.DllGetClassObject(ctypes.byref(CLSID_Scroller), ctypes.byref(IID_IClassFactory),
                                          ctypes.byref(factory)) < 0:
            raise OSError("no class factory")
        try:
            call(factory, 3, None, ctypes.byref(IID__Scroller), ctypes.byref(self.scroller),
                 types=(ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p))
            self.loop = query(factory, IID_ILoopIntegration)
        finally:
            release(factory)

        # 3. Site it in the window: ambient properties first, then the window.
        self.placement = query(self.scroller, IID_IX11WindowControl)
        call(self.placement, 6, VARIANT_TRUE, None, ctypes.c_float(0.0),
             types=(ctypes.c_int16, ctypes.c_void_p, ctypes.c_float))
        call(self.placement, 3, window, types=(ctypes.c_uint64,))

        # 4. A new placement and its caption (a BSTR: its byte length, then
        #    UTF-16 text and a NUL; borrowed for the call), then its bounds.
        persistence = query(self.scroller, IID_IPersistPropertyBag)
        try:
            call(persistence, 4)
        finally:
            release(persistence)
        text = caption.encode("utf-16-le")
        bstr = ctypes.create_string_buffer(len(text).to_bytes(4, "little") + text + b"\0\0")
        call(self.scroller, 21, VARIANT(VT_BSTR, (0, 0, 0), ctypes.addressof(bstr) + 4), types=(VARIANT,))
        self.move(*bounds)

        # 5. Hear its events.
        self.sink = EventSink()
        points = query(self.scroller, IID_IConnectionPointContainer)
        self.events = ctypes.c_void_p()
        try:
            call(points, 4, ctypes.byref(DIID___Scroller), ctypes.byref(self.events),
                 types=(ctypes.c_void_p, ctypes.c_void_p))
        finally:
            release(points)
        self.cookie = ctypes.c_uint32()
        call(self.events, 5, self.sink.face, ctypes.byref(self.cookie), types=(ctypes.c_void_p, ctypes.c_void_p))

    def move(self, x, y, width, height):
        call(self.placement, 4, x, y, width, height, types=(ctypes.c_int32,) * 4)

    def font_size(self):
        font = ctypes.c_void_p()
        call(self.scroller, 13, ctypes.byref(font), types=(ctypes.c_void_p,))
        size = (ctypes.c_byte * 16)()
        none = (ctypes.c_byte * 24)()
        try:
            call(font, 6, 2, ctypes.byref(GUID("00000000-0000-0000-0000-000000000000")), 0, 2, none, size, None, None,
                 types=(ctypes.c_int32, ctypes.c_void_p, ctypes.c_uint32, ctypes.c_uint16, ctypes.c_void_p,
                        ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p))
        finally:
            release(font)
        return ctypes.cast(ctypes.byref(size, 8), ctypes.POINTER(ctypes.c_float))[0]

    # 6. Run its work from Tk's loop.
    def wake_descriptor(self):
        descriptor = ctypes.c_int32(-1)
        call(self.loop, 3, ctypes.byref(descriptor), types=(ctypes.c_void_p,))
        return descriptor.value

    def run_pending_work(self):
        following = ctypes.c_int32(-1)
        call(self.loop, 4, ctypes.byref(following), types=(ctypes.c_void_p,))
        return following.value

    # 7. Release everything; once nothing of the library is held, it may go.
    def close(self):
        call(self.events, 6, self.cookie.value, types=(ctypes.c_uint32,))
        release(self.events)
        call(self.placement, 3, 0, types=(ctypes.c_uint64,))
        for interface in (self.placement, self.scroller, self.loop):
            release(interface)
        return self.library.DllCanUnloadNow() == 0 and self.sink.references == 1


class Host:
    def __init__(self):
        self.root = tkinter.Tk(className="Tk host")
        self.entry = tkinter.Entry(self.root)
        self.entry.pack(side="left", padx=8, pady=8)
        self.entry.focus_set()
        self.entry.bind("<KeyRelease>", lambda event: print(f"entry {self.entry.get()}", flush=True))
        self.area = tkinter.Frame(self.root, width=408, height=40)
        self.area.pack(side="left", fill="both", expand=True, padx=8, pady=8)
        self.root.protocol("WM_DELETE_WINDOW", self.quit)
        self.root.createfilehandler(sys.stdin, tkinter.READABLE, self.command)
        self.timer = None
        # The frame's X11 window exists, and the X server knows it, once Tk
        # has done its idle work.
        self.root.update_idletasks()
        self.banner = Banner("Hello from Tk", self.area.winfo_id(), (0, 0, self.area.winfo_width(),
                                                                      self.area.winfo_height()))
        self.root.createfilehandler(self.banner.wake_descriptor(), tkinter.READABLE, lambda *_: self.run_work())
        self.area.bind("<Configure>", self.fit)
        print(f"ready {self.root.winfo_id():#x} {self.area.winfo_x()} {self.area.winfo_y()} "
              f"{self.area.winfo_width()} {self.area.winfo_height()}", flush=True)
        self.fit()
        self.run_work()

    def fit(self, event=None):
        self.banner.move(0, 0, self.area.winfo_width(), self.area.winfo_height())
        print(f"font {self.banner.font_size():.2f}", flush=True)

    def run_work(self):
        if self.timer:
            self.root.after_cancel(self.timer)
        following = self.banner.run_pending_work()
        self.timer = self.root.after(following, self.run_work) if following >= 0 else None

    def command(self, stream, mask):
        line = stream.readline()
        if not line or line.startswith("quit"):
            self.root.deletefilehandler(sys.stdin)
        if line.startswith("quit"):
            self.quit()

    def quit(self):
        self.root.deletefilehandler(self.banner.wake_descriptor())
        if self.timer:
            self.root.after_cancel(self.timer)
        self.cleanly = self.banner.close()
        self.root.destroy()


def main():
    host = Host()
    host.root.mainloop()
    if not host.cleanly:
        print("tkhost: the library was still in use", file=sys.stderr)
        return 1
    print("closed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
