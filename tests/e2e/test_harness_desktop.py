"""The harness's own desktop tools against Wine's notepad and the registry: screen size,
locales, pointer and keys, window lookup, screenshots, exact registry values, and the clean-up
after a test process that was killed."""

import os
import subprocess
import sys
import textwrap
import time
import unittest

import harness
from harness import LOCALE_LCIDS, Mismatch, RegValue, Session, expect_equal, expect_true
from harness.timing import START
from harness.windows import WM_CLOSE

NOTEPAD = "Untitled - Notepad"
KEY = r"HKCU\Software\TouchHarnessCheck"
session = None


def setUpModule():
    global session
    session = Session("desktop", screen=(800, 600)).__enter__()


def tearDownModule():
    session.__exit__(None, None, None)


class DisplayTest(unittest.TestCase):
    def test_screen_and_screenshot_have_the_requested_size(self):
        expect_equal("screen size seen by Windows", (800, 600), session.windows.screen_size())
        shot = session.screenshot("empty")
        expect_equal("screenshot size", (800, 600), (shot.width, shot.height))

    def test_each_locale_gives_its_system_lcid(self):
        seen = {name: session.windows.locale(name)[0] for name in LOCALE_LCIDS}
        expect_equal("system default LCID per Unix locale", LOCALE_LCIDS, seen)

    def test_pointer_lands_on_the_same_screen_coordinates(self):
        for point in ((17, 23), (650, 480)):
            session.input.move(*point)
            expect_equal("cursor after moving the X pointer", (True, *point),
                         session.windows.cursor())


class RegistryTest(unittest.TestCase):
    def tearDown(self):
        session.registry.delete_key(KEY)

    def test_values_come_back_byte_for_byte(self):
        values = {
            "Dword": RegValue.dword(0xFFFFFFFE),
            "TextWithoutZero": RegValue.sz("7", terminated=False),
            "TextWithZero": RegValue.sz("7"),
            "Expand": RegValue.expand_sz(r"%SystemRoot%\x"),
            "Record": RegValue.binary(range(28)),
            "Empty": RegValue.binary(b""),
            "触摸屏": RegValue.sz("校准"),
        }
        for name, value in values.items():
            session.registry.set(KEY, name, value)
        seen = {name: session.registry.get(KEY, name) for name in values}
        expect_equal("values read back", {k: str(v) for k, v in values.items()},
                     {k: str(v) for k, v in seen.items()})

    def test_snapshot_lists_and_deletes_report_what_was_there(self):
        session.registry.set_dword(KEY + r"\Sub", "Inner", 1)
        session.registry.set_dword(KEY, "Outer", 2)
        snapshot = session.registry.snapshot(KEY)
        expect_equal("snapshot", ({"Outer": RegValue.dword(2)}, ["Sub"]),
                     (snapshot.values, snapshot.subkeys))
        expect_equal("deleting a present value, then again", (True, False),
                     (session.registry.delete_value(KEY, "Outer"),
                      session.registry.delete_value(KEY, "Outer")))
        expect_equal("deleting a key tree, then again", (True, False),
                     (session.registry.delete_key(KEY), session.registry.delete_key(KEY)))
        expect_equal("value in a deleted key", None, session.registry.get(KEY + r"\Sub", "Inner"))


class ProgramTest(unittest.TestCase):
    def test_typed_text_mouse_click_and_exit_code(self):
        program = session.start("notepad")
        session.wait_window(NOTEPAD, timeout=START)
        client = session.windows.client_rect(NOTEPAD)
        shot = session.screenshot("notepad")
        shot.expect_pixel(*client.center, (255, 255, 255), what="centre of notepad's edit area")
        session.input.click(*client.center)
        session.input.type("abc")
        session.input.key("alt+F4")
        # Only a modified text makes notepad ask before closing.
        session.wait_window("Notepad")
        no_button = session.windows.child_rect("Notepad", 7)
        expect_true("save prompt's No button", no_button is not None, "a control with id 7",
                    "none", session.windows.describe())
        session.input.click(*no_button.center)
        program.expect_exit(0, describe=session.describe)
        session.wait_window_gone(NOTEPAD)

    def test_posted_close_ends_the_program(self):
        program = session.start("notepad")
        session.wait_window(NOTEPAD, timeout=START)
        session.windows.post(NOTEPAD, WM_CLOSE)
        program.expect_exit(0, describe=session.describe)

    def test_missing_window_is_reported_with_what_was_seen(self):
        with self.assertRaises(Mismatch) as caught:
            session.wait_window("No Such Window", timeout=0.3)
        message = str(caught.exception)
        for part in ("expected to appear within 0.3 s", "saw no such visible window",
                     "visible windows:", "screenshot:"):
            expect_true("failure message", part in message, f"to contain {part!r}", message)


def _processes_with(prefix):
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if f"WINEPREFIX={prefix}".encode() in f.read().split(b"\0"):
                    found.append(int(pid))
        except OSError:
            pass
    return found


class CleanupTest(unittest.TestCase):
    def test_killed_test_process_leaves_nothing_behind(self):
        child = textwrap.dedent("""
            import os, signal
            from harness import Session
            s = Session("orphan").__enter__()
            print(s.prefix.path, s.display._process.pid, flush=True)
            os.kill(os.getpid(), signal.SIGKILL)
        """)
        result = subprocess.run([sys.executable, "-c", child], capture_output=True, text=True,
                                timeout=120)
        prefix, xvfb = result.stdout.split()
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            left = (os.path.exists(prefix), os.path.exists(f"/proc/{xvfb}"),
                    _processes_with(prefix))
            if left == (False, False, []):
                break
            time.sleep(0.2)
        expect_equal("(prefix exists, Xvfb runs, Wine processes) after the kill",
                     (False, False, []), left)


if __name__ == "__main__":
    harness.main()
