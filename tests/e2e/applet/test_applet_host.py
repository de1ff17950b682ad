"""The applet's control-panel entry driven message by message by a test host that loads the
library as a control panel does: every answer, the sheet opened by the start messages, and
the apply at CPL_EXIT, also over several cycles in one process."""

import unittest

import harness
from harness import RegValue, Session, expect_equal, expect_true
from harness.requestlog import SET_PARAMETERS

import panelo
from panelo import Answer, CplHost

SEQUENCE = ["INIT", "GETCOUNT", "INQUIRE", "NEWINQUIRE", "200", "DBLCLK", "STOP", "EXIT"]
# INQUIRE: icon 1007, name string 1, description string 2, data 0. NEWINQUIRE: record untouched.
ANSWERS_BEFORE_SHEET = [Answer("INIT", 1, 1), Answer("GETCOUNT", 2, 1),
                        Answer("INQUIRE", 3, 0, (1007, 1, 2, 0)), Answer("NEWINQUIRE", 8, 0, (1,)),
                        Answer("200", 200, 1)]
ANSWERS_AFTER_SHEET = [Answer("DBLCLK", 5, 0), Answer("STOP", 6, 0), Answer("EXIT", 7, 0)]

# A control panel that only lists its applets.
LISTING = ["INIT", "GETCOUNT", "INQUIRE", "STOP", "EXIT"]
LISTING_ANSWERS = [Answer("INIT", 1, 1), Answer("GETCOUNT", 2, 1),
                   Answer("INQUIRE", 3, 0, (1007, 1, 2, 0)), Answer("STOP", 6, 0),
                   Answer("EXIT", 7, 0)]
NO_RIGHTS = "You not have administrator access rights!"
STORED = dict(MouseMode=1, DblClickRegion=7, InterActTime=170, BeepMode=2, BeepFreq=400,
              BeepTime=300, Port=5, Enable=0, CalibrateMargin=9)


class ScriptedSequenceTest(unittest.TestCase):
    def test_answers_and_the_sheet_of_each_start_message(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro")
            panelo.set_parameters(s, dict(MouseMode=2, DblClickRegion=40, CalibrateMargin=6))
            cpl = panelo.windows_path(s.config.exe("Panelo"))
            # A full token opens the sheet here: a program start would break the answers.
            with CplHost(s, cpl, SEQUENCE, watch_shell=True) as host:
                host.expect_line("cycle\t1")
                expect_equal("answers before the sheet", ANSWERS_BEFORE_SHEET, host.answers(5))
                sheet = panelo.Sheet(s)
                sheet.wait_open()
                expect_equal("margin shown", "6", sheet.text(panelo.MARGIN_EDIT))
                expect_true("Setting page", not sheet.shown(panelo.MODE_GROUP),
                            "not created before its tab is chosen", "shown")
                mark = driver.mark()
                sheet.press(panelo.IDCANCEL)
                expect_equal("answers after the sheet", ANSWERS_AFTER_SHEET, host.answers(3))
                host.finish()
            # Cancel with only the Calibrate page shown touches no port; EXIT applies the
            # loaded values with the fallbacks for the rest.
            applied = dict(panelo.FALLBACKS, MouseMode=2, DblClickRegion=40)
            panelo.expect_set_parameters(driver, applied, since=mark)
            panelo.expect_parameters(s, applied)
            panelo.expect_mouse_values(s, "40")

            # The other start message runs the sheet once as well, answering non-zero.
            with CplHost(s, cpl, ["INIT", "STARTWPARMSA", "EXIT"]) as host:
                host.expect_line("cycle\t1")
                expect_equal("INIT", [Answer("INIT", 1, 1)], host.answers(1))
                panelo.Sheet(s).wait_open()
                s.screenshot("started-with-parameters")
                panelo.Sheet(s).press(panelo.IDOK)
                start, = host.answers(1)
                expect_true("CPL_STARTWPARMSA answer", start.result != 0, "non-zero",
                            start.result)
                # A second sheet would hold back this answer.
                expect_equal("EXIT", [Answer("EXIT", 7, 0)], host.answers(1))
                host.finish()

            # The elevated copy's own start, under a full token: its sheet, then the apply.
            panelo.set_parameters(s, dict(DblClickRegion=12))
            mark = driver.mark()
            copy = s.start("rundll32", "shell32.dll,Control_RunDLL", f"{cpl},@0,elevated")
            panelo.Sheet(s).wait_open()
            panelo.Sheet(s).press(panelo.IDOK)
            copy.expect_exit(0)
            panelo.expect_set_parameters(driver, dict(applied, DblClickRegion=12), since=mark)
            panelo.expect_mouse_values(s, "12")


class FilteredTokenTest(unittest.TestCase):
    """An administrator's filtered token, as Windows 7 gives it with User Account Control on: a
    start asks for an elevated copy and opens nothing itself. Wine starts that copy on the same
    token, which shows what a copy still without rights does. A listing says and writes
    nothing."""

    def test_listing_and_start_without_rights(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro")
            panelo.set_parameters(s, STORED)
            for name in ("DoubleClickWidth", "DoubleClickHeight"):
                s.registry.set(panelo.MOUSE, name, RegValue.sz("13"))
            before = s.registry.snapshot(panelo.parameters_key())
            mark = driver.mark()
            cpl = panelo.windows_path(s.config.exe("Panelo"))
            # A box would hold back the answer to EXIT.
            with CplHost(s, cpl, LISTING, filtered=True) as host:
                expect_equal("listing answers", LISTING_ANSWERS, host.cycle(1))
                host.finish()

            with CplHost(s, cpl, ["INIT", "DBLCLK", "STOP", "EXIT"], watch_shell=True,
                         filtered=True) as host:
                host.expect_line("cycle\t1")
                host.answers(1)
                expect_equal("the elevated start", "shell-execute\trunas\t"
                             "C:\\windows\\system32\\rundll32.exe\t"
                             f'shell32.dll,Control_RunDLL "{cpl}",@0,elevated\thost', host.line())
                expect_equal("answers without a sheet", ANSWERS_AFTER_SHEET, host.answers(3))
                host.finish()

            sheet = panelo.Sheet(s)
            sheet.wait_open()
            shown = [w for w in s.windows.list() if w.visible and w.title == panelo.TITLE]
            expect_equal("sheets open", 1, len(shown))
            sheet.press(panelo.IDOK)
            panelo.wait_message(s, NO_RIGHTS)
            s.screenshot("refusal")
            # The copy's control-panel window owns the box.
            expect_equal("the window in front and its owner", (panelo.MODULE, "rundll32"),
                         s.windows.foreground())
            panelo.close_message(s, NO_RIGHTS)
            expect_equal("Parameters key", before, s.registry.snapshot(panelo.parameters_key()))
            panelo.expect_mouse_values(s, "13")
            driver.expect_requests([], since=mark)


class CyclesTest(unittest.TestCase):
    """Each INIT starts from the fallbacks: cycle 1 loads a full key, cycle 2 finds none and
    cycle 3 finds a key holding one value. A value kept from an earlier cycle shows in the
    block that cycle sends."""

    def run_cycles(self, s, driver, reload):
        key = panelo.parameters_key()
        s.registry.delete_key(key)
        panelo.set_parameters(s, STORED)
        cpl = panelo.windows_path(s.config.exe("Panelo"))
        with CplHost(s, cpl, LISTING, cycles=3, reload=reload, pause=True) as host:
            mark = driver.mark()
            expect_equal("cycle 1 answers", LISTING_ANSWERS, host.cycle(1))
            # A USB applet never reads the port values and stores its own; the delay is
            # written back as loaded, not rounded, when no sheet ran.
            first = dict({name: STORED[name] for name in panelo.BLOCK}, Port=0, Enable=1)
            panelo.expect_set_parameters(driver, first, since=mark)
            panelo.expect_parameters(s, dict(first, CalibrateMargin=9))
            panelo.expect_mouse_values(s, "7")

            s.registry.delete_key(key)
            mark = driver.mark()
            host.resume()
            expect_equal("cycle 2 answers", LISTING_ANSWERS, host.cycle(2))
            panelo.expect_set_parameters(driver, panelo.FALLBACKS, since=mark)
            expect_equal("Parameters key after an apply without one", None,
                         s.registry.snapshot(key))
            panelo.expect_mouse_values(s, "25")

            s.registry.set_dword(key, "MouseMode", 0)
            mark = driver.mark()
            host.resume()
            expect_equal("cycle 3 answers", LISTING_ANSWERS, host.cycle(3))
            third = dict(panelo.FALLBACKS, MouseMode=0)
            panelo.expect_set_parameters(driver, third, since=mark)
            expect_equal("values stored into the one-value key",
                         {name: RegValue.dword(number) for name, number in third.items()},
                         s.registry.snapshot(key).values)
            host.finish()

    def test_three_cycles_in_one_load_and_in_three_loads(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro")
            for reload in (False, True):
                with self.subTest(reload=reload):
                    self.run_cycles(s, driver, reload)
            sent = [r for r in driver.requests() if r.code == SET_PARAMETERS]
            expect_equal("SetParameters requests over both runs", 6, len(sent))


if __name__ == "__main__":
    harness.main()
