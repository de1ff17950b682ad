"""The applet's language follows the system default locale when the control panel loads it:
Chinese for 2052, English for 1041 as for every locale that is not Chinese. The caption, the
tabs and every text of the first two pages, also the port texts a USB controller hides."""

import unittest

import harness
from harness import Session, expect_equal

import panelo

# (control id, English, Chinese)
CALIBRATE_PAGE = [
    (1030, "Touchscreen calibration utility converts touchscreen coordinates into screen video "
           "coordinates.", "触摸屏校准能将触摸屏坐标准确地转变为显示器屏幕坐标"),
    (1031, "Calibrate your touchscreen when:", "以下几种情况下你需要校准触摸屏："),
    (1032, "> Initially install your touchscreen and corresponding software.",
     "> 初次安装触摸屏及相应软件"),
    (1033, "> Notice  the cursor isn't lined with your finger.", "> 触摸时光标不在手指下方"),
    (1034, "> Change the touch monitor video image.", "> 改变了触摸显示器的触摸区域"),
    (1035, "Calibrate Margin", "校准边缘比例"),
    (1036, "Calibrate", "校准"),
    (1037, "Draw Test", "画图测试"),
]
SETTING_PAGE = [
    (1038, "Mouse Mode", "鼠标模式"),
    (1001, "Point and Click", "单      击"),
    (1002, "Click and Drag", "点击及拖动"),
    (1003, "Drag then Click", "抬起时点击"),
    (1004, "Interactive Touch", "交互式触摸"),
    (1040, "Double Click Range:", "双击范围"),
    (1039, "InterActive Delay", "交互延时"),
    (1041, "Short", "短"),
    (1042, "Long", "长"),
    (1029, "Set Port", "设置接口"),
    (1028, "Select Port", "选择接口"),
]


class LanguageTest(unittest.TestCase):
    def check_language(self, locale, chinese):
        with Session.for_test(self, locale=locale) as s:
            expect_equal("system default locale", harness.LOCALE_LCIDS[locale],
                         s.windows.locale()[0])
            s.install_driver("Velmuro")
            title = panelo.TITLE_CHINESE if chinese else panelo.TITLE
            control, sheet = panelo.open_in_control_panel(s, s.config.exe("Panelo"), title)
            expect_equal("tabs", panelo.TABS_CHINESE if chinese else panelo.TABS,
                         sheet.tab_texts())
            for page, texts in enumerate((CALIBRATE_PAGE, SETTING_PAGE)):
                sheet.show_tab(page)
                s.screenshot(f"page-{page + 1}")
                for control_id, english, in_chinese in texts:
                    expect_equal(f"text of control {control_id}",
                                 in_chinese if chinese else english, sheet.text(control_id))
            sheet.press(panelo.IDCANCEL)
            control.expect_exit(0, timeout=30, describe=s.describe)

    def test_simplified_chinese(self):
        self.check_language("zh_CN.UTF-8", chinese=True)

    def test_japanese_locale_gets_english(self):
        self.check_language("ja_JP.UTF-8", chinese=False)


if __name__ == "__main__":
    harness.main()
