#!/usr/bin/env python3
"""close-window.py TITLE_END [SECONDS]: waits for an X window whose title ends with
TITLE_END on $DISPLAY and asks it to close the way a window manager's close button
does (WM_DELETE_WINDOW). Exits 1 when no such window showed up in time."""
import ctypes
import sys
import time
from ctypes import POINTER, byref, c_char, c_char_p, c_int, c_long, c_uint, c_ulong, c_void_p

X = ctypes.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = c_void_p
X.XOpenDisplay.argtypes = [c_char_p]
X.XDefaultRootWindow.restype = c_ulong
X.XDefaultRootWindow.argtypes = [c_void_p]
X.XQueryTree.argtypes = [c_void_p, c_ulong, POINTER(c_ulong), POINTER(c_ulong),
                         POINTER(POINTER(c_ulong)), POINTER(c_uint)]
X.XFetchName.argtypes = [c_void_p, c_ulong, POINTER(POINTER(c_char))]
X.XInternAtom.restype = c_ulong
X.XInternAtom.argtypes = [c_void_p, c_char_p, c_int]
X.XSendEvent.argtypes = [c_void_p, c_ulong, c_int, c_long, c_void_p]
X.XFlush.argtypes = [c_void_p]
X.XFree.argtypes = [c_void_p]

CLIENT_MESSAGE = 33


class ClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", c_int), ("serial", c_ulong), ("send_event", c_int),
                ("display", c_void_p), ("window", c_ulong), ("message_type", c_ulong),
                ("format", c_int), ("data", c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessageEvent), ("pad", c_long * 24)]


def windows_below(display, window):
    root, parent, children, count = c_ulong(), c_ulong(), POINTER(c_ulong)(), c_uint()
    if not X.XQueryTree(display, window, byref(root), byref(parent), byref(children), byref(count)):
        return
    found = [children[i] for i in range(count.value)]
    if count.value:
        X.XFree(children)
    for child in found:
        yield child
        yield from windows_below(display, child)


def title(display, window):
    name = POINTER(c_char)()
    if not X.XFetchName(display, window, byref(name)) or not name:
        return b""
    text = ctypes.string_at(name)
    X.XFree(name)
    return text


def main():
    wanted = sys.argv[1].encode()
    deadline = time.time() + (float(sys.argv[2]) if len(sys.argv) > 2 else 20)
    display = X.XOpenDisplay(None)
    while not display and time.time() < deadline:
        time.sleep(0.1)
        display = X.XOpenDisplay(None)
    while display and time.time() < deadline:
        root = X.XDefaultRootWindow(display)
        for window in windows_below(display, root):
            if title(display, window).endswith(wanted):
                event = Event()
                event.xclient.type = CLIENT_MESSAGE
                event.xclient.window = window
                event.xclient.message_type = X.XInternAtom(display, b"WM_PROTOCOLS", 0)
                event.xclient.format = 32
                event.xclient.data[0] = X.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
                X.XSendEvent(display, window, 0, 0, byref(event))
                X.XFlush(display)
                return 0
        time.sleep(0.1)
    print("close-window.py: no window titled ...%s" % sys.argv[1], file=sys.stderr)
    return 1


sys.exit(main())
