"""The draw test on other screen sizes and resolutions: the surface covers the whole screen, the
buttons keep their place in eighths and sixteenths of it, the grid divides it, and the button
font is 12 points of the screen's resolution."""

import harness
from harness import Rect, expect_equal, expect_true

from scrivet import GRID_NUM, IDCANCEL, IDOK, DrawTestCase


class ScreenCase(DrawTestCase):
    # (left of clear, left of exit, top, width, height) in client coordinates.
    BUTTONS = None

    def check_screen(self):
        app = self.start()
        width, height = self.SCREEN
        expect_equal("window", Rect(0, 0, width, height), app.window)
        expect_equal("client area", Rect(1, 1, width - 2, height - 2), app.client)
        clear_left, exit_left, top, w, h = self.BUTTONS
        expect_equal("clear button", Rect(*app.at(clear_left, top), w, h), app.button(IDOK)[0])
        expect_equal("exit button", Rect(*app.at(exit_left, top), w, h), app.button(IDCANCEL)[0])
        app.wait_grid("grid15", 15)
        app.choose(GRID_NUM, 0)
        app.wait_grid("grid10", 10)
        app.choose(GRID_NUM, 2)
        app.wait_grid("grid20", 20)


class Svga(ScreenCase):
    SCREEN = (800, 600)
    BUTTONS = (100, 650, 488, 50, 37)

    def test_800_by_600(self):
        self.check_screen()


class Sxga(ScreenCase):
    SCREEN = (1280, 1024)
    BUTTONS = (160, 1040, 832, 80, 64)

    def test_1280_by_1024(self):
        self.check_screen()


class HighResolution(DrawTestCase):
    def caption_height(self, app, label):
        """Rows of the clear button that hold dark caption pixels, once it is drawn."""
        rect = app.button(IDOK)[0]

        def rows(shot):
            return sum(1 for y in range(rect.y, rect.bottom)
                       if any(max(shot.pixel(x, y)) < 80 for x in range(rect.x, rect.right)))

        # The button paints after the surface: wait for its caption.
        shot = app.wait_shot(label, lambda shot: expect_true(
            "clear button caption", rows(shot) > 0, "drawn", "no dark rows"))
        return rows(shot)

    def test_150_percent_keeps_physical_pixels_and_grows_the_caption(self):
        app = self.start()
        normal = self.caption_height(app, "96dpi")
        app.program.close()
        self.session.prefix.run_ok(["reg", "add", r"HKCU\Control Panel\Desktop", "/v",
                                    "LogPixels", "/t", "REG_DWORD", "/d", "144", "/f"])
        app = self.start()
        expect_equal("window at 144 dpi", Rect(0, 0, 1024, 768), app.window)
        expect_equal("clear button at 144 dpi", Rect(*app.at(128, 624), 64, 48),
                     app.button(IDOK)[0])
        large = self.caption_height(app, "144dpi")
        expect_true("caption height at 144 dpi", abs(large - normal * 3 // 2) <= 2,
                    f"about {normal * 3 // 2} rows (1.5 x {normal})", f"{large} rows")


del ScreenCase

if __name__ == "__main__":
    harness.main()
