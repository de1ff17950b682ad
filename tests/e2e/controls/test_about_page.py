"""The About page on the real sheet in both languages: exactly the driver line, the version
line and the notice show; the maker's block below them is filled in but hidden."""

import unittest

import harness
from harness import Session, expect_equal

from sheet import ABOUT_TAB, Sheet

DRIVER_LINE, VERSION_LINE, NOTICE_LINE = 1048, 1049, 1044
NOTICE = "© 2011 Brevanto"
WEB_LINK = 1025
LOGO = 1027
SHOWN = {
    "en_US.UTF-8": {DRIVER_LINE: "Win 2000,Win XP,Win 7 Touchscreen Driver",
                    VERSION_LINE: "Version 4.0.2.8", NOTICE_LINE: NOTICE},
    "zh_CN.UTF-8": {DRIVER_LINE: "Win 2000,Win XP,Win 7 触摸屏驱动",
                    VERSION_LINE: "版本 4.0.2.8", NOTICE_LINE: NOTICE},
}
HIDDEN = {
    "en_US.UTF-8": {1047: "Brevanto Touchscreen Driver", 1043: "Brevanto Electronic Co., Ltd",
                    1045: "Send Email", 1026: "contact us!",
                    WEB_LINK: "（www.brevanto.example)"},
    "zh_CN.UTF-8": {1047: "Brevanto 触摸屏驱动", 1043: "Brevanto电子有限公司",
                    1045: "直接发送邮件", 1026: "联系我们", WEB_LINK: "（www.brevanto.example)"},
}


def dark(shot, rect):
    return [(x, y) for y in range(rect.y, rect.bottom) for x in range(rect.x, rect.right)
            if max(shot.pixel(x, y)) < 128]


class AboutPageTest(unittest.TestCase):
    def check(self, session, locale):
        sheet = Sheet(session, locale=locale)
        page = sheet.open_tab(ABOUT_TAB, DRIVER_LINE)
        shot = session.screenshot(f"about-{locale[:2]}")
        visible = {i: c.text for i, c in page.items() if c.visible}
        expect_equal("shown controls", SHOWN[locale], visible)
        expect_equal("hidden maker block", HIDDEN[locale],
                     {i: page[i].text for i in HIDDEN[locale] if not page[i].visible})
        expect_equal("logo", ("Static", False), (page[LOGO].class_name, page[LOGO].visible))
        # Nothing but the three lines is drawn on the page.
        lines = [page[i].rect for i in SHOWN[locale]]
        pages = [c for c in sheet.tree() if c.handle == page[DRIVER_LINE].parent]
        stray = [p for p in dark(shot, pages[0].rect)
                 if not any(r.contains(*p) for r in lines)]
        expect_equal("dark pixels outside the three lines", [], stray[:10])
        for line in lines:
            expect_equal(f"text drawn in {line}", True, len(dark(shot, line)) > 10)
        sheet.press_ok()

    def test_three_lines_in_english_and_chinese(self):
        with Session.for_test(self) as s:
            s.install_driver("Velmuro")
            self.check(s, "en_US.UTF-8")
            self.check(s, "zh_CN.UTF-8")


if __name__ == "__main__":
    harness.main()
