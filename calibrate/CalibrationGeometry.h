#pragma once
#include "DriverRecords.h"
#include <array>
#include <cstdint>
#include <optional>

struct TargetPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct TargetSquare {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Margin in percent of the screen and the unit radius of the targets.
struct TargetScale {
    std::uint32_t margin = 0;
    std::int32_t radius = 0;
};

// The stored margin (none when it could not be read) and the client width give the scale.
TargetScale ChooseTargetScale(std::optional<std::uint32_t> storedMargin, std::uint32_t width);

// Centres in the order the targets are shown: top-left, bottom-left, bottom-right, top-right.
std::array<TargetPoint, 4> TargetCentres(std::uint32_t width, std::uint32_t height,
                                         std::uint32_t margin);

// Squares of half-size r, 1.5 r, 2 r and 0.5 r around a centre, in drawing order.
std::array<TargetSquare, 4> TargetSquares(TargetPoint centre, std::int32_t radius);

// The record of four raw points, one per target in showing order.
CalibrationRecord ComputeCalibration(const std::array<RawTouchPoint, 4>& points,
                                     std::uint32_t margin, std::uint32_t width,
                                     std::uint32_t height);

// A record whose edges coincide on an axis maps every touch to one line: never usable.
bool HasZeroSpan(const CalibrationRecord& record);

// The record of a pass the driver may be given. None unless the touches fit the targets: in
// the orientation the record takes, the two raw values of each pair of targets on one screen
// edge agree within an eighth of the raw span to the opposite edge, on both axes, and the
// record has a span on both (zero raw spans, or raw values that saturate every edge, give it
// none). The touches are compared exactly, alike in every build.
std::optional<CalibrationRecord> UsableCalibration(const std::array<RawTouchPoint, 4>& points,
                                                   std::uint32_t margin, std::uint32_t width,
                                                   std::uint32_t height);
