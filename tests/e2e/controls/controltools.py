"""Reading and driving the applet's three control classes in end-to-end sessions: the demo
dialog (controlsdemo) with visible instances, the real sheet opened through the control panel,
and the images the controls show, read from the applet's resource files."""

import struct
import time
from dataclasses import dataclass

from harness import HarnessError, Mismatch, Rect

DEMO = "controlsdemo"
PROBE = "controlsprobe"
DEMO_TITLE = "Touch controls demo"
# The demo's message boxes carry the module's name.
DEMO_BOX = "controlsdemo"

# Demo controls (ControlsDemoIds.h).
CAPTIONED, ICON_ONLY, DEFAULT, DISABLED, FIRST_EDIT, MIDDLE, LAST_EDIT = range(101, 108)
OPENING_LINK, CENTRED_LINK, RIGHT_LINK, MIDDLE_LINK, FAILING_LINK, UNTITLED_LINK = \
    range(201, 207)
MASKED, FOUR_COPY, PLAIN, CUT, UNATTACHED = range(301, 306)
# Messages the demo takes from a test.
WM_APP = 0x8000
DISABLE_MIDDLE = WM_APP + 1
CHANGE_SYSTEM_COLORS = WM_APP + 2
CHANGED_BUTTON_TEXT = (200, 0, 0)
CHANGED_BUTTON_FACE = (120, 200, 220)
STRIPES = [(40, 120, 80), (200, 180, 60)]
STRIPE_HEIGHT = 4

# System colour indices.
COLOR_WINDOWFRAME = 6
COLOR_HIGHLIGHT, COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNTEXT = 13, 15, 16, 18
COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT = 20, 21, 22

LINK = (0, 0, 238)
VISITED = (85, 26, 139)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

_POLL = 0.1


@dataclass(frozen=True)
class Control:
    """One window below a top-level window, as controlsprobe's tree reports it."""

    handle: int
    parent: int
    id: int
    visible: bool
    enabled: bool
    rect: Rect
    class_name: str
    text: str
    state: str


def _title_arg(title):
    """A title as controlsprobe takes it: the hex digits of its UTF-8 bytes."""
    return title.encode("utf-8").hex()


def _unescape(text):
    return text.replace("\\n", "\n").replace("\\r", "\r").replace("\\t", "\t")


class Probe:
    """controlsprobe in a session's prefix."""

    def __init__(self, session):
        self.session = session
        self.exe = session.config.exe(PROBE)

    def call(self, *args, accept=(0,)):
        code, out, err = self.session.prefix.run([self.exe, *map(str, args)], timeout=60)
        if code not in accept:
            raise HarnessError(f"controlsprobe {' '.join(map(str, args))} ended with {code}: "
                               f"{err.strip() or out.strip()}")
        return code, [line.rstrip("\r") for line in out.splitlines() if line.strip("\r")]

    def tree(self, title):
        """Every window below the top-level window `title`, or None without such a window."""
        code, lines = self.call("tree", _title_arg(title), accept=(0, 2))
        if code != 0:
            return None
        controls = []
        for line in lines:
            f = line.split("\t")
            controls.append(Control(int(f[0]), int(f[1]), int(f[2]), f[3] == "1", f[4] == "1",
                                    Rect(*map(int, f[5:9])), f[9], _unescape(f[10]),
                                    _unescape(f[11]) if len(f) > 11 else ""))
        return controls

    def focus(self, title):
        """(handle, control id) of the keyboard focus in the thread of window `title`."""
        _, lines = self.call("focus", _title_arg(title))
        fields = lines[0].split("\t")
        return int(fields[0]), int(fields[1])

    def tooltips(self):
        """The texts of the tooltips on the screen."""
        _, lines = self.call("tooltips")
        return [line.split("\t", 4)[4] for line in lines]

    def cursor(self):
        """The handle of the cursor on the screen."""
        _, lines = self.call("cursor")
        return int(lines[0])

    def system_colors(self):
        """The system colours by index, as (r, g, b)."""
        _, lines = self.call("syscolors")
        colors = {}
        for line in lines:
            index, r, g, b = map(int, line.split("\t"))
            colors[index] = (r, g, b)
        return colors


def controls_by_id(controls, parent=None):
    """The controls by id; with `parent`, only its direct children."""
    return {c.id: c for c in controls if parent is None or c.parent == parent}


class Demo:
    """The demo dialog started in a session, with its controls located."""

    def __init__(self, session):
        self.session = session
        self.probe = Probe(session)
        self.program = session.start(session.config.exe(DEMO))
        self.window = session.wait_window(DEMO_TITLE, timeout=60)
        session.wait_until("the demo's start", lambda: "ready" in self.output(), timeout=30,
                           expected="'ready' on its output", seen=self.output)
        self.controls = controls_by_id(self.probe.tree(DEMO_TITLE))
        self.client = session.windows.client_rect(DEMO_TITLE)

    def output(self):
        return self.program.output()

    def lines(self, prefix):
        return [line for line in self.output().splitlines() if line.startswith(prefix)]

    def rect(self, control_id):
        return self.controls[control_id].rect

    def control(self, control_id):
        """The control as it is now."""
        return controls_by_id(self.probe.tree(DEMO_TITLE))[control_id]

    def focus_id(self):
        return self.probe.focus(DEMO_TITLE)[1]

    def post(self, message):
        self.session.windows.post(DEMO_TITLE, message)

    def wait_line(self, line, count=1, timeout=10):
        self.session.wait_until(f"demo output line {line!r}",
                                lambda: self.output().splitlines().count(line) >= count,
                                timeout=timeout, expected=f"{count} time(s)",
                                seen=lambda: f"output:\n{self.output()}")

    def close(self):
        self.program.close()


def wait_stable_shot(session, label, rect, settle=0.3, timeout=5):
    """A screenshot once the pixels inside `rect` stopped changing."""
    deadline = time.monotonic() + timeout
    shot = session.screenshot(label)
    while True:
        time.sleep(settle)
        again = session.screenshot(label)
        if again.colors(rect) == shot.colors(rect) or time.monotonic() > deadline:
            return again
        shot = again


# --- the applet's images --------------------------------------------------------------------

def icon_pixels(path):
    """The first image of an .ico with 4 bits per pixel as rows of (r, g, b), None where its
    mask leaves the background showing."""
    data = path.read_bytes()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    width, height, _, _, _, bits, _, offset = struct.unpack_from("<BBBBHHII", data, 6)
    if kind != 1 or bits != 4:
        raise HarnessError(f"{path} is not a 16-colour icon")
    header_size = struct.unpack_from("<I", data, offset)[0]
    palette_at = offset + header_size
    palette = [struct.unpack_from("<BBBB", data, palette_at + 4 * i)[2::-1] for i in range(16)]
    pixels_at = palette_at + 64
    stride = (width * 4 + 31) // 32 * 4
    mask_at = pixels_at + stride * height
    mask_stride = (width + 31) // 32 * 4
    rows = []
    for y in range(height):
        row_at = pixels_at + (height - 1 - y) * stride
        mask_row = mask_at + (height - 1 - y) * mask_stride
        row = []
        for x in range(width):
            byte = data[row_at + x // 2]
            index = byte >> 4 if x % 2 == 0 else byte & 0x0F
            clear = data[mask_row + x // 8] >> (7 - x % 8) & 1
            row.append(None if clear else tuple(palette[index]))
        rows.append(row)
    return rows


def bitmap_pixels(path):
    """A 24-bit .bmp as rows of (r, g, b), top row first."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        raise HarnessError(f"{path} is not a 24-bit bitmap")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y
        at = offset + source * stride
        rows.append([tuple(data[at + 3 * x:at + 3 * x + 3][::-1]) for x in range(width)])
    return rows


def expect_colors(what, shot, points, color, tolerance=0):
    """Every (x, y) of `points` shows `color`."""
    wrong = [(p, shot.pixel(*p)) for p in points
             if any(abs(a - b) > tolerance for a, b in zip(shot.pixel(*p), color))]
    if wrong:
        raise Mismatch(what, _hex(color) + f" at all {len(points)} points",
                       ", ".join(f"{_hex(c)} at {p}" for p, c in wrong[:6]) +
                       (f" and {len(wrong) - 6} more" if len(wrong) > 6 else ""),
                       f"screenshot: {shot.path}")


def _hex(color):
    return "#%02x%02x%02x" % tuple(color)


def image_mismatches(shot, origin, expected):
    """Where the screen from `origin` differs from `expected` (rows of colours, None meaning
    anything): a list of ((x, y), expected, seen)."""
    x0, y0 = origin
    wrong = []
    for dy, row in enumerate(expected):
        for dx, color in enumerate(row):
            if color is None:
                continue
            seen = shot.pixel(x0 + dx, y0 + dy)
            if seen != tuple(color):
                wrong.append(((x0 + dx, y0 + dy), color, seen))
    return wrong


def expect_image(what, shot, origin, expected):
    wrong = image_mismatches(shot, origin, expected)
    if wrong:
        sample = ", ".join(f"{_hex(e)}->{_hex(s)} at {p}" for p, e, s in wrong[:5])
        raise Mismatch(what, "every pixel as drawn", f"{len(wrong)} differ: {sample}",
                       f"screenshot: {shot.path}")
