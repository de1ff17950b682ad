#include "CalibrationGeometry.h"
#include <cmath>
#include <cstdint>

namespace {

constexpr std::uint32_t kMissingMargin = 3;
constexpr std::uint32_t kLargestMargin = 25;

// Values below the screen's edge become 0. Every step is a float assignment so that x87 and
// SSE builds round alike.
float ClampAtZero(float value) {
    return value < 0.0f ? 0.0f : value;
}

// Truncates a non-negative value toward zero; raw values no controller sends saturate
// instead of overflowing.
std::int32_t TruncateNonNegative(float value) {
    constexpr float kLimit = 2147483648.0f;
    return value >= kLimit ? INT32_MAX : static_cast<std::int32_t>(value);
}

std::int32_t Hundredfold(float value) {
    const float scaled = 100.0f * value;
    return TruncateNonNegative(scaled);
}

struct EdgePair {
    float first;
    float second;
};

// Extends the averaged pair from the targets, M percent inside, out to the screen's edges.
EdgePair ExtendToEdges(float first, float second, std::uint32_t margin) {
    const float span = second - first;
    const float scaled = span * static_cast<float>(margin);
    const float extension = scaled / static_cast<float>(100 - 2 * margin);
    const float lower = first - extension;
    const float upper = second + extension;
    return {ClampAtZero(lower), ClampAtZero(upper)};
}

float Average(float a, float b) {
    const float sum = a + b;
    return sum / 2.0f;
}

std::int32_t TruncatedDistance(float from, float to) {
    const float difference = to - from;
    const float distance = std::fabs(difference);
    return TruncateNonNegative(distance);
}

} // namespace

TargetScale ChooseTargetScale(std::optional<std::uint32_t> storedMargin, std::uint32_t width) {
    const std::uint32_t margin = storedMargin.value_or(kMissingMargin);
    if (margin == 1) {
        return {1, static_cast<std::int32_t>(width / 230)};
    }
    if (margin >= 2 && margin <= kLargestMargin) {
        return {margin, static_cast<std::int32_t>(width / 120)};
    }
    return {1, static_cast<std::int32_t>(width / 300)};
}

std::array<TargetPoint, 4> TargetCentres(std::uint32_t width, std::uint32_t height,
                                         std::uint32_t margin) {
    const auto left = static_cast<std::int32_t>(width * margin / 100);
    const auto right = static_cast<std::int32_t>(width * (100 - margin) / 100);
    const auto top = static_cast<std::int32_t>(height * margin / 100);
    const auto bottom = static_cast<std::int32_t>(height * (100 - margin) / 100);
    return {{{left, top}, {left, bottom}, {right, bottom}, {right, top}}};
}

std::array<TargetSquare, 4> TargetSquares(TargetPoint centre, std::int32_t radius) {
    const std::int32_t halfSizes[4] = {radius, radius * 3 / 2, radius * 2, radius / 2};
    std::array<TargetSquare, 4> squares;
    for (int i = 0; i < 4; ++i) {
        squares[i] = {centre.x - halfSizes[i], centre.y - halfSizes[i], centre.x + halfSizes[i],
                      centre.y + halfSizes[i]};
    }
    return squares;
}

CalibrationRecord ComputeCalibration(const std::array<RawTouchPoint, 4>& points,
                                     std::uint32_t margin, std::uint32_t width,
                                     std::uint32_t height) {
    float x[4];
    float y[4];
    for (int i = 0; i < 4; ++i) {
        x[i] = static_cast<float>(points[i].rawX);
        y[i] = static_cast<float>(points[i].rawY);
    }

    // Targets 0 and 1 share a screen column, 0 and 3 a screen row.
    const std::int32_t vertical = TruncatedDistance(x[0], x[1]);
    const std::int32_t horizontal = TruncatedDistance(x[0], x[3]);
    const bool swapped = horizontal < vertical;

    EdgePair a;
    EdgePair b;
    if (swapped) {
        a = ExtendToEdges(Average(x[1], x[2]), Average(x[0], x[3]), margin);
        b = ExtendToEdges(Average(y[0], y[1]), Average(y[2], y[3]), margin);
    } else {
        a = ExtendToEdges(Average(x[0], x[1]), Average(x[2], x[3]), margin);
        b = ExtendToEdges(Average(y[0], y[3]), Average(y[1], y[2]), margin);
    }

    CalibrationRecord record;
    record.edgeA1 = Hundredfold(a.first);
    record.edgeA2 = Hundredfold(a.second);
    record.edgeB1 = Hundredfold(b.first);
    record.edgeB2 = Hundredfold(b.second);
    record.swapped = swapped ? 1 : 0;
    record.width = width;
    record.height = height;
    return record;
}

bool HasZeroSpan(const CalibrationRecord& record) {
    return record.edgeA1 == record.edgeA2 || record.edgeB1 == record.edgeB2;
}
