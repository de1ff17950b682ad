#include "CalibrationGeometry.h"
#include <optional>
#include <string>
#include <vector>
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

namespace {

struct PassCase {
    std::string what;
    std::array<RawTouchPoint, 4> points;
    std::uint32_t margin = 4;
    bool usable = true;
    std::optional<CalibrationRecord> record; // checked byte for byte when given
};

// Four touches on a panel mounted any way round: raw axes along or across the screen, each
// either way, with a slight skew and a few raw units of jitter on every touch.
std::vector<PassCase> MountedPanelPasses() {
    constexpr std::int64_t kLow = 250, kSpan = 3600, kSkew = 150;
    const std::int64_t jitter[4][2] = {{30, -25}, {-35, 20}, {25, 35}, {-20, -30}};
    // Screen position of each target in percent: top-left, bottom-left, bottom-right, top-right.
    const std::int64_t screen[4][2] = {{4, 4}, {4, 96}, {96, 96}, {96, 4}};
    std::vector<PassCase> cases;
    for (int mounting = 0; mounting < 8; ++mounting) {
        const bool swapped = (mounting & 1) != 0;
        const bool reverseX = (mounting & 2) != 0;
        const bool reverseY = (mounting & 4) != 0;
        PassCase pass{"mounting " + std::to_string(mounting), {}, 4, true, std::nullopt};
        for (int i = 0; i < 4; ++i) {
            const std::int64_t along = screen[i][swapped ? 1 : 0];
            const std::int64_t across = screen[i][swapped ? 0 : 1];
            const std::int64_t x = reverseX ? 100 - along : along;
            const std::int64_t y = reverseY ? 100 - across : across;
            pass.points[i].rawX =
                static_cast<std::uint32_t>(kLow + kSpan * x / 100 + kSkew * y / 100 + jitter[i][0]);
            pass.points[i].rawY =
                static_cast<std::uint32_t>(kLow + kSpan * y / 100 - kSkew * x / 100 + jitter[i][1]);
        }
        pass.record = ComputeCalibration(pass.points, 4, 1024, 768);
        EXPECT_EQ(pass.record->swapped, swapped ? 1u : 0u) << pass.what;
        cases.push_back(pass);
    }
    return cases;
}

PassCase Refused(std::string what, std::array<RawTouchPoint, 4> points) {
    return {std::move(what), points, 4, false, std::nullopt};
}

PassCase Usable(std::string what, std::array<RawTouchPoint, 4> points) {
    return {std::move(what), points, 4, true, std::nullopt};
}

} // namespace

TEST(CalibrationComputation, OnlyTouchesThatMatchTheTargetsGiveARecord) {
    // Odd raw values that a float cannot hold: the edge pairs differ by exactly an eighth.
    constexpr std::uint32_t B = 17000001;
    std::vector<PassCase> cases = {
        {"worked upright", Points({{300, 400}, {310, 3700}, {3800, 3690}, {3790, 410}}), 4, true,
         Record(15326, 394673, 26195, 383804, 0, 1024, 768)},
        {"worked swapped", Points({{400, 300}, {3700, 310}, {3690, 3800}, {410, 3790}}), 4, true,
         Record(383804, 26195, 15326, 394673, 1, 1024, 768)},
        {"worked reversed", Points({{3800, 3700}, {3790, 400}, {300, 410}, {310, 3690}}), 4, true,
         Record(394673, 15326, 383804, 26195, 0, 1024, 768)},
        {"worked margin 25", Points({{100, 100}, {100, 4000}, {4000, 4000}, {4000, 100}}), 25, true,
         Record(0, 595000, 0, 595000, 0, 1024, 768)},
        Refused("target 3 touched half-way down the right edge",
                Points({{300, 400}, {310, 3700}, {3800, 3690}, {3795, 2050}})),
        Refused("target 1 bounced target 0's point",
                Points({{300, 400}, {300, 400}, {3800, 3690}, {3790, 410}})),
        Refused("targets 1 and 2 touched in each other's order",
                Points({{300, 400}, {3800, 3690}, {310, 3700}, {3790, 410}})),
        Refused("targets 2 and 3 touched in each other's order",
                Points({{300, 400}, {310, 3700}, {3790, 410}, {3800, 3690}})),
        Refused("all zero", Points({{0, 0}, {0, 0}, {0, 0}, {0, 0}})),
        Refused("one point four times",
                Points({{2000, 2000}, {2000, 2000}, {2000, 2000}, {2000, 2000}})),
        Refused("every edge saturates", Points({{30000000, 30000000},
                                                {30000000, 40000000},
                                                {40000000, 40000000},
                                                {40000000, 30000000}})),
        Usable("X pairs an eighth apart",
               Points({{B, 400}, {B + 102, 3700}, {B + 816, 3690}, {B + 918, 410}})),
        Refused("X pairs just over an eighth apart",
                Points({{B, 400}, {B + 103, 3700}, {B + 816, 3690}, {B + 918, 410}})),
        Usable("Y pairs an eighth apart",
               Points({{300, B}, {310, B + 816}, {3800, B + 918}, {3790, B + 102}})),
        Refused("Y pairs just over an eighth apart",
                Points({{300, B}, {310, B + 816}, {3800, B + 918}, {3790, B + 103}})),
        Usable("swapped X pairs an eighth apart",
               Points({{B + 816, 400}, {B, 410}, {B + 102, 3700}, {B + 918, 3690}})),
        Refused("swapped X pairs just over an eighth apart",
                Points({{B + 816, 400}, {B, 410}, {B + 103, 3700}, {B + 918, 3690}})),
    };
    for (const PassCase& pass : MountedPanelPasses()) {
        cases.push_back(pass);
    }

    for (const PassCase& pass : cases) {
        SCOPED_TRACE(pass.what);
        const auto record = UsableCalibration(pass.points, pass.margin, 1024, 768);
        ASSERT_EQ(record.has_value(), pass.usable);
        if (pass.record) {
            ExpectRecord(*record, *pass.record);
        }
    }
}
