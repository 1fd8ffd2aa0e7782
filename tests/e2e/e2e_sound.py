#!/usr/bin/env python3
"""Hears the real zolport program on a PulseAudio server of its own: every
cue of a right and a wrong choice, and the word that "Repeat" says, told
apart in the recorded samples by length and pitch; ten fast clicks on Repeat
do not queue up the word; the window closed while it speaks ends cleanly.
Then a second run loses the server while the word is said, and has it back
within 3 s: the first word asked for then is said, and the cues and words
after it; it loses the server again, for good: the same steps run on without
a hang or an error box, and the console carries at most one line about the
lost sound. Then the program is quit again and again while a cue and a word
sound (ZOLPORT_E2E_QUITS times, 10 unless set), and once without a session
bus: every exit is clean and prompt.

usage: e2e_sound.py [--exits] ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR
--exits: the quits only (the sanitizer build's run: its slower program would
not keep up with the sounds' timing).
Exits 77 (a skip for CTest) when the desktop tools or PulseAudio are missing,
or PulseAudio cannot start.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import audio  # noqa: E402
import desktop  # noqa: E402
from desktop import wait_for  # noqa: E402
from e2e_drill import (APP_NAME, FEEDBACK_SECONDS, WINDOW_CAPTION, Drill, check, expect_text,  # noqa: E402
                       message_box, read_nouns)

ROUNDS = 4
FAST_CLICKS = 10
QUITS = int(os.environ.get("ZOLPORT_E2E_QUITS", "10"))
# From the goodbye box's OK to the program's end, a sanitizer build's leak check included.
QUIT_SECONDS = 2.0
# Qt 6.4 tries a lost server again 3 s after the loss; a word asked for before then sounds after it.
WORD_WAIT_SECONDS = 4.0
# A frozen sound server (SIGSTOP) must not hold the window: its answer to a ping comes within this.
PING_SECONDS = 0.1
FROZEN_SECONDS = 3.0


def choices_of(drill, portuguese):
    right = [c for c in drill.choices() if c.name == portuguese]
    wrong = [c for c in drill.choices() if c.name != portuguese]
    check(right and wrong, "the choices %r do not hold %r" % ([c.name for c in drill.choices()], portuguese))
    return right[0], wrong[0]


def answer_round(drill, screen, nouns, index):
    """A wrong choice, the right one, then Repeat on the next question; returns that question's English."""
    english, portuguese = nouns[index]
    expect_text(drill, "Question", english, FEEDBACK_SECONDS + 3)
    right, wrong = choices_of(drill, portuguese)
    trials = int(drill.text("Trials") or 0)
    screen.click(*wrong.centre())
    expect_text(drill, "Trials", str(trials + 1))
    time.sleep(0.5)
    screen.click(*right.centre())
    expect_text(drill, "Trials", str(trials + 2))
    following = nouns[index + 1][0]
    expect_text(drill, "Question", following, FEEDBACK_SECONDS + 3)
    drill.click_control("Repeat")
    time.sleep(1.5)
    return following


def start_drill(screen, binary, home, name, shots):
    workdir = os.path.join(home, name)
    os.makedirs(workdir)
    console = os.path.join(shots, name + "-console.txt")
    with open(console, "w") as out:
        return Drill(screen, binary, workdir, out), console


def leave(drill, screen, by_menu=True):
    """Exit (or the window closed), the goodbye box answered: the program ends on its own, with status 0."""
    if by_menu:
        drill.menu("Exit", "Exit")
    goodbye = wait_for(lambda: message_box(drill, APP_NAME), 10, "the goodbye message")
    screen.click(*goodbye.find("OK", "push button").centre())
    code = drill.proc.wait(10)
    check(code == 0, "the program ended with status %d" % code)


def end_after_goodbye(proc, screen):
    """Return on the goodbye box as soon as it shows; the program must end at once with status 0.
    Returns the moment of the Return."""
    wait_for(lambda: screen.find_window(APP_NAME), 10, "the goodbye message")
    screen.xdotool("key", "Return")
    returned = time.monotonic()
    try:
        code = proc.wait(QUIT_SECONDS)
    except subprocess.TimeoutExpired:
        raise AssertionError("the program still ran %.1f s after the goodbye box" % QUIT_SECONDS)
    check(code == 0, "the program ended with status %d" % code)
    return returned


def quit_while_sounding(screen, binary, nouns, pulse, name, shots):
    """A choice, Repeat, Alt+F4 and the goodbye box answered as fast as they go: the program ends
    while the cue and the word sound. Returns whether a sound reached the server at the Return."""
    drill, console = start_drill(screen, binary, os.environ["HOME"], name, shots)
    try:
        expect_text(drill, "Question", nouns[0][0], 10)
        choice, repeat = drill.choices()[0].centre(), drill.control("Repeat").centre()
        screen.click(*choice)
        screen.click(*repeat)
        screen.key("alt+F4")
        returned = end_after_goodbye(drill.proc, screen)
    except AssertionError as error:
        with open(console) as out:
            raise AssertionError("%s: %s; console: %r" % (name, error, out.read()[-400:]))
    finally:
        if drill.proc.poll() is None:
            drill.proc.kill()
            drill.proc.wait()
    time.sleep(0.2)
    heard = pulse.first_sound_after(returned - 0.05)
    return heard is not None and heard < returned + 0.05


def frozen_server(screen, binary, nouns, pulse, shots):
    """The server frozen before the first sound, and again while a word sounds: the window answers
    its pings within PING_SECONDS all along and takes a choice; the program quits with the server
    still frozen. Returns the slowest answers, before and during."""
    pinger = desktop.Pinger()
    drill, console = start_drill(screen, binary, os.environ["HOME"], "frozen", shots)
    before = during = None
    try:
        expect_text(drill, "Question", nouns[0][0], 10)
        window = screen.find_window(WINDOW_CAPTION)
        # Where to click, read while the window still answers the screen-reader bus.
        right, wrong, repeat = ([round(v * drill.scale) for v in node.centre()]
                                for node in (*choices_of(drill, nouns[0][1]), drill.control("Repeat")))
        pulse.freeze()
        screen.click(*repeat)  # the first press loads the sound, which asks the server
        screen.click(*wrong)  # its cue waits too
        before = pinger.slowest(window, FROZEN_SECONDS)
        check(before is not None and before < PING_SECONDS, "the window did not answer within %.0f ms with the "
              "server frozen before the first sound (slowest %s)" % (1000 * PING_SECONDS, before))
        expect_text(drill, "Trials", "1", 1)
        pulse.thaw()
        thawed = time.monotonic()
        time.sleep(WORD_WAIT_SECONDS)
        late = pulse.first_sound_after(thawed)
        print("frozen before the first sound: slowest answer %.1f ms; after the thaw %s" % (
            1000 * before, "nothing sounded" if late is None else "a sound came %.2f s later" % (late - thawed)),
            flush=True)

        asked = time.monotonic()
        screen.click(*repeat)
        time.sleep(0.15)
        check(pulse.first_sound_after(asked) is not None, "no word once the server was back")
        pulse.freeze()
        screen.click(*repeat)
        screen.click(*right)
        during = pinger.slowest(window, FROZEN_SECONDS)
        check(during is not None and during < PING_SECONDS, "the window did not answer within %.0f ms with the "
              "server frozen during a word (slowest %s)" % (1000 * PING_SECONDS, during))
        expect_text(drill, "Trials", "2", 1)
        print("frozen during a word: slowest answer %.1f ms" % (1000 * during), flush=True)
        screen.screenshot("sound-server-frozen")
        leave(drill, screen)
        drill = None
    finally:
        pulse.thaw()
        pinger.close()
        if drill and drill.proc.poll() is None:
            drill.proc.kill()
            drill.proc.wait()
    lines = sound_lines(console)
    check(len(lines) <= 2, "more than a line for each freeze: %r" % lines)
    return before, during


def quit_without_session_bus(screen, binary, shots):
    """Started without a session bus (Qt's D-Bus thread finds none), a press, Exit: a clean end."""
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", DBUS_SESSION_BUS_ADDRESS="")
    workdir = os.path.join(os.environ["HOME"], "no-bus")
    os.makedirs(workdir)
    with open(os.path.join(shots, "no-bus-console.txt"), "w") as out:
        proc = subprocess.Popen([binary], cwd=workdir, env=env, stderr=out)
    try:
        window = wait_for(lambda: proc.poll() is None and screen.find_window(WINDOW_CAPTION), 30,
                          "the drill window without a session bus")
        x, y, width, height = screen.geometry(window)
        screen.click(x + width // 2, y + height // 2)  # the first press loads the sound
        time.sleep(0.5)
        screen.key("alt+F4")
        end_after_goodbye(proc, screen)
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()


def sound_lines(console):
    with open(console) as out:
        lines = [line.rstrip("\n") for line in out]
    print("console: %r" % lines, flush=True)
    return [line for line in lines
            if any(word in line.lower() for word in ("sound", "audio", "pulse", "stream", "speech"))]


def run(binary, nouns_tsv, shots, exits_only):
    nouns = read_nouns(nouns_tsv)
    screen = desktop.Desktop(shots)
    pulse = audio.started_server()
    screen.start()
    drill = None
    try:
        if not exits_only:
            drill, console = start_drill(screen, binary, os.environ["HOME"], "first", shots)
            expect_text(drill, "Question", nouns[0][0], 10)

            # Rounds of wrong, right and Repeat; the first press of the run loads the sound.
            said = [answer_round(drill, screen, nouns, i) for i in range(ROUNDS)]
            expected = ["wrong", "right", "speech"] * ROUNDS
            heard = audio.sounds(pulse.recording())
            print("heard: %s" % heard, flush=True)
            check([s.kind for s in heard] == expected,
                  "expected %s, heard %s" % (" ".join(expected), heard))
            for sound in heard:
                if sound.kind == "speech":
                    check(all(sound.seconds > cue.seconds for cue in heard if cue.kind != "speech"),
                          "the word %r is not longer than both cues" % sound)
            words = [s.seconds for s in heard if s.kind == "speech"]
            print("said %s: %s s" % (said, ", ".join("%.2f" % w for w in words)), flush=True)

            # Ten fast clicks: each one starts the word over, none waits for the last.
            repeat = drill.control("Repeat").centre()
            screen.point(*repeat)
            burst = time.monotonic()
            screen.xdotool("click", "--repeat", FAST_CLICKS, "--delay", 40, 1)
            clicked = time.monotonic() - burst
            time.sleep(2.5)
            after = audio.sounds(pulse.recording(since=burst))
            check(after and after[0].kind == "speech", "the fast clicks said nothing: %s" % after)
            spoken = after[-1].start + after[-1].seconds - after[0].start
            check(spoken < clicked + 1.5 * max(words),
                  "the fast clicks queued the word up: %.2f s of speech for %.2f s of clicking" % (spoken, clicked))
            check(drill.text("Trials") == str(2 * ROUNDS), "Repeat changed the trial count")

            # The window closed (Alt+F4) while it speaks.
            screen.xdotool("click", 1)
            screen.key("alt+F4")
            leave(drill, screen, by_menu=False)
            drill = None
            check(not sound_lines(console), "console lines about the sound with the server up")

            # The sound server goes away while the word is said, and comes back before Qt 6.4 tries it again
            # (3 s after the loss): the first word asked for then is said, once, when Qt has connected
            # again; the cues and words after it sound.
            drill, console = start_drill(screen, binary, os.environ["HOME"], "second", shots)
            expect_text(drill, "Question", nouns[0][0], 10)
            drill.click_control("Repeat")
            time.sleep(0.1)
            pulse.stop()
            time.sleep(0.5)
            drill.click_control("Repeat")
            check(pulse.start(), "PulseAudio did not start again:\n" + pulse.log())
            back = time.monotonic()
            drill.click_control("Repeat")
            time.sleep(WORD_WAIT_SECONDS)
            first = audio.sounds(pulse.recording(since=back))
            check([s.kind for s in first] == ["speech"], "the first word after the server came back: heard %s" % first)
            print("the first word after the server came back sounded %.2f s after Repeat"
                  % (pulse.first_sound_after(back) - back), flush=True)
            later = time.monotonic()
            answer_round(drill, screen, nouns, 0)
            heard = audio.sounds(pulse.recording(since=later))
            check([s.kind for s in heard] == ["wrong", "right", "speech"], "after the server came back: heard %s" % heard)

            # The server goes away for good while the word is said; the drill goes on, silently.
            drill.click_control("Repeat")
            time.sleep(0.1)
            pulse.stop()
            answer_round(drill, screen, nouns, 1)
            screen.point(*repeat)
            screen.xdotool("click", "--repeat", FAST_CLICKS, "--delay", 40, 1)
            expect_text(drill, "Trials", "4")
            check(not drill.dialogs(), "a box came up after the sound server went away")
            screen.screenshot("sound-server-gone")
            leave(drill, screen)
            drill = None
            lost = sound_lines(console)
            check(len(lost) <= 1, "more than one console line about the lost sound: %r" % lost)

            check(pulse.start(), "PulseAudio did not start again:\n" + pulse.log())
            frozen_server(screen, binary, nouns, pulse, shots)

        # Quits while a cue and a word sound: no abort, no wait.
        sounding = sum(quit_while_sounding(screen, binary, nouns, pulse, "quit%02d" % (i + 1), shots)
                       for i in range(QUITS))
        print("%d quits, %d of them while a sound reached the server" % (QUITS, sounding), flush=True)
        check(2 * sounding >= QUITS, "only %d of %d quits came while a sound played" % (sounding, QUITS))
        quit_without_session_bus(screen, binary, shots)
        print("e2e sound: all steps passed", flush=True)
    finally:
        screen.stop_after(drill.proc if drill else None)
        pulse.cleanup()


def main(argv):
    exits_only = "--exits" in argv
    return desktop.main(argv, __doc__, lambda *paths: run(*paths, exits_only),
                        also_missing=audio.missing_packages())


if __name__ == "__main__":
    sys.exit(main(sys.argv))
