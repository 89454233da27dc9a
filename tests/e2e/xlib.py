"""Asking a window to close the way a window manager does: a WM_DELETE_WINDOW
message of the WM_PROTOCOLS kind, sent to the window's own client, which SDL
turns into a quit request (SDL_QUIT). xdotool has no command for it (its
windowclose destroys the window and its windowkill drops the client, neither
of which a player can do), so it is sent through libX11 with ctypes."""

import ctypes
import ctypes.util


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    # XEvent is a union padded to 24 longs.
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


_CLIENT_MESSAGE = 33


def _libx11():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    lib = ctypes.CDLL(name)
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XInternAtom.restype = ctypes.c_ulong
    lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    lib.XFlush.argtypes = [ctypes.c_void_p]
    lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return lib


class _Display:
    def __init__(self, name):
        self.lib = _libx11()
        self.handle = self.lib.XOpenDisplay(name.encode())
        if not self.handle:
            raise OSError("cannot open display %s" % name)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.lib.XCloseDisplay(self.handle)


def request_close(display_name, window):
    """Sends WM_DELETE_WINDOW to `window` (an X window id) on the display."""
    with _Display(display_name) as connection:
        lib, display = connection.lib, connection.handle
        event = _Event()
        event.xclient.type = _CLIENT_MESSAGE
        event.xclient.send_event = 1
        event.xclient.display = display
        event.xclient.window = window
        event.xclient.message_type = lib.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = lib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not lib.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
            raise OSError("XSendEvent failed")
        lib.XSync(display, 0)
