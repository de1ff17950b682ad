"""Screenshots of the whole X screen, kept as PNG for a person and read as pixels by tests."""

import collections
import os
import subprocess

from .errors import HarnessError, Mismatch

IMPORT = "/usr/bin/import"
CONVERT = "/usr/bin/convert"


def _run(command, env, timeout=30):
    try:
        result = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=timeout)
    except subprocess.TimeoutExpired:
        raise HarnessError(f"{command} did not end within {timeout} s") from None
    if result.returncode != 0:
        raise HarnessError(f"{command} failed: {result.stderr.decode(errors='replace')}")
    return result.stdout


def _parse_ppm(data):
    """(width, height, RGB bytes) of a binary PPM with 8-bit samples."""
    fields = []
    offset = 0
    while len(fields) < 4:
        while data[offset:offset + 1].isspace():
            offset += 1
        if data[offset:offset + 1] == b"#":
            offset = data.index(b"\n", offset) + 1
            continue
        end = offset
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[offset:end])
        offset = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise HarnessError(f"unexpected PPM header {fields}")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[offset + 1:offset + 1 + width * height * 3]
    if len(pixels) != width * height * 3:
        raise HarnessError("PPM data is shorter than its header says")
    return width, height, pixels


class Screenshot:
    """One capture of the root window: `path` is the PNG, pixels are (r, g, b) tuples."""

    def __init__(self, path, display_name):
        env = dict(os.environ, DISPLAY=display_name)
        _run([IMPORT, "-window", "root", str(path)], env)
        self.path = path
        self.width, self.height, self._pixels = _parse_ppm(
            _run([CONVERT, str(path), "-depth", "8", "ppm:-"], env))

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise HarnessError(f"pixel ({x}, {y}) is outside the {self.width}x{self.height} "
                               f"screenshot {self.path}")
        i = (y * self.width + x) * 3
        return tuple(self._pixels[i:i + 3])

    def colors(self, rect):
        """A Counter of the colours inside a Rect (clipped to the screen)."""
        counter = collections.Counter()
        for y in range(max(rect.y, 0), min(rect.bottom, self.height)):
            row = (y * self.width) * 3
            for x in range(max(rect.x, 0), min(rect.right, self.width)):
                i = row + x * 3
                counter[tuple(self._pixels[i:i + 3])] += 1
        return counter

    def count(self, rect, color, tolerance=0):
        """How many pixels inside `rect` are within `tolerance` (per channel) of `color`."""
        return sum(n for c, n in self.colors(rect).items()
                   if all(abs(a - b) <= tolerance for a, b in zip(c, color)))

    def describe(self, rect, top=5):
        """The most frequent colours inside `rect`, for failure messages."""
        common = self.colors(rect).most_common(top)
        return ", ".join(f"#{r:02x}{g:02x}{b:02x} x{n}" for (r, g, b), n in common)

    def expect_pixel(self, x, y, color, tolerance=0, what=None):
        """Raises Mismatch unless the pixel at (x, y) is `color` within `tolerance`."""
        seen = self.pixel(x, y)
        if any(abs(a - b) > tolerance for a, b in zip(seen, color)):
            raise Mismatch(what or f"pixel ({x}, {y})", _hex(color), _hex(seen),
                           f"screenshot: {self.path}")


def _hex(color):
    return "#%02x%02x%02x" % tuple(color)
