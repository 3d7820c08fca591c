#!/usr/bin/env python3
"""Finds the visible top-level windows on an X display (libX11 only, which the
X utilities already bring).

  xwindows.py windows                 one line per visible top-level window: id, title
  xwindows.py wait REGEX [SECONDS]    waits for a visible window whose title matches;
                                      prints its id, exits 1 on time-out

The display is $DISPLAY.
"""
import ctypes
import ctypes.util
import re
import sys
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")

Window = ctypes.c_ulong
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                           ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x11.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_char_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
                ("visual", ctypes.c_void_p), ("root", Window), ("c_class", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XWindowAttributes)]
IS_VIEWABLE = 2

def open_display():
    dpy = x11.XOpenDisplay(None)
    if not dpy:
        sys.exit("xwindows: cannot open the display (is DISPLAY set?)")
    return dpy


def top_windows(dpy):
    """Visible top-level windows with a title, as (id, title), in stacking order."""
    root = x11.XDefaultRootWindow(dpy)
    root_ret, parent_ret = Window(), Window()
    children = ctypes.POINTER(Window)()
    count = ctypes.c_uint()
    if not x11.XQueryTree(dpy, root, ctypes.byref(root_ret), ctypes.byref(parent_ret),
                          ctypes.byref(children), ctypes.byref(count)):
        return []
    found = []
    for i in range(count.value):
        w = children[i]
        attrs = XWindowAttributes()
        if not x11.XGetWindowAttributes(dpy, w, ctypes.byref(attrs)) or attrs.map_state != IS_VIEWABLE:
            continue
        name = ctypes.c_char_p()
        if x11.XFetchName(dpy, w, ctypes.byref(name)) and name.value is not None:
            found.append((w, name.value.decode("latin-1")))
            x11.XFree(name)
    if children:
        x11.XFree(children)
    return found


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    dpy = open_display()
    cmd, args = argv[1], argv[2:]
    if cmd == "windows":
        for w, name in top_windows(dpy):
            print(f"0x{w:x}\t{name}")
    elif cmd == "wait" and args:
        pattern = re.compile(args[0])
        deadline = time.monotonic() + (float(args[1]) if len(args) > 1 else 30.0)
        while True:
            hits = [w for w, name in top_windows(dpy) if pattern.search(name)]
            if hits:
                print(f"0x{hits[-1]:x}")
                break
            if time.monotonic() > deadline:
                x11.XCloseDisplay(dpy)
                return 1
            time.sleep(0.2)
    else:
        sys.exit(__doc__)
    x11.XCloseDisplay(dpy)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
