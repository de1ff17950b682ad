"""The Calibrate page's button starts the calibration program from the driver's folder under
the Windows directory; the program reads the margin the page has just written, and the sheet
keeps answering while the program runs."""

import unittest

import harness
from harness import Rect, RegValue, Session, expect_true

import panelo

CALIBRATER = "TouchScreen Calibrater"
YELLOW = (255, 255, 0)
SCREEN = (1024, 768)


def cross_row(margin):
    """The horizontal bar of the first target's cross: r = W / 120 for margins 2 to 25, the
    bar reaching 3 r each way from (W * M / 100, H * M / 100)."""
    width, height = SCREEN
    reach = 3 * (width // 120)
    cx, cy = width * margin // 100, height * margin // 100
    return Rect(cx - reach, cy, 2 * reach + 1, 1)


class CalibrateButtonTest(unittest.TestCase):
    def test_button_starts_the_program_with_the_new_margin(self):
        with Session.for_test(self, screen=SCREEN) as s:
            s.install_driver("Velmuro")
            key = panelo.parameters_key()
            s.registry.set_dword(key, "CalibrateMargin", 2)
            s.prefix.copy_in(s.config.exe("Pintara"), r"C:\windows\Velmuro\Pintara.exe")
            control, sheet = panelo.open_in_control_panel(s, s.config.exe("Panelo"))
            sheet.spin(panelo.MARGIN_SPIN, up=True)
            sheet.wait_text(panelo.MARGIN_EDIT, "3")

            sheet.click(panelo.CALIBRATE_BUTTON)
            s.wait_window(CALIBRATER, timeout=30)
            row = cross_row(3)
            s.wait_until("first target drawn at margin 3",
                         lambda: s.screenshot("target").count(row, YELLOW) >= row.width - 4,
                         timeout=15, expected=f"a yellow bar along {row}")

            # The sheet's thread runs its own loop meanwhile: it switches pages on request.
            expect_true("PSM_SETCURSEL answered",
                        sheet.send(0, panelo.PSM_SETCURSEL, 1, 0) != 0, "TRUE", "FALSE")
            sheet.wait_page(1)

            s.input.key("Escape")
            s.wait_window_gone(CALIBRATER, timeout=30)
            expect_true("sheet after the program ended", s.windows.visible(panelo.TITLE),
                        "still open", "closed")
            sheet.press(panelo.IDOK)
            control.expect_exit(0, timeout=30, describe=s.describe)
            s.registry.expect(key, "CalibrateMargin", RegValue.dword(3))


if __name__ == "__main__":
    harness.main()
