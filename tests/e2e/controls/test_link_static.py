"""The hyperlink on the demo dialog: link and hover colours switching at once as the pointer
comes and goes, the tooltip with the target, the visited colour after a registered handler
opened the target, the message box for each way an open fails, the fallback to the program
registered for web pages with its command line cut at the placeholder, and links shrunk to
their text for each alignment."""

import unittest

import harness
from harness import RegValue, Session, expect_equal, expect_true

from controltools import (CENTRED_LINK, COLOR_HIGHLIGHT, DEMO_BOX, FAILING_LINK, LINK, MIDDLE_LINK,
                          OPENING_LINK, RIGHT_LINK, UNTITLED_LINK, VISITED, Demo, Probe)

CLASSES = r"HKLM\Software\Classes"
OPENED_KEY = r"HKCU\Software\TouchControlsDemo"
FAILING_TARGET = r"C:\nosuch\file.tlk"
LEAD = "Unable to open hyperlink:\n\n"
MESSAGE_TEXT_ID = 0xFFFF
IDOK, IDCANCEL = 1, 2


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class LinkTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = Session(cls.__name__, locale="en_US.UTF-8").__enter__()
        cls.hover = Probe(cls.session).system_colors()[COLOR_HIGHLIGHT]
        cls.demo_path = windows_path(cls.session.config.exe("controlsdemo"))

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def setUp(self):
        self.demo = Demo(self.session)
        self.session.registry.delete_key(OPENED_KEY)
        self.session.registry.delete_key(CLASSES + r"\.htm")

    def tearDown(self):
        self.demo.close()

    def row_counts(self, link_id, color):
        """How many pixels of `color` each row of the link holds."""
        shot, rect = self.session.screenshot("rows"), self.demo.rect(link_id)
        return [sum(1 for x in range(rect.x, rect.right) if shot.pixel(x, y) == color)
                for y in range(rect.y, rect.bottom)]

    def wait_color(self, what, link_id, color, others):
        rect = self.demo.rect(link_id)

        def shows():
            colors = self.session.screenshot("look").colors(rect)
            return colors[color] >= rect.width - 2 and not any(colors[o] for o in others)

        self.session.wait_until(what, shows, expected=f"the underline in {color}, nothing in "
                                f"{others}", seen=lambda: self.session.screenshot(
                                    what.replace(" ", "-")).describe(rect))

    def away(self):
        """Onto the dialog's background: Wine reports pointer moves to a window holding the
        capture only while the pointer is over one of its windows."""
        client = self.demo.client
        self.session.input.move(client.right - 20, client.bottom - 20)

    def register(self, subkey, command):
        self.session.registry.set(f"{CLASSES}\\{subkey}\\shell\\open\\command", "",
                                  RegValue.sz(command))

    def opened_command(self):
        value = self.session.registry.get(OPENED_KEY, "Opened")
        return None if value is None else value.as_text

    def wait_opened(self):
        self.session.wait_until("the registered handler's start",
                                lambda: self.opened_command() is not None, timeout=20,
                                expected="its command line recorded")
        return self.opened_command()

    def expect_failure_box(self, text):
        s = self.session
        s.wait_until("message box", lambda: s.windows.visible(DEMO_BOX), timeout=20,
                     expected=f"a box titled {DEMO_BOX!r}")
        box = {c.id: c for c in self.demo.probe.tree(DEMO_BOX)}
        s.screenshot("box")
        expect_equal("message", LEAD + text, box[MESSAGE_TEXT_ID].text)
        expect_equal("buttons", (True, False), (IDOK in box, IDCANCEL in box))
        s.input.key("Return")
        s.wait_window_gone(DEMO_BOX)

    def pixels(self, link_id, label):
        shot, rect = self.session.screenshot(label), self.demo.rect(link_id)
        return [[shot.pixel(x, y) for x in range(rect.x, rect.right)]
                for y in range(rect.y, rect.bottom)]

    def test_hover_colour_comes_and_goes_at_once_and_the_tooltip_shows_the_target(self):
        rect = self.demo.rect(OPENING_LINK)
        self.wait_color("link colour at start", OPENING_LINK, LINK, [self.hover])
        before = self.pixels(OPENING_LINK, "before")
        self.session.input.move(*rect.center)
        self.wait_color("hover colour", OPENING_LINK, self.hover, [LINK])
        self.session.wait_until("tooltip", lambda: "touchdemo:opened" in
                                self.demo.probe.tooltips(), expected="the link's target shown",
                                seen=self.demo.probe.tooltips)
        self.session.screenshot("tooltip")
        self.away()
        self.wait_color("link colour again", OPENING_LINK, LINK, [self.hover])
        # A link given no target opens its own text.
        self.session.input.move(*self.demo.rect(RIGHT_LINK).center)
        self.session.wait_until("tooltip of the link without target", lambda: "Right" in
                                self.demo.probe.tooltips(), expected="its text shown",
                                seen=self.demo.probe.tooltips)
        self.away()
        # Again, to see that leaving released the pointer for the next visit.
        self.session.input.move(*rect.center)
        self.wait_color("hover colour again", OPENING_LINK, self.hover, [LINK])
        self.away()
        self.wait_color("link colour at the end", OPENING_LINK, LINK, [self.hover])
        # Each colour is drawn on fresh background: nothing of the hover colour's smoothed
        # edges stays behind.
        expect_equal("link after hovering", before, self.pixels(OPENING_LINK, "after"))

    def test_registered_handler_opens_the_target_and_the_link_turns_visited(self):
        self.session.registry.set(f"{CLASSES}\\touchdemo", "", RegValue.sz("URL:touchdemo"))
        self.session.registry.set(f"{CLASSES}\\touchdemo", "URL Protocol", RegValue.sz(""))
        self.register("touchdemo", f'"{self.demo_path}" --opened "%1"')
        self.session.input.click(*self.demo.rect(OPENING_LINK).center)
        command = self.wait_opened()
        expect_true("handler's command line", command.endswith('--opened "touchdemo:opened"'),
                    "the target handed over", command)
        self.away()
        self.wait_color("visited colour", OPENING_LINK, VISITED, [LINK, self.hover])
        expect_equal("message boxes", False, self.session.windows.visible(DEMO_BOX))

    def test_failing_open_reports_the_shells_error_without_a_web_page_program(self):
        self.session.input.click(*self.demo.rect(FAILING_LINK).center)
        self.expect_failure_box("The specified file was not found.")
        self.away()
        self.wait_color("still the link colour", FAILING_LINK, LINK, [VISITED, self.hover])

    def test_fallback_program_that_cannot_start_is_reported(self):
        self.session.registry.set(f"{CLASSES}\\.htm", "", RegValue.sz("touchdemo.page"))
        self.register("touchdemo.page", r'C:\windows\win.ini "%1"')
        self.session.input.click(*self.demo.rect(FAILING_LINK).center)
        self.expect_failure_box(
            "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).")

    def test_registered_command_too_long_for_its_room_reports_the_shells_error(self):
        self.session.registry.set(f"{CLASSES}\\.htm", "", RegValue.sz("touchdemo.page"))
        self.register("touchdemo.page", f'"{self.demo_path}" --opened "%1"' + " -x" * 100)
        self.session.input.click(*self.demo.rect(FAILING_LINK).center)
        self.expect_failure_box("The specified file was not found.")
        expect_equal("program started", None, self.opened_command())

    def test_fallback_program_gets_the_target_in_place_of_its_placeholder(self):
        self.session.registry.set(f"{CLASSES}\\.htm", "", RegValue.sz("touchdemo.page"))
        self.register("touchdemo.page", f'"{self.demo_path}" --opened "%1" -dropped')
        self.session.input.click(*self.demo.rect(FAILING_LINK).center)
        expect_equal("fallback command line", f'"{self.demo_path}" --opened  {FAILING_TARGET}',
                     self.wait_opened())
        self.away()
        self.wait_color("visited colour", FAILING_LINK, VISITED, [LINK, self.hover])

    def test_cursor_is_the_owners_or_the_help_programs_hand(self):
        s = self.session
        background = (self.demo.client.right - 20, self.demo.client.bottom - 20)

        def cursor_at(point, what, condition):
            """Moves onto `point` and waits for the cursor to meet `condition`."""
            s.input.move(*point)
            s.input.move(point[0] + 1, point[1])
            seen = []

            def meets():
                seen.append(self.demo.probe.cursor())
                return condition(seen[-1])

            s.wait_until(what, meets, expected="the cursor described", seen=lambda: seen[-3:])
            return seen[-1]

        def start():
            """The owner's cursor and the arrow of a fresh demo, whose handles are its own."""
            owner = int(self.demo.lines("owner cursor ")[0].split()[-1])
            arrow = cursor_at(background, "cursor over the background", lambda c: c != owner)
            return owner, arrow

        owner, arrow = start()
        cursor_at(self.demo.rect(OPENING_LINK).center, "over the link with the owner's cursor",
                  lambda c: c == owner)
        cursor_at(background, "back over the background", lambda c: c == arrow)
        # Without a hand of its own the link leaves the cursor as it was.
        cursor_at(self.demo.rect(CENTRED_LINK).center, "over a link without a cursor",
                  lambda c: c == arrow)
        self.demo.close()

        help_program = s.prefix.unix_path(r"C:\windows\winhlp32.exe")
        original = help_program.read_bytes()
        try:
            s.prefix.copy_in(s.config.exe("helpcursor"), r"C:\windows\winhlp32.exe")
            self.demo = Demo(s)
            owner, arrow = start()
            hand = cursor_at(self.demo.rect(CENTRED_LINK).center,
                             "over a link without a cursor: the help program's hand",
                             lambda c: c not in (arrow, owner, 0))
            # Each link holds a copy of its own.
            cursor_at(self.demo.rect(UNTITLED_LINK).center, "over the next link: its own copy",
                      lambda c: c not in (arrow, owner, hand, 0))
            cursor_at(background, "over the background again", lambda c: c == arrow)
        finally:
            help_program.write_bytes(original)

    def test_links_shrink_to_their_text_keeping_their_anchor(self):
        fits = {}
        for line in self.demo.lines("fit "):
            fields = line.split("\t")
            fits[int(fields[0].split()[1])] = (tuple(map(int, fields[1:5])),
                                               tuple(map(int, fields[5:9])))
        for link_id, (before, after) in fits.items():
            expect_equal(f"link {link_id} now", after, (
                self.demo.rect(link_id).x, self.demo.rect(link_id).y,
                self.demo.rect(link_id).right, self.demo.rect(link_id).bottom))
            expect_true(f"link {link_id} narrower", after[2] - after[0] < before[2] - before[0],
                        f"narrower than {before}", after)
            width = after[2] - after[0]
            rows = self.row_counts(link_id, LINK)
            if link_id == MIDDLE_LINK:
                expect_true("link without underline", max(rows) < width // 2,
                            f"no row of {width} pixels", rows)
            else:
                expect_true(f"link {link_id} underline spans the window",
                            max(rows) >= width - 2, f"a row of {width} pixels", rows)
        (b, a) = fits[OPENING_LINK]
        expect_equal("left-aligned keeps its top left", b[:2], a[:2])
        (b, a) = fits[CENTRED_LINK]
        expect_true("centred keeps its centre", abs((b[0] + b[2]) - (a[0] + a[2])) <= 1,
                    (b[0] + b[2]) / 2, (a[0] + a[2]) / 2)
        expect_equal("centred keeps its top", b[1], a[1])
        (b, a) = fits[RIGHT_LINK]
        expect_equal("right-aligned keeps its top right", (b[2], b[1]), (a[2], a[1]))
        (b, a) = fits[MIDDLE_LINK]
        expect_equal("vertically centred keeps its left", b[0], a[0])
        expect_true("vertically centred keeps its middle", abs((b[1] + b[3]) - (a[1] + a[3])) <= 1,
                    (b[1] + b[3]) / 2, (a[1] + a[3]) / 2)
        expect_equal("an empty link shows its target", "www.untitled.example",
                     self.demo.control(UNTITLED_LINK).text)


if __name__ == "__main__":
    harness.main()
