"""The shipped draw test under 32-bit Wine: it starts full screen with its grid, draws one
stroke where the pointer goes and ends on Esc."""

import time
import unittest

import harness
from harness import Mismatch, Rect, Session, expect_equal

import scrivet
from shipped import SLOW, ShippedDrawTest, package_file

PATH = [(300, 200), (400, 200), (400, 300), (500, 400)]


class ShippedDrawTestTest(unittest.TestCase):
    def test_grid_one_stroke_and_escape(self):
        with Session.for_test(self) as s:
            package_file(s, scrivet.PROGRAM)
            app = ShippedDrawTest(s, "shipped")
            expect_equal("window", Rect(0, 0, 1024, 768), app.window)
            app.wait_grid("start", 15, timeout=SLOW)

            # Slow steps: each point must reach the program as a move of its own.
            app.drag(PATH, pause=0.4)
            deadline = time.monotonic() + SLOW
            while True:
                try:
                    app.expect_stroke(app.shot("traced"), PATH)
                    break
                except Mismatch:
                    if time.monotonic() > deadline:
                        raise
                time.sleep(0.5)

            app.key("Escape")
            app.expect_exit(timeout=SLOW)


if __name__ == "__main__":
    harness.main()
