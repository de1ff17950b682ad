"""What the calibration program does before and around the calibration: the service entry and
the settings key, the margin it places the targets with, one instance at a time, and leaving
by Esc or by the time-out without storing anything."""

import time
import unittest

import harness
from harness import Mismatch, RegValue, Session, expect_equal, expect_true
from harness.timing import START

import pintara
from pintara import PARAMETERS, PROGRAM, SERVICE, TITLE

STORED = pintara.record_bytes((1000, 2000, 3000, 4000, 0, 800, 600))

SERVICE_VALUES = {
    "DisplayName": RegValue.sz("Touchscreen USB filter driver"),
    "Group": RegValue.sz("Pointer Port"),
    "ImagePath": RegValue.expand_sz(r"system32\DRIVERS\Velmuro.sys"),
    "Start": RegValue.dword(3),
    "Tag": RegValue.dword(16),
    "Type": RegValue.dword(1),
}

NEW_KEY_VALUES = {
    "MouseMode": RegValue.dword(3),
    "InterActTime": RegValue.dword(160),
    "DblClickRegion": RegValue.dword(30),
    "Calibration": RegValue.binary(bytes(28)),
    "CalibrateMargin": RegValue.dword(4),
    "Enable": RegValue.dword(0),
}


def expect_values(session, key, expected):
    snapshot = session.registry.snapshot(key)
    seen = {} if snapshot is None else snapshot.values
    missing = {name: str(value) for name, value in expected.items() if seen.get(name) != value}
    if missing:
        raise Mismatch(f"values of {key}", missing,
                       {name: str(seen.get(name)) for name in missing})
    return seen


def expect_first_target(session, centre, radius, label):
    session.wait_until(f"first target at {centre}", lambda: session.screenshot(
        f"wait-{label}").pixel(*centre) == pintara.YELLOW)
    pintara.expect_target(session.screenshot(label), centre, radius, f"first target ({label})")


class StartUpTest(unittest.TestCase):
    def test_missing_key_is_created_with_defaults_and_margin_four(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            expect_equal("settings key before the first start", False,
                         s.registry.exists(PARAMETERS))
            program = pintara.start(s)
            expect_values(s, SERVICE, SERVICE_VALUES)
            seen = expect_values(s, PARAMETERS, NEW_KEY_VALUES)
            expect_equal("values of the new key", sorted(NEW_KEY_VALUES), sorted(seen))
            expect_first_target(s, (40, 30), 8, "margin-4")
            s.input.key("Escape")
            program.expect_exit(0)

    def test_existing_key_is_left_alone_and_its_margin_used(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            s.registry.set_dword(PARAMETERS, "CalibrateMargin", 10)
            s.registry.set_dword(PARAMETERS, "MouseMode", 1)
            s.registry.set(PARAMETERS, "Calibration", RegValue.binary(STORED))
            s.registry.set_dword(SERVICE, "Start", 4)
            before = s.registry.snapshot(PARAMETERS).values
            program = pintara.start(s)
            expect_first_target(s, (102, 76), 8, "margin-10")
            expect_equal("settings key after start-up", before,
                         s.registry.snapshot(PARAMETERS).values)
            expect_values(s, SERVICE, SERVICE_VALUES)
            s.input.key("Escape")
            program.expect_exit(0)

    def test_margins_outside_the_range_become_one(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            for margin in (0, 30):
                s.registry.set_dword(PARAMETERS, "CalibrateMargin", margin)
                program = pintara.start(s)
                expect_first_target(s, (10, 7), 3, f"margin-{margin}")
                s.input.key("Escape")
                program.expect_exit(0)
                s.wait_window_gone(TITLE)

    def test_a_second_instance_only_says_it_is_running(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            first = pintara.start(s)
            s.registry.set_dword(SERVICE, "Start", 4)
            s.registry.delete_value(PARAMETERS, "Enable")
            second = s.start(s.config.exe(PROGRAM))
            text = pintara.wait_message(s, PROGRAM, timeout=START)
            expect_equal("second instance's message", "Program is Running!", text)
            s.screenshot("running")
            pintara.press(s, PROGRAM, pintara.IDOK)
            second.expect_exit(pintara.EXIT_ALREADY_RUNNING)
            s.registry.expect(SERVICE, "Start", RegValue.dword(4))
            s.registry.expect(PARAMETERS, "Enable", None)
            expect_true("first instance", first.running, "still running", "ended")
            s.input.key("Escape")
            first.expect_exit(0)

    def test_a_window_that_cannot_open_ends_with_an_error_code(self):
        with Session.for_test(self) as s:
            program = s.start(s.config.exe(PROGRAM), display=False)
            program.expect_exit(pintara.EXIT_NO_WINDOW, timeout=START, describe=s.describe)

    def test_escape_and_time_out_store_nothing(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro", script=pintara.UPRIGHT_POINTS)
            s.registry.set(PARAMETERS, "Calibration", RegValue.binary(STORED))

            program = pintara.start(s)
            pintara.touch(s, (40, 30), driver)
            s.input.key("Escape")
            program.expect_exit(0)
            expect_true("cursor after Esc", s.windows.cursor()[0], "shown", "hidden")

            program = pintara.start(s)
            started = time.monotonic()
            program.expect_exit(0, timeout=30)
            waited = time.monotonic() - started
            # The ten seconds run from the first paint, a moment after the window is found;
            # the end may come late on a busy machine, never early.
            expect_true("time-out", 8 <= waited <= 20, "about ten seconds", f"{waited:.1f} s")
            expect_true("cursor after the time-out", s.windows.cursor()[0], "shown", "hidden")
            s.registry.expect(PARAMETERS, "Calibration", RegValue.binary(STORED))
            expect_equal("SetCalibration requests", [], pintara.calibration_requests(driver))


if __name__ == "__main__":
    harness.main()
