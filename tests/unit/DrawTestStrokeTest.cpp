#include "StrokeTracker.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Text(const std::optional<StrokeSegment>& segment) {
    if (!segment) {
        return "nothing";
    }
    const LineSegment& line = segment->line;
    return "(" + std::to_string(line.from.x) + "," + std::to_string(line.from.y) + ")-(" +
           std::to_string(line.to.x) + "," + std::to_string(line.to.y) + ") width " +
           std::to_string(segment->width);
}

} // namespace

TEST(Stroke, MovesWithoutAPressDrawNothing) {
    StrokeTracker stroke;
    EXPECT_EQ(Text(stroke.Move({10, 10}, 1)), "nothing");
    EXPECT_EQ(Text(stroke.Release({20, 20})), "nothing");
    EXPECT_FALSE(stroke.Drawing());
}

TEST(Stroke, EachMoveJoinsTheLastPointAndTheReleaseClosesIt) {
    StrokeTracker stroke;
    stroke.Press({100, 50});
    EXPECT_TRUE(stroke.Drawing());
    EXPECT_EQ(Text(stroke.Move({110, 60}, 1)), "(100,50)-(110,60) width 1");
    EXPECT_EQ(Text(stroke.Move({130, 60}, 1)), "(110,60)-(130,60) width 1");
    EXPECT_EQ(Text(stroke.Release({131, 61})), "(130,60)-(131,61) width 1");
    EXPECT_FALSE(stroke.Drawing());
    EXPECT_EQ(Text(stroke.Move({200, 200}, 1)), "nothing") << "a released stroke stays ended";
}

TEST(Stroke, MovesUseThePenWidthButTheClosingLineIsOnePixel) {
    StrokeTracker stroke;
    stroke.Press({0, 0});
    EXPECT_EQ(Text(stroke.Move({5, 5}, 4)), "(0,0)-(5,5) width 4");
    EXPECT_EQ(Text(stroke.Release({6, 6})), "(5,5)-(6,6) width 1");
}

TEST(Stroke, PressAndReleaseAtOnePointGiveALineOfNoLength) {
    StrokeTracker stroke;
    stroke.Press({40, 40});
    EXPECT_EQ(Text(stroke.Release({40, 40})), "(40,40)-(40,40) width 1");
}

TEST(Stroke, WithoutAReleaseTheNextMoveJoinsTheLastPointInOneLine) {
    // The release happened over a button, which the surface never hears about.
    StrokeTracker stroke;
    stroke.Press({100, 600});
    stroke.Move({120, 620}, 1);
    EXPECT_EQ(Text(stroke.Move({700, 300}, 1)), "(120,620)-(700,300) width 1");
    EXPECT_EQ(stroke.Last().x, 700);
    EXPECT_EQ(stroke.Last().y, 300);
}

TEST(Stroke, APressWhileDrawingRestartsAtTheNewPoint) {
    StrokeTracker stroke;
    stroke.Press({10, 10});
    stroke.Move({20, 20}, 1);
    stroke.Press({300, 400});
    EXPECT_EQ(Text(stroke.Move({301, 400}, 1)), "(300,400)-(301,400) width 1");
}
