"""A private PulseAudio server whose one sink writes into a FIFO, a reader
that keeps every byte it plays with the time it arrived, and the sounds found
in it.

The sink is module-pipe-sink clocked by the system clock: unclocked, it
renders as fast as the reader reads, and a program's short stream then
arrives in pieces scattered over minutes of silence. (A null sink's monitor
recorded only silence here.)
"""

import array
import os
import signal
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import desktop

RATE = 44100
FRAME = 4  # s16le, two channels
NEEDED = {"pulseaudio": "pulseaudio", "pactl": "pulseaudio-utils"}


def missing_packages():
    return sorted({package for tool, package in NEEDED.items() if not shutil.which(tool)})


class PulseServer:
    """pulseaudio -n with its own runtime folder: no other client and no other server is touched."""

    def __init__(self):
        self.base = tempfile.mkdtemp(prefix="zolport-pulse-")
        self.runtime = os.path.join(self.base, "run")
        os.makedirs(self.runtime, mode=0o700)
        self.fifo = os.path.join(self.base, "sink.fifo")
        self.socket = os.path.join(self.runtime, "native")
        self.proc = None
        self.chunks = []  # (monotonic time of arrival, bytes)
        self.lock = threading.Lock()
        self.reader = None

    @property
    def env(self):
        """What a client needs to play here and only here."""
        return {"PULSE_SERVER": "unix:" + self.socket, "PULSE_RUNTIME_PATH": self.runtime}

    def start(self, seconds=10):
        """Starts the server, or starts it again on the same socket and FIFO after stop()."""
        if not os.path.exists(self.fifo):
            os.mkfifo(self.fifo)
        script = os.path.join(self.base, "server.pa")
        with open(script, "w") as pa:
            pa.write("load-module module-native-protocol-unix socket=%s auth-anonymous=1\n" % self.socket)
            pa.write("load-module module-pipe-sink file=%s sink_name=recorder format=s16le rate=%d channels=2 "
                     "use_system_clock_for_timing=yes\n" % (self.fifo, RATE))
            pa.write("set-default-sink recorder\n")
        env = dict(os.environ, PULSE_RUNTIME_PATH=self.runtime, HOME=self.base, XDG_RUNTIME_DIR=self.runtime)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.proc = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                      "--disallow-exit", "--use-pid-file=no", "-F", script,
                                      "--log-target=file:" + os.path.join(self.base, "server.log")],
                                     env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The sink opens the FIFO for writing once the server runs; reading it from now on keeps every byte.
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                return False
            done = subprocess.run(["pactl", "--server", "unix:" + self.socket, "info"],
                                  capture_output=True, text=True)
            if done.returncode == 0 and "recorder" in done.stdout:
                return True
            time.sleep(0.1)
        return False

    def _read(self):
        with open(self.fifo, "rb", buffering=0) as pipe:
            while True:
                data = pipe.read(65536)
                if not data:
                    return
                with self.lock:
                    self.chunks.append((time.monotonic(), data))

    def recording(self, since=0.0):
        """The samples that arrived after a moment (monotonic seconds), as one byte string."""
        with self.lock:
            return b"".join(data for at, data in self.chunks if at >= since)

    def first_sound_after(self, moment, threshold=300):
        """When the first sample above the threshold reached this reader after a moment, or None.
        The sink writes 4096 bytes (23 ms) at a time, so the sample may have been rendered up to
        23 ms before."""
        with self.lock:
            chunks = [(at, data) for at, data in self.chunks if at >= moment]
        for at, data in chunks:
            samples = array.array("h")
            samples.frombytes(data[:len(data) // 2 * 2])
            if any(abs(value) > threshold for value in samples):
                return at
        return None

    def log(self):
        try:
            with open(os.path.join(self.base, "server.log")) as log:
                return log.read()[-2000:]
        except OSError:
            return "(no log)"

    def freeze(self):
        """The server stays, and answers nobody (SIGSTOP)."""
        os.kill(self.proc.pid, signal.SIGSTOP)

    def thaw(self):
        os.kill(self.proc.pid, signal.SIGCONT)

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.thaw()  # a frozen server would not end
        desktop.end_process(self.proc)

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.base, ignore_errors=True)


def started_server():
    """A PulseAudio server of the test's own, its environment set for what starts next; a test where
    it cannot start is skipped."""
    pulse = PulseServer()
    if not pulse.start():
        print("SKIP: PulseAudio did not start:\n" + pulse.log(), flush=True)
        pulse.cleanup()
        sys.exit(desktop.SKIP)
    os.environ.update(pulse.env)
    return pulse


class Sound:
    def __init__(self, start, seconds, hertz, peak):
        self.start, self.seconds, self.hertz, self.peak = start, seconds, hertz, peak

    @property
    def kind(self):
        """Right cue: about 0.06 s, high (1.3 and 1.8 kHz); wrong cue: about 0.2 s, low (110 Hz);
        speech: longer than both."""
        if self.seconds > 0.3:
            return "speech"
        if self.hertz > 800 and self.seconds < 0.12:
            return "right"
        if self.hertz < 400 and 0.12 <= self.seconds <= 0.26:
            return "wrong"
        return "other"

    def __repr__(self):
        return "%s at %.2f s (%.3f s, about %.0f Hz)" % (self.kind, self.start, self.seconds, self.hertz)


def sounds(raw, threshold=300, window_ms=5, gap_ms=150):
    """The sounds in s16le stereo samples: runs of 5 ms windows with a sample above the
    threshold, closer than the gap joined; each with its length and its pitch from the
    rate of zero crossings."""
    samples = array.array("h")
    samples.frombytes(raw[:len(raw) // FRAME * FRAME])
    mono = [(samples[i] + samples[i + 1]) // 2 for i in range(0, len(samples), 2)]
    window = RATE * window_ms // 1000
    gap_windows = gap_ms // window_ms
    runs = []
    start = end = None
    for first in range(0, len(mono) - window + 1, window):
        loud = max(abs(v) for v in mono[first:first + window]) > threshold
        if loud:
            if start is not None and (first - end) // window <= gap_windows:
                end = first + window
            else:
                if start is not None:
                    runs.append((start, end))
                start, end = first, first + window
    if start is not None:
        runs.append((start, end))
    found = []
    for begin, finish in runs:
        part = mono[begin:finish]
        crossings = sum(1 for i in range(1, len(part)) if (part[i - 1] < 0) != (part[i] < 0))
        seconds = (finish - begin) / RATE
        found.append(Sound(begin / RATE, seconds, crossings / seconds / 2, max(abs(v) for v in part)))
    return found
