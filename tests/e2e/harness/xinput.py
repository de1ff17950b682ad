"""Mouse and keyboard input through xdotool on the test's own display."""

import os
import subprocess
import time

from .errors import HarnessError

# Pause after moving the pointer, instead of xdotool's --sync, which can hang ~15 s when the
# pointer is already there.
_SETTLE = 0.05


class XInput:
    """All coordinates are X root coordinates, equal to Windows screen coordinates."""

    def __init__(self, display_name):
        self._env = dict(os.environ, DISPLAY=display_name)

    def xdotool(self, *args, timeout=20):
        """Runs one xdotool command line; returns its standard output."""
        command = ["xdotool", *map(str, args)]
        try:
            result = subprocess.run(command, env=self._env, stdin=subprocess.DEVNULL,
                                    capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"{command} did not end within {timeout} s") from None
        if result.returncode not in (0, 1):
            raise HarnessError(f"{command} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode(errors="replace")

    def move(self, x, y):
        self.xdotool("mousemove", x, y)
        time.sleep(_SETTLE)

    def click(self, x, y, button=1):
        """Moves to (x, y) and clicks; a touch release is the left button going up."""
        self.move(x, y)
        self.xdotool("click", button)

    def press(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mousedown", button)

    def release(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mouseup", button)

    def drag(self, points, button=1, step_pause=0.02):
        """Presses at the first point, moves through the others and releases at the last."""
        points = list(points)
        self.press(*points[0], button=button)
        for x, y in points[1:]:
            self.xdotool("mousemove", x, y)
            time.sleep(step_pause)
        time.sleep(_SETTLE)
        self.xdotool("mouseup", button)

    def key(self, *names):
        """Presses and releases keys by X keysym names, e.g. key("Return"), key("alt+F4")."""
        self.xdotool("key", "--delay", 30, *names)

    def type(self, text):
        self.xdotool("type", "--delay", 30, text)

    def search(self, title):
        """X window ids of visible windows whose name is exactly `title`. Wine's WM_NAME, which
        xdotool matches, carries a character beyond Latin-1 as "?": such a character matches
        any one, and the caller confirms the exact title from inside the prefix."""

        def literal(c):
            if ord(c) > 255:
                return "."
            return "\\" + c if not c.isalnum() and c != " " and ord(c) < 128 else c

        pattern = "^" + "".join(literal(c) for c in title) + "$"
        out = self.xdotool("search", "--onlyvisible", "--name", pattern)
        return [int(line) for line in out.split()]
