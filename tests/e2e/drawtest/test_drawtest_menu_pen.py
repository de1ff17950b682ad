"""The settings menu's pen colours: each choice wipes the drawing and the next strokes come in the
chosen colour, still one pixel wide; the chosen colour is the greyed one."""

import harness

from scrivet import ITEMS, PEN_COLOR, RED, DrawTestCase


class PenMenuTest(DrawTestCase):
    def test_each_pen_colour_draws_the_next_strokes(self):
        app = self.start()
        app.wait_grid("start", 15)
        previous, current = [(150, 180), (300, 180)], 0
        app.drag(previous)
        app.expect_stroke(app.shot("red"), previous, RED)
        # Red, the start colour, comes last: it is greyed until another one is chosen.
        for index in [1, 2, 3, 4, 5, 6, 0]:
            color = ITEMS[PEN_COLOR][index]
            app.choose(PEN_COLOR, index, greyed={current})
            shot = app.wait_wiped(f"colour{index}", (225, previous[0][1]),
                                  color=ITEMS[PEN_COLOR][current],
                                  what=f"stroke before choosing colour {index}")
            app.expect_grid(shot, 15)
            y = 200 + 30 * index
            previous, current = [(150, y), (300, y), (300, y + 20)], index
            app.drag(previous, color)
            app.expect_stroke(app.shot(f"colour{index}-stroke"), previous, color,
                              what=f"stroke in colour {index}")


if __name__ == "__main__":
    harness.main()
