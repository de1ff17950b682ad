"""The Sound page on the real sheet under the control panel, with the stand-in driver: its
texts and list in both languages, the values it shows, the enable rule, Test sending the
sliders' values of the moment (twice for a double click), the focus leaving the disabled Test
button, and OK then CPL_EXIT storing and sending the three beep settings."""

import unittest

import harness
from harness import Session, expect_equal, expect_true

from sheet import PARAMETERS, SOUND_TAB, Sheet, beep_request, sent_beep, stored_beep

MODE_LIST, FREQUENCY, DURATION, TEST = 1010, 1007, 1008, 1016
OWNER_DRAWN = 11

ENGLISH = {1050: "Beep Mode", 1051: "Beep On:", 1052: "Beep Setting", 1054: "Frequency",
           1053: "Low", 1055: "High", 1056: "Duration time", 1041: "Short", 1042: "Long",
           1016: "Test"}
CHINESE = {1050: "声音模式", 1051: "发声设置", 1052: "声音设置", 1054: "频率", 1053: "低",
           1055: "高", 1056: "发音时间", 1041: "短", 1042: "长", 1016: "测  试"}
ENGLISH_MODES = ["Disable", "Touch", "Release"]
CHINESE_MODES = ["不发声", "触摸时发声", "抬起时发声"]


def list_state(page):
    """(selected index, entries) of the beep-mode list."""
    selection, *entries = page[MODE_LIST].state.split("|")
    return int(selection), entries


def slider(page, control_id):
    """(position, lowest, highest) of a slider."""
    return tuple(int(v) for v in page[control_id].state.split(","))


class SoundPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = Session(cls.__name__, locale="en_US.UTF-8").__enter__()
        cls.driver = cls.session.install_driver("Velmuro")

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def setUp(self):
        self.sheets = []

    def tearDown(self):
        for sheet in self.sheets:
            sheet.close()

    def open_sheet(self, **options):
        sheet = Sheet(self.session, **options)
        self.sheets.append(sheet)
        return sheet

    def load(self, mode, frequency, duration):
        for name, value in (("BeepMode", mode), ("BeepFreq", frequency), ("BeepTime", duration)):
            self.session.registry.set_dword(PARAMETERS, name, value)

    def choose_mode(self, sheet, keys, enabled):
        """Opens the list, picks an entry with keys and waits for the enable rule."""
        sheet.drop_list(MODE_LIST)
        self.session.input.key(*keys, "Return")
        self.session.wait_until("Test button state", lambda: sheet.page()[TEST].enabled == enabled,
                                expected="enabled" if enabled else "disabled")
        return sheet.page()

    def wait_beeps(self, mark, expected):
        self.session.wait_until("TestBeep requests", lambda: len(self.driver.requests(mark)) >=
                                len(expected), expected=f"{len(expected)} requests",
                                seen=lambda: [str(r) for r in self.driver.requests(mark)])
        self.driver.expect_requests(expected, since=mark)

    def test_english_page_beeps_with_the_sliders_and_stores_on_ok(self):
        self.load(0, 1000, 200)
        sheet = self.open_sheet()
        page = sheet.open_tab(SOUND_TAB, MODE_LIST)
        self.session.screenshot("sound-english")
        expect_equal("texts", ENGLISH, {i: page[i].text for i in ENGLISH})
        expect_equal("mode list", (0, ENGLISH_MODES), list_state(page))
        expect_equal("sliders", [(5, 0, 10), (2, 0, 10)], [slider(page, FREQUENCY),
                                                           slider(page, DURATION)])
        expect_equal("enabled while beeping is off", [False, False, False],
                     [page[i].enabled for i in (FREQUENCY, DURATION, TEST)])
        expect_equal("Test button draws itself", str(OWNER_DRAWN), page[TEST].state.split(",")[0])

        page = self.choose_mode(sheet, ["Down"], enabled=True)
        expect_equal("mode after choosing Touch", 1, list_state(page)[0])
        expect_equal("sliders enabled", [True, True],
                     [page[FREQUENCY].enabled, page[DURATION].enabled])

        # The sliders as the user leaves them, then Test by key, by click and by double click.
        mark = self.driver.mark()
        self.session.input.key("Tab", "Home", "Right", "Right", "Right",
                               "Tab", "End", "Left", "Tab")
        self.session.wait_until("focus on Test", lambda: sheet.focus_id() == TEST)
        self.session.input.key("space")
        self.wait_beeps(mark, [beep_request(600, 900)])
        test = sheet.page()[TEST].rect
        self.session.input.click(*test.center)
        self.wait_beeps(mark, [beep_request(600, 900)] * 2)
        self.session.input.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        self.wait_beeps(mark, [beep_request(600, 900)] * 4)
        self.session.screenshot("after-tests")

        page = self.choose_mode(sheet, ["Home"], enabled=False)
        expect_equal("sliders disabled", [False, False],
                     [page[FREQUENCY].enabled, page[DURATION].enabled])
        expect_equal("focus after Disable: the next tab stop after Test", MODE_LIST,
                     sheet.focus_id())
        self.session.screenshot("disabled")
        self.choose_mode(sheet, ["End"], enabled=True)

        mark = self.driver.mark()
        sheet.press_ok()
        expect_equal("stored beep settings", (2, 600, 900), stored_beep(self.session))
        expect_equal("beep settings sent", (2, 600, 900), sent_beep(self.driver, mark))

    def test_chinese_page(self):
        self.load(2, 2400, 150)
        sheet = self.open_sheet(locale="zh_CN.UTF-8")
        page = sheet.open_tab(SOUND_TAB, MODE_LIST)
        self.session.screenshot("sound-chinese")
        expect_equal("texts", CHINESE, {i: page[i].text for i in CHINESE})
        expect_equal("mode list", (2, CHINESE_MODES), list_state(page))
        expect_equal("sliders (2400 beyond the end)", [(10, 0, 10), (1, 0, 10)],
                     [slider(page, FREQUENCY), slider(page, DURATION)])
        expect_equal("enabled while beeping", [True, True, True],
                     [page[i].enabled for i in (FREQUENCY, DURATION, TEST)])
        sheet.press_ok()
        expect_equal("stored as the sliders show", (2, 2000, 100), stored_beep(self.session))

    def test_ok_takes_the_steps_shown_and_keeps_an_unknown_mode(self):
        self.load(5, 1100, 150)
        sheet = self.open_sheet()
        page = sheet.open_tab(SOUND_TAB, MODE_LIST)
        expect_equal("mode list without selection", -1, list_state(page)[0])
        expect_equal("sliders", [(5, 0, 10), (1, 0, 10)], [slider(page, FREQUENCY),
                                                           slider(page, DURATION)])
        expect_true("all enabled without a selection",
                    all(page[i].enabled for i in (FREQUENCY, DURATION, TEST)),
                    "enabled", [page[i].enabled for i in (FREQUENCY, DURATION, TEST)])
        sheet.press_ok()
        expect_equal("stored", (5, 1000, 100), stored_beep(self.session))

    def test_page_never_shown_takes_nothing(self):
        self.load(1, 1100, 150)
        self.open_sheet().press_ok()
        expect_equal("stored as loaded", (1, 1100, 150), stored_beep(self.session))


if __name__ == "__main__":
    harness.main()
