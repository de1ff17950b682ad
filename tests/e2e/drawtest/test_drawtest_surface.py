"""The draw test's surface at 1024 x 768: the grid and buttons it starts with, strokes that follow
the pointer with the button down, clearing by button and Enter, and leaving by Esc."""

import time

import harness
from harness import Rect, expect_equal, expect_true
from harness.windows import MK_LBUTTON, WM_LBUTTONDOWN, WM_MOUSEMOVE

import scrivet
from scrivet import BUTTON_FACE, IDCANCEL, IDOK, SURFACE, DrawTestCase

WHITE = (255, 255, 255)


def raised_edge(shot, button):
    """How many pixels of the button's top edge line (inset 2 from the left, 1 from the top)
    are drawn lighter than the face."""
    y = button.y + 1
    return sum(1 for x in range(button.x + 3, button.right - 2) if shot.pixel(x, y) == WHITE)


class SurfaceTest(DrawTestCase):
    def test_starts_full_screen_with_the_grid_and_both_buttons(self):
        s = self.session
        app = self.start()
        expect_equal("window", Rect(0, 0, 1024, 768), app.window)
        expect_equal("client area inside the thin border", Rect(1, 1, 1022, 766), app.client)
        shot = app.wait_grid("start", 15)
        shot.expect_pixel(*app.at(30, 30), SURFACE, what="background")

        for control, text, left in ((IDOK, "CLEAR", 128), (IDCANCEL, "EXIT", 832)):
            rect, visible, caption = app.button(control)
            expect_equal(f"button {control} placement", Rect(*app.at(left, 624), 64, 48),
                         rect)
            expect_true(f"button {control}", visible, "visible", "hidden")
            expect_equal(f"button {control} caption", text, caption)
            face = shot.count(rect, BUTTON_FACE)
            expect_true(f"button {control} face", face > rect.width * rect.height // 2,
                        f"mostly {scrivet.color_name(BUTTON_FACE)}", shot.describe(rect))
            expect_true(f"button {control} raised edge", raised_edge(shot, rect) > 40,
                        "a light top edge", f"{raised_edge(shot, rect)} light pixels")
            expect_true(f"button {control} caption drawn",
                        shot.count(rect, (0, 0, 0), tolerance=60) > 20, "dark caption text",
                        shot.describe(rect))

    def test_a_drag_draws_one_pixel_red_lines_along_its_path(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        path = [(300, 200), (400, 200), (400, 300), (500, 400), (600, 400), (500, 300),
                (500, 250)]
        app.drag(path)
        shot = app.shot("traced")
        app.expect_stroke(shot, path)
        app.expect_untouched(shot, (350, 250), what="inside the traced shape")

        # A press and release at one point without movement draws nothing.
        s.input.click(700, 150)
        time.sleep(0.3)
        app.expect_untouched(app.shot("tap"), (700, 150), what="a tap")

        # Moving without the button down draws nothing either.
        s.input.move(700, 500)
        s.input.move(750, 550)
        app.expect_untouched(app.shot("hover"), (725, 525), what="a move without a press")

    def test_a_release_over_a_button_leaves_the_stroke_open(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        clear = app.button(IDOK)[0]
        s.input.press(300, 500)
        s.input.move(250, 600)
        time.sleep(0.15)
        s.input.move(*clear.center)
        time.sleep(0.15)
        s.input.release(*clear.center)
        time.sleep(0.15)
        # No button down now: the surface still continues the stroke from (250, 600).
        s.input.move(300, 600)
        time.sleep(0.15)
        s.input.move(400, 600)
        time.sleep(0.3)
        shot = app.shot("continued")
        app.expect_stroke(shot, [(250, 600), (400, 600)], what="line joined after the button")
        app.expect_untouched(shot, (205, 625), what="the way onto the button")

        # Still open: the next move goes on from there.
        s.input.move(400, 500)
        time.sleep(0.3)
        app.expect_stroke(app.shot("moved-on"), [(400, 600), (400, 500)],
                          what="line after the next move")

        # A press (here sent on its own, without a move to it) starts a new stroke.
        app.send(WM_LBUTTONDOWN, MK_LBUTTON, 700 - app.client.x, 200 - app.client.y)
        app.send(WM_MOUSEMOVE, MK_LBUTTON, 800 - app.client.x, 200 - app.client.y)
        shot = app.shot("restarted")
        app.expect_stroke(shot, [(700, 200), (800, 200)], what="the new stroke")
        app.expect_untouched(shot, (600, 350), what="between the old stroke and the new")

    def test_clear_and_enter_wipe_the_strokes_and_redraw_the_grid(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        clear = app.button(IDOK)[0]

        app.drag([(300, 300), (600, 300)])
        app.expect_stroke(app.shot("drawn"), [(300, 300), (600, 300)])
        s.input.press(*clear.center)
        time.sleep(0.3)
        pressed = app.shot("pressed")
        expect_equal("light top edge of the pressed clear button", 0,
                     raised_edge(pressed, clear))
        s.input.release(*clear.center)
        shot = app.wait_grid("cleared", 15)
        app.expect_untouched(shot, (450, 300), what="stroke after CLEAR")
        expect_true("light top edge after the click", raised_edge(shot, clear) > 40,
                    "drawn again", f"{raised_edge(shot, clear)} light pixels")

        app.drag([(300, 350), (600, 350)])
        app.expect_stroke(app.shot("drawn-again"), [(300, 350), (600, 350)])
        app.key("Return")
        shot = app.wait_grid("after-enter", 15)
        app.expect_untouched(shot, (450, 350), what="stroke after Enter")
        expect_true("the program after Enter", app.program.running, "still running",
                    "ended")

    def test_buttons_hold_the_capture_while_the_pointer_is_over_them(self):
        s = self.session
        app = self.start()
        clear, exit_ = app.button(IDOK)[0], app.button(IDCANCEL)[0]
        expect_equal("capture at start", 0, app.capture())
        s.input.move(*clear.center)
        s.input.move(clear.x + 5, clear.y + 5)
        expect_equal("capture over CLEAR", IDOK, app.capture())
        s.input.move(500, 300)
        s.input.move(510, 300)
        expect_equal("capture back on the surface", 0, app.capture())
        s.input.move(*exit_.center)
        expect_equal("capture over EXIT", IDCANCEL, app.capture())
        s.input.move(900, 100)
        expect_equal("capture after leaving EXIT", 0, app.capture())

    def test_escape_ends_the_program(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        app.key("Escape")
        app.expect_exit()

    def test_exit_button_ends_the_program(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        s.input.click(*app.button(IDCANCEL)[0].center)
        app.expect_exit()


if __name__ == "__main__":
    harness.main()
