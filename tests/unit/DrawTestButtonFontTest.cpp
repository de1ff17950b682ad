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

TEST(ButtonFont, ShrinksUntilTheWidestCaptionFits) {
    // A caption about 3.7 times as wide as the letters are tall, as "CLEAR" in a heavy face.
    const auto widest = [](int height) { return height * 37 / 10; };
    const struct {
        int start;
        int available;
        int height;
    } kCases[] = {{24, 88, 24}, {24, 87, 23}, {24, 42, 11}, {16, 58, 15}, {24, 3, 6}, {4, 1, 4}};
    for (const auto& c : kCases) {
        EXPECT_EQ(FittingCaptionHeight(c.start, c.available, widest), c.height)
            << c.start << " px in " << c.available;
    }
}
