#!/usr/bin/env python3
"""Installs the build into a fresh prefix and checks the installed tree; where
a desktop can be started (see ../e2e), also runs the installed program from a
fresh directory and checks that "Program Help" hands its own PDF to the desktop.

usage: check_install.py CMAKE BUILD_DIR WORK_DIR
"""

import configparser
import glob
import os
import shutil
import stat
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)
    return condition


def install(cmake, build, prefix):
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)


def check_tree(prefix):
    program = os.path.join(prefix, "bin", "zolport")
    check(os.path.isfile(program) and os.stat(program).st_mode & stat.S_IXUSR, "bin/zolport is not an executable")
    help_pdf = os.path.join(prefix, "share", "zolport", "ZolPort Help.pdf")
    if check(os.path.isfile(help_pdf), "share/zolport/ZolPort Help.pdf is missing"):
        with open(help_pdf, "rb") as pdf:
            check(pdf.read(5) == b"%PDF-", "the help document is not a PDF")

    desktop_file = os.path.join(prefix, "share", "applications", "zolport.desktop")
    if check(os.path.isfile(desktop_file), "share/applications/zolport.desktop is missing"):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(desktop_file, encoding="utf-8")
        d = entry["Desktop Entry"]
        check(d.get("Type") == "Application", "the desktop entry is not an application")
        check(d.get("Exec", "").split()[0] == "zolport", "the desktop entry does not run zolport")
        check("Education" in d.get("Categories", "").split(";"), "the desktop entry is not filed under Education")
        icon = d.get("Icon", "")
        icons = [os.path.join(prefix, "share", "icons", "hicolor", size, "apps", icon + ext)
                 for size, ext in (("scalable", ".svg"), ("128x128", ".png"), ("48x48", ".png"))]
        for path in icons:
            check(os.path.isfile(path), "icon %s is missing" % os.path.relpath(path, prefix))
        if shutil.which("desktop-file-validate"):
            done = subprocess.run(["desktop-file-validate", desktop_file], capture_output=True, text=True)
            check(done.returncode == 0, "desktop-file-validate: " + done.stdout + done.stderr)

    for module in ("libzolport_audio.so", "libzolport_speech.so"):
        check(glob.glob(os.path.join(prefix, "lib*", "**", "zolport", module), recursive=True),
              "the sound module %s is not installed in <libdir>/zolport" % module)

    metainfo = os.path.join(prefix, "share", "metainfo", "io.github.zolport.ZolPort.metainfo.xml")
    if check(os.path.isfile(metainfo), "share/metainfo/io.github.zolport.ZolPort.metainfo.xml is missing"):
        component = ElementTree.parse(metainfo).getroot()
        check(component.findtext("id") == "io.github.zolport.ZolPort", "wrong AppStream id")
        check(component.findtext("launchable") == "zolport.desktop", "the AppStream entry does not launch zolport.desktop")
        check("@" not in ElementTree.tostring(component, encoding="unicode"), "unreplaced @VARIABLE@ in the metainfo")
        check(component.findtext("project_license") == "GPL-3.0-or-later", "the metainfo names no GPL-3.0-or-later")
        check("example." not in ElementTree.tostring(component, encoding="unicode"), "a placeholder address")
        if shutil.which("appstreamcli"):
            done = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], capture_output=True, text=True)
            check(done.returncode == 0, "appstreamcli validate: " + done.stdout + done.stderr)


def check_help_opens(prefix, work):
    """Runs the installed program and chooses Help, Program Help."""
    import desktop
    from e2e_drill import Drill, APP_NAME, message_box
    from desktop import wait_for

    tools = os.path.join(work, "fake-bin")
    os.makedirs(tools, exist_ok=True)
    opened = os.path.join(work, "opened.txt")
    if os.path.exists(opened):
        os.remove(opened)
    # Stands in for the desktop's viewer: notes what it was asked to open.
    with open(os.path.join(tools, "xdg-open"), "w") as fake:
        fake.write("#!/bin/sh\nprintf '%%s\\n' \"$@\" >> '%s'\n" % opened)
    os.chmod(os.path.join(tools, "xdg-open"), 0o755)
    os.environ["PATH"] = tools + os.pathsep + os.environ["PATH"]
    os.environ.pop("XDG_CURRENT_DESKTOP", None)

    import audio
    pulse = None if audio.missing_packages() else audio.PulseServer()
    if pulse and pulse.start():
        os.environ.update(pulse.env)
    else:
        print("the installed program's speech not checked: PulseAudio %s" % (
            "did not start" if pulse else "is missing"), flush=True)
        pulse = None

    screen = desktop.Desktop(os.path.join(work, "shots"))
    screen.start()
    fresh = os.path.join(os.environ["HOME"], "fresh-dir")
    os.makedirs(fresh, exist_ok=True)
    drill = None
    try:
        drill = Drill(screen, os.path.join(prefix, "bin", "zolport"), fresh)
        wait_for(lambda: drill.text("Word group") == "Nouns", 10, "the first question")
        if pulse:
            # The moved prefix finds its own sound modules.
            drill.click_control("Repeat")
            wait_for(lambda: any(s.kind == "speech" for s in audio.sounds(pulse.recording())), 10,
                     "the installed program to say the word")
        drill.menu("Help", "Program Help")
        wait_for(lambda: os.path.exists(opened), 10, "the help document to be handed to xdg-open")
        with open(opened) as log:
            asked = log.read().strip()
        expected = os.path.join(prefix, "share", "zolport", "ZolPort Help.pdf")
        check(asked in (expected, "file://" + expected.replace(" ", "%20")),
              "Program Help opened %r, not the installed %r" % (asked, expected))
        screen.screenshot("installed-help")
        drill.menu("Exit", "Exit")
        goodbye = wait_for(lambda: message_box(drill, APP_NAME), 10, "the goodbye message")
        screen.click(*goodbye.find("OK", "push button").centre())
        check(drill.proc.wait(10) == 0, "the installed program did not end cleanly")
        drill = None
    finally:
        if drill is not None and drill.proc.poll() is None:
            drill.proc.kill()
        screen.stop()
        if pulse:
            pulse.cleanup()


def main(argv):
    if len(argv) != 4:
        print(__doc__)
        return 2
    cmake, build, work = argv[1], os.path.abspath(argv[2]), os.path.abspath(argv[3])
    import desktop
    if os.environ.get("ZOLPORT_E2E_SESSION") != "1":
        os.makedirs(work, exist_ok=True)
        prefix = os.path.join(work, "prefix")
        install(cmake, build, prefix)
        check_tree(prefix)
        # A prefix moved elsewhere still finds its help.
        moved = os.path.join(work, "moved")
        shutil.rmtree(moved, ignore_errors=True)
        shutil.move(prefix, moved)
        if failures:
            return 1
        if any(not shutil.which(tool) for tool in desktop.NEEDED):
            print("installed tree checked; the program itself not run (no desktop tools)")
            return 0
    desktop.in_private_session(argv)  # returns only inside the private session
    check_help_opens(os.path.join(work, "moved"), work)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
