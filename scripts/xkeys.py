#!/usr/bin/env python3
"""Drives a program on an X display the way a person would: lists the visible
top-level windows and types keys through the XTEST extension (libX11 and
libXtst only, which the X utilities already bring).

  xkeys.py windows                 one line per visible top-level window: id, title
  xkeys.py wait REGEX [SECONDS]    waits for a visible window whose title matches;
                                   prints its id, exits 1 on time-out
  xkeys.py type TEXT               types TEXT (ASCII) into the focused window
  xkeys.py key NAME...             presses keys, e.g. Return, Escape, alt+F4

The display is $DISPLAY.
"""
import ctypes
import ctypes.util
import re
import sys
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")

Window = ctypes.c_ulong
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                           ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x11.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_char_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


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

# Characters typed with Shift held on a US layout.
SHIFTED = '~!@#$%^&*()_+{}|:"<>?'
UNSHIFTED = "`1234567890-=[]\\;',./"
NAMES = {" ": "space", "\n": "Return", "\t": "Tab"}
for plain in UNSHIFTED:
    NAMES.setdefault(plain, {"`": "grave", "-": "minus", "=": "equal", "[": "bracketleft",
                             "]": "bracketright", "\\": "backslash", ";": "semicolon",
                             "'": "apostrophe", ",": "comma", ".": "period",
                             "/": "slash"}.get(plain, plain))
MODIFIERS = {"shift": "Shift_L", "ctrl": "Control_L", "alt": "Alt_L"}


def open_display():
    dpy = x11.XOpenDisplay(None)
    if not dpy:
        sys.exit("xkeys: cannot open the display (is DISPLAY set?)")
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


def keycode(dpy, name):
    sym = x11.XStringToKeysym(name.encode())
    code = x11.XKeysymToKeycode(dpy, sym) if sym else 0
    if not code:
        sys.exit(f"xkeys: no key for {name!r}")
    return code


def press(dpy, names):
    """Holds names[:-1] down, taps the last one, releases in reverse order."""
    codes = [keycode(dpy, n) for n in names]
    for c in codes:
        xtst.XTestFakeKeyEvent(dpy, c, True, 0)
    for c in reversed(codes):
        xtst.XTestFakeKeyEvent(dpy, c, False, 0)
    x11.XSync(dpy, False)
    # Wine reads the events on its own thread: give each stroke its turn.
    time.sleep(0.05)


def chord(spec):
    parts = spec.split("+")
    return [MODIFIERS.get(p.lower(), p) for p in parts[:-1]] + [parts[-1]]


def type_text(dpy, text):
    for ch in text:
        if ch.isalpha() and ch.isascii():
            press(dpy, ["Shift_L", ch.lower()] if ch.isupper() else [ch])
        elif ch.isdigit():
            press(dpy, [ch])
        elif ch in SHIFTED:
            press(dpy, ["Shift_L", NAMES[UNSHIFTED[SHIFTED.index(ch)]]])
        elif ch in NAMES:
            press(dpy, [NAMES[ch]])
        else:
            sys.exit(f"xkeys: cannot type {ch!r}")


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
    elif cmd == "type" and args:
        type_text(dpy, " ".join(args))
    elif cmd == "key" and args:
        for spec in args:
            press(dpy, chord(spec))
    else:
        sys.exit(__doc__)
    x11.XCloseDisplay(dpy)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
