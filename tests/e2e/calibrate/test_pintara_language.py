"""The calibration program's language follows the system locale: Chinese for 2052 and 1028,
English for 1033 and every other locale."""

import unittest

import harness
from harness import Session, expect_equal, expect_true
from harness.timing import START

import pintara
from pintara import IDYES, PROGRAM, QUESTION

CENTRES = pintara.centres(1024, 768, 4)
CHINESE = {"question": "保存校准数据？", "running": "已经有另一个程序正在运行!",
           "mismatch": "触摸点与目标不符，请重新触摸每个目标。"}
ENGLISH = {"question": "Save the calibration data?", "running": "Program is Running!",
           "mismatch": pintara.MISMATCH}


def dark_pixels(shot, x, y, width, height):
    return sum(1 for yy in range(y, y + height) for xx in range(x, x + width)
               if max(shot.pixel(xx, yy)) < 80)


class LanguageTest(unittest.TestCase):
    def check_language(self, locale, texts):
        with Session.for_test(self, locale=locale) as s:
            lcid = s.windows.locale()[0]
            expect_equal("system default locale", harness.LOCALE_LCIDS[locale], lcid)
            driver = s.install_driver("Velmuro",
                                      script=pintara.MISCLICK_POINTS + pintara.UPRIGHT_POINTS)
            program = pintara.start(s)
            s.wait_until("first target drawn", lambda: s.screenshot("wait").pixel(
                *CENTRES[0]) == pintara.YELLOW)
            shot = s.screenshot("prompt")
            # Prompt at (SX/2 - 80, SY/2 - 15), exit hint at (SX/2 - 40, SY/2 + 15).
            expect_true("prompt drawn", dark_pixels(shot, 432, 369, 60, 16) > 20,
                        "dark text pixels right of (432, 369)", "none")
            expect_true("exit hint drawn", dark_pixels(shot, 472, 399, 40, 16) > 20,
                        "dark text pixels right of (472, 399)", "none")
            expect_equal("pixels left of the prompt", 0, dark_pixels(shot, 400, 369, 30, 16))

            second = s.start(s.config.exe(PROGRAM))
            expect_equal("running message", texts["running"],
                         pintara.wait_message(s, PROGRAM, timeout=START))
            s.screenshot("running")
            pintara.press(s, PROGRAM, pintara.IDOK)
            second.expect_exit(pintara.EXIT_ALREADY_RUNNING)

            expect_equal("message after a misclick", texts["mismatch"],
                         pintara.refuse_pass(s, CENTRES, driver))
            pintara.touch_all(s, CENTRES, driver)
            expect_equal("question", texts["question"], pintara.wait_message(s, QUESTION))
            s.screenshot("question")
            pintara.press(s, QUESTION, IDYES)
            program.expect_exit(0)
            pintara.expect_calibration(s, pintara.UPRIGHT_RECORD)

    def test_simplified_chinese(self):
        self.check_language("zh_CN.UTF-8", CHINESE)

    def test_traditional_chinese_locale_also_gets_chinese(self):
        self.check_language("zh_TW.UTF-8", CHINESE)

    def test_japanese_locale_gets_english(self):
        self.check_language("ja_JP.UTF-8", ENGLISH)


if __name__ == "__main__":
    harness.main()
