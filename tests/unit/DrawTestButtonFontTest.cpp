#include "ButtonFont.h"
#include <gtest/gtest.h>
#include <string>

TEST(ButtonFont, FaceFollowsTheLanguage) {
    EXPECT_EQ(std::wstring(ButtonFontFor(UiLanguage::English, 96).face), L"Arial Black");
    EXPECT_EQ(std::wstring(ButtonFontFor(UiLanguage::Chinese, 96).face), L"新宋体");
}

TEST(ButtonFont, TwelvePointsInPixelsOfTheScreen) {
    const struct {
        int dpi;
        int height;
    } kCases[] = {{96, -16}, {120, -20}, {144, -24}, {72, -12}, {100, -17}, {99, -17}, {93, -16}};
    for (const auto& c : kCases) {
        EXPECT_EQ(ButtonFontFor(UiLanguage::English, c.dpi).height, c.height) << c.dpi << " dpi";
    }
}
