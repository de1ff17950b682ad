"""The 32-bit test bench itself: a program's own access violations reach it as exceptions it
handles, as on Windows. Under qemu this holds only with the trap-number shim of run32;
without it every such fault kills the program as an illegal instruction."""

import unittest

import harness
from harness import Session, expect_equal

from shipped import SLOW

CRASH_DIALOG_KEY = r"HKCU\Software\Wine\WineDbg"


class FaultTest(unittest.TestCase):
    def test_access_violations_are_handled(self):
        with Session.for_test(self) as s:
            # A crash then ends the program at once, its report on standard error.
            s.registry.set_dword(CRASH_DIALOG_KEY, "ShowCrashDialog", 0)
            code, out, err = s.prefix.run([s.config.exe("faultcheck")], timeout=SLOW)
            expect_equal("faultcheck exit code", 0, code, f"output:\n{out}{err[-3000:]}")
            expect_equal("faults handled",
                         [("unmapped", "1"), ("readonly", "1")],
                         [tuple(line.strip().split("\t")) for line in out.splitlines()])


if __name__ == "__main__":
    harness.main()
