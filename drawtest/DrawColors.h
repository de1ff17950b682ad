#pragma once
#include <cstdint>

// A colour laid out as a Windows COLORREF: red in the low byte, then green, then blue.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Rgb>(red) | static_cast<Rgb>(green) << 8 | static_cast<Rgb>(blue) << 16;
}

namespace DrawColors {
// The colours the settings menu offers for the pen and the grid.
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kOrange = MakeRgb(255, 128, 0);
inline constexpr Rgb kYellow = MakeRgb(255, 255, 0);
inline constexpr Rgb kGreen = MakeRgb(0, 255, 0);
inline constexpr Rgb kBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kPurple = MakeRgb(128, 0, 255);
inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);

inline constexpr Rgb kSurface = MakeRgb(5, 174, 230);
inline constexpr Rgb kDialogText = MakeRgb(0, 255, 0);
inline constexpr Rgb kButtonFace = MakeRgb(124, 194, 245);
} // namespace DrawColors
