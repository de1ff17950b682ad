"""Greyed items of the settings menu: the current value of every group at start, "Pen Size"
always, and with the grid hidden every grid item but "Yes"."""

import harness

from scrivet import (GREEN, GRID_COLOR, GRID_LINE_SIZE, GRID_NUM, PEN_COLOR, PEN_SIZE, SHOW_GRID,
                     DrawTestCase)

STROKE = [(150, 180), (300, 180)]


class MenuGreyingTest(DrawTestCase):
    def test_at_start_the_defaults_are_greyed_and_pen_size_is_disabled(self):
        app = self.start()
        app.wait_grid("start", 15)
        app.expect_groups({PEN_SIZE}, "start")
        for group, greyed in ((PEN_COLOR, {0}), (SHOW_GRID, {0}), (GRID_NUM, {1}),
                              (GRID_COLOR, {2}), (GRID_LINE_SIZE, {0})):
            app.expect_greyed(group, greyed, f"start-group{group}")

    def test_hidden_grid_greys_every_grid_item_but_yes(self):
        app = self.start()
        app.wait_grid("start", 15)
        app.choose(GRID_NUM, 0)
        app.choose(GRID_COLOR, 3)
        app.choose(GRID_LINE_SIZE, 1)
        app.wait_grid("chosen", 10, GREEN, 2)

        app.drag(STROKE)
        app.choose(SHOW_GRID, 1, greyed={0})
        shot = app.wait_no_grid("hidden")
        app.expect_untouched(shot, (225, 180), what="stroke after hiding the grid")
        app.expect_greyed(GRID_NUM, {0, 1, 2}, "hidden-number")
        app.expect_greyed(GRID_COLOR, {0, 1, 2, 3, 4}, "hidden-colour")
        app.expect_greyed(GRID_LINE_SIZE, {0, 1, 2}, "hidden-size")
        app.expect_groups({PEN_SIZE}, "hidden")

        # "No" is greyed, "Yes" is not; the grid comes back as it was chosen before.
        app.choose(SHOW_GRID, 0, greyed={1})
        app.wait_grid("shown-again", 10, GREEN, 2)
        app.expect_greyed(GRID_NUM, {0}, "shown-number")


if __name__ == "__main__":
    harness.main()
