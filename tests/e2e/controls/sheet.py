"""The applet's real sheet, opened through Wine's control panel in an end-to-end session, and
its pages read through controlsprobe."""

import struct
import sys

from harness import HarnessError, Mismatch, expect_equal
from harness.requestlog import SET_PARAMETERS, TEST_BEEP

from controltools import Probe, controls_by_id

APPLET = "Panelo"
TITLES = {"en_US.UTF-8": "TouchScreen Property", "zh_CN.UTF-8": "触摸屏属性"}
PARAMETERS = r"HKLM\SYSTEM\CurrentControlSet\Services\Velmuro\Parameters"
SOUND_TAB, ABOUT_TAB = 2, 3
IDOK = 1
PAGE_CLASS = "#32770"
TAB_CLASS = "SysTabControl32"


def beep_request(frequency, duration):
    """The request log entry a Test press should leave."""
    return (TEST_BEEP, struct.pack("<2I", frequency, duration))


class Sheet:
    """One run of the control panel with the applet's sheet on the screen."""

    def __init__(self, session, locale="en_US.UTF-8"):
        self.session = session
        self.probe = Probe(session)
        self.title = TITLES[locale]
        cpl = session.config.exe(APPLET)
        self.program = session.start("control", "Z:" + str(cpl).replace("/", "\\"),
                                     locale=locale)
        # Found from inside the prefix: the X name of a window of a process under another
        # locale than the session's does not always match.
        session.wait_until(f"window {self.title!r}", lambda: session.windows.visible(self.title),
                           timeout=60, expected="shown", seen=lambda: "not shown")
        self.rect = session.windows.rect(self.title)

    def tree(self):
        controls = self.probe.tree(self.title)
        if controls is None:
            raise Mismatch(f"window {self.title!r}", "shown", "gone", self.session.describe())
        return controls

    def page(self):
        """The shown page's controls by id."""
        controls = self.tree()
        tabs = [c for c in controls if c.class_name == TAB_CLASS]
        if not tabs:
            raise HarnessError(f"{self.title} has no tab control")
        sheet = tabs[0].parent
        pages = [c for c in controls
                 if c.parent == sheet and c.class_name == PAGE_CLASS and c.visible]
        if len(pages) != 1:
            raise Mismatch("shown pages", "exactly one", len(pages))
        return controls_by_id(controls, parent=pages[0].handle)

    def open_tab(self, index, control_id):
        """Clicks tab `index` and waits until its page, known by one of its control ids, shows."""
        tab = self.session.windows.tab_rect(self.title, index)
        self.session.input.click(*tab.center)
        self.session.wait_until(f"page of tab {index}", lambda: control_id in self.page(),
                                timeout=20, expected=f"a page with control {control_id}",
                                seen=lambda: sorted(self.page()))
        return self.page()

    def drop_list(self, control_id, attempts=4):
        """Clicks a drop-down list until its list shows. A click that a busy Wine lets pass
        without dropping the list leaves it closed, so the next click opens it."""
        rect = self.page()[control_id].rect
        for _ in range(attempts - 1):
            self.session.input.click(*rect.center)
            try:
                self.session.wait_until("the list dropped down", self._list_shown, timeout=5)
                return
            except Mismatch:
                print(f"list {control_id} did not drop on a click; clicking again",
                      file=sys.stderr)
        self.session.input.click(*rect.center)
        self.session.wait_until("the list dropped down", self._list_shown, timeout=20)

    def _list_shown(self):
        return any(w.visible and w.class_name == "ComboLBox"
                   for w in self.session.windows.list())

    def focus_id(self):
        return self.probe.focus(self.title)[1]

    def press_ok(self):
        """OK, then the control panel releases the applet and ends."""
        ok = [c for c in self.tree() if c.id == IDOK and c.class_name == "Button" and c.visible]
        self.session.input.click(*ok[0].rect.center)
        self.program.expect_exit(0, timeout=60, describe=self.session.describe)

    def close(self):
        """Ends the control panel if a failed test left it open, so the next test starts alone."""
        if self.program.running:
            self.program.close()
            self.session.wait_until(f"window {self.title!r} gone",
                                    lambda: not self.session.windows.visible(self.title))


def stored_beep(session):
    """(BeepMode, BeepFreq, BeepTime) in the driver's Parameters key."""
    return tuple(session.registry.get(PARAMETERS, name).as_dword
                 for name in ("BeepMode", "BeepFreq", "BeepTime"))


def sent_beep(driver, since=0):
    """(BeepMode, BeepFreq, BeepTime) of the last SetParameters the driver received."""
    sent = [r for r in driver.requests(since) if r.code == SET_PARAMETERS]
    if not sent:
        raise Mismatch("SetParameters", "sent at CPL_EXIT", "none")
    expect_equal("SetParameters size", 32, sent[-1].input_length)
    return tuple(sent[-1].words[3:6])
