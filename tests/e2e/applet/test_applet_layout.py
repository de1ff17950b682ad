"""The pages as users of either language, at 96, 120 and 144 DPI, with the keyboard or a screen
reader meet them, read from inside the sheet's process by cplhost: every text fits its control
in the control's own font, Tab reaches every control that takes input, the icon buttons have
names and every edit a label of its own; and a colour change in that process repaints the
Sound page's Test button."""

import unittest
from collections import namedtuple

import harness
from harness import Session, expect_equal, expect_true

import panelo
from panelo import CplHost

DESKTOP = r"HKCU\Control Panel\Desktop"
SEQUENCE = ["INIT", "GETCOUNT", "INQUIRE", "DBLCLK", "STOP", "EXIT"]
# Interactive touch and a beep mode enable every control that can be disabled.
ALL_ENABLED = dict(MouseMode=3, BeepMode=1)
SETTINGS = [(locale, dpi) for locale in ("en_US.UTF-8", "zh_CN.UTF-8") for dpi in (96, 120, 144)]
ICON_BUTTONS = {1000: ("Calibrate", "校准"), 1023: ("Draw Test", "画图测试")}
TEST_BUTTON = 1016

Control = namedtuple("Control", "page id cls kind fits tab need room text label")


def walk(session, cpl, locale):
    """Every visible control of the four pages, as cplhost --walk reports it."""
    code, out, _ = session.prefix.run([session.config.exe("cplhost"), "--walk", cpl, *SEQUENCE],
                                      timeout=120, locale=locale)
    lines = [line.rstrip("\r").split("\t") for line in out.splitlines()]
    expect_equal("cplhost's exit code and pages walked", (0, ["walked", "4"]),
                 (code, next((f for f in lines if f[0] == "walked"), None)), out)
    return [Control(int(f[1]), int(f[2]), f[3], f[4], f[5] == "1", f[6],
                    (int(f[7]), int(f[8])), (int(f[9]), int(f[10])), f[11], f[12])
            for f in lines if f[0] == "control"]


def faults(controls, chinese):
    """What a user of that setting would miss: cut texts, controls Tab skips, nameless ones."""
    for c in controls:
        where = f"page {c.page} control {c.id} {c.text!r}"
        if not c.fits:
            yield f"{where}: needs {c.need} px, has {c.room}"
        if c.tab == "0":
            yield f"{where}: Tab never reaches it"
        if c.cls == "Edit" and not c.label:
            yield f"{where}: no label of its own before it"
        if c.id in ICON_BUTTONS and c.page == 0 and c.text != ICON_BUTTONS[c.id][chinese]:
            yield f"{where}: named {c.text!r}, not {ICON_BUTTONS[c.id][chinese]!r}"


class LayoutTest(unittest.TestCase):
    def test_texts_fit_and_every_control_is_reached_and_named(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            panelo.set_parameters(s, ALL_ENABLED)
            cpl = panelo.windows_path(s.config.exe("Panelo"))
            seen = []
            for locale, dpi in SETTINGS:
                s.registry.set_dword(DESKTOP, "LogPixels", dpi)
                controls = walk(s, cpl, locale)
                expect_true(f"{locale} {dpi} dpi: the pages' input controls",
                            sum(c.tab == "1" for c in controls) >= 10, "all reported",
                            controls)
                seen += [f"{locale} {dpi} dpi {fault}"
                         for fault in faults(controls, locale.startswith("zh"))]
            expect_equal("texts cut, controls unreachable or unnamed", [], seen)

    def test_a_colour_change_repaints_the_test_button(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            panelo.set_parameters(s, ALL_ENABLED)
            cpl = panelo.windows_path(s.config.exe("Panelo"))
            with CplHost(s, cpl, SEQUENCE, recolor=True) as host:
                host.expect_line("cycle\t1")
                host.answers(3)
                red, green, blue = map(int, host.line().split("\t")[1:])
                button = panelo.Sheet(s).control(TEST_BUTTON).rect
                # Right of the caption, inside the raised border.
                face = (button.right - 6, button.y + button.height // 2)
                s.wait_until("Test button in the new face colour",
                             lambda: s.screenshot("recolored").pixel(*face) == (red, green, blue),
                             expected=(red, green, blue),
                             seen=lambda: s.screenshot("recolored").pixel(*face))
                panelo.Sheet(s).press(panelo.IDCANCEL)
                host.answers(3)
                host.finish()


if __name__ == "__main__":
    harness.main()
