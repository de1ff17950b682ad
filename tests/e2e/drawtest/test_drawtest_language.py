"""Language and single instance: the system locale picks the captions, the menu and the message a
second start shows; that start ends without disturbing the running one."""

import harness
from harness import expect_equal, expect_true
from harness.timing import START

from scrivet import (EXIT_ALREADY_RUNNING, GRID_NUM, IDCANCEL, IDOK, PEN_SIZE, PROGRAM,
                     DrawTestCase)

MESSAGE_TEXT = 0xFFFF


class LanguageCase(DrawTestCase):
    def expect_captions(self, app, clear, exit_):
        expect_equal("clear button caption", clear, app.button(IDOK)[2])
        expect_equal("exit button caption", exit_, app.button(IDCANCEL)[2])

    def expect_second_start_refused(self, app, message, grid=15):
        s = self.session
        second = s.start(s.config.exe(PROGRAM))
        s.wait_window(PROGRAM, timeout=START)
        s.screenshot(f"{self._testMethodName}-running")
        expect_equal("message of the second start", message,
                     s.windows.child_text(PROGRAM, MESSAGE_TEXT))
        s.input.key("Return")
        second.expect_exit(EXIT_ALREADY_RUNNING, describe=s.describe)
        expect_true("the first instance", app.program.running and app.surface() is not None,
                    "still running with its surface", "gone")
        app.wait_grid("after-second", grid)


class English(LanguageCase):
    def test_english_captions_and_running_message(self):
        app = self.start()
        app.wait_grid("start", 15)
        self.expect_captions(app, "CLEAR", "EXIT")
        self.expect_second_start_refused(app, "Program is Running!")

    def test_other_locales_keep_english(self):
        app = self.start(locale="ja_JP.UTF-8")
        self.expect_captions(app, "CLEAR", "EXIT")


class Chinese(LanguageCase):
    LOCALE = "zh_CN.UTF-8"

    def test_chinese_captions_menu_and_running_message(self):
        app = self.start()
        app.wait_grid("start", 15)
        self.expect_captions(app, "清 除", "退 出")
        app.expect_groups({PEN_SIZE}, "chinese")
        app.expect_greyed(GRID_NUM, {1}, "chinese-number")
        app.choose(GRID_NUM, 0, greyed={1})
        app.wait_grid("chinese-grid10", 10)
        self.expect_second_start_refused(app, "已经有另一个程序正在运行!", grid=10)

    def test_taiwan_locale_is_chinese_too(self):
        app = self.start(locale="zh_TW.UTF-8")
        self.expect_captions(app, "清 除", "退 出")


del LanguageCase

if __name__ == "__main__":
    harness.main()
