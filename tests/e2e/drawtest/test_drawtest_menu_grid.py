"""The settings menu's grid groups: each choice repaints at once with the new grid and wipes the
strokes; the item of the current value is greyed."""

import harness

from scrivet import (BLUE, GREEN, GRID_COLOR, GRID_LINE_SIZE, GRID_NUM, ORANGE, RED, YELLOW,
                     DrawTestCase)

STROKE = [(150, 180), (300, 180)]


class GridMenuTest(DrawTestCase):
    def choose_and_expect(self, app, group, index, current, count, color, width):
        """Draws a stroke, chooses an item after checking that the current one is greyed, and
        checks the repaint."""
        app.drag(STROKE)
        app.choose(group, index, greyed={current})
        label = f"group{group}-item{index}"
        shot = app.wait_grid(label, count, color, width)
        app.expect_untouched(shot, (225, 180), what=f"stroke after choosing {label}")

    def test_grid_number_colour_and_line_size_choices(self):
        app = self.start()
        app.wait_grid("start", 15)
        self.choose_and_expect(app, GRID_NUM, 0, 1, 10, YELLOW, 1)
        self.choose_and_expect(app, GRID_NUM, 2, 0, 20, YELLOW, 1)
        self.choose_and_expect(app, GRID_NUM, 1, 2, 15, YELLOW, 1)
        current = 2
        for index, color in ((0, RED), (1, ORANGE), (3, GREEN), (4, BLUE), (2, YELLOW)):
            self.choose_and_expect(app, GRID_COLOR, index, current, 15, color, 1)
            current = index
        current = 0
        for index, width in ((1, 2), (2, 4), (0, 1)):
            self.choose_and_expect(app, GRID_LINE_SIZE, index, current, 15, YELLOW, width)
            current = index
        app.expect_greyed(GRID_LINE_SIZE, {0}, "end")


if __name__ == "__main__":
    harness.main()
