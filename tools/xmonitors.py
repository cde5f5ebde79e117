"""Splits one Xvfb screen into several monitors, each with its own work area, for Wine.

  python3 tools/xmonitors.py :NN  X,Y,W,H[,P] X,Y,W,H ...  [--work X,Y,W,H X,Y,W,H ...]

The monitors are RandR 1.5 monitors on the screen's only output (the first one owns it, so the
server's automatic whole-screen monitor goes away); a trailing ,P marks the primary. Wine, with
its own XRandR use switched off (X11 Driver\\UseXRandR = N), lists them through the Xinerama
heads the server builds from them. --work gives one work area per monitor in X root
coordinates, as the _GTK_WORKAREAS_D0 root property Wine reads for each monitor's work area.
Run it before the prefix's wineserver starts: a running server keeps the layout it first saw.
Only libX11 and libXrandr are used (installed with Wine), through ctypes.
"""
import ctypes as C
import sys

x11 = C.CDLL("libX11.so.6")
xrr = C.CDLL("libXrandr.so.2")


class XRRMonitorInfo(C.Structure):
    _fields_ = [("name", C.c_ulong), ("primary", C.c_int), ("automatic", C.c_int),
                ("noutput", C.c_int), ("x", C.c_int), ("y", C.c_int), ("width", C.c_int),
                ("height", C.c_int), ("mwidth", C.c_int), ("mheight", C.c_int),
                ("outputs", C.POINTER(C.c_ulong))]


class XRRScreenResources(C.Structure):
    _fields_ = [("timestamp", C.c_ulong), ("configTimestamp", C.c_ulong), ("ncrtc", C.c_int),
                ("crtcs", C.POINTER(C.c_ulong)), ("noutput", C.c_int),
                ("outputs", C.POINTER(C.c_ulong)), ("nmode", C.c_int), ("modes", C.c_void_p)]


x11.XOpenDisplay.restype = C.c_void_p
x11.XOpenDisplay.argtypes = [C.c_char_p]
x11.XDefaultRootWindow.restype = C.c_ulong
x11.XDefaultRootWindow.argtypes = [C.c_void_p]
x11.XInternAtom.restype = C.c_ulong
x11.XInternAtom.argtypes = [C.c_void_p, C.c_char_p, C.c_int]
x11.XChangeProperty.argtypes = [C.c_void_p, C.c_ulong, C.c_ulong, C.c_ulong, C.c_int, C.c_int,
                                C.c_void_p, C.c_int]
x11.XSync.argtypes = [C.c_void_p, C.c_int]
x11.XCloseDisplay.argtypes = [C.c_void_p]
xrr.XRRGetScreenResourcesCurrent.restype = C.POINTER(XRRScreenResources)
xrr.XRRGetScreenResourcesCurrent.argtypes = [C.c_void_p, C.c_ulong]
xrr.XRRGetMonitors.restype = C.POINTER(XRRMonitorInfo)
xrr.XRRGetMonitors.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.POINTER(C.c_int)]
xrr.XRRSetMonitor.argtypes = [C.c_void_p, C.c_ulong, C.POINTER(XRRMonitorInfo)]
xrr.XRRDeleteMonitor.argtypes = [C.c_void_p, C.c_ulong, C.c_ulong]
xrr.XRRFreeMonitors.argtypes = [C.POINTER(XRRMonitorInfo)]
xrr.XRRFreeScreenResources.argtypes = [C.POINTER(XRRScreenResources)]

XA_CARDINAL = 6
PROP_MODE_REPLACE = 0


def rects(args):
    return [[int(v) for v in a.split(",")] for a in args]


def split(display, mons, work=()):
    """mons: [x, y, w, h] or [x, y, w, h, 1] for the primary; work: [x, y, w, h] for each."""
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise RuntimeError(f"cannot open display {display}")
    root = x11.XDefaultRootWindow(dpy)
    # Drop monitors a previous run defined, so the call can be repeated.
    n = C.c_int(0)
    old = xrr.XRRGetMonitors(dpy, root, 0, C.byref(n))
    for i in range(n.value):
        if not old[i].automatic:
            xrr.XRRDeleteMonitor(dpy, root, old[i].name)
    if old:
        xrr.XRRFreeMonitors(old)
    res = xrr.XRRGetScreenResourcesCurrent(dpy, root)
    output = res.contents.outputs[0]
    xrr.XRRFreeScreenResources(res)
    for i, m in enumerate(mons):
        info = XRRMonitorInfo()
        info.name = x11.XInternAtom(dpy, f"QP{i}".encode(), 0)
        info.primary = 1 if len(m) > 4 and m[4] else 0
        info.x, info.y, info.width, info.height = m[:4]
        info.mwidth, info.mheight = m[2] * 254 // 960, m[3] * 254 // 960  # 96 dpi
        outs = (C.c_ulong * 1)(output)
        info.noutput = 1 if i == 0 else 0
        info.outputs = C.cast(outs, C.POINTER(C.c_ulong))
        xrr.XRRSetMonitor(dpy, root, C.byref(info))
    if work:
        flat = [v for r in work for v in r]
        arr = (C.c_long * len(flat))(*flat)
        x11.XChangeProperty(dpy, root, x11.XInternAtom(dpy, b"_GTK_WORKAREAS_D0", 0), XA_CARDINAL,
                            32, PROP_MODE_REPLACE, arr, len(flat))
        zero = (C.c_long * 1)(0)
        x11.XChangeProperty(dpy, root, x11.XInternAtom(dpy, b"_NET_CURRENT_DESKTOP", 0), XA_CARDINAL,
                            32, PROP_MODE_REPLACE, zero, 1)
        p = next((i for i, m in enumerate(mons) if len(m) > 4 and m[4]), 0)
        arr1 = (C.c_long * 4)(*work[p])
        x11.XChangeProperty(dpy, root, x11.XInternAtom(dpy, b"_NET_WORKAREA", 0), XA_CARDINAL,
                            32, PROP_MODE_REPLACE, arr1, 4)
    x11.XSync(dpy, 0)
    x11.XCloseDisplay(dpy)


def main(argv):
    display, rest = argv[1], argv[2:]
    work = []
    if "--work" in rest:
        i = rest.index("--work")
        rest, work = rest[:i], rects(rest[i + 1:])
    split(display, rects(rest), work)


if __name__ == "__main__":
    main(sys.argv)
