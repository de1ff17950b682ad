#include "IconButtonLayout.h"
#include "IconButtonStyle.h"
#include <gtest/gtest.h>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom
               << ")";
}

std::ostream& operator<<(std::ostream& out, const Point& point) {
    return out << "(" << point.x << ", " << point.y << ")";
}

namespace {

using namespace IconButtonLayout;

// The Sound page's Test button at 96 dpi, and its 32 x 32 icon.
const Box kItem{0, 0, 212, 46};
const Extent kIcon{32, 32};

} // namespace

TEST(IconButtonLayout, IconSitsAtTheMarginAndTheCaptionTakesTheRest) {
    const Parts parts = LayOut(kItem, kIcon, true, true, false);
    EXPECT_EQ(parts.icon, (Box{3, 7, 35, 39}));
    EXPECT_EQ(parts.captionArea, (Box{35, 0, 212, 46}));
}

TEST(IconButtonLayout, IconAloneIsCentredBothWays) {
    const Parts parts = LayOut(kItem, kIcon, true, false, false);
    EXPECT_EQ(parts.icon, (Box{90, 7, 122, 39}));
}

TEST(IconButtonLayout, CaptionAloneHasTheWholeItem) {
    EXPECT_EQ(LayOut(kItem, {}, false, true, false).captionArea, kItem);
}

TEST(IconButtonLayout, PressingMovesIconAndCaptionOneDownAndRight) {
    const Parts parts = LayOut(kItem, kIcon, true, true, true);
    EXPECT_EQ(parts.icon, (Box{4, 8, 36, 40}));
    EXPECT_EQ(parts.captionArea, (Box{36, 1, 213, 47}));
    EXPECT_EQ(LayOut(kItem, kIcon, true, false, true).icon, (Box{91, 8, 123, 40}));
}

TEST(IconButtonLayout, OddRoomRoundsTowardTheTopLeft) {
    // 33 - 16 = 17 spare pixels: 8 before, 9 after.
    const Box item{10, 20, 43, 53};
    const Parts parts = LayOut(item, {16, 16}, true, false, false);
    EXPECT_EQ(parts.icon, (Box{18, 28, 34, 44}));
    EXPECT_EQ(LayOut(item, {16, 16}, true, true, false).icon, (Box{13, 28, 29, 44}));
}

TEST(IconButtonLayout, IconLargerThanTheButtonOverhangsEvenly) {
    // -7 / 2 truncates toward zero: the icon starts 3 pixels before the item, not 4.
    const Parts parts = LayOut({0, 0, 25, 25}, kIcon, true, false, false);
    EXPECT_EQ(parts.icon, (Box{-3, -3, 29, 29}));
}

TEST(IconButtonLayout, CaptionIsCentredInItsArea) {
    EXPECT_EQ(CentredCaption({35, 0, 212, 46}, {25, 13}), (Box{111, 16, 136, 29}));
    // Odd spare room: 153 / 2 and 33 / 2.
    EXPECT_EQ(CentredCaption({35, 0, 212, 46}, {24, 13}), (Box{111, 16, 135, 29}));
    // Wrapped text taller than the button hangs over both edges alike.
    EXPECT_EQ(CentredCaption({0, 0, 40, 20}, {40, 27}), (Box{0, -3, 40, 24}));
}

TEST(IconButtonLayout, FocusedOrDefaultFaceIsInsideTheBlackFrame) {
    EXPECT_EQ(Face(kItem, true), (Box{1, 1, 211, 45}));
    EXPECT_EQ(Face(kItem, false), kItem);
    EXPECT_EQ(Face(kItem, true).Inset(kFocusInset), (Box{4, 4, 208, 42}));
}

TEST(IconButtonLayout, RaisedBorderLightAboveLeftDarkBelowRight) {
    const auto strokes = RaisedBorder({0, 0, 20, 10});
    ASSERT_EQ(strokes.size(), 4u);
    EXPECT_EQ(strokes[0].color, EdgeColor::Highlight);
    EXPECT_EQ(strokes[0].points, (std::array<Point, 3>{{{0, 9}, {0, 0}, {20, 0}}}));
    EXPECT_EQ(strokes[1].color, EdgeColor::Light);
    EXPECT_EQ(strokes[1].points, (std::array<Point, 3>{{{1, 9}, {1, 1}, {20, 1}}}));
    EXPECT_EQ(strokes[2].color, EdgeColor::DarkShadow);
    EXPECT_EQ(strokes[2].points, (std::array<Point, 3>{{{0, 9}, {19, 9}, {19, -1}}}));
    EXPECT_EQ(strokes[3].color, EdgeColor::Shadow);
    EXPECT_EQ(strokes[3].points, (std::array<Point, 3>{{{1, 8}, {18, 8}, {18, 0}}}));
}

TEST(IconButtonStyle, AttachingKeepsEverythingButTheTypeAndNotesTheDefault) {
    constexpr std::uint32_t kChildVisibleTabStop = 0x50010000;
    EXPECT_EQ(IconButtonStyle::OwnerDrawn(kChildVisibleTabStop | 0x01),
              kChildVisibleTabStop | 0x0B);
    EXPECT_EQ(IconButtonStyle::OwnerDrawn(kChildVisibleTabStop | 0x1F),
              kChildVisibleTabStop | 0x0B);
    EXPECT_TRUE(IconButtonStyle::IsDefaultType(kChildVisibleTabStop | 0x01));
    EXPECT_FALSE(IconButtonStyle::IsDefaultType(kChildVisibleTabStop));
    EXPECT_FALSE(IconButtonStyle::IsDefaultType(0x0B));
}

TEST(IconButtonStyle, DialogManagerMovesTheDefaultButTheButtonStaysOwnerDrawn) {
    const auto madeDefault = IconButtonStyle::Request(0x01, false);
    EXPECT_EQ(madeDefault.applied, 0x0Bu);
    EXPECT_TRUE(madeDefault.isDefault);

    const auto madePlain = IconButtonStyle::Request(0x00, true);
    EXPECT_EQ(madePlain.applied, 0x0Bu);
    EXPECT_FALSE(madePlain.isDefault);

    // Other types leave the flag; only bits 0x04 and 0x10 are cleared before 0x0B is set.
    EXPECT_TRUE(IconButtonStyle::Request(0x0B, true).isDefault);
    EXPECT_FALSE(IconButtonStyle::Request(0x07, false).isDefault);
    EXPECT_EQ(IconButtonStyle::Request(0x07, false).applied, 0x0Bu);
    EXPECT_EQ(IconButtonStyle::Request(0x1F, false).applied, 0x0Bu);
    EXPECT_EQ(IconButtonStyle::Request(0x2300, false).applied, 0x230Bu);
}

TEST(IconButtonStyle, DialogCodeAddsTheDefaultStateToTheButtonsOwnAnswer) {
    constexpr std::uint32_t kButton = 0x2000;
    EXPECT_EQ(IconButtonStyle::DialogCode(kButton, true), 0x2010u);
    EXPECT_EQ(IconButtonStyle::DialogCode(kButton, false), 0x2020u);
}
