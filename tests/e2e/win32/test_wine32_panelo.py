"""The shipped applet under 32-bit Wine, loaded by a 32-bit host as the control panel loads it:
by its undecorated CPlApplet export, answering a load and unload cycle."""

import unittest

import harness
from harness import Session, expect_equal

from shipped import SLOW, package_file

EXIT_NO_ENTRY = 4
EXIT_NOT_STDCALL = 5


class ShippedAppletTest(unittest.TestCase):
    def test_load_init_getcount_exit(self):
        with Session.for_test(self) as s:
            applet = "Z:" + str(package_file(s, "Panelo")).replace("/", "\\")
            code, out, err = s.prefix.run(
                [s.config.exe("cplhost"), applet, "init", "getcount", "exit"], timeout=SLOW)
            expect_equal(f"cplhost exit code ({EXIT_NO_ENTRY}: no undecorated CPlApplet, "
                         f"{EXIT_NOT_STDCALL}: not stdcall)", 0, code, f"output:\n{out}{err}")
            answers = [tuple(line.strip().split("\t")) for line in out.splitlines()]
            # The applet lists its one dialog: GETCOUNT answers 1.
            expect_equal("answers of CPlApplet",
                         [("init", "1"), ("getcount", "1"), ("exit", "0")], answers)


if __name__ == "__main__":
    harness.main()
