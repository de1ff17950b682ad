"""The shipped draw test under 32-bit Wine: it starts full screen with its grid, draws one
stroke where the pointer goes and ends on Esc."""

import unittest

import harness
from harness import Rect, Session, expect_equal

import scrivet
from shipped import SLOW, ShippedDrawTest, package_file

PATH = [(300, 200), (400, 200), (400, 300), (500, 400)]


class ShippedDrawTestTest(unittest.TestCase):
    def test_grid_one_stroke_and_escape(self):
        with Session.for_test(self) as s:
            package_file(s, scrivet.PROGRAM)
            app = ShippedDrawTest(s, "shipped")
            expect_equal("window", Rect(0, 0, 1024, 768), app.window)
            app.wait_grid("start", 15)
            app.drag(PATH)
            app.wait_stroke("traced", PATH)

            app.key("Escape")
            app.expect_exit(timeout=SLOW)


if __name__ == "__main__":
    harness.main()
