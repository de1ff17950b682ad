"""The shipped calibration program under 32-bit Wine, where its float code runs on the x87:
a misclick pass is refused without a record, then four touches and Yes send and store the very
record the x86-64 build does."""

import unittest

import harness
from harness import Session, expect_equal
from harness.requestlog import READ_RAW_POINT, SET_CALIBRATION

import pintara
from pintara import (IDYES, MISCLICK_POINTS, MISMATCH, QUESTION, TITLE, UPRIGHT_POINTS,
                     UPRIGHT_RECORD, YELLOW)
from shipped import SLOW, package_file

CENTRES = pintara.centres(1024, 768, 4)


class ShippedCalibrationTest(unittest.TestCase):
    def test_a_misclick_is_refused_then_four_touches_and_yes_store_the_record(self):
        with Session.for_test(self) as s:
            program_file = package_file(s, "Pintara")
            driver = s.install_driver("Velmuro", script=MISCLICK_POINTS + UPRIGHT_POINTS)
            program = s.start(program_file)
            s.wait_window(TITLE, timeout=SLOW)
            s.wait_until("first target drawn",
                         lambda: s.screenshot("first").pixel(*CENTRES[0]) == YELLOW, timeout=SLOW)
            expect_equal("message after the misclick", MISMATCH,
                         pintara.refuse_pass(s, CENTRES, driver, timeout=SLOW))

            for index, centre in enumerate(CENTRES):
                s.wait_until(f"target {index} drawn", lambda: s.screenshot(
                    f"probe-{index}").pixel(*centre) == YELLOW, timeout=SLOW)
                pintara.expect_target(s.screenshot(f"target-{index}"), centre, 8,
                                      f"target {index}")
                s.input.click(*centre)
                s.wait_until(f"ReadRawPoint after touch {index}",
                             lambda: pintara.reads(driver) > 4 + index, timeout=SLOW,
                             expected=f"{5 + index} ReadRawPoint requests",
                             seen=lambda: f"{pintara.reads(driver)}")

            expect_equal("question", "Save the calibration data?",
                         pintara.wait_message(s, QUESTION, timeout=SLOW))
            pintara.press(s, QUESTION, IDYES)
            program.expect_exit(0, timeout=SLOW, describe=s.describe)

            pintara.expect_calibration(s, UPRIGHT_RECORD)
            driver.expect_requests([(READ_RAW_POINT, b"")] * 8 + [
                (SET_CALIBRATION, pintara.record_bytes(UPRIGHT_RECORD)),
                (SET_CALIBRATION, b"")])


if __name__ == "__main__":
    harness.main()
