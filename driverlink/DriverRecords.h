#pragma once
#include "DriverParameters.h"
#include <array>
#include <cstdint>

// What ReadRawPoint returns: the controller's own coordinates of the last touch.
struct RawTouchPoint {
    std::uint32_t rawX = 0;
    std::uint32_t rawY = 0;
    std::uint32_t reserved = 0;
};

// 100 x the raw values at the screen's edges, the axes-swap flag and the screen size.
struct CalibrationRecord {
    std::int32_t edgeA1 = 0;
    std::int32_t edgeA2 = 0;
    std::int32_t edgeB1 = 0;
    std::int32_t edgeB2 = 0;
    std::uint32_t swapped = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    bool operator==(const CalibrationRecord& other) const;
};

constexpr std::size_t kRawTouchPointSize = 12;
constexpr std::size_t kCalibrationRecordSize = 28;
constexpr std::size_t kSettingsBlockSize = 32;

using RawTouchPointBytes = std::array<std::uint8_t, kRawTouchPointSize>;
using CalibrationRecordBytes = std::array<std::uint8_t, kCalibrationRecordSize>;
using SettingsBlockBytes = std::array<std::uint8_t, kSettingsBlockSize>;

static_assert(sizeof(RawTouchPoint) == kRawTouchPointSize);
static_assert(sizeof(CalibrationRecord) == kCalibrationRecordSize);
static_assert(sizeof(DriverParameters) == kSettingsBlockSize + 4);

// The wire and registry forms are little-endian whatever the host.
RawTouchPoint ParseRawTouchPoint(const RawTouchPointBytes& bytes);
CalibrationRecordBytes Serialize(const CalibrationRecord& record);
CalibrationRecord ParseCalibrationRecord(const CalibrationRecordBytes& bytes);
SettingsBlockBytes SettingsBlock(const DriverParameters& parameters);
