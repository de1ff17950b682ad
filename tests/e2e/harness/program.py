"""A Windows program started by a test, running while the test drives it."""

import subprocess

from .errors import Mismatch
from .timing import WAIT


class Program:
    """Use Session.start to make one. `wait` returns the Windows exit code (modulo 256, as
    Wine's loader passes it on)."""

    def __init__(self, prefix, args, output_path, locale=None, display=True):
        self.args = [str(a) for a in args]
        self.output_path = output_path
        self._output = open(output_path, "wb")
        self._process = prefix.start(self.args, self._output, locale, display)

    @property
    def running(self):
        return self._process.poll() is None

    def wait(self, timeout=WAIT, describe=None):
        """Waits for the program to end and returns its exit code. Raises Mismatch when it is
        still running after `timeout` seconds; `describe` (a callable) adds what the screen
        showed to that message."""
        try:
            return self._process.wait(timeout)
        except subprocess.TimeoutExpired:
            detail = describe() if describe else None
            raise Mismatch(f"{self.args[0]}", f"to end within {timeout} s", "it was still running",
                           detail) from None

    def expect_exit(self, code, timeout=WAIT, describe=None):
        """Raises Mismatch unless the program ends within `timeout` with exit code `code`."""
        seen = self.wait(timeout, describe)
        if seen != code:
            raise Mismatch(f"exit code of {self.args[0]}", code, seen,
                           f"its output:\n{self.output()}")

    def output(self):
        """What the program wrote to standard output and standard error so far."""
        self._output.flush()
        with open(self.output_path, "rb") as f:
            return f.read().decode("utf-8", errors="replace")

    def close(self):
        """Kills the Wine loader if it still runs (the session's wineserver -k ends the rest)."""
        if self._process.poll() is None:
            self._process.kill()
            self._process.wait()
        self._output.close()
