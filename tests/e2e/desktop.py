"""A private desktop for end-to-end runs: Xvfb, a session bus with the
accessibility bus, openbox, and xdotool/ImageMagick helpers; or weston on
its headless backend for Wayland."""

import ctypes
import ctypes.util
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE for this test

SESSION_NEEDED = {
    "dbus-run-session": "dbus",
    "gdbus": "libglib2.0-bin",
}
NEEDED = dict(SESSION_NEEDED, **{
    "Xvfb": "xvfb",
    "openbox": "openbox",
    "xdotool": "xdotool",
    "xprop": "x11-utils",
    "xwininfo": "x11-utils",
    "import": "imagemagick",
    "compare": "imagemagick",
})
WAYLAND_NEEDED = dict(SESSION_NEEDED, weston="weston")
# Qt's Wayland platform plugin, wherever the multiarch directory is.
WAYLAND_PLUGIN = "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"


def skip_if_missing(tools=None, wayland=False, also_missing=()):
    """Exits with SKIP, naming the packages to install, when a tool is missing (also_missing: the
    packages a run has found missing of its own)."""
    tools = tools or NEEDED
    missing = sorted({package for tool, package in tools.items() if not shutil.which(tool)} | set(also_missing))
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.append("at-spi2-core")
    if wayland and not glob.glob(WAYLAND_PLUGIN):
        missing.append("qt6-wayland")
    if missing:
        print("SKIP: needs the Debian packages " + " ".join(missing), flush=True)
        sys.exit(SKIP)


def main(argv, doc, run, tools=None, wayland=False, also_missing=()):
    """The command line of every end-to-end run: ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR, and options of the
    run's own ("--exits"), which run reads from argv. Skips where tools are missing, then runs in a
    private session; the status is run's, 0 where it returns nothing."""
    paths = [arg for arg in argv if not arg.startswith("--")]
    if len(paths) != 4:
        print(doc)
        return 2
    skip_if_missing(tools, wayland, also_missing)
    in_private_session(argv)
    return run(os.path.abspath(paths[1]), paths[2], os.path.abspath(paths[3])) or 0


def in_private_session(argv):
    """Re-runs this script inside its own D-Bus session, with its own home."""
    if os.environ.get("ZOLPORT_E2E_SESSION") == "1":
        return
    home = tempfile.mkdtemp(prefix="zolport-e2e-home-")
    env = dict(os.environ)
    runtime = os.path.join(home, "run")
    os.makedirs(runtime, mode=0o700)
    env.update({"ZOLPORT_E2E_SESSION": "1", "HOME": home, "XDG_RUNTIME_DIR": runtime,
                "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                "XDG_CACHE_HOME": os.path.join(home, ".cache")})
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS",
                 "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER"):
        env.pop(name, None)
    code = subprocess.call(["dbus-run-session", "--", sys.executable] + argv, env=env)
    shutil.rmtree(home, ignore_errors=True)
    sys.exit(code)


class Desktop:
    def __init__(self, shots, width=1280, height=1024, first_display=None):
        """first_display: the lowest display number to take; when None, that of
        ZOLPORT_E2E_FIRST_DISPLAY (for runs that share a machine), else the X
        server's own choice."""
        self.shots = shots
        self.width, self.height = width, height
        if first_display is None and os.environ.get("ZOLPORT_E2E_FIRST_DISPLAY"):
            first_display = int(os.environ["ZOLPORT_E2E_FIRST_DISPLAY"])
        self.first_display = first_display
        self.procs = []
        os.makedirs(shots, exist_ok=True)

    def displays(self):
        """The display numbers to try, in order; None for the X server's own choice.
        ZOLPORT_E2E_DISPLAYS=FIRST-LAST keeps a run within a range (on a machine
        whose displays are shared out)."""
        shared_out = os.environ.get("ZOLPORT_E2E_DISPLAYS")
        if shared_out:
            first, _, last = shared_out.partition("-")
            return range(int(first), int(last or first) + 1)
        if self.first_display is None:
            return None
        return range(self.first_display, self.first_display + 40)

    def start(self):
        candidates = self.displays()
        if candidates is None:
            number = self._start_xvfb([])
        else:
            number = None
            for candidate in candidates:
                if not os.path.exists("/tmp/.X%d-lock" % candidate):
                    number = self._start_xvfb([":%d" % candidate])
                    if number:
                        break
        if not number:
            raise RuntimeError("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + number
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.procs.append(self.wm)
        wait_for(lambda: self.wm_ready(), 10, "openbox to manage the screen")

    def _start_xvfb(self, display):
        """The display number the new server took, or "" when it did not start."""
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb"] + display + ["-displayfd", str(write_fd), "-screen", "0",
                                 "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp", "-noreset"],
                                pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if number:
            self.procs.append(xvfb)
        else:
            xvfb.wait()
        return number

    def wm_ready(self):
        done = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
        return "window id" in done.stdout

    def stop(self):
        for proc in reversed(self.procs):
            end_process(proc)

    def stop_after(self, program):
        """Ends the desktop; a program still running on it (a step failed) first
        leaves a last screenshot and is killed."""
        if program is not None and program.poll() is None:
            self.screenshot("zz-at-failure")
            program.kill()
            program.wait()
        self.stop()

    # --- input -------------------------------------------------------------

    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args], check=True,
                              capture_output=True, text=True).stdout.strip()

    def point(self, x, y):
        """Moves the pointer there and waits until it is there."""
        here = dict(line.split(":") for line in self.xdotool("getmouselocation").split()[:2])
        if (int(here["x"]), int(here["y"])) != (x, y):  # --sync waits for a motion that never comes
            self.xdotool("mousemove", "--sync", x, y)
            time.sleep(0.05)

    def click(self, x, y, button=1):
        self.point(x, y)
        self.xdotool("click", button)

    def double_click(self, x, y):
        self.point(x, y)
        self.xdotool("click", "--repeat", 2, "--delay", 80, 1)

    def drag(self, start, end, steps=10):
        self.xdotool("mousemove", "--sync", *start)
        time.sleep(0.1)
        self.xdotool("mousedown", 1)
        time.sleep(0.1)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.xdotool("mousemove", x, y)
            time.sleep(0.03)
        time.sleep(0.1)
        self.xdotool("mouseup", 1)

    def key(self, *keys):
        self.xdotool("key", "--delay", 60, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 60, text)

    # --- windows -----------------------------------------------------------

    def find_window(self, name):
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                              capture_output=True, text=True)
        ids = done.stdout.split()
        return int(ids[-1]) if ids else None

    def geometry(self, window):
        """The client area's left, top, width and height on the screen."""
        # xwininfo, not xdotool: xdotool adds the client's offset in the
        # frame twice once openbox has maximized the window.
        out = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True,
                             check=True).stdout
        values = {}
        for line in out.splitlines():
            if ":" in line:
                key, value = line.split(":", 1)
                values[key.strip()] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def frame_extents(self, window):
        """Left, right, top and bottom widths of the window manager's frame."""
        done = subprocess.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], capture_output=True, text=True)
        if "=" not in done.stdout:
            return 0, 0, 0, 0
        return tuple(int(v) for v in done.stdout.split("=", 1)[1].split(","))

    def frame_geometry(self, window):
        """The window's left, top, width and height with the window manager's frame."""
        x, y, w, h = self.geometry(window)
        left, right, top, bottom = self.frame_extents(window)
        return x - left, y - top, w + left + right, h + top + bottom

    def title_bar(self, window):
        """A point on the middle of the window's title bar."""
        x, y, w, h = self.geometry(window)
        top = self.frame_extents(window)[2]
        return x + w // 2, max(y - top // 2, 1)

    def work_area(self):
        """The room the window manager gives windows: left, top, width, height."""
        done = subprocess.run(["xprop", "-root", "_NET_WORKAREA"], capture_output=True, text=True)
        if "=" not in done.stdout:
            return 0, 0, self.width, self.height
        return tuple(int(v) for v in done.stdout.split("=", 1)[1].split(",")[:4])

    def net_wm_state(self, window):
        done = subprocess.run(["xprop", "-id", str(window), "_NET_WM_STATE"], capture_output=True, text=True)
        return done.stdout

    # --- pictures ----------------------------------------------------------

    def screenshot(self, name):
        path = os.path.join(self.shots, name + ".png")
        subprocess.run(["import", "-window", "root", path], check=True)
        return path

    def region(self, name, rect):
        x, y, w, h = rect
        path = os.path.join(self.shots, name + ".png")
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path],
                       check=True)
        return path

    @staticmethod
    def differing_pixels(a, b):
        done = subprocess.run(["compare", "-metric", "AE", a, b, "null:"], capture_output=True, text=True)
        return int(float(done.stderr.split()[0]))


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("message", _ClientMessage), ("pad", ctypes.c_long * 24)]


class Pinger:
    """Asks a window the window manager's question "are you there?" (_NET_WM_PING) and times the
    answer, which the toolkit gives from the window's own thread."""

    CLIENT_MESSAGE = 33
    STRUCTURE_NOTIFY = 1 << 17

    def __init__(self):
        x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        x.XFlush.argtypes = x.XPending.argtypes = x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x = x
        self.display = x.XOpenDisplay(None)
        if not self.display:
            raise AssertionError("no X display for the pings")
        self.root = x.XDefaultRootWindow(self.display)
        self.protocols = x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        self.ping_atom = x.XInternAtom(self.display, b"_NET_WM_PING", 0)
        x.XSelectInput(self.display, self.root, self.STRUCTURE_NOTIFY)  # the answer goes to the root
        self.count = 0

    def ping(self, window, seconds=5.0):
        """Seconds until the window answered, or None."""
        self.count += 1
        event = _Event()
        event.message.type = self.CLIENT_MESSAGE
        event.message.window = window
        event.message.message_type = self.protocols
        event.message.format = 32
        event.message.data[:] = [self.ping_atom, self.count, window, 0, 0]
        sent = time.monotonic()
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)
        answer = _Event()
        while time.monotonic() - sent < seconds:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, ctypes.byref(answer))
                m = answer.message
                if (m.type == self.CLIENT_MESSAGE and m.message_type == self.protocols
                        and m.data[0] == self.ping_atom and m.data[1] == self.count):
                    return time.monotonic() - sent
            time.sleep(0.001)
        return None

    def slowest(self, window, seconds, every=0.05):
        """Pings the window for a while; the slowest answer (None: one never came)."""
        slowest = 0.0
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            answered = self.ping(window)
            if answered is None:
                return None
            slowest = max(slowest, answered)
            time.sleep(every)
        return slowest

    def close(self):
        self.x.XCloseDisplay(self.display)


def end_process(proc):
    """Asks a process of the test's to end, and makes it if it does not within 5 s."""
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def wait_for(predicate, seconds, what):
    deadline = time.monotonic() + seconds
    last_error = None
    while time.monotonic() < deadline:
        try:
            value = predicate()
            if value:
                return value
        except (RuntimeError, KeyError, IndexError, ValueError) as error:
            last_error = error
        time.sleep(0.1)
    raise AssertionError("timed out waiting for %s%s" % (what, " (%s)" % last_error if last_error else ""))


class Weston:
    """weston on its headless backend, with a socket of its own in the session's
    XDG_RUNTIME_DIR (which in_private_session makes, mode 0700)."""

    def __init__(self, shots, width, height, name):
        self.shots = shots
        self.width, self.height = width, height
        self.socket = name
        self.log_path = os.path.join(shots, name + "-weston.log")
        self.proc = None
        os.makedirs(shots, exist_ok=True)

    def start(self):
        """Starts weston; returns None, or why it did not start."""
        runtime = os.environ["XDG_RUNTIME_DIR"]
        self.log = open(self.log_path, "w")
        # The pixman renderer, not the headless default that draws nothing,
        # so that the screenshooter has a picture to take; --debug lets it.
        self.proc = subprocess.Popen(["weston", "--backend=headless-backend.so", "--use-pixman",
                                      "--width=%d" % self.width, "--height=%d" % self.height,
                                      "--socket=" + self.socket, "--idle-time=0", "--no-config", "--debug"],
                                     stdout=self.log, stderr=subprocess.STDOUT, cwd=runtime)
        path = os.path.join(runtime, self.socket)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                break
            if os.path.exists(path) and "launching '" in self.log_text():
                time.sleep(1.0)  # the shell's panel and background come up
                return None
            time.sleep(0.1)
        self.stop()
        tail = self.log_text().strip().splitlines()[-3:]
        return "weston did not start: " + (" / ".join(tail) or "no output")

    def log_text(self):
        with open(self.log_path) as log:
            return log.read()

    def env(self):
        return {"WAYLAND_DISPLAY": self.socket, "QT_QPA_PLATFORM": "wayland"}

    def screenshot(self, name):
        """A picture of the whole output; returns its path, or why there is none."""
        folder = tempfile.mkdtemp(prefix="shot-", dir=os.environ["XDG_RUNTIME_DIR"])
        try:
            done = subprocess.run(["weston-screenshooter"], cwd=folder, env=dict(os.environ, **self.env()),
                                  capture_output=True, text=True, timeout=15)
        except (OSError, subprocess.TimeoutExpired) as error:
            return "no screenshot: %s" % error
        taken = glob.glob(os.path.join(folder, "*.png"))
        if not taken:
            return "no screenshot: weston-screenshooter %s" % (done.stderr.strip() or "wrote nothing")
        path = os.path.join(self.shots, name + ".png")
        shutil.move(taken[0], path)
        shutil.rmtree(folder, ignore_errors=True)
        return path

    def stop(self):
        end_process(self.proc)
