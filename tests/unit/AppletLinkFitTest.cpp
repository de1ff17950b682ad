#include "LinkFit.h"
#include <gtest/gtest.h>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const Box& box);

namespace {

using LinkFit::Anchor;

// A static of 150 x 20 pixels at (60, 149) and a text of 97 x 13.
const Box kWindow{60, 149, 210, 169};
const Extent kText{97, 13};

} // namespace

TEST(LinkFit, StaticStyleGivesTheAnchor) {
    EXPECT_EQ(LinkFit::AnchorOf(0x50000000), Anchor::Left);
    EXPECT_EQ(LinkFit::AnchorOf(0x50000001), Anchor::Centre);
    EXPECT_EQ(LinkFit::AnchorOf(0x50000002), Anchor::Right);
    EXPECT_EQ(LinkFit::AnchorOf(0x5000000E), Anchor::Left) << "a bitmap static";
    EXPECT_TRUE(LinkFit::CentresVertically(0x50000201));
    EXPECT_FALSE(LinkFit::CentresVertically(0x50000101)) << "notify style only";
}

TEST(LinkFit, LeftAlignedShrinksToTheTextFromItsTopLeft) {
    EXPECT_EQ(LinkFit::FitToText(kWindow, kText, Anchor::Left, false), (Box{60, 149, 157, 162}));
}

TEST(LinkFit, CentredKeepsItsCentre) {
    // 53 spare pixels: 26 come off each side, so the odd one stays on the right.
    EXPECT_EQ(LinkFit::FitToText(kWindow, kText, Anchor::Centre, false), (Box{86, 149, 184, 162}));
}

TEST(LinkFit, RightAlignedKeepsItsRightEdge) {
    EXPECT_EQ(LinkFit::FitToText(kWindow, kText, Anchor::Right, false), (Box{113, 149, 210, 162}));
}

TEST(LinkFit, VerticallyCentredKeepsItsMiddle) {
    // 7 spare rows: 3 come off the top and 3 off the bottom.
    EXPECT_EQ(LinkFit::FitToText(kWindow, kText, Anchor::Left, true), (Box{60, 152, 157, 166}));
    EXPECT_EQ(LinkFit::FitToText(kWindow, kText, Anchor::Centre, true), (Box{86, 152, 184, 166}));
}

TEST(LinkFit, TextWiderThanTheWindowGrowsItTheSameWay) {
    const Box narrow{100, 10, 120, 20};
    const Extent wide{45, 16};
    EXPECT_EQ(LinkFit::FitToText(narrow, wide, Anchor::Left, false), (Box{100, 10, 145, 26}));
    // -25 / 2 truncates to -12 on each side.
    EXPECT_EQ(LinkFit::FitToText(narrow, wide, Anchor::Centre, true), (Box{88, 7, 132, 23}));
    EXPECT_EQ(LinkFit::FitToText(narrow, wide, Anchor::Right, false), (Box{75, 10, 120, 26}));
}
