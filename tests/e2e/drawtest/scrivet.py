"""Driving and reading the draw test in an end-to-end session: its surface found through
scrivetprobe, pointer input through xdotool, the grid, strokes and menus read from screenshots."""

import time
import unittest

from harness import HarnessError, Mismatch, Rect, Session, expect_equal, expect_true
from harness.timing import START, WAIT
from harness.windows import MK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE

PROGRAM = "Scrivet"
HELPER = "scrivetprobe"
EXIT_NO_SURFACE = 2

SURFACE = (5, 174, 230)
BUTTON_FACE = (124, 194, 245)
RED = (255, 0, 0)
ORANGE = (255, 128, 0)
YELLOW = (255, 255, 0)
GREEN = (0, 255, 0)
BLUE = (0, 0, 255)
PURPLE = (128, 0, 255)
BLACK = (0, 0, 0)
IDOK, IDCANCEL = 1, 2
# Exit codes besides 0: another instance was running; the window could not be opened.
EXIT_ALREADY_RUNNING, EXIT_NO_WINDOW = 2, 3

# The settings popup, by position: each group's items in menu order.
PEN_COLOR, PEN_SIZE, SHOW_GRID, GRID_NUM, GRID_COLOR, GRID_LINE_SIZE = range(6)
GROUPS = 6
ITEMS = {
    PEN_COLOR: [RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE, BLACK],
    PEN_SIZE: [1, 2, 4],
    SHOW_GRID: [True, False],
    GRID_NUM: [10, 15, 20],
    GRID_COLOR: [RED, ORANGE, YELLOW, GREEN, BLUE],
    GRID_LINE_SIZE: [1, 2, 4],
}
# Wine's popup menus: a 3-pixel frame around rows of equal height.
MENU_FRAME = 3
MENU_CLASS = "#32768"

_POLL = 0.1


def color_name(color):
    return "#%02x%02x%02x" % tuple(color)


class DrawTestCase(unittest.TestCase):
    """Tests sharing one session (prefix, X screen of SCREEN size, LOCALE) per class; each test
    starts its own draw test with `self.start()`, and whatever still runs is ended after it."""

    SCREEN = (1024, 768)
    LOCALE = "en_US.UTF-8"

    @classmethod
    def setUpClass(cls):
        cls.session = Session(cls.__name__, screen=cls.SCREEN, locale=cls.LOCALE).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def setUp(self):
        self.apps = []

    def tearDown(self):
        for app in self.apps:
            app.program.close()

    def start(self, locale=None):
        app = DrawTest(self.session, self._testMethodName, locale)
        self.apps.append(app)
        return app


class DrawTest:
    """One Scrivet started in a session, with its surface on the screen. `name` starts the
    names of its screenshots."""

    def __init__(self, session, name, locale=None):
        self.session = session
        self.name = name
        self.helper = session.config.exe(HELPER)
        self.program = session.start(session.config.exe(PROGRAM), locale=locale)
        self.window, self.client = self.wait_surface()

    # --- the surface and its controls, from inside the prefix -------------------------------

    def call(self, *args, timeout=30):
        """Runs one scrivetprobe command; (exit code, first line's fields)."""
        code, out, err = self.session.prefix.run([self.helper, *map(str, args)], timeout=timeout)
        if code not in (0, EXIT_NO_SURFACE):
            raise HarnessError(f"scrivetprobe {' '.join(map(str, args))} ended with {code}: "
                               f"{err.strip() or out.strip()}")
        lines = out.splitlines()
        return code, (lines[0].rstrip("\r").split("\t") if lines else [])

    def surface(self):
        """(window Rect, client Rect on the screen), or None when no surface is shown."""
        code, fields = self.call("surface")
        if code != 0:
            return None
        numbers = list(map(int, fields[1:9]))
        return Rect(*numbers[:4]), Rect(*numbers[4:])

    def wait_surface(self, timeout=START):
        deadline = time.monotonic() + timeout
        while True:
            found = self.surface()
            if found is not None:
                return found
            if not self.program.running or time.monotonic() > deadline:
                raise Mismatch("the draw test surface", f"shown within {timeout} s",
                               "no surface" + ("" if self.program.running else
                                               f"; the program ended: {self.program.output()}"),
                               self.session.describe())
            time.sleep(_POLL)

    def button(self, control_id):
        """(Rect on the screen, visible, text) of control 1 (clear) or 2 (exit)."""
        _, fields = self.call("button", control_id)
        return Rect(*map(int, fields[:4])), fields[4] == "1", fields[5]

    def capture(self):
        """Control id holding the mouse capture, 0 for nobody, -1 for another window."""
        return int(self.call("capture")[1][0])

    def send(self, message, wparam, x, y):
        """Sends one mouse message at a client point; it is handled when this returns."""
        self.call("send", message, wparam, x, y)

    def post_stroke(self, count, start, end, stall=15):
        """Posts a press at `start`, `count` moves spread from `start` to `end` and a release at
        `end` (client points on one row, off the yellow grid lines) to the surface, and waits
        until the pixel before `end` is drawn; returns that screenshot. Fails when the drawing
        makes no progress along the row for `stall` seconds."""
        self.call("post", WM_LBUTTONDOWN, MK_LBUTTON, *start)
        self.call("postmany", WM_MOUSEMOVE, MK_LBUTTON, count, *start, *end, timeout=300)
        self.call("post", WM_LBUTTONUP, 0, *end)
        y = self.client.y + start[1]
        row = range(self.client.x + start[0], self.client.x + end[0])
        reached, since = None, time.monotonic()
        while True:
            shot = self.shot("posted")
            drawn = next((x for x in reversed(row) if shot.pixel(x, y) not in (SURFACE, YELLOW)),
                         None)
            if drawn == row[-1]:
                return shot
            if drawn != reached:
                reached, since = drawn, time.monotonic()
            elif time.monotonic() - since > stall:
                raise Mismatch(f"the posted stroke along screen row {y}", f"drawn to {row[-1]}",
                               f"stopped at {reached} for {stall} s", f"screenshot: {shot.path}")
            time.sleep(1)

    def at(self, x, y):
        """The screen point of a client point."""
        return self.client.x + x, self.client.y + y

    # --- pointer and keys ----------------------------------------------------------------------

    def drag(self, points, color=RED):
        """Traces screen points with the left button down. Each leg must be drawn in `color`
        before the pointer moves on: moves that queue up are merged into one, which would cut
        the corner."""
        points = list(points)
        self.session.input.press(*points[0])
        for start, end in zip(points, points[1:]):
            self.session.input.move(*end)
            self.wait_stroke("leg", [start, end], color, what="leg while dragging")
        self.session.input.release(*points[-1])

    def key(self, name):
        self.session.input.key(name)

    # --- reading the screen --------------------------------------------------------------------

    def shot(self, label):
        return self.session.screenshot(f"{self.name}-{label}")

    def grid_runs(self, shot, axis, across, color):
        """Runs of `color` along one client row (axis "x": runs of vertical lines at client
        y = across) or column (axis "y"), as (first, length) in client coordinates; also the
        colours seen that are neither `color` nor the background."""
        size = self.client.width if axis == "x" else self.client.height
        runs, strays = [], set()
        start = None
        for i in range(size + 1):
            seen = None
            if i < size:
                seen = shot.pixel(*(self.at(i, across) if axis == "x" else self.at(across, i)))
            if seen == color:
                if start is None:
                    start = i
                continue
            if start is not None:
                runs.append((start, i - start))
                start = None
            if seen is not None and seen != SURFACE:
                strays.add(color_name(seen))
        return runs, strays

    def expected_grid(self, count, width):
        """The runs a grid of `count` lines of `width` pixels leaves along a row and a column:
        each line k · cell drawn over [k · cell - width / 2, k · cell - width / 2 + width)."""
        screen_w, screen_h = self.window.width, self.window.height

        def runs(cell, limit):
            result = []
            for k in range(1, count + 1):
                first = k * cell - width // 2
                last = min(first + width, limit)
                if first < limit:
                    result.append((first, last - first))
            return result

        return (runs(screen_w // count, self.client.width),
                runs(screen_h // count, self.client.height))

    def expect_grid(self, shot, count, color=YELLOW, width=1):
        """The surface shows exactly the grid: lines where `count` puts them, `width` pixels
        wide, in `color`, on the background, checked along a row and a column between lines."""
        vertical, horizontal = self.expected_grid(count, width)
        row = (self.window.height // count) // 2
        column = (self.window.width // count) // 2
        for axis, across, expected in (("x", row, vertical), ("y", column, horizontal)):
            runs, strays = self.grid_runs(shot, axis, across, color)
            expect_equal(f"{color_name(color)} grid line runs (start, width) along client "
                         f"{'row y' if axis == 'x' else 'column x'} = {across}", expected, runs,
                         f"screenshot: {shot.path}")
            expect_equal(f"colours besides grid and background on that line", set(), strays,
                         f"screenshot: {shot.path}")

    def expect_no_grid(self, shot):
        for axis, across in (("x", 40), ("y", 40)):
            runs, strays = self.grid_runs(shot, axis, across, SURFACE)
            expect_equal(f"background across client {axis} line at {across}",
                         ([(0, self.client.width if axis == 'x' else self.client.height)], set()),
                         (runs, strays), f"screenshot: {shot.path}")

    def wait_shot(self, label, check, timeout=WAIT):
        """Takes screenshots until `check(shot)` raises no Mismatch; returns that screenshot.
        After `timeout` seconds the last Mismatch goes to the caller."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.shot(label)
            try:
                check(shot)
                return shot
            except Mismatch:
                if time.monotonic() > deadline:
                    raise
            time.sleep(_POLL)

    def wait_grid(self, label, count, color=YELLOW, width=1):
        """Waits for the surface to show this grid. A grid that was already there proves no
        repaint: wait for what the repaint changes (see wait_wiped)."""
        return self.wait_shot(label, lambda shot: self.expect_grid(shot, count, color, width))

    def wait_stroke(self, label, points, color=RED, what="stroke"):
        """Waits until the stroke through the screen points is drawn (see expect_stroke)."""
        return self.wait_shot(label, lambda shot: self.expect_stroke(shot, points, color, what))

    def wait_wiped(self, label, point, color=RED, what="spot"):
        """Waits until a repaint has wiped the stroke through a screen point."""
        return self.wait_shot(label, lambda shot: self.expect_untouched(shot, point, color, what))

    def wait_no_grid(self, label):
        return self.wait_shot(label, self.expect_no_grid)

    def expect_stroke(self, shot, points, color=RED, what="stroke"):
        """Each leg between consecutive screen points (horizontal, vertical or diagonal at
        45 degrees) is drawn in `color`, one pixel wide, up to the point before the leg's end."""
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            dx, dy = x1 - x0, y1 - y0
            steps = max(abs(dx), abs(dy))
            if not (dx == 0 or dy == 0 or abs(dx) == abs(dy)):
                raise HarnessError(f"leg {(x0, y0)}-{(x1, y1)} is not straight or diagonal")
            sx, sy = (dx > 0) - (dx < 0), (dy > 0) - (dy < 0)
            missing = [(x0 + i * sx, y0 + i * sy) for i in range(steps)
                       if shot.pixel(x0 + i * sx, y0 + i * sy) != color]
            expect_equal(f"{what}: pixels of leg {(x0, y0)}-{(x1, y1)} not "
                         f"{color_name(color)}", [], missing[:10], f"screenshot: {shot.path}")
            if dx == 0 or dy == 0:
                # Beside a straight leg, away from its ends, the colour goes no further, unless
                # a line crosses it there (a grid line of the same colour).
                side = (0, 1) if dy == 0 else (1, 0)
                thick = []
                for i in range(2, steps - 1):
                    for d in (-1, 1):
                        near = (x0 + i * sx + d * side[0], y0 + i * sy + d * side[1])
                        far = (near[0] + d * side[0], near[1] + d * side[1])
                        if shot.pixel(*near) == color and shot.pixel(*far) != color:
                            thick.append(near)
                expect_equal(f"{what}: {color_name(color)} pixels beside the one-pixel leg "
                             f"{(x0, y0)}-{(x1, y1)}", [], thick[:10], f"screenshot: {shot.path}")

    def expect_untouched(self, shot, point, color=RED, what="spot"):
        """No pixel of `color` within one pixel of a screen point."""
        x, y = point
        hits = [(x + i, y + j) for i in (-1, 0, 1) for j in (-1, 0, 1)
                if shot.pixel(x + i, y + j) == color]
        expect_equal(f"{what}: {color_name(color)} pixels around {point}", [], hits,
                     f"screenshot: {shot.path}")

    # --- the settings menu -----------------------------------------------------------------------
    # Greyed items are told apart by what they do, not by their look (a thin enabled "1" is as
    # light as a greyed "2"): clicking a greyed item leaves the menu open, choosing an enabled one
    # closes it and applies it; a greyed group opens no submenu.

    def menus(self):
        """Rects of the visible popup menus, in the order Wine lists them."""
        return [w.rect for w in self.session.windows.list()
                if w.visible and w.class_name == MENU_CLASS]

    def wait_menus(self, count, what, timeout=WAIT):
        """Waits until `count` popup menus are shown, each with its size: a busy Wine lets a new
        popup be seen for a moment before it is placed."""
        deadline = time.monotonic() + timeout
        while True:
            shown = self.menus()
            if len(shown) == count and all(r.width > 0 and r.height > 0 for r in shown):
                return shown
            if time.monotonic() > deadline:
                raise Mismatch(what, f"{count} popup menus shown", f"{len(shown)}",
                               self.session.describe())
            time.sleep(_POLL)

    def expect_menus_stay(self, count, what, settle=0.4):
        time.sleep(settle)
        shown = self.menus()
        if len(shown) != count:
            raise Mismatch(what, f"{count} popup menus still shown", f"{len(shown)}",
                           self.session.describe())
        return shown

    def open_menu(self, point=None):
        """Right-clicks a screen point of the surface; returns the popup's Rect."""
        self.session.input.click(*(point or self.at(500, 300)), button=3)
        return self.wait_menus(1, "the settings menu after a right click")[0]

    @staticmethod
    def rows(menu, count):
        """The Rects of a popup's `count` rows."""
        inner = menu.height - 2 * MENU_FRAME
        if inner % count:
            raise HarnessError(f"popup {menu} does not divide into {count} rows")
        height = inner // count
        return [Rect(menu.x + MENU_FRAME, menu.y + MENU_FRAME + i * height,
                     menu.width - 2 * MENU_FRAME, height) for i in range(count)]

    def point_at(self, row):
        self.session.input.move(row.x + 10, row.y + row.height // 2)

    def click_row(self, row):
        self.session.input.click(row.x + 10, row.y + row.height // 2)

    def open_group(self, menu, group):
        """Points at a group of the open popup; returns the Rect of its submenu."""
        self.point_at(self.rows(menu, GROUPS)[group])
        shown = self.wait_menus(2, f"submenu of group {group}")
        return next(r for r in shown if r != menu)

    def close_menus(self):
        for _ in self.menus():
            self.session.input.key("Escape")
        self.wait_menus(0, "menus after Escape")

    def click_greyed(self, group, submenu, greyed):
        """Clicks each item of `greyed` in the open submenu; each must leave the menu open."""
        rows = self.rows(submenu, len(ITEMS[group]))
        for index in sorted(greyed):
            self.click_row(rows[index])
            self.expect_menus_stay(2, f"clicking item {index} of group {group}, which should "
                                      f"be greyed")

    def expect_greyed(self, group, greyed, label):
        """The items of `greyed` in a group are greyed: clicking them does nothing."""
        menu = self.open_menu()
        submenu = self.open_group(menu, group)
        self.shot(f"{label}-menu")
        self.click_greyed(group, submenu, greyed)
        self.close_menus()

    def expect_groups(self, greyed_groups, label):
        """Only the groups in `greyed_groups` open no submenu when pointed at."""
        menu = self.open_menu()
        self.shot(f"{label}-popup")
        rows = self.rows(menu, GROUPS)
        for group in range(GROUPS):
            self.point_at(rows[group])
            if group in greyed_groups:
                self.expect_menus_stay(1, f"pointing at greyed group {group}", settle=0.8)
            else:
                self.wait_menus(2, f"pointing at group {group}")
        self.close_menus()

    def choose(self, group, index, greyed=()):
        """Chooses an item of the settings menu with the pointer, after clicking the items of
        `greyed`, which must do nothing. The menu must close on the choice."""
        menu = self.open_menu()
        submenu = self.open_group(menu, group)
        self.click_greyed(group, submenu, greyed)
        self.click_row(self.rows(submenu, len(ITEMS[group]))[index])
        self.wait_menus(0, f"menus after choosing item {index} of group {group}")

    # --- the end -------------------------------------------------------------------------------

    def expect_exit(self, timeout=WAIT):
        self.program.expect_exit(0, timeout, self.session.describe)
        expect_true("the surface after the program ended", self.surface() is None, "gone",
                    "still shown")
