#!/usr/bin/env python3
"""What the screen reader Orca says to a learner who drills the real zolport
program: the question at start, after an answer and after New Question, a
wrong and a right choice, Peek's answer, a typed wrong and right answer, the
question again after a change of mode and after a message box. Orca speaks
through speech-dispatcher and espeak-ng into a PulseAudio server of the
test's own; its debug log is the transcript, read in order once Orca ends,
and left in the shots directory.

usage: e2e_orca.py ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR
Exits 77 (a skip for CTest) where the desktop tools, PulseAudio, Orca,
speech-dispatcher or espeak-ng are missing, or they cannot start.
"""

import os
import re
import shutil
import subprocess
import sys
import time
from datetime import datetime

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi  # noqa: E402
import audio  # noqa: E402
import desktop  # noqa: E402
from desktop import wait_for  # noqa: E402
from e2e_drill import APP_NAME, Drill, check, expect_text, message_box, read_nouns  # noqa: E402

NEEDED = {"orca": "orca", "speech-dispatcher": "speech-dispatcher", "espeak-ng": "espeak-ng"}
ESPEAK_MODULE = "/usr/lib/speech-dispatcher-modules/sd_espeak-ng"
SETTLE = 1.5  # seconds for Orca to speak what a step brought
SPOKEN = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?[\[{]", re.M | re.S)


# How the learner gives each command: by its key, with no mouse.
def choose(run, place):
    """The place-th choice (1 to 4): the digit key."""
    run.screen.key(str(place))


def peek(run):
    run.screen.key("ctrl+p")


def new_question(run):
    run.screen.key("ctrl+n")


def missing_packages():
    missing = {package for tool, package in NEEDED.items() if not shutil.which(tool)}
    if not os.path.exists(ESPEAK_MODULE):
        missing.add("speech-dispatcher-espeak-ng")
    return sorted(missing | set(audio.missing_packages()))


class Orca:
    """Orca with its debug log, speaking through a speech-dispatcher of its own."""

    def __init__(self, folder):
        self.log = os.path.join(folder, "orca-debug.log")
        self.console = os.path.join(folder, "orca-console.txt")
        self.socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "speechd.sock")
        self.speechd = self.orca = None

    def start(self):
        """Starts both; returns None, or why Orca does not run."""
        self.speechd = subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0",
                                         "--communication-method", "unix_socket", "--socket-path", self.socket],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.environ["SPEECHD_ADDRESS"] = "unix_socket:" + self.socket
        with open(self.console, "w") as console:
            self.orca = subprocess.Popen(["orca", "--debug-file=" + self.log], stdout=console,
                                         stderr=subprocess.STDOUT)
        bus = atspi.Bus(atspi.a11y_address())
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if self.orca.poll() is not None:
                with open(self.console) as console:
                    return "Orca ended at once: " + console.read().strip()
            # Orca is the session's only listener.
            if bus.call("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                        "org.a11y.atspi.Registry.GetRegisteredEvents")[0]:
                time.sleep(1.0)  # the rest of its listeners
                return None
            time.sleep(0.2)
        return "Orca registered no listener within 30 s"

    def stop(self):
        """Ends Orca (which writes out its log) and speech-dispatcher."""
        desktop.end_process(self.orca)
        desktop.end_process(self.speechd)

    def transcript(self):
        """(time of day, text) of everything Orca said, in order."""
        with open(self.log, encoding="utf-8", errors="replace") as log:
            return SPOKEN.findall(log.read())


class Run:
    def __init__(self, screen):
        self.screen, self.drill = screen, None
        self.steps = []  # (time of day, step, what Orca should say)

    def step(self, name, *said):
        self.steps.append((datetime.now().strftime("%H:%M:%S.%f"), name, said))


def show(transcript, steps):
    """Prints what Orca said, with the steps where they began."""
    marks = [(when, "STEP", name) for when, name, _ in steps]
    for when, kind, text in sorted(marks + [(when, "said", text) for when, text in transcript]):
        print("%s %-5s %s" % (when, kind, text.replace("\n", " / ")), flush=True)


def heard_in_order(transcript, steps):
    """Checks that Orca said each step's texts, in the steps' order (Orca ends a
    text that ends in a letter with a full stop)."""
    texts = [text.strip() for _, text in transcript]
    at = 0
    for _, name, said in steps:
        for expected in said:
            while at < len(texts) and texts[at] not in (expected, expected + "."):
                at += 1
            check(at < len(texts), "Orca did not say %r at the step %r (or not in order)" % (expected, name))
            at += 1


def drill_steps(run, nouns):
    drill, screen = run.drill, run.screen
    english = [pair[0] for pair in nouns]
    expect_text(drill, "Question", english[0], 10)
    time.sleep(SETTLE)

    places = [choice.name for choice in drill.choices()]
    right = places.index(nouns[0][1]) + 1
    run.step("wrong choice", "Error! 1 trial, 0%")
    choose(run, right % 4 + 1)
    expect_text(drill, "Trials", "1")
    time.sleep(SETTLE)
    run.step("right choice, then the next question", "Correct! 2 trials, 50%", english[1])
    choose(run, right)
    expect_text(drill, "Question", english[1], 5)
    time.sleep(SETTLE)

    run.step("Peek", nouns[1][1])
    peek(run)
    expect_text(drill, "Answer", nouns[1][1])
    time.sleep(SETTLE)
    run.step("New Question", english[2])
    new_question(run)
    expect_text(drill, "Question", english[2])
    time.sleep(SETTLE)

    run.step("Type Answer", english[2])
    drill.menu("Mult Choice/Type Answer", "Type Answer")
    wait_for(lambda: drill.control("Check").has_state(atspi.STATE_ENABLED), 5, "Check to be enabled")
    time.sleep(SETTLE)
    run.step("typed wrong", "xyz is NOT Correct! Try Again 3 trials, 33%")
    screen.type("xyz")
    screen.key("Return")
    expect_text(drill, "Trials", "3")
    expect_text(drill, "Answer", "", 5)
    answer = nouns[2][1].split(" ")[0]
    time.sleep(SETTLE)
    run.step("typed right, then the next question", answer + " is Correct! 4 trials, 50%", english[3])
    screen.type(answer)
    screen.key("Return")
    expect_text(drill, "Question", english[3], 5)
    time.sleep(SETTLE)

    run.step("About box closed", english[3])
    drill.menu("Help", "About")
    about = wait_for(lambda: message_box(drill, APP_NAME), 10, "the About box")
    screen.click(*about.find("OK", "push button").centre())
    wait_for(lambda: not drill.dialogs(), 5, "the About box to close")
    time.sleep(SETTLE)
    screen.screenshot("orca-last-step")


def run(binary, nouns_tsv, shots):
    nouns = read_nouns(nouns_tsv)
    pulse = audio.started_server()
    screen = desktop.Desktop(shots)
    screen.start()
    orca = Orca(shots)
    drill = None
    try:
        why = orca.start()
        if why:
            print("SKIP: " + why, flush=True)
            sys.exit(desktop.SKIP)
        workdir = os.path.join(os.environ["HOME"], "drill")
        os.makedirs(workdir)
        steps = Run(screen)
        steps.step("start", nouns[0][0])
        with open(os.path.join(shots, "drill-console.txt"), "w") as console:
            drill = steps.drill = Drill(screen, binary, workdir, console)
        try:
            drill_steps(steps, nouns)
        finally:
            orca.stop()  # which writes out its log
            show(orca.transcript(), steps.steps)
        drill.proc.kill()
        drill.proc.wait()
        drill = None
        heard_in_order(orca.transcript(), steps.steps)
        speech = [sound for sound in audio.sounds(pulse.recording()) if sound.kind == "speech"]
        check(len(speech) >= len(steps.steps), "espeak-ng was heard %d times on the sound server" % len(speech))
        print("e2e orca: all steps passed; Orca's log in %s" % orca.log, flush=True)
    finally:
        screen.stop_after(drill.proc if drill else None)
        orca.stop()
        pulse.cleanup()


def main(argv):
    return desktop.main(argv, __doc__, run, also_missing=missing_packages())


if __name__ == "__main__":
    sys.exit(main(sys.argv))
