#pragma once
#include <cstdint>

// The driver's settings as the applet holds them, in the driver's order. The first eight
// fields form the settings block of SetParameters.
struct DriverParameters {
    std::uint32_t MouseMode = 3;
    std::uint32_t DblClickRegion = 25;
    std::uint32_t InterActTime = 1;
    std::uint32_t BeepMode = 0;
    std::uint32_t BeepFreq = 0;
    std::uint32_t BeepTime = 0;
    std::uint32_t Port = 0;
    std::uint32_t Enable = 1;
    std::uint32_t CalibrateMargin = 2;
};
