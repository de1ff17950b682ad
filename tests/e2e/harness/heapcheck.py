"""Wine's heap checks on the processes of ours a session starts.

Our programs, the applet's host and our helpers run with Wine's heap validation on: a double
free or a pointer the heap never handed out makes Wine print a `warn:heap:` or `err:heap:` line
on the standard error of the process. What each of them prints there is kept in a file beside
the screenshots, and a session fails its test when any of those files holds such a line. Wine's
own programs (reg, sc, net, wineboot and the services they wake) run without the checks: their
heap is Wine's business, not ours. TOUCH_HEAP_CHECKS=0 turns the checks off.
"""

import os
import re

from .errors import Mismatch

# Heap validation on, every other debug channel off.
CHECKED = "-all,err+heap,warn+heap"
UNCHECKED = "-all"

_REPORT = re.compile(rb"^(?:[0-9a-f]+:)*(?:err|warn):heap:.*$", re.MULTILINE)


def _is_ours(args):
    """Whether a command runs code of ours: a program named by its path (Wine's own are named
    bare, like "reg"), or a program handed one of our applets (the control panel, rundll32)."""
    program = str(args[0])
    return "/" in program or "\\" in program or any(".cpl" in str(a).lower() for a in args[1:])


class HeapCheck:
    """The standard-error files of one session's processes of ours, named `<stem>-wine<n>.err`."""

    def __init__(self, stem):
        self._stem = stem
        self._watched = []
        self.enabled = os.environ.get("TOUCH_HEAP_CHECKS") != "0"

    def applies(self, args):
        """Whether the command `args` runs under the checks."""
        return self.enabled and _is_ours(args)

    def error_file(self, args):
        """A new file for the standard error of a process of ours, opened for writing."""
        path = self._stem.with_name(f"{self._stem.name}-wine{len(self._watched)}.err")
        self.watch(args, path)
        return open(path, "wb")

    def keep(self, args, data):
        """Keeps the standard error `data` a process of ours printed, for the check."""
        with self.error_file(args) as f:
            f.write(data)

    def watch(self, args, path):
        """Checks the file `path` that a process of ours writes its standard error to."""
        self._watched.append((" ".join(map(str, args)), path))

    def reports(self):
        """Each command whose process reported heap damage, with Wine's lines about it."""
        found = []
        for command, path in self._watched:
            with open(path, "rb") as f:
                lines = _REPORT.findall(f.read())
            if lines:
                found.append((command, [line.decode(errors="replace") for line in lines]))
        return found

    def expect_clean(self):
        """Raises Mismatch when a process of ours reported heap damage."""
        found = self.reports()
        if found:
            raise Mismatch("Wine's heap checks", "no heap report from our processes",
                           "\n" + "\n".join(f"  {command}:\n    " + "\n    ".join(lines[:10])
                                            for command, lines in found))
