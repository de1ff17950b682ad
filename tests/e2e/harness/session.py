"""One test's private Windows desktop: a Wine prefix, an X screen, the stand-in drivers and the
means to drive and inspect them. Everything it starts it also ends."""

import os
import re
import sys
import time
import traceback

from .config import Config
from .display import Display
from .driver import StandInDriver
from .errors import HarnessError, Mismatch
from .heapcheck import HeapCheck
from .janitor import Janitor
from .prefix import WINDOWS_VERSIONS, WinePrefix
from .probe import Probe
from .program import Program
from .registry import Registry
from .screen import Screenshot
from .timing import WAIT
from .windows import WindowInspector
from .xinput import XInput

_POLL = 0.1


class Session:
    """Use as a context manager:

        with Session("calibrate_four_points", screen=(800, 600), locale="zh_CN.UTF-8") as s:
            s.install_driver("Velmuro", script=[(100, 200), (900, 200), (900, 800), (100, 800)])
            program = s.start(s.config.exe("Pintara"))
            s.wait_window("Pintara")
            s.input.click(40, 30)
            program.expect_exit(0)

    Attributes once entered: config (Config), prefix (WinePrefix), display (Display),
    registry (Registry), windows (WindowInspector), input (XInput), drivers (dict of the
    StandInDrivers installed, by name), shots_dir (where screenshots go).
    Set TOUCH_KEEP_PREFIX=1 to keep the prefix of a session for inspection.
    The programs of ours it starts run under Wine's heap checks (see heapcheck): a heap report
    from any of them fails the test once the session has ended.
    """

    def __init__(self, name, screen=(1024, 768), depth=24, locale="en_US.UTF-8", config=None,
                 virtual_desktop=False):
        self.name = re.sub(r"[^A-Za-z0-9_.-]", "_", name)
        self.screen = screen
        self.depth = depth
        self.locale = locale
        self.virtual_desktop = virtual_desktop
        self.config = config or Config.current()
        self.drivers = {}
        self._programs = []
        self._shots = 0
        self.display = self.prefix = self.probe = None

    @classmethod
    def for_test(cls, test_case, **options):
        """A session named after a unittest test method."""
        return cls(test_case.id().rsplit(".", 1)[-1], **options)

    def __enter__(self):
        self.shots_dir = self.config.shots_dir
        self.shots_dir.mkdir(parents=True, exist_ok=True)
        for old in self.shots_dir.glob(f"{self.name}-*.png"):
            old.unlink()
        self._janitor = Janitor()
        self.heap = HeapCheck(self.shots_dir / self.name)
        try:
            self.display = Display(self._janitor, *self.screen, self.depth)
            self.prefix = WinePrefix(self.config, self._janitor, self.display.name, self.heap,
                                     self.locale, self.screen if self.virtual_desktop else None)
            # The first program that uses the desktop starts explorer.exe, which keeps that
            # program's output open (a pipe read to its end would then stall every probe call)
            # and its environment: Wine's desktop runs without our heap checks.
            self.prefix.run_quietly([self.config.probe, "screen"], checked=False)
        except BaseException:
            self._close()
            raise
        self.probe = Probe(self.prefix)
        self.registry = Registry(self.probe)
        self.windows = WindowInspector(self.probe)
        self.input = XInput(self.display.name)
        if self.config.windows_version:
            reported = self.windows.version()[:2]
            if reported != WINDOWS_VERSIONS[self.config.windows_version]:
                self._close()
                raise HarnessError(f"the prefix reports Windows {reported}, not "
                                   f"{self.config.windows_version}")
        return self

    def __exit__(self, kind, error, trace):
        if kind is not None and self.prefix is not None:
            self._report_failure_scene()
        self._close()
        # Read once every process has ended: damage often shows as a program frees at its exit.
        if kind is None:
            self.heap.expect_clean()
        else:
            for command, lines in self.heap.reports():
                print(f"[{self.name}] heap reports of {command}:\n  " + "\n  ".join(lines),
                      file=sys.stderr)
        return False

    def _report_failure_scene(self):
        try:
            shot = self.screenshot("at-failure")
            print(f"[{self.name}] screen at failure: {shot.path}\n{self.windows.describe()}",
                  file=sys.stderr)
        except Exception:
            traceback.print_exc(file=sys.stderr)

    def _close(self):
        for program in self._programs:
            program.close()
        if self.probe is not None:
            self.probe.close()
        if self.prefix is not None:
            self.prefix.close(keep=os.environ.get("TOUCH_KEEP_PREFIX") == "1")
        if self.display is not None:
            self.display.close()
        self._janitor.release()

    def install_driver(self, name="Velmuro", script=None, port_result=None, start=True,
                       failures=()):
        """Installs the stand-in driver as service `name` ("Velmuro" or "Corvatin"), optionally
        with a raw-point script and the positions at which its reads fail (see
        StandInDriver.set_script) and the port switch, and starts it unless `start` is False.
        Returns its StandInDriver."""
        driver = StandInDriver(self.prefix, self.registry, self.probe, name)
        driver.install()
        if script is not None:
            driver.set_script(script, failures)
        if port_result is not None:
            driver.set_port_result(port_result)
        if start:
            driver.start()
        self.drivers[name] = driver
        return driver

    def start(self, exe, *args, locale=None, display=True):
        """Starts a Windows program (a path in the build tree or in the prefix, with its
        arguments) without waiting for it; with `display` False it cannot reach the X screen,
        like a program started where there is no desktop. Returns its Program."""
        output = self.shots_dir / f"{self.name}-{len(self._programs)}.out"
        program = Program(self.prefix, [exe, *args], output, locale, display)
        self._programs.append(program)
        return program

    def wait_window(self, title, timeout=WAIT):
        """Waits until a visible top-level window has exactly this title; returns its Rect."""
        deadline = time.monotonic() + timeout
        while True:
            if self.input.search(title):
                rect = self.windows.rect(title)
                if rect is not None:
                    return rect
            if time.monotonic() > deadline:
                raise Mismatch(f"window {title!r}", f"to appear within {timeout} s",
                               "no such visible window", self.describe())
            time.sleep(_POLL)

    def wait_window_gone(self, title, timeout=WAIT):
        """Waits until no visible window has this title."""
        deadline = time.monotonic() + timeout
        while self.input.search(title):
            if time.monotonic() > deadline:
                raise Mismatch(f"window {title!r}", f"to close within {timeout} s",
                               "it was still shown", self.describe())
            time.sleep(_POLL)

    def wait_until(self, what, condition, timeout=WAIT, expected="the condition to hold",
                   seen=lambda: "it did not"):
        """Polls `condition()` until true; otherwise raises Mismatch(what, expected, seen())."""
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                raise Mismatch(what, f"{expected} within {timeout} s", seen(), self.describe())
            time.sleep(_POLL)

    def screenshot(self, label):
        """Captures the screen into shots_dir/<session>-<n>-<label>.png; returns a Screenshot."""
        self._shots += 1
        path = self.shots_dir / f"{self.name}-{self._shots:02d}-{label}.png"
        return Screenshot(path, self.display.name)

    def describe(self):
        """What is on the screen now (windows and a fresh screenshot), for failure messages."""
        shot = self.screenshot("seen")
        return f"{self.windows.describe()}\nscreenshot: {shot.path}"
