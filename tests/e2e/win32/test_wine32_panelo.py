"""The shipped applet under 32-bit Wine, loaded by a 32-bit host as the control panel loads it:
by its undecorated stdcall CPlApplet export, through a whole cycle with the sheet, whose page
records the 32-bit common controls must accept. The host registers no common controls: the
applet registers the classes its sheet is made of."""

import unittest

import harness
from harness import Session, expect_equal

import panelo
from shipped import SLOW, package_file

SEQUENCE = ["INIT", "GETCOUNT", "INQUIRE", "DBLCLK", "STOP", "EXIT"]
ICC_BAR_CLASSES, ICC_TAB_CLASSES, ICC_UPDOWN_CLASS = 0x4, 0x8, 0x10
# A control of each page: the margin spin, the delay slider, the beep test button, the driver
# line.
PAGE_CONTROLS = [1021, 1007, 1016, 1048]


class ShippedAppletTest(unittest.TestCase):
    def test_a_whole_cycle_with_the_sheet(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro")
            panelo.set_parameters(s, dict(MouseMode=1, DblClickRegion=30, InterActTime=170))
            applet = panelo.windows_path(package_file(s, "Panelo"))
            with panelo.CplHost(s, applet, SEQUENCE, watch_common_controls=True) as host:
                host.expect_line("cycle\t1", timeout=SLOW)
                listed = host.answers(3, timeout=SLOW)
                expect_equal("INIT, GETCOUNT, INQUIRE answers",
                             [("INIT", 1), ("GETCOUNT", 1), ("INQUIRE", 0)],
                             [(a.name, a.result) for a in listed])
                expect_equal("INQUIRE record", (1007, 1, 2, 0), listed[2].record)

                sheet = panelo.Sheet(s)
                sheet.wait_open(timeout=SLOW)
                registered = host.line(timeout=SLOW).split("\t")
                needed = ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS
                expect_equal("classes the applet registers before its sheet",
                             ["common-controls", needed],
                             [registered[0], int(registered[1]) & needed
                              if registered[1:] and registered[1].isdigit() else registered[1:]])
                expect_equal("tabs", panelo.TABS, sheet.tab_texts())
                for page, control in reversed(list(enumerate(PAGE_CONTROLS))):
                    sheet.show_tab(page)
                    s.wait_until(f"page {page} made with its control {control}",
                                 lambda: sheet.shown(control), timeout=SLOW)
                sheet.show_tab(1)
                expect_equal("delay 170 shown at", 2,
                             sheet.send(panelo.DELAY_SLIDER, panelo.TBM_GETPOS))
                s.screenshot("setting-page")
                sheet.press(panelo.IDOK)
                closing = host.answers(3, timeout=SLOW)
                expect_equal("DBLCLK, STOP, EXIT answers",
                             [("DBLCLK", 0), ("STOP", 0), ("EXIT", 0)],
                             [(a.name, a.result) for a in closing])
                host.finish(timeout=SLOW)
            applied = dict(panelo.FALLBACKS, MouseMode=1, DblClickRegion=30, InterActTime=160)
            panelo.expect_set_parameters(driver, applied, since=0)
            panelo.expect_mouse_values(s, "30")


if __name__ == "__main__":
    harness.main()
