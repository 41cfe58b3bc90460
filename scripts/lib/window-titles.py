#!/usr/bin/env python3
"""window-titles.py: prints the title (_NET_WM_NAME, UTF-8) of every X window on
$DISPLAY, one a line; wine sets it in any language, WM_NAME only in the locale's."""
import ctypes
from ctypes import POINTER, byref, c_char_p, c_int, c_long, c_ubyte, c_uint, c_ulong, c_void_p

X = ctypes.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = c_void_p
X.XOpenDisplay.argtypes = [c_char_p]
X.XDefaultRootWindow.restype = c_ulong
X.XDefaultRootWindow.argtypes = [c_void_p]
X.XInternAtom.restype = c_ulong
X.XInternAtom.argtypes = [c_void_p, c_char_p, c_int]
X.XQueryTree.argtypes = [c_void_p, c_ulong, POINTER(c_ulong), POINTER(c_ulong),
                         POINTER(POINTER(c_ulong)), POINTER(c_uint)]
X.XGetWindowProperty.argtypes = [c_void_p, c_ulong, c_ulong, c_long, c_long, c_int, c_ulong,
                                 POINTER(c_ulong), POINTER(c_int), POINTER(c_ulong),
                                 POINTER(c_ulong), POINTER(POINTER(c_ubyte))]
X.XFree.argtypes = [c_void_p]


def titles(display, window, name, utf8):
    kind, size, count, left = c_ulong(), c_int(), c_ulong(), c_ulong()
    data = POINTER(c_ubyte)()
    if X.XGetWindowProperty(display, window, name, 0, 1024, 0, utf8, byref(kind), byref(size),
                            byref(count), byref(left), byref(data)) == 0 and data:
        if count.value:
            yield bytes(data[:count.value]).decode("utf-8", "replace")
        X.XFree(data)
    root, parent, children, number = c_ulong(), c_ulong(), POINTER(c_ulong)(), c_uint()
    if X.XQueryTree(display, window, byref(root), byref(parent), byref(children), byref(number)):
        found = [children[i] for i in range(number.value)]
        if number.value:
            X.XFree(children)
        for child in found:
            yield from titles(display, child, name, utf8)


def main():
    display = X.XOpenDisplay(None)
    if not display:
        return 1
    name = X.XInternAtom(display, b"_NET_WM_NAME", 0)
    utf8 = X.XInternAtom(display, b"UTF8_STRING", 0)
    for text in titles(display, X.XDefaultRootWindow(display), name, utf8):
        print(text)
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
