#include "ButtonPlacement.h"
#include "GridGeometry.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<int> Positions(int first, int step, int count) {
    std::vector<int> positions;
    for (int k = 1; k <= count; ++k) {
        positions.push_back(first + (k - 1) * step);
    }
    return positions;
}

// Checks that the grid is n horizontal lines across the width, then n vertical lines down the
// height, at the given positions.
void ExpectGrid(int width, int height, int count, const std::vector<int>& ys,
                const std::vector<int>& xs) {
    const std::vector<LineSegment> lines = GridLines(width, height, count);
    ASSERT_EQ(lines.size(), ys.size() + xs.size()) << width << "x" << height << " / " << count;
    for (std::size_t i = 0; i < ys.size(); ++i) {
        const LineSegment& line = lines[i];
        EXPECT_TRUE(line.from.x == 0 && line.to.x == width && line.from.y == ys[i] &&
                    line.to.y == ys[i])
            << "horizontal " << i + 1 << ": expected (0," << ys[i] << ")-(" << width << "," << ys[i]
            << "), saw (" << line.from.x << "," << line.from.y << ")-(" << line.to.x << ","
            << line.to.y << ")";
    }
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const LineSegment& line = lines[ys.size() + i];
        EXPECT_TRUE(line.from.y == 0 && line.to.y == height && line.from.x == xs[i] &&
                    line.to.x == xs[i])
            << "vertical " << i + 1 << ": expected (" << xs[i] << ",0)-(" << xs[i] << "," << height
            << "), saw (" << line.from.x << "," << line.from.y << ")-(" << line.to.x << ","
            << line.to.y << ")";
    }
}

std::string Text(const Box& box) {
    return std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) +
           "x" + std::to_string(box.height);
}

} // namespace

TEST(GridLines, FifteenOnXgaStartOneCellInAndEndInsideTheEdges) {
    ExpectGrid(1024, 768, 15, Positions(51, 51, 15), Positions(68, 68, 15));
}

TEST(GridLines, TenOnXgaEndAt1020And760) {
    ExpectGrid(1024, 768, 10, Positions(76, 76, 10), Positions(102, 102, 10));
}

TEST(GridLines, TwentyOnSxgaTruncateTheCells) {
    ExpectGrid(1280, 1024, 20, Positions(51, 51, 20), Positions(64, 64, 20));
}

TEST(GridLines, LastLineLiesOnTheEdgeWhenTheCellsDivideExactly) {
    const std::vector<LineSegment> lines = GridLines(800, 600, 10);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[9].from.y, 600);
    EXPECT_EQ(lines[19].from.x, 800);
}

TEST(GridLines, NoCountNoLines) {
    EXPECT_TRUE(GridLines(1024, 768, 0).empty());
    EXPECT_TRUE(GridLines(1024, 768, -3).empty());
}

TEST(ButtonPlacement, XgaPutsClearAt128And624AndExitAt832) {
    const ButtonPlacement place = PlaceButtons({0, 0, 1024, 768});
    EXPECT_EQ(Text(place.clear), "128,624 64x48");
    EXPECT_EQ(Text(place.exit), "832,624 64x48");
}

TEST(ButtonPlacement, OtherScreensTruncateEachEighthAndSixteenth) {
    EXPECT_EQ(Text(PlaceButtons({0, 0, 800, 600}).clear), "100,488 50x37");
    EXPECT_EQ(Text(PlaceButtons({0, 0, 800, 600}).exit), "650,488 50x37");
    EXPECT_EQ(Text(PlaceButtons({0, 0, 1280, 1024}).clear), "160,832 80x64");
    EXPECT_EQ(Text(PlaceButtons({0, 0, 1280, 1024}).exit), "1040,832 80x64");
    EXPECT_EQ(Text(PlaceButtons({0, 0, 1366, 768}).clear), "170,624 85x48");
    EXPECT_EQ(Text(PlaceButtons({0, 0, 1366, 768}).exit), "1111,624 85x48");
}

TEST(ButtonPlacement, DesktopNotAtTheOriginShiftsTheButtons) {
    const ButtonPlacement place = PlaceButtons({-1024, 100, 0, 868});
    EXPECT_EQ(Text(place.clear), "-896,724 64x48");
    EXPECT_EQ(Text(place.exit), "-192,724 64x48");
}
