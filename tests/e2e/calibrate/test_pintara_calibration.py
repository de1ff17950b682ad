"""A calibration from the first touch to the stored record: targets drawn where the margin puts
them, one ReadRawPoint per touch, the record sent, the question, and what Yes and No do."""

import unittest

import harness
from harness import Rect, RegValue, Session, expect_equal, expect_true
from harness.requestlog import (READ_RAW_POINT, SET_CALIBRATION, STATUS_DEVICE_NOT_READY,
                                STATUS_SUCCESS)

import pintara
from pintara import (BACKGROUND, IDNO, IDOK, IDYES, MISCLICK_POINTS, MISMATCH, PARAMETERS,
                     QUESTION, RED, SWAPPED_POINTS, SWAPPED_RECORD, TITLE, UPRIGHT_POINTS,
                     UPRIGHT_RECORD)

CENTRES = pintara.centres(1024, 768, 4)


class CalibrationTest(unittest.TestCase):
    def test_full_pass_with_yes_stores_the_record_and_confirms_it(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro", script=UPRIGHT_POINTS)
            program = pintara.start(s)
            expect_true("cursor over the calibration window", not s.windows.cursor()[0], "hidden",
                        "shown")

            for index, centre in enumerate(CENTRES):
                s.wait_until(f"target {index} drawn", lambda: s.screenshot(
                    f"probe-{index}").pixel(*centre) == pintara.YELLOW)
                shot = s.screenshot(f"target-{index}")
                pintara.expect_target(shot, centre, 8, f"target {index}")
                shot.expect_pixel(512, 200, BACKGROUND, what="background")
                pintara.touch(s, centre, driver, index)

            text = pintara.wait_message(s, QUESTION)
            expect_equal("question", "Save the calibration data?", text)
            expect_true("cursor for the question", s.windows.cursor()[0], "shown", "hidden")
            s.screenshot("question")
            expect_equal("record sent before the answer",
                         [(SET_CALIBRATION, pintara.record_bytes(UPRIGHT_RECORD))],
                         pintara.calibration_requests(driver))
            pintara.save_and_expect_stored(s, program, driver, UPRIGHT_RECORD, reads=4)

    def test_a_display_change_starts_the_pass_again_on_the_new_screen(self):
        # Wine's virtual desktop changes its resolution as Windows does for a utility.
        with Session.for_test(self, virtual_desktop=True) as s:
            driver = s.install_driver("Velmuro", script=UPRIGHT_POINTS[:2] + UPRIGHT_POINTS)
            program = pintara.start(s)
            pintara.touch_all(s, CENTRES[:2], driver)
            code, answer, _ = s.prefix.run([s.config.probe, "display", "800", "600"])
            expect_equal("answer to the resolution change", (0, "0"), (code, answer.strip()))
            small = pintara.centres(800, 600, 4)
            s.wait_until("first target on the 800 x 600 screen",
                         lambda: s.screenshot("new-screen").pixel(*small[0]) == pintara.YELLOW)
            expect_equal("calibration window", Rect(0, 0, 800, 600), s.windows.rect(TITLE))
            expect_equal("records sent before the new pass", [],
                         pintara.calibration_requests(driver))
            pintara.touch_all(s, small, driver)
            pintara.wait_message(s, QUESTION)
            s.registry.expect(PARAMETERS, "Calibration", RegValue.binary(bytes(28)))
            pintara.save_and_expect_stored(s, program, driver, UPRIGHT_RECORD[:5] + (800, 600),
                                           reads=6)

    def test_no_starts_again_and_the_second_pass_is_stored(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro", script=UPRIGHT_POINTS + SWAPPED_POINTS)
            program = pintara.start(s)
            pintara.touch_all(s, CENTRES, driver)
            pintara.wait_message(s, QUESTION)
            pintara.press(s, QUESTION, IDNO)

            s.wait_until("target 0 drawn again",
                         lambda: s.screenshot("again").pixel(*CENTRES[0]) == pintara.YELLOW)
            pintara.expect_target(s.screenshot("second-pass"), CENTRES[0], 8, "first target")
            expect_true("cursor on the new pass", not s.windows.cursor()[0], "hidden", "shown")
            s.registry.expect(PARAMETERS, "Calibration", RegValue.binary(bytes(28)))

            pintara.touch_all(s, CENTRES, driver)
            pintara.wait_message(s, QUESTION)
            pintara.press(s, QUESTION, IDYES)
            program.expect_exit(0)
            pintara.expect_calibration(s, SWAPPED_RECORD)
            expect_equal("SetCalibration requests", [
                (SET_CALIBRATION, pintara.record_bytes(UPRIGHT_RECORD)),
                (SET_CALIBRATION, pintara.record_bytes(SWAPPED_RECORD)),
                (SET_CALIBRATION, b"")], pintara.calibration_requests(driver))

    def test_unreadable_points_are_neither_sent_nor_stored(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro")
            driver.stop()
            program = pintara.start(s)
            # Without the driver the very first touch cannot be read.
            pintara.touch(s, CENTRES[0])
            text = pintara.wait_message(s, "Pintara")
            expect_true("message after unreadable points", "Calibration failed" in (text or ""),
                        "a calibration failure", repr(text))
            s.screenshot("failure-told")
            pintara.press(s, "Pintara", IDOK)
            s.wait_until("target 0 drawn after the failure",
                         lambda: s.screenshot("restart").pixel(*CENTRES[0]) == pintara.YELLOW)

            # The driver is back, but every touch reads the same point: no span either.
            driver.set_script([(2000, 2000)])
            pintara.restore_driver_image(s)
            driver.start()
            expect_equal("message after a pass without span", MISMATCH,
                         pintara.refuse_pass(s, CENTRES, driver))
            expect_equal("SetCalibration requests", [], pintara.calibration_requests(driver))
            s.registry.expect(PARAMETERS, "Calibration", RegValue.binary(bytes(28)))
            expect_true("program after two failures", program.running, "still running", "ended")
            s.input.key("Escape")
            program.expect_exit(0)

    def test_a_failed_read_ends_the_pass_and_the_next_one_uses_only_its_own_points(self):
        with Session.for_test(self) as s:
            # The second read of the first pass fails; the script's entry there is never given.
            first_pass = [(9000, 9000), (9999, 9999)]
            driver = s.install_driver("Velmuro", script=first_pass + UPRIGHT_POINTS,
                                      failures=[1])
            program = pintara.start(s)
            pintara.touch(s, CENTRES[0], driver, 0)
            pintara.touch(s, CENTRES[1], driver, 1)
            text = pintara.wait_message(s, "Pintara")
            expect_true("message after the failed read", "Calibration failed" in (text or ""),
                        "a calibration failure", repr(text))
            expect_true("cursor for the message", s.windows.cursor()[0], "shown", "hidden")
            s.screenshot("failure-told")
            expect_equal("SetCalibration requests of the broken pass", [],
                         pintara.calibration_requests(driver))
            pintara.press(s, "Pintara", IDOK)

            s.wait_until("target 0 drawn after the failed read",
                         lambda: s.screenshot("restart").pixel(*CENTRES[0]) == pintara.YELLOW)
            expect_true("cursor on the new pass", not s.windows.cursor()[0], "hidden", "shown")
            pintara.touch_all(s, CENTRES, driver)
            pintara.wait_message(s, QUESTION)
            pintara.save_and_expect_stored(s, program, driver, UPRIGHT_RECORD, reads=6)
            expect_equal("ReadRawPoint answers", [STATUS_SUCCESS, STATUS_DEVICE_NOT_READY]
                         + [STATUS_SUCCESS] * 4,
                         [r.status for r in driver.requests() if r.code == READ_RAW_POINT])

    def test_a_misclick_is_refused_and_the_next_pass_uses_only_its_own_points(self):
        with Session.for_test(self) as s:
            driver = s.install_driver("Velmuro", script=MISCLICK_POINTS + UPRIGHT_POINTS)
            program = pintara.start(s)
            expect_equal("message after the misclick", MISMATCH,
                         pintara.refuse_pass(s, CENTRES, driver))
            expect_true("cursor on the new pass", not s.windows.cursor()[0], "hidden", "shown")
            s.registry.expect(PARAMETERS, "Calibration", RegValue.binary(bytes(28)))

            pintara.touch_all(s, CENTRES, driver)
            expect_equal("question", "Save the calibration data?",
                         pintara.wait_message(s, QUESTION))
            pintara.save_and_expect_stored(s, program, driver, UPRIGHT_RECORD, reads=8)

    def test_progress_line_grows_by_a_tenth_of_the_width_each_second(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro", script=UPRIGHT_POINTS)
            program = pintara.start(s)
            s.wait_until("first tick drawn",
                         lambda: pintara.progress_end(s.screenshot("tick"), 768) >= 100)
            first = s.screenshot("progress-a")
            later = []

            def grown():
                later.append(s.screenshot("progress-b"))
                return pintara.progress_end(later[-1], 768) > pintara.progress_end(first, 768)

            s.wait_until("the progress line after the next tick", grown, expected="longer")
            ends = [pintara.progress_end(first, 768), pintara.progress_end(later[-1], 768)]
            expect_true("progress line ends", all(min(e % 102, 102 - e % 102) <= 3 for e in ends),
                        "multiples of 102 pixels (SX / 10 per tick)", ends)
            first.expect_pixel(1, 766, RED, what="progress line at y = 766")
            first.expect_pixel(1, 760, BACKGROUND, what="above the progress line")
            s.input.key("Escape")
            program.expect_exit(0)


if __name__ == "__main__":
    harness.main()
