#!/usr/bin/env python3
# The Debian package as a user gets it: made by CPack from the build, unpacked with dpkg -x into a
# temporary root, and started the way the desktop menu starts it (the desktop entry's Exec line),
# with a temporary home, on the X server in DISPLAY. With ZELK_PACKAGE_SCREENSHOT_DIR set, the first
# start saves a screenshot of the window there (zelk-desktop-start.png).
#
# Usage: test_package.py BUILD_DIR SOURCE_DIR VERSION
import configparser
import json
import os
import pathlib
import shlex
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

APP_ID = "io.github.zelkwin.Zelk"
DEADLINE = 60  # seconds a step may take before the test gives up on it


def run(*command, **options):
    result = subprocess.run([str(c) for c in command], capture_output=True, timeout=600, **options)
    if result.returncode != 0:
        raise AssertionError(f"{command} exited with {result.returncode}:\n{result.stderr.decode(errors='replace')}")
    return result.stdout.decode(errors="replace")


def arguments(process):
    # A running process's arguments, as the system holds them.
    return pathlib.Path(f"/proc/{process.pid}/cmdline").read_bytes().split(b"\0")[1:-1]


def waitFor(condition, what):
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise AssertionError(f"gave up waiting for {what}")


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = pathlib.Path(tempfile.mkdtemp(prefix="zelk-package-"))
        run("cpack", "--config", BUILD_DIR / "CPackConfig.cmake", "-G", "DEB", "-B", cls.scratch / "out")
        arch = run("dpkg", "--print-architecture").strip()
        cls.root = cls.scratch / "root"
        run("dpkg", "-x", cls.scratch / "out" / f"zelk_{VERSION}_{arch}.deb", cls.root)
        cls.bundled = cls.root / "usr/share/zelk/JISTEELW.CSV"
        # The shell's opener, replaced by one that writes down what it was asked to open and where.
        cls.fakeBin = cls.scratch / "fake-bin"
        cls.fakeBin.mkdir()
        (cls.fakeBin / "xdg-open").write_text('#!/bin/sh\nprintf "%s\\n" "$PWD" "$@" > "$OPENED_RECORD.part"\n'
                                              'mv "$OPENED_RECORD.part" "$OPENED_RECORD"\n')
        (cls.fakeBin / "xdg-open").chmod(0o755)
        # The desktop entry's Exec line, with its program taken from the unpacked root.
        entry = configparser.ConfigParser(interpolation=None)
        entry.read(cls.root / f"usr/share/applications/{APP_ID}.desktop", encoding="utf-8")
        command = [a for a in shlex.split(entry["Desktop Entry"]["Exec"]) if not a.startswith("%")]
        assert command[0].startswith("/"), command
        cls.menuCommand = [str(cls.root / command[0].lstrip("/"))] + command[1:]

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def setUp(self):
        self.assertTrue(os.environ.get("DISPLAY"), "needs an X server: run under scripts/x11-session")
        self.home = pathlib.Path(tempfile.mkdtemp(dir=self.scratch, prefix="home-"))
        self.opened = self.home / "opened.txt"
        self.processes = []

    def tearDown(self):
        while self.processes:
            self.stop(self.processes[0])

    def firstMemberLabel(self, catalogue):
        return json.loads(run(self.root / "usr/bin/zelk-tool", "show", catalogue))["groups"][0]["members"][0]["label"]

    def startFromMenu(self, dataHome):
        # Starts zelk as the menu does, in the home folder; returns the process and its window.
        environment = {k: v for k, v in os.environ.items() if not k.startswith(("ZELK_", "XDG_"))}
        environment.update(HOME=str(self.home), PATH=f"{self.fakeBin}:{environment['PATH']}",
                           QT_QPA_PLATFORM="xcb", ZELK_REPORT_CHOICES="1", OPENED_RECORD=str(self.opened))
        if dataHome is not None:
            environment["XDG_DATA_HOME"] = str(dataHome)
        # zelk's standard output goes to a file, which the choices are read from.
        output = self.home / f"out-{len(self.processes)}.txt"
        process = subprocess.Popen(self.menuCommand, cwd=self.home, env=environment, stderr=subprocess.DEVNULL,
                                   stdout=output.open("w"))
        process.output = output
        self.processes.append(process)
        window = waitFor(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                                                capture_output=True, text=True).stdout.split(), "zelk's window")[0]
        run("xdotool", "windowactivate", "--sync", window)
        return process, window

    def stop(self, process):
        process.terminate()
        process.wait(timeout=DEADLINE)
        self.processes.remove(process)

    def chooseFirstMember(self, process):
        # The value strip's text once the first member of the first group is chosen by keyboard.
        # Into the member list, to the second member and back, so that the first is a fresh choice.
        run("xdotool", "key", "Tab", "Down", "Up")
        return waitFor(lambda: [line[len("choice "):] for line in process.output.read_text().splitlines()
                                if line.startswith("choice ")][1:], "zelk's two choices")[0]

    def test_menuStartOpensACopyOfTheBundledCatalogue(self):
        dataHome = self.home / "data"
        process, window = self.startFromMenu(dataHome)
        folder = dataHome / "zelk"
        catalogue = folder / "JISTEELW.CSV"
        self.assertEqual(self.bundled.read_bytes(), (SOURCE_DIR / "data/JISTEELW.CSV").read_bytes())
        self.assertEqual(catalogue.read_bytes(), self.bundled.read_bytes())
        self.assertEqual(run("xdotool", "getwindowname", window).strip(), "ZELK_Win [ JISTEELW.CSV ]")
        self.assertEqual(arguments(process), [bytes(catalogue)])
        self.assertEqual(pathlib.Path(os.readlink(f"/proc/{process.pid}/cwd")), folder)
        self.assertEqual(self.chooseFirstMember(process), self.firstMemberLabel(self.bundled))
        self.assertEqual(sorted(p.name for p in folder.iterdir()), ["JISTEELW.CSV"])
        screenshots = os.environ.get("ZELK_PACKAGE_SCREENSHOT_DIR")
        if screenshots:
            # The window with its frame, as the window manager draws it.
            run("import", "-window", window, "-frame", pathlib.Path(screenshots) / "zelk-desktop-start.png")

    def test_editedCatalogueSurvivesTheNextStart(self):
        # No XDG_DATA_HOME: the catalogue goes to ~/.local/share/zelk. Edited (its line ends made
        # LF only, which reads the same), it is the one the next start opens, unreplaced.
        self.stop(self.startFromMenu(None)[0])
        catalogue = self.home / ".local/share/zelk/JISTEELW.CSV"
        edited = catalogue.read_bytes().replace(b"\r\n", b"\n")
        catalogue.write_bytes(edited)
        process, _ = self.startFromMenu(None)
        self.assertEqual(arguments(process), [bytes(catalogue)])
        self.assertEqual(catalogue.read_bytes(), edited)

    def test_helpOpensTheInstalledPage(self):
        dataHome = self.home / "data"
        self.startFromMenu(dataHome)
        run("xdotool", "key", "alt+h")
        run("xdotool", "key", "i")
        opened = waitFor(lambda: self.opened.exists() and self.opened.read_text().splitlines(), "the help request")
        page = self.root / "usr/share/zelk/zelkhelp/default.htm"
        self.assertEqual(opened, [str(dataHome / "zelk"), str(page)])
        self.assertTrue(page.is_file())


if __name__ == "__main__":
    BUILD_DIR, SOURCE_DIR, VERSION = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3]
    unittest.main(argv=sys.argv[:1], verbosity=2)
