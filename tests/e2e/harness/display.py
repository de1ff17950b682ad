"""A private X screen per test: Xvfb on a display number it picks itself."""

import os
import select
import subprocess
import tempfile
import time

from .errors import HarnessError


class Display:
    """An Xvfb server started by this process and stopped by `close()` (by its own PID)."""

    def __init__(self, janitor, width=1024, height=768, depth=24, timeout=30):
        self.width, self.height, self.depth = width, height, depth
        read_end, write_end = os.pipe()
        self._errors = tempfile.TemporaryFile()
        try:
            self._process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{width}x{height}x{depth}", "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=self._errors)
            os.close(write_end)
            janitor.watch("xvfb", self._process.pid)
            self.number = self._read_display_number(read_end, timeout)
        finally:
            os.close(read_end)
        self.name = f":{self.number}"

    def _read_display_number(self, fd, timeout):
        deadline = time.monotonic() + timeout
        text = b""
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                self.close()
                raise HarnessError(f"Xvfb did not report a display within {timeout} s")
            chunk = os.read(fd, 16)
            if not chunk:
                self._process.wait(5)
                self._errors.seek(0)
                errors = self._errors.read().decode(errors="replace")
                self.close()
                raise HarnessError(f"Xvfb exited before reporting a display:\n{errors}")
            text += chunk
        return int(text)

    def close(self):
        """Stops the server if it is still running."""
        if self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._errors.close()
