#!/usr/bin/env python3
"""Drives the real zolport program on a private X server with openbox, by
mouse and keyboard through xdotool, the way a learner meets it. Texts are
read back as a screen reader reads them (AT-SPI); screenshots of every step
are left in the shots directory.

usage: e2e_drill.py ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR
Exits 77 (a skip for CTest) when the desktop tools are not installed.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi  # noqa: E402
import desktop  # noqa: E402
from desktop import wait_for  # noqa: E402

APP_NAME = "ZolPTypedAns.exe"
WINDOW_CAPTION = "1000 Roze Rozi Rovevar Evudu -Brazilian Portuguese"
FEEDBACK_SECONDS = 1.5
ACCENTS = "áâãçéêíóôõú"


def read_nouns(path, level="100"):
    """English and Portuguese of the nouns new at a level, in their order."""
    pairs = []
    with open(path, encoding="utf-8") as data:
        for line in data:
            if line.startswith("#") or not line.strip():
                continue
            # Further accepted answers may follow the three shown columns.
            row_level, english, portuguese = line.rstrip("\n").split("\t")[:3]
            if row_level == level:
                pairs.append((english, portuguese))
    return pairs


class Drill:
    """The running program, seen through its accessible objects."""

    def __init__(self, screen, binary, workdir, stderr=None, env=None):
        """stderr: where the program's console goes; env: variables on top of the X session's."""
        self.screen = screen
        full_env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        full_env.update(env or {})
        self.proc = subprocess.Popen([binary], cwd=workdir, env=full_env, stderr=stderr)
        # Screen-reader extents are in Qt's pixels, the mouse moves in the screen's.
        self.scale = float(full_env.get("QT_SCALE_FACTOR") or 1)
        self.bus = atspi.Bus(atspi.a11y_address())
        self.app = wait_for(lambda: self.running() and atspi.application(self.bus, APP_NAME), 30,
                            "the program on the accessibility bus")
        self.frame = wait_for(lambda: self.running() and self.top_level(WINDOW_CAPTION), 20, "the drill window")
        self.controls = {}
        client = wait_for(lambda: self.running() and self._client(), 10, "the window's controls")
        for child in client.children():
            name = child.name
            if name:
                self.controls.setdefault(name, child)
        self.menu_bar = self.frame.find("Menu bar", "menu bar")

    def running(self):
        if self.proc.poll() is not None:
            raise AssertionError("the program ended with status %d" % self.proc.returncode)
        return True

    def _client(self):
        for child in self.frame.children():
            if child.role == "filler" and len(child.children()) > 20:
                return child
        return None

    def top_level(self, name):
        for window in self.app.children():
            if window.name == name:
                return window
        return None

    def dialogs(self):
        return [w for w in self.app.children() if w.role in ("dialog", "alert", "alert message")]

    def control(self, name):
        return self.controls[name]

    def text(self, name):
        return self.control(name).text()

    def choices(self):
        box = self.control("Answer choices")
        return [c for c in box.children() if c.role == "radio button"]

    def click(self, node):
        self.screen.click(*(round(v * self.scale) for v in node.centre()))

    def click_control(self, name):
        self.click(self.control(name))

    def menu_entry(self, top, item):
        """The accessible object of a command in one of the menu bar's menus."""
        title = self.menu_bar.find(top, "menu item")
        popup = [c for c in title.children() if c.role == "popup menu"][0]
        return title, [c for c in popup.children() if c.name == item][0]

    def menu(self, top, item):
        """Chooses a menu bar command with the mouse: the title, then the item."""
        title, entry = self.menu_entry(top, item)
        self.click(title)
        wait_for(lambda: entry.extents()[1] > 0 and entry.has_state(atspi.STATE_SHOWING), 5, "the %r menu" % top)
        self.click(entry)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_text(drill, name, expected, seconds=5):
    read = [None]

    def reads_expected():
        read[0] = drill.text(name)
        return read[0] == expected
    try:
        wait_for(reads_expected, seconds, "%s to read %r" % (name, expected))
    except AssertionError as error:
        raise AssertionError("%s; it read %r" % (error, read[0])) from None


def run(binary, nouns_tsv, shots):
    nouns = read_nouns(nouns_tsv)
    check(len(nouns) == 11, "the 100-word level should bring 11 nouns, the data has %d" % len(nouns))
    screen = desktop.Desktop(shots)
    screen.start()
    workdir = os.path.join(os.environ["HOME"], "fresh")
    os.makedirs(workdir)
    drill = None
    try:
        drill = Drill(screen, binary, workdir)
        step = 0

        def shot(label):
            nonlocal step
            step += 1
            return screen.screenshot("%02d-%s" % (step, label))

        # Start-up: maximized by the window manager, the first noun asked.
        window = screen.find_window(WINDOW_CAPTION)
        check(window is not None, "no X window with the drill's caption")
        check("MAXIMIZED_HORZ" in screen.net_wm_state(window), "the window did not open maximized")
        x, y, w, h = drill.frame.extents()
        check(w >= screen.width - 2, "a maximized window should be as wide as the screen, it is %d" % w)
        expect_text(drill, "Question", nouns[0][0], 10)
        expect_text(drill, "Level", "100 Words")
        expect_text(drill, "Word group", "Nouns")
        check(drill.text("Trials") == "" and drill.text("Score") == "", "trials and score should start empty")
        shot("first-noun")

        # The empty answer box, as painted now, is the reference for "nothing shown".
        answer_rect = drill.control("Answer").extents()
        empty_answer = screen.region("ref-answer-empty", answer_rect)

        right, wrong = None, None
        for choice in drill.choices():
            if choice.name == nouns[0][1]:
                right = choice
            elif wrong is None:
                wrong = choice
        check(right is not None, "none of the choices %r is %r" % ([c.name for c in drill.choices()], nouns[0][1]))

        # A wrong choice by mouse: "Error!", one trial, 0.00%; the box is emptied 1.5 s later.
        screen.click(*wrong.centre())
        expect_text(drill, "Answer", "Error!")
        expect_text(drill, "Trials", "1")
        expect_text(drill, "Score", "0.00%")
        error_answer = screen.region("answer-error", answer_rect)
        check(screen.differing_pixels(empty_answer, error_answer) > 50, "\"Error!\" was not painted")
        shot("wrong-choice")
        time.sleep(FEEDBACK_SECONDS + 0.3)
        expect_text(drill, "Answer", "")
        check(screen.differing_pixels(empty_answer, screen.region("answer-erased", answer_rect)) == 0,
              "the answer box does not look empty again after the feedback time")

        # The right choice: no text in this direction, two trials, 50.00%, then the next noun.
        screen.click(*right.centre())
        expect_text(drill, "Trials", "2")
        expect_text(drill, "Score", "50.00%")
        check(drill.text("Answer") == "", "a right choice writes nothing, English to Portuguese")
        shot("right-choice")
        expect_text(drill, "Question", nouns[1][0], FEEDBACK_SECONDS + 3)

        # Typed answers, chosen through the menu bar.
        drill.menu("Mult Choice/Type Answer", "Type Answer")
        wait_for(lambda: not drill.control("Answer choices").has_state(atspi.STATE_SHOWING), 5,
                 "the choices to be hidden")
        check(drill.control("Check").has_state(atspi.STATE_ENABLED), "Check should be enabled for typed answers")
        expect_text(drill, "Question", nouns[1][0])
        shot("type-answer-mode")

        trials, correct = 2, 1
        accent_used = False
        # Nouns 1..10 (the fifth wrong at first, so not yet known), the first, the second
        # again: then every noun but one has been right at the first try, which ends the group.
        for index in list(range(1, len(nouns))) + [0, 1]:
            english, portuguese = nouns[index]
            expect_text(drill, "Question", english, FEEDBACK_SECONDS + 3)
            answer = portuguese.split(" ")[0]
            type_with_accent_keys(drill, screen, answer)
            accent_used = accent_used or any(c in ACCENTS for c in answer)
            expect_text(drill, "Answer", answer)
            if index == 4:
                # A wrong answer first, with Enter: the question stays, the trial counts.
                screen.type("x")
                screen.key("Return")
                trials += 1
                expect_text(drill, "Answer", answer + "x is NOT Correct! Try Again")
                expect_text(drill, "Trials", str(trials))
                shot("typed-wrong")
                expect_text(drill, "Answer", "", FEEDBACK_SECONDS + 2)
                check(drill.text("Question") == english, "the question should stay after a wrong answer")
                type_with_accent_keys(drill, screen, answer)
            screen.key("Return")  # the window's default button, "Check"
            trials += 1
            correct += 1
            expect_text(drill, "Answer", answer + " is Correct!")
            expect_text(drill, "Trials", str(trials))
            expect_text(drill, "Score", score_text(correct, trials))
            if index in (1, 4, 9):
                shot("typed-right-%d" % index)
        check(accent_used, "no answer needed an accent key")

        # The end of the group: the prompt, answered Yes, brings the verbs.
        prompt = wait_for(lambda: confirm_box(drill), FEEDBACK_SECONDS + 5, "the end-of-group prompt")
        label = [c for c in prompt.walk() if c.role == "label" and "last Nouns" in c.name]
        check(label, "the prompt does not speak of the last nouns")
        shot("end-of-group")
        yes = prompt.find("Yes", "push button")
        check(yes is not None, "the prompt has no Yes button")
        screen.click(*yes.centre())
        expect_text(drill, "Word group", "Verbs", 10)
        shot("verbs")

        restore_and_drag(drill, screen, window, shot)
        check_keyboard_menu(drill, screen, shot)

        # "Exit": the goodbye message, once, then the program ends.
        drill.menu("Exit", "Exit")
        goodbye = wait_for(lambda: message_box(drill, APP_NAME), 10, "the goodbye message")
        spoken = " ".join(c.name for c in goodbye.walk() if c.role == "label")
        check("Espero que você goste deste programa" in spoken, "unexpected goodbye text: %r" % spoken)
        shot("goodbye")
        screen.click(*goodbye.find("OK", "push button").centre())
        code = drill.proc.wait(10)
        check(code == 0, "the program ended with status %d" % code)
        drill = None
        print("e2e: all steps passed; screenshots in %s" % shots, flush=True)
    finally:
        screen.stop_after(drill.proc if drill else None)


def score_text(correct, trials):
    hundredths = 10000 * correct // trials
    return "%d.%02d%%" % (hundredths // 100, hundredths % 100)


def type_with_accent_keys(drill, screen, text):
    """Types text, the accented letters with the window's accent buttons."""
    plain = ""
    for letter in text:
        if letter in ACCENTS:
            if plain:
                screen.type(plain)
                plain = ""
            drill.click_control(letter)
        else:
            plain += letter
    if plain:
        screen.type(plain)


def confirm_box(drill):
    return message_box(drill, "Confirm")


def message_box(drill, caption):
    for window in drill.dialogs():
        if window.name == caption:
            return window
    return None


def restore_and_drag(drill, screen, window, shot):
    """Restores the window from its title bar (to the screen's size), then narrows it by its right border."""
    x, y, w, h = drill.frame.extents()
    title_y = y - screen.frame_extents(window)[2] // 2
    screen.double_click(x + w // 2, max(title_y, 2))
    wait_for(lambda: "MAXIMIZED_HORZ" not in screen.net_wm_state(window), 5, "the window to be restored")
    time.sleep(1.0)  # the restored window takes its bounds
    before = drill.frame.extents()
    answer_before = drill.control("Answer").extents()
    shot("restored")

    left, right, top, bottom = screen.frame_extents(window)
    edge_x = before[0] + before[2] + max(right, 1) - 1  # the frame's right border
    edge_y = before[1] + before[3] // 2
    screen.drag((edge_x, edge_y), (edge_x - 250, edge_y))
    wait_for(lambda: drill.frame.extents()[2] <= before[2] - 200, 5, "the window to narrow by the drag")
    time.sleep(0.5)  # the controls follow the new size
    after = drill.frame.extents()
    answer_after = drill.control("Answer").extents()
    shot("dragged")
    grown = after[2] / before[2]
    scaled = answer_after[2] / answer_before[2]
    check(abs(scaled - grown) < 0.06 * grown,
          "the answer box changed by %.3f while the window changed by %.3f" % (scaled, grown))


def check_keyboard_menu(drill, screen, shot):
    """Every command is in the menu bar, and the menu bar is reachable by keys."""
    drill.click_control("Question")  # a box without a command of its own
    screen.key("alt")
    time.sleep(0.3)
    screen.key("Right", "Right", "Right", "Right", "Right", "Right", "Right", "Down")
    translation = drill.menu_bar.find("Translation?", "menu item")
    popup = [c for c in translation.children() if c.role == "popup menu"][0]
    wait_for(lambda: popup.has_state(atspi.STATE_SHOWING), 5, "Alt and the arrow keys to open \"Translation?\"")
    shot("keyboard-menu")
    screen.key("Down", "Return")  # "Português a inglês"
    wait_for(lambda: drill.control("á").name == "to", 5,
             "the Portuguese-to-English captions after the keyboard command")
    shot("keyboard-command")


def main(argv):
    return desktop.main(argv, __doc__, run)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
