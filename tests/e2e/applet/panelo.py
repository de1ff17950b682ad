"""Driving and reading the control-panel applet in an end-to-end session: the test host that
talks to the library message by message, and the property sheet with its pages."""

import os
import select
import struct
import subprocess
import time
from dataclasses import dataclass

from harness import HarnessError, Mismatch, RegValue, expect_equal
from harness.registry import REG_SZ
from harness.requestlog import SET_PARAMETERS

TITLE = "TouchScreen Property"
TITLE_CHINESE = "触摸屏属性"
TABS = ["Calibrate", "Setting", "Sound", "About"]
TABS_CHINESE = ["校准", "设置", "声音", "关于"]
MODULE = "Panelo"
SERVICES = r"HKLM\SYSTEM\CurrentControlSet\Services"
MOUSE = r"HKCU\Control Panel\Mouse"

# The sheet's own buttons, and the ones it must not have.
IDOK, IDCANCEL, IDHELP, APPLY_BUTTON = 1, 2, 9, 0x3021
# Calibrate page.
CALIBRATE_BUTTON, MARGIN_EDIT, MARGIN_SPIN, DRAW_TEST_BUTTON = 1000, 1020, 1021, 1023
# Setting page.
POINT_AND_CLICK, CLICK_AND_DRAG, DRAG_THEN_CLICK, INTERACTIVE_TOUCH = 1001, 1002, 1003, 1004
RANGE_SPIN, RANGE_EDIT, DELAY_SLIDER = 1005, 1006, 1007
PORT_LIST, PORT_BUTTON, PORT_LABEL, PORT_GROUP, MODE_GROUP = 1013, 1017, 1028, 1029, 1038
PORT_CONTROLS = (PORT_LIST, PORT_BUTTON, PORT_LABEL, PORT_GROUP)
# A control that each of the first two pages shows once it is created.
PAGE_MARKERS = {0: MARGIN_EDIT, 1: MODE_GROUP}
# Message boxes.
MESSAGE_TEXT = 0xFFFF

BM_GETCHECK = 0x00F0
TBM_GETPOS = 0x0400
PSM_SETCURSEL = 0x0400 + 101

# The eight values the applet's apply writes and sends, in the order of the settings block.
BLOCK = ("MouseMode", "DblClickRegion", "InterActTime", "BeepMode", "BeepFreq", "BeepTime",
         "Port", "Enable")
FALLBACKS = dict(MouseMode=3, DblClickRegion=25, InterActTime=1, BeepMode=0, BeepFreq=0,
                 BeepTime=0, Port=0, Enable=1)


def parameters_key(driver="Velmuro"):
    return f"{SERVICES}\\{driver}\\Parameters"


def windows_path(path):
    """A build-tree file as a Windows program names it (drive Z: is the Unix root)."""
    return "Z:" + str(path).replace("/", "\\")


def block_bytes(values):
    """The 32-byte settings block of SetParameters for a dict of the eight values."""
    return struct.pack("<8I", *(values[name] for name in BLOCK))


def set_parameters(session, values, driver="Velmuro"):
    """Writes each value of a dict into the driver's Parameters key as a DWORD."""
    for name, number in values.items():
        session.registry.set_dword(parameters_key(driver), name, number)


def expect_parameters(session, values, driver="Velmuro"):
    for name, number in values.items():
        session.registry.expect(parameters_key(driver), name, RegValue.dword(number))


def expect_mouse_values(session, text):
    """The user's double-click size: REG_SZ text, the digits with their terminating zero."""
    for name in ("DoubleClickWidth", "DoubleClickHeight"):
        value = session.registry.get(MOUSE, name)
        if value is None or value.type != REG_SZ or value.as_text != text:
            raise Mismatch(f"registry {MOUSE} value {name!r}", f"REG_SZ {text!r}",
                           "no value" if value is None else str(value))


def expect_set_parameters(driver, values, since):
    """Raises Mismatch unless the driver's only requests since the mark are one SetParameters
    carrying exactly the block of `values`."""
    driver.expect_requests([(SET_PARAMETERS, block_bytes(values))], since=since)


def open_in_control_panel(session, cpl, title=TITLE):
    """Opens the applet with Wine's control panel; returns its Program and the Sheet."""
    program = session.start("control", windows_path(cpl))
    sheet = Sheet(session, title)
    sheet.wait_open()
    return program, sheet


@dataclass(frozen=True)
class Answer:
    """One message the host sent and what CPlApplet answered; `record` holds the INQUIRE
    record (icon, name, description, data) or NEWINQUIRE's untouched flag."""

    name: str
    message: int
    result: int
    record: tuple = ()


class CplHost:
    """cplhost (tests/e2e/applet/CplHost.cpp) in a session, read line by line as it answers.
    Use as a context manager."""

    def __init__(self, session, cpl, messages, cycles=1, reload=False, pause=False,
                 watch_common_controls=False, watch_shell=False, filtered=False, recolor=False):
        """With `filtered` the host runs on an administrator's filtered token, as Windows 7
        gives it with User Account Control on."""
        self.messages = list(messages)
        self.reload = reload
        flags = dict(reload=reload, pause=pause, watch_common_controls=watch_common_controls,
                     watch_shell=watch_shell, recolor=recolor)
        options = ["--cycles", str(cycles)] + [
            "--" + name.replace("_", "-") for name, on in flags.items() if on]
        command = [session.config.exe("cplhost"), *options, cpl, *self.messages]
        if filtered:
            command = [session.config.probe, "restricted",
                       subprocess.list2cmdline([windows_path(command[0]), *command[1:]])]
        self._process = session.prefix.start_piped(command)
        self._pending = b""
        self._seen = []

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.close()
        return False

    def line(self, timeout=60):
        """The next line the host prints."""
        fd = self._process.stdout.fileno()
        deadline = time.monotonic() + timeout
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise Mismatch("cplhost", f"another line within {timeout} s",
                               "none", self.transcript())
            chunk = os.read(fd, 4096)
            if not chunk:
                raise Mismatch("cplhost", "another line", "the end of its output",
                               self.transcript())
            self._pending += chunk
        raw, self._pending = self._pending.split(b"\n", 1)
        text = raw.decode("utf-8", errors="replace").rstrip("\r")
        self._seen.append(text)
        return text

    def expect_line(self, expected, timeout=60):
        seen = self.line(timeout)
        if seen != expected:
            raise Mismatch("cplhost line", repr(expected), repr(seen), self.transcript())

    def answers(self, count, timeout=60):
        """The next `count` answers."""
        result = []
        for _ in range(count):
            fields = self.line(timeout).split("\t")
            if len(fields) < 3:
                raise Mismatch("cplhost answer", "NAME, MESSAGE, RESULT", fields,
                               self.transcript())
            result.append(Answer(fields[0], int(fields[1]), int(fields[2]),
                                 tuple(int(f) for f in fields[3:])))
        return result

    def cycle(self, number, timeout=60):
        """Every answer of one run of the whole sequence."""
        if self.reload and number > 1:
            self.expect_line("unloaded", timeout)
        self.expect_line(f"cycle\t{number}", timeout)
        return self.answers(len(self.messages), timeout)

    def resume(self):
        """Lets the host go on after it has paused between two runs."""
        self.expect_line("paused")
        self._process.stdin.write(b"\n")
        self._process.stdin.flush()

    def finish(self, timeout=60):
        """Waits for the host to end with exit code 0 after freeing the library."""
        deadline = time.monotonic() + timeout
        while True:
            line = self.line(max(deadline - time.monotonic(), 0.1))
            if line == "unloaded":
                break
        try:
            code = self._process.wait(max(deadline - time.monotonic(), 0.1))
        except Exception:
            raise Mismatch("cplhost", f"to end within {timeout} s", "it still ran",
                           self.transcript()) from None
        expect_equal("exit code of cplhost", 0, code, self.transcript())

    def transcript(self):
        return "cplhost printed:\n" + "\n".join(f"  {line}" for line in self._seen)

    def close(self):
        if self._process.poll() is None:
            self._process.kill()
            self._process.wait()
        self._process.stdin.close()
        self._process.stdout.close()


class Sheet:
    """The applet's property sheet, found by its caption; controls by their ids."""

    def __init__(self, session, title=TITLE):
        self.session, self.title = session, title
        self.windows = session.windows

    def wait_open(self, timeout=60):
        self.session.wait_window(self.title, timeout)
        self.wait_page(0, timeout)

    def wait_page(self, index, timeout=20):
        """Waits until the page's marker control is shown."""
        marker = PAGE_MARKERS[index]
        self.session.wait_until(f"page {index} of {self.title!r} shown",
                                lambda: self.shown(marker), timeout=timeout)

    def tab_texts(self):
        return [self.windows.tab_text(self.title, i) for i in range(len(TABS))]

    def show_tab(self, index):
        """Clicks a tab, as the user does, and waits for its page."""
        rect = self.windows.tab_rect(self.title, index)
        self.session.input.click(*rect.center)
        if index in PAGE_MARKERS:
            self.wait_page(index)

    def control(self, control_id):
        found = self.windows.item(self.title, control_id)
        if found is None:
            raise Mismatch(f"control {control_id} of {self.title!r}", "present", "absent",
                           self.session.describe())
        return found

    def shown(self, control_id):
        found = self.windows.item(self.title, control_id)
        return found is not None and found.visible

    def text(self, control_id):
        return self.windows.item_text(self.title, control_id)

    def send(self, control_id, message, wparam=0, lparam=0):
        return self.windows.item_send(self.title, control_id, message, wparam, lparam)

    def checked(self, control_id):
        return self.send(control_id, BM_GETCHECK) == 1

    def click(self, control_id):
        self.session.input.click(*self.control(control_id).rect.center)

    def spin(self, control_id, up=True):
        """One click on an up-down control's upper or lower arrow."""
        rect = self.control(control_id).rect
        quarter = rect.height // 4
        self.session.input.click(rect.center[0],
                                 rect.y + quarter if up else rect.bottom - 1 - quarter)

    def wait_text(self, control_id, expected, timeout=10):
        self.session.wait_until(f"text of control {control_id}",
                                lambda: self.text(control_id) == expected, timeout,
                                expected=repr(expected), seen=lambda: repr(self.text(control_id)))

    def press(self, button_id):
        """Clicks OK or Cancel and waits for the sheet to close."""
        rect = self.windows.child_rect(self.title, button_id)
        if rect is None:
            raise HarnessError(f"{self.title!r} has no button {button_id}")
        self.session.input.click(*rect.center)
        self.session.wait_window_gone(self.title, timeout=30)


def wait_message(session, text, timeout=10):
    """Waits for the applet's message box and checks its text."""
    session.wait_window(MODULE, timeout)
    expect_equal("message box text", text, session.windows.child_text(MODULE, MESSAGE_TEXT))


def close_message(session, text):
    """Presses the OK of the message box showing `text` and waits until no box shows it (the
    applet may show the next message at once)."""
    rect = session.windows.child_rect(MODULE, IDOK)
    if rect is None:
        raise Mismatch(f"OK button of the {MODULE!r} message box", "present", "absent",
                       session.describe())
    session.input.click(*rect.center)
    session.wait_until(f"message {text!r} closed",
                       lambda: session.windows.child_text(MODULE, MESSAGE_TEXT) != text)
