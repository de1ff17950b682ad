"""Window geometry, texts, posted messages and system facts, seen from inside the prefix."""

from dataclasses import dataclass

WM_CLOSE = 0x0010
WM_MOUSEMOVE = 0x0200
WM_LBUTTONDOWN = 0x0201
WM_LBUTTONUP = 0x0202
MK_LBUTTON = 0x0001


@dataclass(frozen=True)
class Rect:
    """A rectangle in screen pixels (equal to X root coordinates without a virtual desktop)."""

    x: int
    y: int
    width: int
    height: int

    @property
    def center(self):
        return (self.x + self.width // 2, self.y + self.height // 2)

    @property
    def right(self):
        return self.x + self.width

    @property
    def bottom(self):
        return self.y + self.height

    def contains(self, x, y):
        return self.x <= x < self.right and self.y <= y < self.bottom


@dataclass(frozen=True)
class WindowInfo:
    """One top-level window as `WindowInspector.list` reports it."""

    handle: int
    visible: bool
    rect: Rect
    class_name: str
    title: str


@dataclass(frozen=True)
class ControlInfo:
    """A control as `WindowInspector.item` reports it."""

    rect: Rect
    visible: bool
    enabled: bool


def _rect(fields):
    return Rect(*map(int, fields[:4])) if fields else None


def make_lparam(x, y):
    """The lParam of a mouse message at client position (x, y)."""
    return (x & 0xFFFF) | ((y & 0xFFFF) << 16)


class WindowInspector:
    """Windows are named by their exact title; controls by the title of their top-level window
    and their control id."""

    def __init__(self, probe):
        self._probe = probe

    def list(self):
        """Every top-level window, visible or not."""
        _, lines = self._probe.call("windows")
        result = []
        for line in lines:
            handle, visible, x, y, w, h, class_name, title = line.split("\t", 7)
            result.append(WindowInfo(int(handle), visible == "1",
                                     Rect(int(x), int(y), int(w), int(h)), class_name, title))
        return result

    def describe(self):
        """The visible top-level windows as text for failure messages."""
        shown = [f"  {w.title!r} ({w.class_name}) at {w.rect}" for w in self.list() if w.visible]
        return "visible windows:\n" + ("\n".join(shown) or "  (none)")

    def foreground(self):
        """The foreground window's title and its owner's ("" for none)."""
        _, lines = self._probe.call("foreground")
        title, owner = (lines[0].split("\t") + [""])[:2] if lines else ("", "")
        return title, owner

    def rect(self, title):
        """The window rectangle, or None when no top-level window has that title."""
        return _rect(self._probe.fields("findwindow", title))

    def visible(self, title):
        fields = self._probe.fields("findwindow", title)
        return fields is not None and fields[4] == "1"

    def client_rect(self, title):
        """The client area in screen coordinates, or None."""
        return _rect(self._probe.fields("clientrect", title))

    def child_rect(self, title, control_id):
        """A control's rectangle in screen coordinates, or None."""
        return _rect(self._probe.fields("childrect", title, str(control_id)))

    def child_text(self, title, control_id=0):
        """A control's text (id 0: the window's own), or None when there is no such control."""
        code, lines = self._probe.call("childtext", title, str(control_id), accept=(0, 2, 4))
        return "\n".join(lines) if code == 0 else None

    def tab_rect(self, title, index):
        """The rectangle of tab `index` of the window's tab control (a property sheet's tabs)."""
        return _rect(self._probe.fields("tabrect", title, str(index)))

    def tab_text(self, title, index):
        """The text of tab `index` of the window's tab control, or None when there is none."""
        fields = self._probe.fields("tabtext", title, str(index))
        return None if fields is None else "\t".join(fields)

    def item(self, title, control_id):
        """A ControlInfo of the control with that id anywhere below the window (a property
        page's control inside its sheet), or None."""
        fields = self._probe.fields("itemrect", title, str(control_id))
        return None if fields is None else ControlInfo(_rect(fields), fields[4] == "1",
                                                       fields[5] == "1")

    def item_text(self, title, control_id):
        """The text of a control anywhere below the window, or None when there is none."""
        code, lines = self._probe.call("itemtext", title, str(control_id), accept=(0, 2, 4))
        return "\n".join(lines) if code == 0 else None

    def item_send(self, title, control_id, message, wparam=0, lparam=0):
        """Sends one message to a control anywhere below the window (id 0: the window) and
        returns the answer; HarnessError when the window's thread does not answer in 5 s."""
        _, lines = self._probe.call("itemsend", title, str(control_id), str(message),
                                    str(wparam), str(lparam))
        return int(lines[0])

    def post(self, title, message, wparam=0, lparam=0, control_id=0):
        """Posts one message to the window (or its control)."""
        self._probe.call("post", title, str(control_id), str(message), str(wparam), str(lparam))

    def cursor(self):
        """(showing, x, y) of the cursor as GetCursorInfo reports it."""
        _, lines = self._probe.call("cursor")
        showing, x, y = lines[0].split("\t")
        return showing == "1", int(x), int(y)

    def locale(self, locale=None):
        """(system default LCID, user default LCID, ANSI code page) of a process started under
        the Unix `locale` (default: the session's)."""
        _, lines = self._probe.call("locale", locale=locale)
        return tuple(int(v) for v in lines[0].split("\t"))

    def version(self):
        """(major, minor, build) of the Windows the prefix reports."""
        _, lines = self._probe.call("version")
        return tuple(int(v) for v in lines[0].split("\t"))

    def screen_size(self):
        _, lines = self._probe.call("screen")
        return tuple(int(v) for v in lines[0].split("\t"))
