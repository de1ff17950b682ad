"""End-to-end test harness: Windows programs under Wine with the stand-in touch driver.

A test script is a unittest module; each test opens a Session (its own prefix, X screen and
wineserver), installs the drivers it needs, starts programs, drives them with XInput and
checks the registry, the driver's request log, windows and screenshots. Every failure is a
Mismatch that says what was expected and what was seen. Run a script with `harness.main()`.
"""

import argparse
import os
import signal
import sys
import unittest

from .config import Config
from .driver import IoctlResult, StandInDriver
from .errors import HarnessError, Mismatch, expect_equal, expect_true
from .prefix import LOCALE_LCIDS
from .registry import KeySnapshot, RegValue
from .requestlog import Request
from .session import Session
from .windows import ControlInfo, Rect, WindowInfo
from . import requestlog, registry, windows

__all__ = ["Config", "ControlInfo", "HarnessError", "IoctlResult", "KeySnapshot", "LOCALE_LCIDS",
           "Mismatch", "Rect", "RegValue", "Request", "Session", "StandInDriver", "WindowInfo",
           "expect_equal", "expect_true", "main", "registry", "requestlog", "windows"]


def main():
    """Runs the calling script's unittest tests. `--build-dir DIR` names the Windows build tree
    when run by hand (ctest passes it in the environment)."""
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--build-dir")
    known, rest = parser.parse_known_args()
    if known.build_dir:
        os.environ["TOUCH_BUILD_DIR"] = os.path.abspath(known.build_dir)
        os.environ.setdefault("TOUCH_SHOTS_DIR", os.path.join(
            known.build_dir, "e2e-shots",
            os.path.splitext(os.path.basename(sys.argv[0]))[0]))
    # A CTest timeout sends SIGTERM first: end the sessions the normal way.
    signal.signal(signal.SIGTERM, lambda number, frame: sys.exit(128 + number))
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
