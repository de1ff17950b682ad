"""The icon push button on the demo dialog: its normal, pressed, focused or default and disabled
looks read back pixel by pixel, the default state moving between owner-drawn buttons, a double
click counting as two clicks, the focus handed on when it is disabled, and the caption following
a change of the system colours that face and caption follow."""

import unittest

import harness
from harness import Session, expect_equal, expect_true

from controltools import (BLACK, CAPTIONED, CHANGED_BUTTON_FACE, CHANGED_BUTTON_TEXT,
                          CHANGE_SYSTEM_COLORS, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNFACE,
                          COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_WINDOWFRAME, DEFAULT,
                          DEMO_TITLE, DISABLED, DISABLE_MIDDLE, FIRST_EDIT, ICON_ONLY, LAST_EDIT,
                          MIDDLE, Demo, Probe, expect_colors, expect_image, icon_pixels)

ICON_SIZE = 32
ICON_MARGIN = 3
OWNER_DRAWN = 11
DEFAULT_CODE, PLAIN_CODE = 0x2010, 0x2020


class ButtonLooks:
    """Expected pixels of one button from the system colours."""

    def __init__(self, colors, rect):
        self.c = colors
        self.rect = rect
        self.l, self.t, self.r, self.b = rect.x, rect.y, rect.right, rect.bottom
        self.mx, self.my = rect.x + rect.width // 2, rect.y + rect.height // 2

    @property
    def face(self):
        return self.c[COLOR_BTNFACE]

    def expect_raised(self, shot, what, inset=0):
        """The four-colour border on the face `inset` pixels inside the item."""
        l, t, r, b = self.l + inset, self.t + inset, self.r - inset, self.b - inset
        mx, my = self.mx, self.my
        for name, index, points in (
                ("highlight", COLOR_BTNHIGHLIGHT, [(mx, t), (l, my)]),
                ("3-D light", COLOR_3DLIGHT, [(mx, t + 1), (l + 1, my)]),
                ("dark shadow", COLOR_3DDKSHADOW, [(mx, b - 1), (r - 1, my)]),
                ("shadow", COLOR_BTNSHADOW, [(mx, b - 2), (r - 2, my)]),
                ("face", COLOR_BTNFACE, [(l + 2, t + 2), (r - 3, b - 3)])):
            expect_colors(f"{what}: {name}", shot, points, self.c[index])

    def expect_frame(self, shot, what, framed=True):
        """The one-pixel frame in the window-frame colour (black in the standard schemes)."""
        points = [(self.mx, self.t), (self.l, self.my), (self.r - 1, self.my),
                  (self.mx, self.b - 1)]
        frame = self.c[COLOR_WINDOWFRAME]
        if framed:
            expect_colors(f"{what}: frame", shot, points, frame)
        else:
            expect_true(f"{what}: no frame", all(shot.pixel(*p) != frame for p in points),
                        "no frame on the edge", [shot.pixel(*p) for p in points])

    def focus_row(self, shot):
        """The pixels of the row where the focus rectangle's top runs."""
        y = self.t + 4
        return [shot.pixel(x, y) for x in range(self.l + 6, self.r - 6)]

    def expect_icon(self, shot, what, icon, origin, focused=False):
        """The icon's pixels at `origin`, over the face; a focus rectangle crossing it is
        drawn after it."""
        x0, y0 = origin
        focus = (self.l + 4, self.t + 4, self.r - 5, self.b - 5)

        def expected(x, y, color):
            if focused and (x in (focus[0], focus[2]) or y in (focus[1], focus[3])):
                return None
            return self.face if color is None else color

        rows = [[expected(x0 + dx, y0 + dy, color) for dx, color in enumerate(row)]
                for dy, row in enumerate(icon)]
        expect_image(f"{what}: icon at {origin}", shot, origin, rows)

    def caption_pixels(self, shot, area):
        """The dark pixels of a caption drawn with smoothed edges."""
        return [(x, y) for x in range(area.x, area.right) for y in range(area.y, area.bottom)
                if max(shot.pixel(x, y)) < 100]

    def caption_area(self):
        """The caption's space right of the icon, within the border."""
        left = self.l + ICON_MARGIN + ICON_SIZE
        return harness.Rect(left, self.t + 2, self.r - 2 - left, self.rect.height - 4)


class IconButtonTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = Session(cls.__name__, locale="en_US.UTF-8").__enter__()
        cls.colors = Probe(cls.session).system_colors()
        cls.icon = icon_pixels(cls.session.config.source_dir / "applet" / "TestBeep.ico")

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def setUp(self):
        self.demo = Demo(self.session)

    def tearDown(self):
        self.demo.close()

    def looks(self, control_id):
        return ButtonLooks(self.colors, self.demo.rect(control_id))

    def shot(self, label):
        return self.session.screenshot(f"{self._testMethodName}-{label}")

    def test_normal_default_and_disabled_looks(self):
        expect_equal("icons set", [f"icon {i} set" for i in (101, 102, 103, 104, 106)],
                     self.demo.lines("icon "))
        expect_equal("an icon that is not there", ["missing icon accepted"],
                     self.demo.lines("missing icon"))
        shot = self.shot("start")
        wave = (0, 0, 255)
        expect_equal("icon pixels on the button whose icon went", 0,
                     shot.count(self.demo.rect(MIDDLE), wave))
        captioned = self.looks(CAPTIONED)
        captioned.expect_raised(shot, "captioned button")
        captioned.expect_frame(shot, "captioned button", framed=False)
        top = captioned.t + (captioned.rect.height - ICON_SIZE) // 2
        captioned.expect_icon(shot, "captioned button", self.icon,
                              (captioned.l + ICON_MARGIN, top))
        # The caption is centred in the space right of the icon.
        text = captioned.caption_pixels(shot, captioned.caption_area())
        expect_true("caption pixels", len(text) > 20, "a drawn caption", f"{len(text)} pixels")
        centre_x = (min(x for x, _ in text) + max(x for x, _ in text)) / 2
        centre_y = (min(y for _, y in text) + max(y for _, y in text)) / 2
        middle_x = (captioned.l + ICON_MARGIN + ICON_SIZE + captioned.r) / 2
        expect_true("caption centre", abs(centre_x - middle_x) <= 2 and
                    abs(centre_y - captioned.my) <= 4, f"about ({middle_x}, {captioned.my})",
                    f"({centre_x}, {centre_y})")

        alone = self.looks(ICON_ONLY)
        alone.expect_raised(shot, "icon-only button")
        alone.expect_icon(shot, "icon-only button", self.icon,
                          (alone.l + (alone.rect.width - ICON_SIZE) // 2,
                           alone.t + (alone.rect.height - ICON_SIZE) // 2))

        default = self.looks(DEFAULT)
        default.expect_frame(shot, "default button")
        default.expect_raised(shot, "default button", inset=1)
        expect_true("default button without focus: no focus rectangle",
                    set(default.focus_row(shot)) == {default.face}, "only face colour",
                    set(default.focus_row(shot)))

        disabled = self.looks(DISABLED)
        disabled.expect_raised(shot, "disabled button")
        icon_area = harness.Rect(disabled.l + ICON_MARGIN, disabled.t + 7, ICON_SIZE, ICON_SIZE)
        icon_colors = shot.colors(icon_area)
        original = {p for row in self.icon for p in row if p is not None} - {BLACK}
        expect_true("disabled icon is embossed", not original & set(icon_colors) and
                    self.colors[COLOR_BTNSHADOW] in icon_colors,
                    "shadow colour and none of the icon's colours", shot.describe(icon_area))
        caption_area = disabled.caption_area()
        caption_colors = shot.colors(caption_area)
        expect_true("disabled caption is embossed",
                    self.colors[COLOR_BTNSHADOW] in caption_colors and
                    self.colors[COLOR_BTNHIGHLIGHT] in caption_colors and
                    not disabled.caption_pixels(shot, caption_area),
                    "highlight and shadow, no text colour", shot.describe(caption_area))

    def test_focused_and_pressed_looks_move_the_default(self):
        captioned, alone = self.looks(CAPTIONED), self.looks(ICON_ONLY)
        default = self.looks(DEFAULT)
        top = captioned.t + (captioned.rect.height - ICON_SIZE) // 2
        # Backwards through the tab order from the edit: the default button, the icon-only
        # one, then the captioned one; the dialog manager moves the default state along.
        self.session.input.key("shift+Tab", "shift+Tab", "shift+Tab")
        self.session.wait_until("keyboard focus on the captioned button",
                                lambda: self.demo.focus_id() == CAPTIONED)
        focused = self.shot("focused")
        captioned.expect_frame(focused, "focused button")
        captioned.expect_raised(focused, "focused button", inset=1)
        captioned.expect_icon(focused, "focused button", self.icon,
                              (captioned.l + ICON_MARGIN, top), focused=True)
        row = captioned.focus_row(focused)
        dotted = sum(1 for p in row if p != captioned.face)
        expect_true("focus rectangle 3 pixels inside the face", len(row) // 3 < dotted <
                    len(row) * 2 // 3, "every other pixel of the row inverted",
                    f"{dotted} of {len(row)}")
        for looks, name in ((default, "former default button"), (alone, "icon-only button")):
            looks.expect_frame(focused, name, framed=False)
            looks.expect_raised(focused, name)
        states = {c.id: c.state for c in self.demo.probe.tree(DEMO_TITLE)}
        expect_equal("button types and dialog codes",
                     {CAPTIONED: f"{OWNER_DRAWN},{DEFAULT_CODE}",
                      ICON_ONLY: f"{OWNER_DRAWN},{PLAIN_CODE}",
                      DEFAULT: f"{OWNER_DRAWN},{PLAIN_CODE}"},
                     {i: states[i] for i in (CAPTIONED, ICON_ONLY, DEFAULT)})

        self.session.input.press(captioned.mx + 40, captioned.my)
        self.session.wait_until("pressed look", lambda: self.session.screenshot(
            "pressing").pixel(captioned.mx, captioned.t + 1) == self.colors[COLOR_BTNSHADOW])
        pressed = self.shot("pressed")
        captioned.expect_frame(pressed, "pressed button")
        expect_colors("pressed button: shadow frame", pressed,
                      [(captioned.mx, captioned.t + 1), (captioned.l + 1, captioned.my),
                       (captioned.r - 2, captioned.my), (captioned.mx, captioned.b - 2)],
                      self.colors[COLOR_BTNSHADOW])
        expect_colors("pressed button: face inside the frame", pressed,
                      [(captioned.mx, captioned.t + 2), (captioned.l + 2, captioned.my)],
                      captioned.face)
        captioned.expect_icon(pressed, "pressed button", self.icon,
                              (captioned.l + ICON_MARGIN + 1, top + 1), focused=True)
        self.session.input.release(captioned.mx + 40, captioned.my)
        self.demo.wait_line(f"clicked {CAPTIONED}")

        # Forward to the edit: the dialog's own default button takes the state back.
        self.session.input.key("Tab", "Tab", "Tab")
        self.session.wait_until("focus back on the edit",
                                lambda: self.demo.focus_id() == FIRST_EDIT)
        back = self.shot("default-back")
        default.expect_frame(back, "default button again")
        captioned.expect_frame(back, "captioned button again", framed=False)
        captioned.expect_raised(back, "captioned button again")

    def test_double_click_counts_twice(self):
        button = self.demo.rect(ICON_ONLY)
        self.session.input.move(*button.center)
        self.session.input.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        self.demo.wait_line(f"clicked {ICON_ONLY}", count=2)
        expect_equal("focus after the clicks", ICON_ONLY, self.demo.focus_id())

    def test_disabling_hands_the_focus_to_the_next_tab_stop(self):
        expect_equal("focus at start", FIRST_EDIT, self.demo.focus_id())
        self.demo.post(DISABLE_MIDDLE)
        self.demo.wait_line(f"disabled {MIDDLE}")
        expect_equal("middle button enabled", False, self.demo.control(MIDDLE).enabled)
        expect_equal("focus after disabling the button it did not hold", LAST_EDIT,
                     self.demo.focus_id())


def reddish(shot, rect):
    """Pixels clearly redder than grey: the new caption colour and its smoothed edges."""
    return sum(n for (r, g, b), n in shot.colors(rect).items() if r - max(g, b) > 60)


class SystemColorChangeTest(unittest.TestCase):
    def test_caption_and_face_take_the_new_colours(self):
        with Session.for_test(self) as s:
            before = Probe(s).system_colors()
            demo = Demo(s)
            looks = ButtonLooks(before, demo.rect(CAPTIONED))
            demo.post(CHANGE_SYSTEM_COLORS)
            demo.wait_line("colors changed")
            expect_equal("system button face after the change", CHANGED_BUTTON_FACE,
                         Probe(s).system_colors()[COLOR_BTNFACE])
            caption = looks.caption_area()
            s.wait_until("caption in the new text colour",
                         lambda: reddish(s.screenshot("changed"), caption) > 10,
                         expected=f"caption pixels in {CHANGED_BUTTON_TEXT}",
                         seen=lambda: s.screenshot("changed").describe(caption))
            shot = s.screenshot("face")
            expect_colors("face in the new colour", shot,
                          [(looks.l + 2, looks.t + 2), (looks.r - 3, looks.b - 3),
                           (looks.mx, looks.t + 4)], CHANGED_BUTTON_FACE)
            expect_equal("caption pixels in the old text colour", [],
                         looks.caption_pixels(shot, caption))
            demo.close()


if __name__ == "__main__":
    harness.main()
