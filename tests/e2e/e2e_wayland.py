#!/usr/bin/env python3
"""Start-up on Wayland: the real zolport under weston's headless backend
(QT_QPA_PLATFORM=wayland) at 1920 x 1080, 1366 x 768 and 1024 x 768. The
program must start, show the first noun, end with Exit > Exit and the
goodbye box's OK, and print no Wayland protocol error.

There is no pointer or keyboard on a headless output, so the menu command
and the OK button are done the way a screen reader does them (AT-SPI
actions); the texts are read the same way. Screenshots come from weston's
screenshooter.

usage: e2e_wayland.py ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR
Exits 77 (a skip for CTest) when weston, Qt's Wayland plugin or the
accessibility bus are missing, or when weston cannot start.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import desktop  # noqa: E402
import e2e_drill  # noqa: E402
from desktop import wait_for  # noqa: E402

SIZES = ((1920, 1080), (1366, 768), (1024, 768))
PROTOCOL_ERRORS = ("Protocol error", "wl_display", "xdg_surface")


def run_size(binary, first_noun, shots, width, height):
    """Problems seen at one output size, and the screenshots or why there are none."""
    name = "wayland-%dx%d" % (width, height)
    compositor = desktop.Weston(shots, width, height, name)
    reason = compositor.start()
    if reason:
        return None, [reason]
    problems, notes = [], []
    workdir = os.path.join(os.environ["HOME"], name)
    os.makedirs(workdir)
    stderr_path = os.path.join(shots, name + "-stderr.txt")
    calls = []
    drill = None
    with open(stderr_path, "w") as stderr:
        try:
            drill = e2e_drill.Drill(None, binary, workdir, env=compositor.env(), stderr=stderr)
            e2e_drill.expect_text(drill, "Question", first_noun, 10)
            time.sleep(0.5)  # drawn, not only set
            notes.append(compositor.screenshot(name + "-first-question"))

            calls.append(drill.menu_entry("Exit", "Exit")[1].start_action("Press"))
            goodbye = wait_for(lambda: drill.running() and e2e_drill.message_box(drill, e2e_drill.APP_NAME),
                               10, "the goodbye box")
            notes.append(compositor.screenshot(name + "-goodbye"))
            calls.append(goodbye.find("OK", "push button").start_action("Press"))
            try:
                code = drill.proc.wait(10)
            except subprocess.TimeoutExpired:
                code = None
            if code != 0:
                problems.append("the program did not end with status 0 after the goodbye box (%s)" % code)
        except (AssertionError, RuntimeError, ValueError, IndexError) as error:
            problems.append(str(error))
            notes.append(compositor.screenshot(name + "-stopped"))
        finally:
            if drill is not None and drill.proc.poll() is None:
                drill.proc.kill()
                drill.proc.wait()
            for call in calls:
                call.kill()
                call.wait()
            compositor.stop()
    with open(stderr_path) as stderr:
        errors = [line.rstrip() for line in stderr if any(word in line for word in PROTOCOL_ERRORS)]
    if errors:
        problems.append("protocol errors on stderr: " + " / ".join(errors))
    return problems, notes


def run(binary, nouns_tsv, shots):
    first_noun = e2e_drill.read_nouns(nouns_tsv)[0][0]
    failures = skipped = 0
    for width, height in SIZES:
        problems, notes = run_size(binary, first_noun, shots, width, height)
        if problems is None:
            print("== wayland %dx%d: SKIP: %s" % (width, height, notes[0]), flush=True)
            skipped += 1
            continue
        print("== wayland %dx%d: %s" % (width, height, "FAIL" if problems else "ok"))
        for problem in problems:
            print("    - " + problem)
        for note in notes:
            print("    " + (("shot: " + os.path.basename(note)) if note.endswith(".png") else note))
        sys.stdout.flush()
        failures += bool(problems)
    if skipped == len(SIZES):
        print("SKIP: weston could not start", flush=True)
        return desktop.SKIP
    print("e2e_wayland: %d of %d sizes failed, %d skipped; screenshots in %s"
          % (failures, len(SIZES), skipped, shots), flush=True)
    return 1 if failures else 0


def main(argv):
    return desktop.main(argv, __doc__, run, desktop.WAYLAND_NEEDED, wayland=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
