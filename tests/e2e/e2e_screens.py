#!/usr/bin/env python3
"""The drill window's size and place on real screens: the real zolport on a
private X server with openbox at 1366 x 768, 1280 x 1024, 1920 x 1080 and
2560 x 1440 with QT_SCALE_FACTOR=2 (1280 x 720 of Qt's pixels).

On each screen, as a learner does it: start-up, restore (title bar double
click; where the window starts ordinary, maximize and restore, twice), a
border drag outward, a border drag to a smaller size, one as small
as the window lets itself be dragged, maximize again (title bar double
click), restore once more where that maximized it, then Exit > Exit and the
goodbye box's OK. After each step the window's frame and state are held
against the rules below, every menu bar entry must be on show, the controls
must fill the client area as the design lays them out, and a screenshot is
left in the shots directory.

The rules, in Qt's pixels, the window manager's frame included:
- the ordinary window is never larger than 1280 x 1024;
- where the work area A fits within that, the window starts maximized,
  filling A; where A is larger, it starts as an ordinary window of
  min(A.width, 1280) x min(A.height, 1024) at A's top-left corner;
- restore gives those start bounds as an ordinary window; after the
  learner has dragged the border, restore gives back the dragged bounds;
- maximize again gives what start-up gives where A fits; where A is larger,
  the learner's maximize fills A (the limits are the ordinary window's: no
  maximum size fights the maximized state);
- a border drag rescales the controls at its end, not while the button is
  still held.

Every step is checked on every screen, whatever failed before it; the
failures are listed at the end, with what was expected and what was seen.

usage: e2e_screens.py ZOLPORT_BINARY NOUNS_TSV SHOTS_DIR
Exits 77 (a skip for CTest) when the desktop tools are not installed.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi  # noqa: E402
import desktop  # noqa: E402
import e2e_drill  # noqa: E402
from desktop import wait_for  # noqa: E402

SCREENS = ((1366, 768, 1), (1280, 1024, 1), (1920, 1080, 1), (2560, 1440, 2))
LIMIT = (1280, 1024)
# What a window manager may round by, in Qt's pixels: with a scale factor of
# 2, openbox's one-pixel border is half a pixel of Qt's. At scale 1 openbox
# places and sizes exactly, so the rules hold to the pixel.
SLACK = 1
MENU_ENTRIES = ("Exit", "Levels", "Word Groups", "Verb Form?", "Question Order", "All Words/New Words",
                "Mult Choice/Type Answer", "Translation?", "Help")
DESIGN_CLIENT = (553, 361)
# Two controls whose place tells whether the layout follows the client area:
# the widest one and one in the bottom row (not "Check": its height is fixed).
DESIGN_BOUNDS = {"Answer": (8, 200, 537, 73), "Peek": (360, 320, 80, 22)}
# The design bounds are rounded twice on their way to the screen (to the
# screen's size at start-up, then to the client area), Qt's pixels besides;
# and a change of the client area by five pixels or less (a frame drawn a
# little differently once restored) leaves the controls where they are.
LAYOUT_SLACK = 3 + 5
# The controls are read in the middle of a drag, the button held. A read that
# takes longer than this after the last motion is a pause in the drag that a
# program may take for its end, and is not judged.
MID_DRAG_READ_SECONDS = 0.2


def text(rect):
    x, y, w, h = rect
    return "%dx%d+%d+%d" % (w, h, x, y)


def close(a, b, slack=SLACK):
    return all(abs(p - q) <= slack for p, q in zip(a, b))


class Screen:
    """One screen size with the running program and what was found on it."""

    def __init__(self, binary, shots, width, height, scale):
        self.name = "%dx%d" % (width, height) + ("@%d" % scale if scale != 1 else "")
        self.scale = scale
        self.desktop = desktop.Desktop(shots, width, height, first_display=60)
        self.binary = binary
        self.shots = shots
        self.results = []  # (step, expected, seen, problems, screenshot)
        self.drill = None
        self.window = None
        self.step_number = 0
        self.work_area = "unknown"

    # --- what is seen ------------------------------------------------------

    def logical(self, rect):
        return tuple(round(v / self.scale) for v in rect)

    def area(self):
        return self.logical(self.desktop.work_area())

    def frame(self):
        return self.logical(self.desktop.frame_geometry(self.window))

    def maximized(self):
        state = self.desktop.net_wm_state(self.window)
        return "MAXIMIZED_HORZ" in state and "MAXIMIZED_VERT" in state

    def seen(self):
        return ("maximized" if self.maximized() else "ordinary"), self.frame()

    def settled(self):
        """The state and frame once they stop changing; None if they keep changing."""
        last = self.seen()
        for _ in range(12):
            time.sleep(0.3)
            now = self.seen()
            if now == last:
                return now
            last = now
        return None

    def start_bounds(self):
        x, y, w, h = self.area()
        return x, y, min(w, LIMIT[0]), min(h, LIMIT[1])

    def area_fits(self):
        _, _, w, h = self.area()
        return w <= LIMIT[0] and h <= LIMIT[1]

    # --- checks ------------------------------------------------------------

    def record(self, step, expected, problems):
        """Checks what every state shares, takes the screenshot, notes the step.
        problems is the caller's list: what it checks afterwards goes in too."""
        settled = self.settled()
        if settled is None:
            problems.append("the window keeps changing size or state (last seen %s %s)"
                            % (self.seen()[0], text(self.frame())))
            settled = self.seen()
        state, frame = settled
        if state != "maximized" and (frame[2] > LIMIT[0] + SLACK or frame[3] > LIMIT[1] + SLACK):
            problems.append("the frame %s is larger than %dx%d" % (text(frame), *LIMIT))
        problems += self.layout_problems()
        problems += self.menu_problems()
        self.step_number += 1
        shot = self.desktop.screenshot("%s-%d-%s" % (self.name, self.step_number, step))
        self.results.append((step, expected, "%s %s" % (state, text(frame)), problems, shot))
        return state, frame

    def check_bounds(self, step, want_states, want_frame):
        problems = []
        state, frame = self.record(step, "%s %s" % (" or ".join(want_states), text(want_frame)), problems)
        if state not in want_states:
            problems.append("expected the state %s, seen %s" % (" or ".join(want_states), state))
        if not close(frame, want_frame):
            problems.append("expected the frame %s, seen %s" % (text(want_frame), text(frame)))

    def layout_problems(self):
        """The controls sit where the design puts them in the client area they have now."""
        problems = []
        client = self.drill._client()
        if client is None:
            return ["the window's controls are not on the accessibility bus"]
        cx, cy, cw, ch = client.extents()
        for name, (left, top, width, height) in DESIGN_BOUNDS.items():
            rx, ry = cw / DESIGN_CLIENT[0], ch / DESIGN_CLIENT[1]
            want = (cx + round(left * rx), cy + round(top * ry), round(width * rx), round(height * ry))
            got = tuple(self.drill.control(name).extents())
            if not close(got, want, LAYOUT_SLACK):
                problems.append("%s should be %s in the client area %s, it is %s"
                                % (name, text(want), text((cx, cy, cw, ch)), text(got)))
        return problems

    def menu_problems(self):
        bar = self.drill.menu_bar.extents()
        entries = {c.name: c for c in self.drill.menu_bar.children() if c.role == "menu item"}
        hidden = []
        for name in MENU_ENTRIES:
            node = entries.get(name)
            if node is None or not node.has_state(atspi.STATE_SHOWING):
                hidden.append(name)
                continue
            x, y, w, h = node.extents()
            inside = x >= bar[0] and x + w <= bar[0] + bar[2] and y >= bar[1] and y + h <= bar[1] + bar[3]
            if w <= 0 or h <= 0 or not inside:
                hidden.append(name)
        if hidden:
            return ["the menu bar (%s) does not show %s" % (text(bar), ", ".join(repr(n) for n in hidden))]
        return []

    # --- steps -------------------------------------------------------------

    def start(self, nouns, workdir):
        self.desktop.start()
        self.work_area = text(self.area())
        self.stderr = open(os.path.join(self.shots, self.name + "-stderr.txt"), "w+")
        self.drill = e2e_drill.Drill(self.desktop, self.binary, workdir,
                                     env={"QT_SCALE_FACTOR": str(self.scale)}, stderr=self.stderr)
        self.window = wait_for(lambda: self.desktop.find_window(e2e_drill.WINDOW_CAPTION), 10, "the X window")
        e2e_drill.expect_text(self.drill, "Question", nouns[0][0], 10)
        if self.area_fits():
            self.check_bounds("start", ["maximized"], self.area())
        else:
            self.check_bounds("start", ["ordinary"], self.start_bounds())

    def toggle_maximized(self):
        """A double click on the title bar: openbox's maximize and restore."""
        before = self.seen()
        self.desktop.double_click(*self.desktop.title_bar(self.window))
        try:
            wait_for(lambda: self.seen() != before, 5, "the window to change")
        except AssertionError:
            pass  # what it became is checked by the caller

    def restore(self):
        if self.maximized():
            self.toggle_maximized()
            self.check_bounds("restored", ["ordinary"], self.start_bounds())
            return
        # A window that starts ordinary is maximized and restored by the learner;
        # twice, as the second restore starts from what the first one left.
        for round in (1, 2):
            self.toggle_maximized()
            self.check_bounds("maximized-%d" % round, ["maximized"], self.area())
            self.toggle_maximized()
            self.check_bounds("restored-%d" % round, ["ordinary"], self.start_bounds())

    def restore_again(self):
        """Where the second maximize gave a maximized window, restoring it gives
        back the bounds the learner had dragged it to (as any desktop does)."""
        if self.maximized():
            self.toggle_maximized()
            self.check_bounds("restored-again", ["ordinary"], self.before_maximize)

    def corner(self):
        """The frame's bottom-right corner, in the screen's pixels."""
        x, y, w, h = self.desktop.frame_geometry(self.window)
        return x + w - 2, y + h - 2

    def drag_outward(self):
        start = self.corner()
        self.desktop.drag(start, (self.desktop.width - 1, self.desktop.height - 1))
        self.record("dragged-outward", "at most %dx%d" % LIMIT, [])

    def drag_smaller(self, step, fraction):
        """Drags the corner to a fraction of the frame's size; the controls must
        stay put while the button is held and follow the window at its end."""
        x, y, w, h = self.desktop.frame_geometry(self.window)
        start = self.corner()
        end = (x + round(w * fraction), y + round(h * fraction))
        before = self.seen()[1]
        answer_before = tuple(self.drill.control("Answer").extents())
        problems = []
        screen = self.desktop
        screen.xdotool("mousemove", "--sync", *start)
        time.sleep(0.1)
        screen.xdotool("mousedown", 1)
        try:
            steps = 12
            for i in range(1, steps + 1):
                screen.xdotool("mousemove", start[0] + (end[0] - start[0]) * i // steps,
                               start[1] + (end[1] - start[1]) * i // steps)
                moved = time.monotonic()
                if i == steps // 2:
                    answer_mid = tuple(self.drill.control("Answer").extents())
                    frame_mid = self.frame()
                    if time.monotonic() - moved < MID_DRAG_READ_SECONDS and frame_mid != before \
                            and answer_mid != answer_before:
                        problems.append("the controls were rescaled while the border was still held "
                                        "(Answer %s before the drag, %s in its middle)"
                                        % (text(answer_before), text(answer_mid)))
                time.sleep(0.03)
        finally:
            time.sleep(0.1)
            screen.xdotool("mouseup", 1)
        time.sleep(0.6)  # the rescale at the drag's end
        state, frame = self.record(step, "ordinary, smaller than %s, same top-left" % text(before), problems)
        if state != "ordinary":
            problems.append("expected an ordinary window after the drag, seen %s" % state)
        if frame[2] >= before[2] and frame[3] >= before[3]:
            problems.append("the drag from %s towards %dx%d left the window at %s"
                            % (text(before), round(w * fraction / self.scale), round(h * fraction / self.scale),
                               text(frame)))
        if not close(frame[:2], before[:2]):
            problems.append("the top-left corner moved from %d,%d to %d,%d" % (*before[:2], *frame[:2]))

    def maximize_again(self):
        self.before_maximize = self.frame()
        self.toggle_maximized()
        if self.area_fits():
            self.check_bounds("maximized-again", ["maximized"], self.area())
        else:
            self.check_bounds("maximized-again", ["maximized"], self.area())

    def exit(self):
        problems = []
        self.drill.menu("Exit", "Exit")
        goodbye = wait_for(lambda: e2e_drill.message_box(self.drill, e2e_drill.APP_NAME), 10, "the goodbye box")
        self.step_number += 1
        shot = self.desktop.screenshot("%s-%d-goodbye" % (self.name, self.step_number))
        self.drill.click(goodbye.find("OK", "push button"))
        try:
            code = self.drill.proc.wait(10)
        except subprocess.TimeoutExpired:
            code = None
        if code != 0:
            problems.append("the program did not end with status 0 after the goodbye box (%s)" % code)
        self.results.append(("exit", "status 0", "status %s" % code, problems, shot))

    def run(self, nouns, workdir):
        steps = [lambda: self.start(nouns, workdir), self.restore, self.drag_outward,
                 lambda: self.drag_smaller("dragged-smaller", 0.7),
                 lambda: self.drag_smaller("dragged-smallest", 0.15), self.maximize_again, self.restore_again,
                 self.exit]
        try:
            for step in steps:
                if self.drill is not None and self.drill.proc.poll() is not None:
                    raise AssertionError("the program ended (status %s)" % self.drill.proc.returncode)
                step()
        except (AssertionError, RuntimeError, subprocess.CalledProcessError) as error:
            self.step_number += 1
            shot = self.desktop.screenshot("%s-%d-stopped" % (self.name, self.step_number)) \
                if os.environ.get("DISPLAY") else ""
            self.results.append(("stopped", "", "", [str(error)], shot))
        finally:
            if self.drill is not None and self.drill.proc.poll() is None:
                self.drill.proc.kill()
                self.drill.proc.wait()
            self.desktop.stop()
        self.stderr_problems()

    def stderr_problems(self):
        self.stderr.seek(0)
        lines = [line.rstrip() for line in self.stderr if "Protocol error" in line]
        if lines:
            self.results.append(("stderr", "no protocol error", "", lines, ""))


def run(binary, nouns_tsv, shots):
    nouns = e2e_drill.read_nouns(nouns_tsv)
    failures = 0
    for width, height, scale in SCREENS:
        screen = Screen(binary, shots, width, height, scale)
        workdir = os.path.join(os.environ["HOME"], screen.name)
        os.makedirs(workdir)
        screen.run(nouns, workdir)
        print("== %s: work area %s (sizes in Qt's pixels, frame included)" % (screen.name, screen.work_area),
              flush=True)
        for step, expected, seen, problems, shot in screen.results:
            print("  %-17s %-6s expected: %-42s seen: %s" % (step, "FAIL" if problems else "ok", expected, seen))
            for problem in problems:
                print("      - " + problem)
            if shot:
                print("      shot: " + os.path.basename(shot))
            failures += bool(problems)
        sys.stdout.flush()
    print("e2e_screens: %d failed steps; screenshots in %s" % (failures, shots), flush=True)
    return 1 if failures else 0


def main(argv):
    return desktop.main(argv, __doc__, run)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
