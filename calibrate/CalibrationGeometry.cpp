#include "CalibrationGeometry.h"
#include <cstdint>
#include <cstdlib>

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

// The targets on the lower and on the upper edge of one raw axis, in showing order.
struct EdgeTargets {
    int lower[2];
    int upper[2];
};

// Which targets share a screen edge on raw X (a) and raw Y (b), upright and swapped.
struct AxisPairs {
    EdgeTargets a;
    EdgeTargets b;
};

constexpr AxisPairs kUpright{{{0, 1}, {2, 3}}, {{0, 3}, {1, 2}}};
constexpr AxisPairs kSwapped{{{1, 2}, {0, 3}}, {{0, 1}, {2, 3}}};

std::int64_t Distance(std::uint32_t from, std::uint32_t to) {
    return std::llabs(static_cast<std::int64_t>(to) - static_cast<std::int64_t>(from));
}

// Targets 0 and 1 share a screen column, 0 and 3 a screen row: the axes are swapped when raw X
// changes more down the column than along the row. Exact integers decide alike in every build;
// for the raw values a float holds exactly they give the float distances.
bool AxesSwapped(const std::array<RawTouchPoint, 4>& points) {
    return Distance(points[0].rawX, points[3].rawX) < Distance(points[0].rawX, points[1].rawX);
}

const AxisPairs& PairsFor(bool swapped) {
    return swapped ? kSwapped : kUpright;
}

// The two touches on one edge may differ by one part in this of the span to the opposite edge.
// Skew and jitter of a sound pass stay within a few per cent; a touch half-way along an edge
// strays half the span, a bounce or a wrong order all of it.
constexpr std::int64_t kAgreementShare = 8;

// Sums instead of averages keep every value an integer: both sides are twice the true ones.
bool EdgesAgree(const std::int64_t (&raw)[4], const EdgeTargets& edges) {
    const std::int64_t lowerSum = raw[edges.lower[0]] + raw[edges.lower[1]];
    const std::int64_t upperSum = raw[edges.upper[0]] + raw[edges.upper[1]];
    const std::int64_t doubleSpan = std::llabs(upperSum - lowerSum);
    const std::int64_t lowerGap = std::llabs(raw[edges.lower[0]] - raw[edges.lower[1]]);
    const std::int64_t upperGap = std::llabs(raw[edges.upper[0]] - raw[edges.upper[1]]);
    return 2 * kAgreementShare * lowerGap <= doubleSpan &&
           2 * kAgreementShare * upperGap <= doubleSpan;
}

bool TouchesMatchTargets(const std::array<RawTouchPoint, 4>& points) {
    std::int64_t x[4];
    std::int64_t y[4];
    for (int i = 0; i < 4; ++i) {
        x[i] = points[i].rawX;
        y[i] = points[i].rawY;
    }
    const AxisPairs& pairs = PairsFor(AxesSwapped(points));
    return EdgesAgree(x, pairs.a) && EdgesAgree(y, pairs.b);
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

    const bool swapped = AxesSwapped(points);
    const AxisPairs& pairs = PairsFor(swapped);
    const EdgePair a = ExtendToEdges(Average(x[pairs.a.lower[0]], x[pairs.a.lower[1]]),
                                     Average(x[pairs.a.upper[0]], x[pairs.a.upper[1]]), margin);
    const EdgePair b = ExtendToEdges(Average(y[pairs.b.lower[0]], y[pairs.b.lower[1]]),
                                     Average(y[pairs.b.upper[0]], y[pairs.b.upper[1]]), margin);

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

std::optional<CalibrationRecord> UsableCalibration(const std::array<RawTouchPoint, 4>& points,
                                                   std::uint32_t margin, std::uint32_t width,
                                                   std::uint32_t height) {
    if (!TouchesMatchTargets(points)) {
        return std::nullopt;
    }
    // Touches without span, or raw values that saturate every edge, map the screen to a line.
    const CalibrationRecord record = ComputeCalibration(points, margin, width, height);
    if (HasZeroSpan(record)) {
        return std::nullopt;
    }
    return record;
}
