#include "HoverState.h"
#include <gtest/gtest.h>

namespace {

const char* Name(ButtonState state) {
    static const char* const kNames[] = {"normal", "hover", "pressed", "disabled"};
    return kNames[static_cast<int>(state)];
}

const char* Name(CaptureChange change) {
    static const char* const kNames[] = {"none", "take", "release"};
    return kNames[static_cast<int>(change)];
}

} // namespace

TEST(HoverButton, StartsNormalWithoutTracking) {
    HoverState hover;
    EXPECT_STREQ(Name(hover.State()), "normal");
    EXPECT_FALSE(hover.Tracking());
}

TEST(HoverButton, PointerOverTakesTheCaptureAndLeavingGivesItBack) {
    HoverState hover;
    EXPECT_STREQ(Name(hover.OnMouseMove(false, true)), "take");
    EXPECT_STREQ(Name(hover.State()), "hover");
    EXPECT_TRUE(hover.Tracking());

    EXPECT_STREQ(Name(hover.OnMouseMove(true, true)), "none") << "moving about inside";
    EXPECT_STREQ(Name(hover.State()), "hover");

    EXPECT_STREQ(Name(hover.OnMouseMove(true, false)), "release");
    EXPECT_STREQ(Name(hover.State()), "normal");
    EXPECT_FALSE(hover.Tracking());
}

TEST(HoverButton, CaptureLostElsewhereIsTakenAgainOnTheNextMove) {
    // A click makes the standard button handling release the capture it took on the press.
    HoverState hover;
    hover.OnMouseMove(false, true);
    hover.OnPress();
    hover.OnRelease();
    EXPECT_STREQ(Name(hover.OnMouseMove(false, true)), "take");
    EXPECT_STREQ(Name(hover.State()), "hover");
}

TEST(HoverButton, PressedLooksFlatAndReleaseReturnsToHover) {
    HoverState hover;
    hover.OnMouseMove(false, true);
    hover.OnPress();
    EXPECT_STREQ(Name(hover.StateForDraw(false)), "pressed");
    EXPECT_FALSE(DrawsRaisedEdge(hover.State()));
    hover.OnRelease();
    EXPECT_STREQ(Name(hover.StateForDraw(false)), "hover");
    EXPECT_TRUE(DrawsRaisedEdge(hover.State()));
    EXPECT_TRUE(DrawsRaisedEdge(ButtonState::Normal));
    EXPECT_TRUE(DrawsRaisedEdge(ButtonState::Disabled));
}

TEST(HoverButton, DisabledExactlyWhileTheControlIsDisabled) {
    HoverState hover;
    hover.OnMouseMove(false, true);
    EXPECT_STREQ(Name(hover.StateForDraw(true)), "disabled");
    EXPECT_STREQ(Name(hover.StateForDraw(true)), "disabled");
    EXPECT_STREQ(Name(hover.StateForDraw(false)), "normal") << "enabled again";
}
