#!/usr/bin/env python3
"""A drill with the keyboard alone (xdotool keys, no mouse): 20 questions in
each answer mode, every command's key, a change of group, mode, direction and
level through the menus' keys, the help by F1 in a menu, and exit. Texts are
read back as a screen reader reads them (AT-SPI).

usage: e2e_keyboard.py ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR
Exits 77 (a skip for CTest) when the desktop tools are not installed.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi  # noqa: E402
import desktop  # noqa: E402
from desktop import wait_for  # noqa: E402
from e2e_drill import FEEDBACK_SECONDS, Drill, check, expect_text, message_box  # noqa: E402

QUESTIONS = 20


def readable(text):
    """A text of the word data as the window's accessible texts give it: blanks for underscores."""
    return text.replace("_", " ")


def read_pairs(path):
    """English text, as the question box reads, to Portuguese text, then the further accepted
    Portuguese answers."""
    pairs = {}
    for line in open(path, encoding="utf-8"):
        if line.startswith("#") or not line.strip():
            continue
        columns = line.rstrip("\n").split("\t") + ["", ""]
        pairs[readable(columns[1])] = (columns[2], columns[4])
    return pairs


def typed_answer(portuguese, accepted):
    """What a learner types: an alternative without accents where there is one (a second person without
    its pronoun counts), blanks for underscores."""
    answers = portuguese.split(" ") + accepted.split()
    answers += [a.split("_", 1)[1] for a in answers if a.startswith(("você_", "vocês_"))]
    plain = [a for a in answers if a.isascii()]
    return (plain or answers)[0].replace("_", " ")


def type_answer(drill, screen, answer):
    """Types the answer; xdotool, which maps an accented letter to a spare key first, now and then
    loses that letter, so a box that does not read the answer is emptied and typed again, once."""
    for attempt in (1, 2):
        screen.type(answer)
        try:
            return wait_for(lambda: drill.text("Answer") == answer, 2, "the answer %r typed" % answer)
        except AssertionError:
            if attempt == 2:
                raise
            screen.key("ctrl+a", "BackSpace")


def menu_command(screen, letter, downs):
    """Alt and the menu's letter lights its first entry; Down moves on; Return runs it."""
    screen.key("alt+" + letter)
    time.sleep(0.3)
    screen.key(*(["Down"] * downs), "Return")
    time.sleep(0.3)


def run(binary, nouns_tsv, shots):
    verbs = read_pairs(os.path.join(os.path.dirname(nouns_tsv), "verbs.tsv"))
    screen = desktop.Desktop(shots)
    screen.start()
    workdir = os.path.join(os.environ["HOME"], "fresh")
    os.makedirs(workdir)
    drill = None
    try:
        drill = Drill(screen, binary, workdir)
        expect_text(drill, "Question", "word", 10)

        menu_command(screen, "w", 1)  # Word Groups > Verbs: many more words than 20
        expect_text(drill, "Word group", "Verbs")
        trials = correct = 0

        # Multiple choice: a wrong digit first, then the right one.
        for number in range(QUESTIONS):
            question = drill.text("Question")
            names = [c.name for c in drill.choices()]
            place = names.index(readable(verbs[question][0])) + 1
            if number == 0:
                screen.key(str(place % 4 + 1))
                trials += 1
                expect_text(drill, "Answer", "Error!")
            screen.key(str(place))
            trials += 1
            correct += 1
            expect_text(drill, "Trials", str(trials))
            wait_for(lambda: drill.text("Question") != question, FEEDBACK_SECONDS + 3, "the next question")
        screen.screenshot("01-multiple-choice")

        # The buttons' keys: Peek, Repeat, New Question (no trial), Reset.
        screen.key("ctrl+p")
        expect_text(drill, "Answer", readable(verbs[drill.text("Question")][0]))
        # Peek's clearing comes 1.5 s later whatever follows: it would empty the first typed answer.
        expect_text(drill, "Answer", "", FEEDBACK_SECONDS + 2)
        screen.key("ctrl+r")
        question = drill.text("Question")
        screen.key("ctrl+n")
        wait_for(lambda: drill.text("Question") != question, 3, "Ctrl+N to ask another question")
        check(drill.text("Trials") == str(trials), "New Question counted a trial")
        screen.key("ctrl+0")
        expect_text(drill, "Trials", "")
        trials = correct = 0

        # Typed answers: blanks for underscores; Enter twice judges once.
        menu_command(screen, "m", 1)  # Mult Choice/Type Answer > Type Answer
        wait_for(lambda: drill.control("Check").has_state(atspi.STATE_ENABLED), 5, "typed-answer mode")
        for number in range(QUESTIONS):
            question = drill.text("Question")
            expect_text(drill, "Answer", "", FEEDBACK_SECONDS + 2)
            answer = typed_answer(*verbs[question])
            type_answer(drill, screen, answer)
            screen.key("Return", "Return")
            trials += 1
            correct += 1
            expect_text(drill, "Answer", answer + " is Correct!")
            expect_text(drill, "Trials", str(trials))
            wait_for(lambda: drill.text("Question") != question, FEEDBACK_SECONDS + 3, "the next question")
        expect_text(drill, "Score", "100.00%")
        screen.screenshot("02-typed")
        screen.key("ctrl+p")
        expect_text(drill, "Answer", readable(verbs[drill.text("Question")][0]))

        # Direction and level through the menus' keys; the level's submenu opens with Right.
        menu_command(screen, "t", 1)  # Translation? > Português a inglês
        wait_for(lambda: drill.control("á").name == "to", 5, "the Portuguese-to-English direction")
        screen.key("alt+l")
        time.sleep(0.3)
        screen.key("Down", "Down", "Right")
        expect_text(drill, "Level", "200 Words")
        screen.key("Escape", "Escape", "Escape")
        screen.screenshot("03-level")

        # The help by F1 in an open menu; closed with Escape, the keys work on.
        screen.key("F10")
        time.sleep(0.3)
        screen.key("F1")
        help_window = wait_for(lambda: [w for w in drill.app.children() if w.name.endswith(" - Ajuda")], 5,
                               "the help window")
        screen.screenshot("04-help")
        screen.key("Escape")
        wait_for(lambda: not [w for w in drill.app.children() if w.name.endswith(" - Ajuda")], 5,
                 "the help window to close")
        check(help_window, "no help window")
        question = drill.text("Question")
        screen.key("ctrl+n")
        wait_for(lambda: drill.text("Question") != question, 3, "the keys to work after the help closed")

        # Exit: Alt+X, Return; the goodbye box, Return; the program ends.
        menu_command(screen, "x", 0)
        wait_for(lambda: message_box(drill, "ZolPTypedAns.exe"), 10, "the goodbye message")
        screen.key("Return")
        code = drill.proc.wait(10)
        check(code == 0, "the program ended with status %d" % code)
        drill = None
        print("e2e: %d questions in each mode by the keyboard alone" % QUESTIONS, flush=True)
    finally:
        screen.stop_after(drill.proc if drill else None)


def main(argv):
    return desktop.main(argv, __doc__, run)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
