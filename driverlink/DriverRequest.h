#pragma once
#include <cstdint>

// Device-control codes of the touch driver: device type 0x22, buffered, any access.
enum class DriverRequest : std::uint32_t {
    ClosePort = 0x222004,
    OpenPort = 0x222008,
    SetCalibration = 0x222010,
    ReadRawPoint = 0x222014,
    SetParameters = 0x222018,
    TestBeep = 0x22201c,
};

constexpr std::uint32_t DriverRequestCode(std::uint32_t function) {
    constexpr std::uint32_t deviceType = 0x22, methodBuffered = 0, anyAccess = 0;
    return (deviceType << 16) | (anyAccess << 14) | (function << 2) | methodBuffered;
}

static_assert(static_cast<std::uint32_t>(DriverRequest::ClosePort) == DriverRequestCode(0x801));
static_assert(static_cast<std::uint32_t>(DriverRequest::OpenPort) == DriverRequestCode(0x802));
static_assert(static_cast<std::uint32_t>(DriverRequest::SetCalibration) ==
              DriverRequestCode(0x804));
static_assert(static_cast<std::uint32_t>(DriverRequest::ReadRawPoint) == DriverRequestCode(0x805));
static_assert(static_cast<std::uint32_t>(DriverRequest::SetParameters) == DriverRequestCode(0x806));
static_assert(static_cast<std::uint32_t>(DriverRequest::TestBeep) == DriverRequestCode(0x807));
