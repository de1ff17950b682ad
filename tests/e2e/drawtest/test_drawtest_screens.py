"""The draw test on other screen sizes and resolutions: the surface covers the whole screen, the
buttons keep their place in eighths and sixteenths of it, the grid divides it, and the button
font is 12 points of the screen's resolution, smaller where a caption would not fit whole."""

import harness
from harness import Rect, expect_equal, expect_true

from scrivet import GRID_NUM, IDCANCEL, IDOK, DrawTestCase

DESKTOP = r"HKCU\Control Panel\Desktop"


def caption_glyphs(shot, rect):
    """Runs of neighbouring columns with dark caption pixels: (first x, last x, top, bottom)."""
    runs = []
    for x in range(rect.x, rect.right):
        dark = [y for y in range(rect.y, rect.bottom) if max(shot.pixel(x, y)) < 80]
        if dark and runs and runs[-1][1] == x - 1:
            first, _, top, bottom = runs[-1]
            runs[-1] = (first, x, min(top, dark[0]), max(bottom, dark[-1]))
        elif dark:
            runs.append((x, x, dark[0], dark[-1]))
    return runs


def expect_whole_caption(shot, rect, what):
    """Letters only, clear of the button's edges: an ellipsis shows as dots far shorter than
    the letters, a cut caption touches an edge."""
    runs = caption_glyphs(shot, rect)
    tallest = max((bottom - top for _, _, top, bottom in runs), default=0)
    expect_true(what, tallest > 0 and all(2 * (bottom - top) >= tallest
                                          for _, _, top, bottom in runs)
                and runs[0][0] > rect.x + 1 and runs[-1][1] < rect.right - 2,
                "whole letters inside the button", f"{runs} in {rect}; {shot.path}")
    return tallest + 1


def set_dpi(session, dpi):
    session.registry.set_dword(DESKTOP, "LogPixels", dpi)


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

    def test_captions_whole_at_144_dpi(self):
        set_dpi(self.session, 144)
        app = self.start()
        app.wait_shot("144dpi", lambda shot: [
            expect_whole_caption(shot, app.button(button)[0], f"caption of button {button}")
            for button in (IDOK, IDCANCEL)])
        set_dpi(self.session, 96)


class Sxga(ScreenCase):
    SCREEN = (1280, 1024)
    BUTTONS = (160, 1040, 832, 80, 64)

    def test_1280_by_1024(self):
        self.check_screen()


class HighResolution(DrawTestCase):
    def caption_height(self, app, label):
        """Rows of the clear button's caption once it is drawn, which must be whole."""
        rect = app.button(IDOK)[0]
        heights = []
        # The button paints after the surface: wait for its caption.
        app.wait_shot(label, lambda shot: heights.append(
            expect_whole_caption(shot, rect, "clear button caption")))
        return heights[-1]

    def test_150_percent_keeps_physical_pixels_and_grows_the_caption(self):
        app = self.start()
        normal = self.caption_height(app, "96dpi")
        app.program.close()
        set_dpi(self.session, 144)
        app = self.start()
        expect_equal("window at 144 dpi", Rect(0, 0, 1024, 768), app.window)
        expect_equal("clear button at 144 dpi", Rect(*app.at(128, 624), 64, 48),
                     app.button(IDOK)[0])
        large = self.caption_height(app, "144dpi")
        expect_true("caption height at 144 dpi", normal < large <= normal * 3 // 2 + 2,
                    f"taller than {normal} rows, at most 1.5 x", f"{large} rows")


del ScreenCase

if __name__ == "__main__":
    harness.main()
