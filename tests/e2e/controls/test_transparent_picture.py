"""The transparent picture on the demo dialog, over a striped background: every pure white
pixel of the bitmap and the area beyond it show the background, every other pixel (also one
that is white but for one component) shows the bitmap, a bitmap larger than the control is cut
off, the four-copy path gives the same pixels as the masked copy, and a picture without a
bitmap paints like a plain static."""

import unittest

import harness
from harness import Session, expect_equal, expect_true

from controltools import (CUT, FOUR_COPY, MASKED, PLAIN, STRIPES, STRIPE_HEIGHT, UNATTACHED, WHITE,
                          Demo, bitmap_pixels, expect_image, wait_stable_shot)

NEAR_WHITE = (255, 255, 254)


class TransparentPictureTest(unittest.TestCase):
    def test_white_shows_the_background_on_both_copy_paths(self):
        with Session.for_test(self) as s:
            logo = bitmap_pixels(s.config.source_dir / "applet" / "Logo.bmp")
            expect_equal("bitmap size", (174, 79), (len(logo[0]), len(logo)))
            demo = Demo(s)
            pictures = [demo.rect(i) for i in (MASKED, FOUR_COPY, CUT)]
            shot = wait_stable_shot(s, "pictures", pictures[0])

            def expected(rect):
                rows = []
                for dy in range(rect.height):
                    stripe = STRIPES[(rect.y + dy - demo.client.y) // STRIPE_HEIGHT % 2]
                    rows.append([logo[dy][dx] if dy < len(logo) and dx < len(logo[0]) and
                                 logo[dy][dx] != WHITE else stripe for dx in range(rect.width)])
                return rows

            expect_equal("larger pictures", [(190, 90), (190, 90)],
                         [(r.width, r.height) for r in pictures[:2]])
            expect_equal("cut picture", (150, 60), (pictures[2].width, pictures[2].height))
            for name, rect in zip(("masked copy", "four copies", "cut off"), pictures):
                expect_image(f"picture by {name}", shot, (rect.x, rect.y), expected(rect))
            expect_true("near-white pixels painted", shot.count(pictures[0], NEAR_WHITE) > 100,
                        "the glare of the mark", shot.describe(pictures[0]))

            expect_true("the system's masked copy painted the first picture",
                        "masked copy done" in demo.lines("masked copy"), "done",
                        demo.lines("masked copy"))
            masked, four = pictures[:2]
            expect_equal("pictures side by side on one background row", masked.y, four.y)
            expect_equal("both copy paths alike",
                         [[shot.pixel(masked.x + x, masked.y + y) for x in range(masked.width)]
                          for y in range(masked.height)],
                         [[shot.pixel(four.x + x, four.y + y) for x in range(four.width)]
                          for y in range(four.height)])

            plain, unattached = demo.rect(PLAIN), demo.rect(UNATTACHED)
            expect_equal("sizes of the bitmap-less picture and the plain static",
                         (plain.width, plain.height), (unattached.width, unattached.height))
            expect_equal("bitmap-less picture paints as a plain static",
                         [[shot.pixel(unattached.x + x, unattached.y + y)
                           for x in range(unattached.width)] for y in range(unattached.height)],
                         [[shot.pixel(plain.x + x, plain.y + y) for x in range(plain.width)]
                          for y in range(plain.height)])
            demo.close()


if __name__ == "__main__":
    harness.main()
