#include "CalibrationGeometry.h"
#include <gtest/gtest.h>

namespace {

std::array<RawTouchPoint, 4>
Points(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> xy) {
    std::array<RawTouchPoint, 4> points{};
    std::size_t i = 0;
    for (const auto& [x, y] : xy) {
        points[i].rawX = x;
        points[i].rawY = y;
        ++i;
    }
    return points;
}

CalibrationRecord Record(std::int32_t a1, std::int32_t a2, std::int32_t b1, std::int32_t b2,
                         std::uint32_t swapped, std::uint32_t width, std::uint32_t height) {
    CalibrationRecord record;
    record.edgeA1 = a1;
    record.edgeA2 = a2;
    record.edgeB1 = b1;
    record.edgeB2 = b2;
    record.swapped = swapped;
    record.width = width;
    record.height = height;
    return record;
}

void ExpectRecord(const CalibrationRecord& actual, const CalibrationRecord& expected) {
    EXPECT_EQ(actual, expected) << "got " << actual.edgeA1 << ", " << actual.edgeA2 << ", "
                                << actual.edgeB1 << ", " << actual.edgeB2 << ", " << actual.swapped
                                << ", " << actual.width << ", " << actual.height;
}

} // namespace

TEST(TargetScale, MarginTableAndRadius) {
    EXPECT_EQ(ChooseTargetScale(1, 1024).margin, 1u);
    EXPECT_EQ(ChooseTargetScale(1, 1024).radius, 4);
    EXPECT_EQ(ChooseTargetScale(4, 1024).radius, 8);
    EXPECT_EQ(ChooseTargetScale(25, 1024).margin, 25u);
    EXPECT_EQ(ChooseTargetScale(25, 1024).radius, 8);
    for (std::uint32_t outOfRange : {0u, 26u, 30u, 0xFFFFFFFFu}) {
        EXPECT_EQ(ChooseTargetScale(outOfRange, 1024).margin, 1u) << outOfRange;
        EXPECT_EQ(ChooseTargetScale(outOfRange, 1024).radius, 3) << "W / 300, not W / 230";
    }
    EXPECT_EQ(ChooseTargetScale(std::nullopt, 1024).margin, 3u) << "missing value gives 3";
    EXPECT_EQ(ChooseTargetScale(std::nullopt, 1024).radius, 8);
}

TEST(TargetPlacement, CentresGoTopLeftBottomLeftBottomRightTopRight) {
    const auto centres = TargetCentres(1024, 768, 4);
    const int expected[4][2] = {{40, 30}, {40, 737}, {983, 737}, {983, 30}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(centres[i].x, expected[i][0]) << "target " << i;
        EXPECT_EQ(centres[i].y, expected[i][1]) << "target " << i;
    }
    const auto edge = TargetCentres(1024, 768, 1);
    EXPECT_EQ(edge[0].x, 10);
    EXPECT_EQ(edge[0].y, 7);
    EXPECT_EQ(edge[2].x, 1013);
    EXPECT_EQ(edge[2].y, 760);
}

TEST(TargetPlacement, SquaresHaveHalfSizesOneOneAndAHalfTwoAndAHalf) {
    const auto squares = TargetSquares({40, 30}, 8);
    const int halfSizes[4] = {8, 12, 16, 4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(squares[i].left, 40 - halfSizes[i]);
        EXPECT_EQ(squares[i].right, 40 + halfSizes[i]);
        EXPECT_EQ(squares[i].top, 30 - halfSizes[i]);
        EXPECT_EQ(squares[i].bottom, 30 + halfSizes[i]);
    }
    const auto odd = TargetSquares({10, 7}, 3);
    EXPECT_EQ(odd[1].right - odd[1].left, 8) << "trunc(1.5 * 3) = 4";
    EXPECT_EQ(odd[3].right - odd[3].left, 2) << "trunc(0.5 * 3) = 1";
}

TEST(CalibrationComputation, WorkedRecordsComeOutExactly) {
    ExpectRecord(ComputeCalibration(Points({{300, 400}, {310, 3700}, {3800, 3690}, {3790, 410}}), 4,
                                    1024, 768),
                 Record(15326, 394673, 26195, 383804, 0, 1024, 768));
    ExpectRecord(ComputeCalibration(Points({{400, 300}, {3700, 310}, {3690, 3800}, {410, 3790}}), 4,
                                    1024, 768),
                 Record(383804, 26195, 15326, 394673, 1, 1024, 768));
    ExpectRecord(ComputeCalibration(Points({{3800, 3700}, {3790, 400}, {300, 410}, {310, 3690}}), 4,
                                    1024, 768),
                 Record(394673, 15326, 383804, 26195, 0, 1024, 768));
    ExpectRecord(ComputeCalibration(Points({{100, 100}, {100, 4000}, {4000, 4000}, {4000, 100}}),
                                    25, 1024, 768),
                 Record(0, 595000, 0, 595000, 0, 1024, 768));
    ExpectRecord(ComputeCalibration(Points({{0, 0}, {0, 0}, {0, 0}, {0, 0}}), 4, 800, 600),
                 Record(0, 0, 0, 0, 0, 800, 600));
}

TEST(CalibrationComputation, EqualDistancesCountAsNotSwapped) {
    const auto record = ComputeCalibration(
        Points({{1000, 1000}, {2000, 2000}, {3000, 2000}, {2000, 1000}}), 4, 1024, 768);
    EXPECT_EQ(record.swapped, 0u);
}

TEST(CalibrationComputation, HugeRawValuesSaturateInsteadOfWrapping) {
    const auto record = ComputeCalibration(
        Points({{0, 0}, {0, 4000}, {4000000000u, 4000}, {4000000000u, 0}}), 4, 1024, 768);
    EXPECT_EQ(record.edgeA2, INT32_MAX);
    EXPECT_EQ(record.edgeA1, 0);
}

TEST(CalibrationComputation, ZeroSpanOnEitherAxisIsUnusable) {
    EXPECT_TRUE(HasZeroSpan(Record(0, 0, 0, 0, 0, 1024, 768)));
    EXPECT_TRUE(HasZeroSpan(Record(100, 200, 500, 500, 0, 1024, 768)));
    EXPECT_TRUE(HasZeroSpan(Record(300, 300, 100, 900, 1, 1024, 768)));
    EXPECT_FALSE(HasZeroSpan(Record(15326, 394673, 26195, 383804, 0, 1024, 768)));
    EXPECT_FALSE(HasZeroSpan(Record(0, 595000, 0, 595000, 0, 1024, 768)));
}
