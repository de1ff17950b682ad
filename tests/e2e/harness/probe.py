"""Runs touchprobe (tests/e2e/probe) inside a prefix; the other modules build on it.

One `touchprobe serve` process answers the commands of a whole session, a few milliseconds
each; a command under a locale other than the session's runs in a process of its own."""

import os
import select
import time

from .errors import HarnessError

# Exit codes of touchprobe (ProbeIo.h).
EXIT_OK = 0
EXIT_NO_WINDOW = 2
EXIT_NO_VALUE = 2
EXIT_NO_KEY = 3
EXIT_NO_CHILD = 4
EXIT_NO_DEVICE = 5

_END = "\x04"


class Probe:
    """touchprobe in one prefix."""

    def __init__(self, prefix):
        self.prefix = prefix
        self.exe = prefix.config.probe
        self._server = None
        self._pending = b""

    def call(self, *args, accept=(EXIT_OK,), timeout=30, locale=None):
        """Runs one probe command (under `locale`, default the prefix's). Returns (exit code,
        output lines); an exit code outside `accept` raises HarnessError with the probe's
        message."""
        words = [str(a) for a in args]
        if locale is None:
            code, lines = self._ask(words, timeout)
        else:
            code, out, err = self.prefix.run([self.exe, *words], timeout=timeout, locale=locale)
            lines = (out + err if code else out).splitlines()
        if code not in accept:
            raise HarnessError(f"touchprobe {' '.join(words)} ended with {code}: "
                               + " ".join(lines + self._errors(locale)))
        return code, [line.rstrip("\r") for line in lines]

    def fields(self, *args):
        """Runs a command that prints one line of tab-separated fields and returns them, or
        None when the command reports that its window or control does not exist."""
        code, lines = self.call(*args, accept=(EXIT_OK, EXIT_NO_WINDOW, EXIT_NO_CHILD))
        if code != EXIT_OK:
            return None
        if not lines:
            raise HarnessError(f"touchprobe {' '.join(map(str, args))} printed nothing")
        return lines[0].split("\t")

    def _errors(self, locale):
        """The last lines the serving probe wrote to standard error (kept apart from its
        answers), for a failure message; none for a command run in a process of its own."""
        if locale is not None or self._server is None:
            return []
        with open(self._server.errors_path, "rb") as f:
            return f.read().decode("utf-8", errors="replace").splitlines()[-3:]

    def _ask(self, words, timeout):
        if any("\t" in w or "\n" in w for w in words):
            raise HarnessError(f"probe arguments cannot hold tabs or line ends: {words}")
        if self._server is None or self._server.poll() is not None:
            self._server = self.prefix.start_piped([self.exe, "serve"])
            self._pending = b""
        self._server.stdin.write(("\t".join(words) + "\n").encode())
        self._server.stdin.flush()
        lines = []
        deadline = time.monotonic() + timeout
        while True:
            line = self._read_line(deadline, words)
            if line.startswith(_END):
                return int(line[1:]), lines
            lines.append(line)

    def _read_line(self, deadline, words):
        fd = self._server.stdout.fileno()
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                self.close()
                raise HarnessError(f"touchprobe {' '.join(words)} did not answer in time")
            chunk = os.read(fd, 65536)
            if not chunk:
                self.close()
                raise HarnessError(f"touchprobe ended while answering {' '.join(words)}")
            self._pending += chunk
        line, self._pending = self._pending.split(b"\n", 1)
        return line.decode("utf-8", errors="replace").rstrip("\r")

    def close(self):
        """Ends the serving probe, if any."""
        if self._server is None:
            return
        self._server.stdin.close()
        try:
            self._server.wait(5)
        except Exception:
            self._server.kill()
            self._server.wait()
        self._server.stdout.close()
        self._server = None
