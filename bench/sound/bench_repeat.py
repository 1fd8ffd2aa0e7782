#!/usr/bin/env python3
"""From a click to the first sound it brings: "Repeat" and a wrong choice,
each as the first press of a fresh program (which also loads the sound) and
later, on the real program under Xvfb with openbox, heard on a PulseAudio
server of our own (the same as the e2e_sound test's).

The moment of the click is taken just before xdotool presses the button; the
moment of the sound is when the first sample above the noise floor reached
this script through the FIFO that the server's pipe sink writes in real time,
23 ms at a time (so a figure may be up to 23 ms late, never early).

usage: bench_repeat.py ZOLPORT_BINARY [STARTS]
"""

import os
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))

import audio  # noqa: E402
import desktop  # noqa: E402
from e2e_drill import Drill, expect_text, read_nouns  # noqa: E402

LATER_CLICKS = 5


def click_to_sound(screen, pulse, target, wait=1.5):
    screen.point(*target)
    time.sleep(0.3)
    clicked = time.monotonic()
    screen.xdotool("click", 1)
    time.sleep(wait)
    heard = pulse.first_sound_after(clicked)
    return None if heard is None else (heard - clicked) * 1000


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    desktop.skip_if_missing()
    if audio.missing_packages():
        print("needs the Debian packages " + " ".join(audio.missing_packages()))
        return desktop.SKIP
    desktop.in_private_session(argv)
    binary = os.path.abspath(argv[1])
    starts = int(argv[2]) if len(argv) > 2 else 5
    first_noun, translation = read_nouns(os.path.join(HERE, "..", "..", "vocabulary", "data", "nouns.tsv"))[0]
    screen = desktop.Desktop(os.path.join(os.environ["HOME"], "shots"))
    pulse = audio.PulseServer()
    if not pulse.start():
        print("PulseAudio did not start:\n" + pulse.log())
        return 1
    os.environ.update(pulse.env)
    screen.start()
    first, later, first_cue, cue = [], [], [], []
    try:
        for run in range(2 * starts):
            workdir = os.path.join(os.environ["HOME"], "run%d" % run)
            os.makedirs(workdir)
            with open(os.devnull, "w") as quiet:
                drill = Drill(screen, binary, workdir, quiet)
            try:
                expect_text(drill, "Question", first_noun, 10)
                repeat = drill.control("Repeat").centre()
                wrong = [c.centre() for c in drill.choices() if c.name != translation]
                if run % 2 == 0:  # the first press of the run is Repeat
                    first.append(click_to_sound(screen, pulse, repeat))
                    for _ in range(LATER_CLICKS):
                        later.append(click_to_sound(screen, pulse, repeat))
                else:  # the first press of the run is a choice
                    first_cue.append(click_to_sound(screen, pulse, wrong[0]))
                    cue.append(click_to_sound(screen, pulse, wrong[1]))
            finally:
                drill.proc.kill()
                drill.proc.wait()
    finally:
        screen.stop()
        pulse.cleanup()

    def line(label, values):
        heard = [v for v in values if v is not None]
        missed = len(values) - len(heard)
        print("  %-44s median %6.1f ms  (min %.1f, max %.1f, %d clicks%s)" % (
            label, statistics.median(heard), min(heard), max(heard), len(values),
            ", %d not heard" % missed if missed else ""))

    print("click to first sound, %d fresh starts, PulseAudio pipe sink at 44100 Hz" % starts)
    line("Repeat, first press of a run (loads sound)", first)
    line("Repeat, later clicks", later)
    line("a choice, first press of a run (loads sound)", first_cue)
    line("a choice, later", cue)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
