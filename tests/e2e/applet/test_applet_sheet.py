"""Wine's control panel opens the real applet: the sheet and its first two pages as the user
sees them, the live margin, and what OK and Cancel leave in the registry and the driver."""

import unittest

import harness
from harness import RegValue, Session, expect_equal, expect_true
from harness.requestlog import OPEN_PORT, SET_PARAMETERS

import panelo

STORED = dict(MouseMode=1, DblClickRegion=7, InterActTime=170, CalibrateMargin=2)


def expect_enabled(sheet, control_id, enabled):
    seen = sheet.control(control_id).enabled
    expect_true(f"control {control_id}", seen == enabled,
                "enabled" if enabled else "disabled", "enabled" if seen else "disabled")


class ControlPanelTest(unittest.TestCase):
    def test_ok_applies_the_pages_and_cancel_restores_the_margin(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro")
            panelo.set_parameters(s, STORED)
            key = panelo.parameters_key()
            margin = lambda: s.registry.get(key, "CalibrateMargin").as_dword
            cpl = s.config.exe("Panelo")

            control, sheet = panelo.open_in_control_panel(s, cpl)
            expect_equal("tabs", panelo.TABS, sheet.tab_texts())
            for button in (panelo.APPLY_BUTTON, panelo.IDHELP):
                expect_true(f"sheet button {button}", not sheet.shown(button), "none", "shown")
            expect_equal("margin shown", "2", sheet.text(panelo.MARGIN_EDIT))
            s.screenshot("calibrate-page")
            sheet.spin(panelo.MARGIN_SPIN, up=True)
            sheet.wait_text(panelo.MARGIN_EDIT, "3")
            s.wait_until("margin 3 written before OK", lambda: margin() == 3,
                         seen=lambda: f"CalibrateMargin {margin()}")

            sheet.show_tab(1)
            expect_true("stored mode 1", sheet.checked(panelo.DRAG_THEN_CLICK),
                        "'Drag then Click' checked", "unchecked")
            expect_equal("range shown", "7", sheet.text(panelo.RANGE_EDIT))
            expect_equal("delay 170 shown at", 2, sheet.send(panelo.DELAY_SLIDER,
                                                             panelo.TBM_GETPOS))
            expect_enabled(sheet, panelo.RANGE_SPIN, False)
            expect_enabled(sheet, panelo.DELAY_SLIDER, False)
            for control_id in panelo.PORT_CONTROLS:
                expect_true(f"port control {control_id}", not sheet.shown(control_id),
                            "hidden for a USB controller", "shown")
            s.screenshot("setting-page")
            sheet.click(panelo.INTERACTIVE_TOUCH)
            s.wait_until("range and delay enabled by interactive touch",
                         lambda: sheet.control(panelo.RANGE_SPIN).enabled
                         and sheet.control(panelo.DELAY_SLIDER).enabled)
            sheet.spin(panelo.RANGE_SPIN, up=True)
            sheet.wait_text(panelo.RANGE_EDIT, "8")

            mark = driver.mark()
            sheet.press(panelo.IDOK)
            control.expect_exit(0, timeout=30, describe=s.describe)
            # The delay is stored as its slider position times 80.
            applied = dict(panelo.FALLBACKS, MouseMode=3, DblClickRegion=8, InterActTime=160)
            panelo.expect_set_parameters(driver, applied, since=mark)
            panelo.expect_parameters(s, dict(applied, CalibrateMargin=3))
            panelo.expect_mouse_values(s, "8")

            # Second opening: Cancel puts the loaded margin back, and with the Setting page
            # shown it reopens the USB driver's port 0 as a serial one would be.
            control, sheet = panelo.open_in_control_panel(s, cpl)
            expect_equal("margin shown", "3", sheet.text(panelo.MARGIN_EDIT))
            sheet.spin(panelo.MARGIN_SPIN, up=True)
            s.wait_until("margin 4 written", lambda: margin() == 4,
                         seen=lambda: f"CalibrateMargin {margin()}")
            sheet.show_tab(1)
            mark = driver.mark()
            sheet.press(panelo.IDCANCEL)
            control.expect_exit(0, timeout=30, describe=s.describe)
            s.registry.expect(key, "CalibrateMargin", RegValue.dword(3))
            driver.expect_requests([(OPEN_PORT, (0).to_bytes(4, "little")),
                                    (SET_PARAMETERS, panelo.block_bytes(applied))],
                                   since=mark)
            panelo.expect_parameters(s, applied)


if __name__ == "__main__":
    harness.main()
