#!/usr/bin/python3
"""Looks at and talks to one X window for the window tests.

  xwin.py digest WINDOW X0 Y0 X1 Y1     hash of the pixels of a client rectangle
  xwin.py wait WINDOW changed|same DIGEST X0 Y0 X1 Y1 SECONDS
                                        succeeds once the rectangle's hash differs
                                        from DIGEST, or equals it
  xwin.py stable WINDOW SECONDS         succeeds once two looks at the whole
                                        window 100 ms apart agree
  xwin.py uniform WINDOW X0 Y0 X1 Y1    succeeds when the rectangle has one colour,
                                        printed as RRGGBB
  xwin.py compare WINDOW FILE.png X0 Y0 X1 Y1 [DX DY]
                                        succeeds when the rectangle equals the
                                        same one of a screenshot (moved by DX DY
                                        in the window)
  xwin.py save WINDOW FILE.png          the whole client area as a PNG
  xwin.py class WINDOW                  the WM_CLASS instance and class
  xwin.py icon WINDOW FILE.png          succeeds when _NET_WM_ICON holds an image
                                        of the PNG's size with its pixels
  xwin.py close WINDOW                  WM_DELETE_WINDOW, as a window manager sends it
  xwin.py maximize WINDOW               asks the window manager to maximise it

Rectangles are left, top, right, bottom in window pixels, right and bottom
excluded. Standard library and tools/pictures/png.py only: libX11 through
ctypes, DISPLAY from the environment.
"""
import ctypes
import ctypes.util
import hashlib
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                                "pictures"))
import png  # noqa: E402

ZPIXMAP = 2
ALL_PLANES = 0xFFFFFFFF
CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0


class XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
    ]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


class XClassHint(ctypes.Structure):
    _fields_ = [("res_name", ctypes.c_char_p), ("res_class", ctypes.c_char_p)]


def load_x11():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    x = ctypes.CDLL(name)
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(XEvent)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
        ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
    x.XGetClassHint.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XClassHint)]
    return x


def fail(message):
    sys.stderr.write("xwin.py: %s\n" % message)
    sys.exit(2)


def open_display(x):
    display = x.XOpenDisplay(None)
    if not display:
        fail("cannot open the display")
    return display


def grab_planes(x, display, window, left, top, right, bottom):
    """The red, green and blue bytes of a client rectangle, row by row."""
    width, height = right - left, bottom - top
    if width <= 0 or height <= 0:
        fail("empty rectangle")
    image = x.XGetImage(display, window, left, top, width, height, ALL_PLANES, ZPIXMAP)
    if not image:
        fail("cannot read the window's pixels (unmapped, or the rectangle is outside it)")
    im = image.contents
    if (im.bits_per_pixel != 32 or im.byte_order != 0 or im.red_mask != 0xFF0000
            or im.blue_mask != 0xFF):
        fail("not a 32-bit RGB window (%d bits per pixel)" % im.bits_per_pixel)
    stride = im.bytes_per_line
    raw = ctypes.string_at(im.data, stride * height)
    # What XDestroyImage, a macro, would do; im is gone with it.
    x.XFree(im.data)
    x.XFree(image)
    rows = []
    for y in range(height):
        line = raw[y * stride:y * stride + 4 * width]
        # Little-endian 32-bit pixels: blue, green, red, then a byte of nothing.
        rows.append((line[2::4], line[1::4], line[0::4]))
    return rows


def grab(x, display, window, left, top, right, bottom):
    """Rows of (r, g, b) tuples of a client rectangle."""
    return [list(zip(*planes)) for planes in grab_planes(x, display, window, left, top, right,
                                                          bottom)]


def read_png(path):
    """Rows of (r, g, b) tuples of an 8-bit RGB or RGBA PNG."""
    try:
        width, height, rgba = png.read(path)
    except (OSError, ValueError) as error:
        fail(str(error))
    stride = width * 4
    return [[tuple(rgba[y * stride + i:y * stride + i + 3]) for i in range(0, stride, 4)]
            for y in range(height)]


def digest(x, display, window, left, top, right, bottom):
    rows = grab_planes(x, display, window, left, top, right, bottom)
    return hashlib.sha1(b"".join(b"".join(planes) for planes in rows)).hexdigest()


def send_client_message(x, display, window, kind, data, to, mask):
    """A 32-bit client message about the window, sent to the window `to`."""
    event = XEvent()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.window = window
    event.xclient.message_type = x.XInternAtom(display, kind, 0)
    event.xclient.format = 32
    for i, value in enumerate(data):
        event.xclient.data[i] = value
    if not x.XSendEvent(display, to, 0, mask, ctypes.byref(event)):
        fail("cannot send the %s message" % kind.decode())
    x.XSync(display, 0)


def window_icons(x, display, window):
    """The images of the window's _NET_WM_ICON as (width, height, ARGB values)."""
    kind, fmt = ctypes.c_ulong(), ctypes.c_int()
    count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
    atom = x.XInternAtom(display, b"_NET_WM_ICON", 0)
    if x.XGetWindowProperty(display, window, atom, 0, 1 << 24, 0, 0, ctypes.byref(kind),
                            ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                            ctypes.byref(data)) != 0 or not data.value:
        return []
    # Format 32 comes as C longs, whatever their size.
    values = list(ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[:count.value])
    x.XFree(data)
    images, pos = [], 0
    while pos + 2 <= len(values):
        w, h = values[pos], values[pos + 1]
        images.append((w, h, [v & 0xFFFFFFFF for v in values[pos + 2:pos + 2 + w * h]]))
        pos += 2 + w * h
    return images


def main(argv):
    if len(argv) < 3:
        fail(__doc__)
    command, window = argv[1], int(argv[2], 0)
    x = load_x11()
    display = open_display(x)
    if command == "digest" and len(argv) == 7:
        left, top, right, bottom = (int(v) for v in argv[3:7])
        print(digest(x, display, window, left, top, right, bottom))
    elif command == "wait" and len(argv) == 10 and argv[3] in ("changed", "same"):
        want_same, before = argv[3] == "same", argv[4]
        rect = [int(v) for v in argv[5:9]]
        deadline = time.monotonic() + float(argv[9])
        while (digest(x, display, window, *rect) == before) != want_same:
            if time.monotonic() > deadline:
                sys.exit(1)
            time.sleep(0.03)
    elif command == "stable" and len(argv) == 4:
        width, height = window_size(x, display, window)
        deadline = time.monotonic() + float(argv[3])
        previous = digest(x, display, window, 0, 0, width, height)
        while True:
            time.sleep(0.1)
            current = digest(x, display, window, 0, 0, width, height)
            if current == previous:
                break
            if time.monotonic() > deadline:
                sys.exit(1)
            previous = current
    elif command == "uniform" and len(argv) == 7:
        left, top, right, bottom = (int(v) for v in argv[3:7])
        rows = grab(x, display, window, left, top, right, bottom)
        colours = {p for row in rows for p in row}
        print(" ".join("%02x%02x%02x" % c for c in sorted(colours)[:4]))
        sys.exit(0 if len(colours) == 1 else 1)
    elif command == "compare" and len(argv) in (8, 10):
        left, top, right, bottom = (int(v) for v in argv[4:8])
        dx, dy = (int(v) for v in argv[8:10]) if len(argv) == 10 else (0, 0)
        shown = grab(x, display, window, left + dx, top + dy, right + dx, bottom + dy)
        expected = [row[left:right] for row in read_png(argv[3])[top:bottom]]
        differ = sum(a != b for r1, r2 in zip(shown, expected) for a, b in zip(r1, r2))
        if len(expected) != len(shown) or any(len(r) != len(shown[0]) for r in expected):
            print("the screenshot is smaller than the rectangle")
            sys.exit(1)
        print("%d pixels differ" % differ)
        sys.exit(0 if differ == 0 else 1)
    elif command == "save" and len(argv) == 4:
        width, height = window_size(x, display, window)
        rows = grab(x, display, window, 0, 0, width, height)
        png.write(argv[3], width, height, bytes(c for row in rows for p in row for c in p + (255,)))
    elif command == "class" and len(argv) == 3:
        hint = XClassHint()
        if not x.XGetClassHint(display, window, ctypes.byref(hint)):
            fail("the window has no class")
        print("%s %s" % (hint.res_name.decode(), hint.res_class.decode()))
    elif command == "icon" and len(argv) == 4:
        width, height, rgba = png.read(argv[3])
        want = [rgba[i + 3] << 24 | rgba[i] << 16 | rgba[i + 1] << 8 | rgba[i + 2]
                for i in range(0, len(rgba), 4)]
        images = window_icons(x, display, window)
        print("icon sizes: %s" % " ".join("%dx%d" % (w, h) for w, h, _ in images))
        sys.exit(0 if any((w, h, p) == (width, height, want) for w, h, p in images) else 1)
    elif command == "maximize" and len(argv) == 3:
        # To the root, as a request to the window manager: add both.
        state = [x.XInternAtom(display, name, 0) for name in
                 (b"_NET_WM_STATE_MAXIMIZED_VERT", b"_NET_WM_STATE_MAXIMIZED_HORZ")]
        send_client_message(x, display, window, b"_NET_WM_STATE", [1] + state + [1],
                            x.XDefaultRootWindow(display), (1 << 20) | (1 << 19))
    elif command == "close" and len(argv) == 3:
        protocol = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        send_client_message(x, display, window, b"WM_PROTOCOLS", [protocol, 0], window,
                            NO_EVENT_MASK)
    else:
        fail(__doc__)
    x.XCloseDisplay(display)


def window_size(x, display, window):
    root, wx, wy = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
    w, h, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
    x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                               ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                               ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint),
                               ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint)]
    if not x.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(wx), ctypes.byref(wy),
                          ctypes.byref(w), ctypes.byref(h), ctypes.byref(border),
                          ctypes.byref(depth)):
        fail("cannot read the window's size")
    return (w.value, h.value)


if __name__ == "__main__":
    main(sys.argv)
