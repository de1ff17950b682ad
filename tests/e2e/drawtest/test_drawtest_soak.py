"""A long drawing session: 70 000 stroke segments posted straight to the surface, more than the
GDI handle table holds, so a pen or device context kept per segment would exhaust it. Afterwards
a new stroke and a repaint must still be drawn as at the start."""

import time

import harness
from harness import expect_true

from scrivet import IDOK, RED, DrawTestCase

SEGMENTS = 70000


class SoakTest(DrawTestCase):
    def test_drawing_after_70000_segments(self):
        app = self.start()
        app.wait_grid("start", 15)
        began = time.monotonic()
        shot = app.post_stroke(SEGMENTS, (100, 100), (900, 100))
        print(f"{SEGMENTS} segments posted and drawn in {time.monotonic() - began:.1f} s")
        y = app.client.y + 100
        app.expect_stroke(shot, [(app.client.x + 100, y), (app.client.x + 900, y)],
                          what="the posted stroke")
        expect_true("the program after the soak", app.program.running, "running", "ended")

        app.drag([(200, 300), (600, 300), (600, 400)])
        app.expect_stroke(app.shot("new-stroke"), [(200, 300), (600, 300), (600, 400)],
                          what="a stroke after the soak")

        self.session.input.click(*app.button(IDOK)[0].center)
        shot = app.wait_wiped("cleared", (400, 300), what="the new stroke after CLEAR")
        app.expect_grid(shot, 15)
        app.expect_untouched(shot, (500, y), color=RED, what="the posted stroke after CLEAR")

        app.drag([(300, 500), (700, 500)])
        app.expect_stroke(app.shot("after-clear"), [(300, 500), (700, 500)],
                          what="a stroke after the repaint")


if __name__ == "__main__":
    harness.main()
