"""A private desktop for end-to-end runs: Xvfb, a session bus with the
accessibility bus, openbox, and xdotool/ImageMagick helpers."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE for this test

NEEDED = {
    "Xvfb": "xvfb",
    "openbox": "openbox",
    "xdotool": "xdotool",
    "xprop": "x11-utils",
    "import": "imagemagick",
    "compare": "imagemagick",
    "dbus-run-session": "dbus",
    "gdbus": "libglib2.0-bin",
}


def skip_if_missing():
    missing = sorted({package for tool, package in NEEDED.items() if not shutil.which(tool)})
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.append("at-spi2-core")
    if missing:
        print("SKIP: needs the Debian packages " + " ".join(missing), flush=True)
        sys.exit(SKIP)


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
    def __init__(self, shots, width=1280, height=1024):
        self.shots = shots
        self.width, self.height = width, height
        self.procs = []
        os.makedirs(shots, exist_ok=True)

    def start(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                                 "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp", "-noreset"],
                                pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + number
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.procs.append(self.wm)
        wait_for(lambda: self.wm_ready(), 10, "openbox to manage the screen")

    def wm_ready(self):
        done = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
        return "window id" in done.stdout

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()

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
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.splitlines())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def frame_extents(self, window):
        """Left, right, top and bottom widths of the window manager's frame."""
        done = subprocess.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], capture_output=True, text=True)
        if "=" not in done.stdout:
            return 0, 0, 0, 0
        return tuple(int(v) for v in done.stdout.split("=", 1)[1].split(","))

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
