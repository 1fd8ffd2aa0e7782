#!/usr/bin/env python3
"""What the screen reader Orca says to a learner who drills the real zolport
program with the keys: the question with its choices and how to answer at
start; ten multiple-choice answers without Tab (one by Down and Space from the
answer box), each new question heard with its choices and their keys; a
verdict cut by a key and heard again by its own key; Peek's answer once;
Repeat's word on the sound server after Orca's echo of the key; Reset; typed
mode by the menu's keys, left and reached again by Tab, its verdicts once;
the end-of-group box answered Yes and where the drill goes on; F10 and the
arrows through the menus; no underscore read out. Orca speaks through
speech-dispatcher and espeak-ng into a PulseAudio server of the test's own;
its debug log is the transcript, read in order once Orca ends, and left in the
shots directory.

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
from e2e_drill import Drill, check, confirm_box, expect_text, read_nouns, type_with_accent_keys  # noqa: E402
from e2e_keyboard import menu_command  # noqa: E402

NEEDED = {"orca": "orca", "speech-dispatcher": "speech-dispatcher", "espeak-ng": "espeak-ng"}
ESPEAK_MODULE = "/usr/lib/speech-dispatcher-modules/sd_espeak-ng"
SETTLE = 1.5  # seconds for Orca to begin what a step brought
LAST_VERDICT = "ctrl+l"  # the key that says the last verdict and score again
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
        self.steps.append((datetime.now().strftime("%H:%M:%S.%f"), name, list(said)))

    def expect(self, *said):
        """More that the last step should bring, known only once it came."""
        self.steps[-1][2].extend(said)


def show(transcript, steps):
    """Prints what Orca said, with the steps where they began."""
    marks = [(when, "STEP", name) for when, name, _ in steps]
    for when, kind, text in sorted(marks + [(when, "said", text) for when, text in transcript]):
        print("%s %-5s %s" % (when, kind, text.replace("\n", " / ")), flush=True)


def heard_in_order(transcript, steps):
    """Checks that Orca said each step's texts, in the steps' order: each within
    one utterance, several of them possibly in the same one."""
    texts = [text.strip() for _, text in transcript]
    at, within = 0, 0
    for _, name, said in steps:
        for expected in said:
            while at < len(texts) and expected not in texts[at][within:]:
                at, within = at + 1, 0
            check(at < len(texts), "Orca did not say %r at the step %r (or not in order)" % (expected, name))
            within += texts[at][within:].index(expected) + len(expected)


def readable(text):
    """A text of the word data as the screen reader should say it."""
    return text.replace("_", " ")


def right_place(drill, portuguese):
    """Where the right choice is (1 to 4), by the choices' accessible names."""
    names = [choice.name for choice in drill.choices()]
    check(readable(portuguese) in names, "%r is not among the choices %r" % (portuguese, names))
    return names.index(readable(portuguese)) + 1


def question_with_choices(drill, english):
    """What a question on show says in multiple choice: the word, its choices with their keys."""
    return [english + "."] + ["%d %s." % (place, choice.name) for place, choice in enumerate(drill.choices(), 1)]


def multiple_choice_steps(run, nouns):
    """Ten answers without Tab: by the digit keys, and once by Down and Space from
    the answer box; a verdict cut by a key and heard again by its own key."""
    drill, screen = run.drill, run.screen
    english = [pair[0] for pair in nouns]
    expect_text(drill, "Question", english[0], 10)
    run.expect("Question:", *question_with_choices(drill, english[0])[:1], "Choose 1 to 4.",
               *question_with_choices(drill, english[0])[1:])
    time.sleep(SETTLE)
    run.step("wrong choice, cut by Down", "Error! 1 trial, 0%")
    choose(run, right_place(drill, nouns[0][1]) % 4 + 1)
    screen.key("Down")  # the focus goes to the chosen choice, which Orca says over the verdict
    expect_text(drill, "Trials", "1")
    time.sleep(SETTLE)
    run.step("the last verdict again, by its key", "Error! 1 trial, 0%")
    screen.key(LAST_VERDICT)
    time.sleep(SETTLE)
    trials = 1
    for asked in range(9):
        right = right_place(drill, nouns[asked][1])
        trials += 1
        if asked == 4:
            # From the answer box, where each question leaves the focus, Down reaches the choices.
            run.step("Down and Space from the answer box", "1 of 4", "Correct! %d trials" % trials)
            screen.key(*(["Down"] * right))
            time.sleep(SETTLE)
            screen.key("space")
        else:
            run.step("right answer %d, then the next question" % (asked + 1), "Correct! %d trials" % trials)
            choose(run, right)
        expect_text(drill, "Question", english[asked + 1], 5)
        run.expect(*question_with_choices(drill, english[asked + 1]))
        time.sleep(SETTLE)
    check(trials == 10 and drill.text("Trials") == "10", "the trial count reads %r" % drill.text("Trials"))


def peek_repeat_reset_steps(run, nouns, pulse):
    drill, screen = run.drill, run.screen
    run.step("Peek", readable(nouns[9][1]))
    peek(run)
    expect_text(drill, "Answer", nouns[9][1])
    time.sleep(SETTLE)

    # Orca echoes the Ctrl of the key for about a second: the word comes after it.
    pressed = time.monotonic()
    screen.key("ctrl+r")
    time.sleep(3.5)
    spoken = [sound for sound in audio.sounds(pulse.recording(since=pressed)) if sound.kind == "speech"]
    check(any(1.3 <= sound.start <= 3.0 for sound in spoken),
          "Repeat's word was not heard on its own after Orca's echo of the key: %r" % spoken)

    run.step("Reset", "Score reset")
    screen.key("ctrl+0")
    expect_text(drill, "Trials", "")
    time.sleep(SETTLE)


def typed_answer_steps(run, nouns):
    """Typed mode reached by the menu's keys, the answer box left and reached again by Tab."""
    drill, screen = run.drill, run.screen
    question = nouns[9][0]
    run.step("Type Answer", "Question:", question + ".", "Type the translation and press Enter.")
    menu_command(screen, "m", 1)
    wait_for(lambda: drill.control("Check").has_state(atspi.STATE_ENABLED), 5, "Check to be enabled")
    time.sleep(SETTLE)
    run.step("Tab from the answer box", "á")
    screen.key("Tab")
    wait_for(lambda: drill.control("á").has_state(atspi.STATE_FOCUSED), 5, "the first accent key's focus")
    time.sleep(SETTLE)
    run.step("Shift+Tab back to the answer box", "Answer")
    screen.key("shift+Tab")
    wait_for(lambda: drill.control("Answer").has_state(atspi.STATE_FOCUSED), 5, "the answer box's focus")
    time.sleep(SETTLE)
    run.step("typed wrong", "xyz is NOT Correct! Try Again 1 trial, 0%")
    screen.type("xyz")
    screen.key("Return")
    expect_text(drill, "Trials", "1")
    expect_text(drill, "Answer", "", 5)
    time.sleep(SETTLE)
    answer = nouns[9][1].split(" ")[0]
    run.step("typed right, then the next question", answer + " is Correct! 2 trials, 50%", nouns[10][0] + ".")
    type_with_accent_keys(drill, screen, answer)
    screen.key("Return")
    expect_text(drill, "Question", nouns[10][0], 5)
    time.sleep(SETTLE)
    run.step("Multiple choice", "Question:", nouns[10][0] + ".", "Choose 1 to 4.")
    menu_command(screen, "m", 0)
    wait_for(lambda: not drill.control("Check").has_state(atspi.STATE_ENABLED), 5, "Check to be disabled")
    time.sleep(SETTLE)


def end_of_group_steps(run, nouns):
    """The last noun: the box that ends the group, Yes by its key, and the drill named where it goes on."""
    drill, screen = run.drill, run.screen
    portuguese = dict(nouns)
    box = None
    for _ in range(len(nouns)):  # the nouns not yet right at the first try come again
        asked = drill.text("Question")
        choose(run, right_place(drill, portuguese[asked]))
        wait_for(lambda: confirm_box(drill) or drill.text("Question") != asked, 5,
                 "the next question or the end-of-group box")
        box = confirm_box(drill)
        if box:
            break
        time.sleep(SETTLE)
    check(box, "no end-of-group box")
    time.sleep(SETTLE)
    run.step("Yes", "Verbs, 100 Words.")
    screen.key("Return")
    wait_for(lambda: not drill.dialogs(), 5, "the box to close")
    expect_text(drill, "Word group", "Verbs", 5)
    run.expect(drill.text("Question") + ".")
    time.sleep(SETTLE)


def menu_bar_steps(run):
    run.step("F10", "Exit")
    run.screen.key("F10")
    time.sleep(SETTLE)
    run.step("Right", "Levels menu. 100 Words checked.")
    run.screen.key("Right")
    time.sleep(SETTLE)
    run.step("Right, into the level's groups", "Nouns")
    run.screen.key("Right")
    time.sleep(SETTLE)
    run.step("Escape, Left", "Exit menu. Exit.")
    run.screen.key("Escape", "Left")
    time.sleep(SETTLE)
    run.step("Left", "Help menu. Program Help.")
    run.screen.key("Left")
    time.sleep(SETTLE)
    run.screen.key("Escape", "Escape")
    time.sleep(SETTLE)


def said_once(transcript, texts):
    """Checks that each text was said in one utterance only (no echo beside our own)."""
    for text in texts:
        count = sum(1 for _, said in transcript if text in said)
        check(count == 1, "Orca said %r %d times" % (text, count))


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
        steps.step("start")
        with open(os.path.join(shots, "drill-console.txt"), "w") as console:
            drill = steps.drill = Drill(screen, binary, workdir, console)
        try:
            multiple_choice_steps(steps, nouns)
            peek_repeat_reset_steps(steps, nouns, pulse)
            typed_answer_steps(steps, nouns)
            end_of_group_steps(steps, nouns)
            menu_bar_steps(steps)
            screen.screenshot("orca-last-step")
        finally:
            orca.stop()  # which writes out its log
            show(orca.transcript(), steps.steps)
        drill.proc.kill()
        drill.proc.wait()
        drill = None
        transcript = orca.transcript()
        heard_in_order(transcript, steps.steps)
        said_once(transcript, ["xyz is NOT Correct", " is Correct! 2 trials", "Score reset"])
        check(not [text for _, text in transcript if "sublinha" in text], "Orca read an underscore")
        print("e2e orca: all steps passed; Orca's log in %s" % orca.log, flush=True)
    finally:
        screen.stop_after(drill.proc if drill else None)
        orca.stop()
        pulse.cleanup()


def main(argv):
    return desktop.main(argv, __doc__, run, also_missing=missing_packages())


if __name__ == "__main__":
    sys.exit(main(sys.argv))
