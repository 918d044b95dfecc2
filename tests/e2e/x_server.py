"""The virtual X server the tools run the demo in, and what they need of it: starting and
stopping Xvfb, an environment that sends a program to it, a libX11 connection of our own,
closing a window as a window manager does, and where the demo's window puts its control.

Imported by the end-to-end tests next to it and by bench/startup.py.
"""

import ctypes
import functools
import os
import select
import subprocess
import time

# The demo's window (its client area; Xvfb has no window manager to frame it) and its bar
# code control in it, in pixels at a device pixel ratio of 1.
WINDOW_WIDTH, WINDOW_HEIGHT = 265, 112
CONTROL_LEFT, CONTROL_TOP, CONTROL_WIDTH, CONTROL_HEIGHT = 72, 16, 115, 81


# --- Xvfb -----------------------------------------------------------------------------------
def start_xvfb(timeout=30.0, screen="640x480x24"):
    """Starts Xvfb on a display it picks itself, with one screen of that size and depth;
    returns the process and the display's name (":N"). Nothing is left running when this
    fails."""
    read_end, write_end = os.pipe()
    xvfb = None
    try:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        write_end = None
        number = _read_line(read_end, timeout)
        if not number:
            raise RuntimeError("Xvfb did not start")
        return xvfb, ":" + number
    except BaseException:
        if xvfb is not None:
            stop(xvfb)
        raise
    finally:
        os.close(read_end)
        if write_end is not None:
            os.close(write_end)


def _read_line(fd, timeout) -> str:
    """The first line written to fd, or what came before it closed; within timeout."""
    deadline = time.monotonic() + timeout
    data = b""
    while b"\n" not in data:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise TimeoutError(f"Xvfb named no display within {timeout} s")
        chunk = os.read(fd, 64)
        if not chunk:
            break
        data += chunk
    return data.decode().strip()


def stop(process, timeout=10.0):
    """Ends a process we started: asks first, kills when it does not listen."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def program_environment(display, extra=None):
    """Our environment for a program on `display`, without what would send Qt elsewhere."""
    env = dict(os.environ, DISPLAY=display, **(extra or {}))
    for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(name, None)
    return env


# --- libX11 ---------------------------------------------------------------------------------
IS_VIEWABLE, Z_PIXMAP, CLIENT_MESSAGE = 2, 2, 33


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong),
                ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
                ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
                ("screen", ctypes.c_void_p)]


class XImage(ctypes.Structure):
    # Only the leading fields are read; the rest of the structure is left alone.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                ("pad", ctypes.c_long * 24)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


@functools.lru_cache(maxsize=None)
def libx11():
    """libX11, with the signatures of the calls the tools make."""
    x11 = ctypes.CDLL("libX11.so.6")
    display, window, atom = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong
    signatures = {
        "XOpenDisplay": (display, [ctypes.c_char_p]),
        "XCloseDisplay": (ctypes.c_int, [display]),
        "XDefaultRootWindow": (window, [display]),
        "XConnectionNumber": (ctypes.c_int, [display]),
        "XFlush": (ctypes.c_int, [display]),
        "XSync": (ctypes.c_int, [display, ctypes.c_int]),
        "XPending": (ctypes.c_int, [display]),
        "XNextEvent": (ctypes.c_int, [display, ctypes.c_void_p]),
        "XSelectInput": (ctypes.c_int, [display, window, ctypes.c_long]),
        "XInternAtom": (atom, [display, ctypes.c_char_p, ctypes.c_int]),
        "XSendEvent": (ctypes.c_int, [display, window, ctypes.c_int, ctypes.c_long,
                                      ctypes.c_void_p]),
        "XQueryTree": (ctypes.c_int, [display, window, ctypes.POINTER(window),
                                      ctypes.POINTER(window),
                                      ctypes.POINTER(ctypes.POINTER(window)),
                                      ctypes.POINTER(ctypes.c_uint)]),
        "XGetWindowAttributes": (ctypes.c_int, [display, window,
                                                ctypes.POINTER(XWindowAttributes)]),
        "XGetImage": (ctypes.POINTER(XImage), [display, window, ctypes.c_int, ctypes.c_int,
                                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                               ctypes.c_int]),
        "XDestroyImage": (ctypes.c_int, [ctypes.POINTER(XImage)]),
        "XFree": (ctypes.c_int, [ctypes.c_void_p]),
        "XSetErrorHandler": (ctypes.c_void_p, [ERROR_HANDLER]),
    }
    for name, (result, arguments) in signatures.items():
        function = getattr(x11, name)
        function.restype, function.argtypes = result, arguments
    return x11


class Connection:
    """A client connection of our own to the X server; closed on leaving a with block."""

    def __init__(self, display_name):
        self.x11 = libx11()
        self.display = self.x11.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError(f"cannot open X display {display_name}")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def close(self):
        if self.display:
            self.x11.XCloseDisplay(self.display)
            self.display = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close_window(self, window):
        """Asks the window to close (WM_DELETE_WINDOW), as a window manager's close button
        does."""
        event = ClientMessage()
        event.type = CLIENT_MESSAGE
        event.window = window
        event.message_type = self.x11.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.data[0] = self.x11.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)
        event.data[1] = 0  # CurrentTime
        self.x11.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x11.XFlush(self.display)
