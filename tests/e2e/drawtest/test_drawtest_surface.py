"""The draw test's surface at 1024 x 768: the grid and buttons it starts with, strokes that follow
the pointer with the button down, clearing by button and Enter, and leaving by Esc."""

import harness
from harness import Rect, expect_equal, expect_true
from harness.timing import START
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
        app.wait_grid("start", 15)

        for control, text, left in ((IDOK, "CLEAR", 128), (IDCANCEL, "EXIT", 832)):
            rect, visible, caption = app.button(control)
            expect_equal(f"button {control} placement", Rect(*app.at(left, 624), 64, 48),
                         rect)
            expect_true(f"button {control}", visible, "visible", "hidden")
            expect_equal(f"button {control} caption", text, caption)
            # The buttons paint after the surface.
            shot = app.wait_shot(f"button{control}", lambda shot: expect_true(
                f"button {control} drawn", raised_edge(shot, rect) > 40, "a light top edge",
                f"{raised_edge(shot, rect)} light pixels"))
            shot.expect_pixel(*app.at(30, 30), SURFACE, what="background")
            face = shot.count(rect, BUTTON_FACE)
            expect_true(f"button {control} face", face > rect.width * rect.height // 2,
                        f"mostly {scrivet.color_name(BUTTON_FACE)}", shot.describe(rect))
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

        # A press and release at one point without movement draws nothing; nor does moving
        # without the button down. A stroke drawn after them shows they were handled.
        s.input.click(700, 150)
        s.input.move(700, 500)
        s.input.move(750, 550)
        app.drag([(850, 100), (950, 100)])
        shot = app.shot("after-tap-and-hover")
        app.expect_untouched(shot, (700, 150), what="a tap")
        app.expect_untouched(shot, (725, 525), what="a move without a press")

    def test_a_release_over_a_button_leaves_the_stroke_open(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        clear = app.button(IDOK)[0]
        s.input.press(300, 500)
        s.input.move(250, 600)
        # Each step waits for its effect, so that no two moves reach the program as one.
        s.wait_until("the leg to (250, 600)",
                     lambda: app.shot("leg").pixel(275, 550) == scrivet.RED)
        s.input.move(*clear.center)
        s.wait_until("CLEAR holding the capture", lambda: app.capture() == IDOK)
        s.input.release(*clear.center)
        # No button down now: the surface still continues the stroke from (250, 600).
        s.input.move(300, 600)
        s.wait_until("CLEAR letting the capture go", lambda: app.capture() == 0)
        s.input.move(400, 600)
        shot = app.wait_stroke("continued", [(250, 600), (400, 600)],
                               what="line joined after the button")
        app.expect_untouched(shot, (205, 625), what="the way onto the button")

        # Still open: the next move goes on from there.
        s.input.move(400, 500)
        app.wait_stroke("moved-on", [(400, 600), (400, 500)], what="line after the next move")

        # A press (here sent on its own, without a move to it) starts a new stroke.
        app.send(WM_LBUTTONDOWN, MK_LBUTTON, 700 - app.client.x, 200 - app.client.y)
        app.send(WM_MOUSEMOVE, MK_LBUTTON, 800 - app.client.x, 200 - app.client.y)
        shot = app.wait_stroke("restarted", [(700, 200), (800, 200)], what="the new stroke")
        app.expect_untouched(shot, (600, 350), what="between the old stroke and the new")

    def test_clear_and_enter_wipe_the_strokes_and_redraw_the_grid(self):
        s = self.session
        app = self.start()
        app.wait_grid("start", 15)
        clear = app.button(IDOK)[0]

        app.drag([(300, 300), (600, 300)])
        s.input.press(*clear.center)
        app.wait_shot("pressed", lambda shot: expect_equal(
            "light top edge of the pressed clear button", 0, raised_edge(shot, clear)))
        s.input.release(*clear.center)
        shot = app.wait_wiped("cleared", (450, 300), what="stroke after CLEAR")
        app.expect_grid(shot, 15)
        app.wait_shot("released", lambda shot: expect_true(
            "light top edge after the click", raised_edge(shot, clear) > 40, "drawn again",
            f"{raised_edge(shot, clear)} light pixels"))

        app.drag([(300, 350), (600, 350)])
        app.key("Return")
        shot = app.wait_wiped("after-enter", (450, 350), what="stroke after Enter")
        app.expect_grid(shot, 15)
        expect_true("the program after Enter", app.program.running, "still running",
                    "ended")

    def test_buttons_hold_the_capture_while_the_pointer_is_over_them(self):
        s = self.session
        app = self.start()
        clear, exit_ = app.button(IDOK)[0], app.button(IDCANCEL)[0]
        expect_equal("capture at start", 0, app.capture())
        for point, holder, what in ((clear.center, IDOK, "over CLEAR"),
                                    ((clear.x + 5, clear.y + 5), IDOK, "still over CLEAR"),
                                    ((500, 300), 0, "back on the surface"),
                                    ((510, 300), 0, "still on the surface"),
                                    (exit_.center, IDCANCEL, "over EXIT"),
                                    ((900, 100), 0, "after leaving EXIT")):
            s.input.move(*point)
            s.wait_until(f"capture {what}", lambda: app.capture() == holder,
                         expected=f"control {holder}", seen=lambda: f"{app.capture()}")

    def test_a_window_that_cannot_open_ends_with_an_error_code(self):
        s = self.session
        program = s.start(s.config.exe(scrivet.PROGRAM), display=False)
        program.expect_exit(scrivet.EXIT_NO_WINDOW, timeout=START, describe=s.describe)

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
