#pragma once
#include "DriverParameters.h"
#include <cstdint>

// Between the Sound page's controls and the driver's beep settings: the mode list's index is
// the mode, each slider step is 200 of frequency or 100 of duration.
namespace SoundPageMapping {

inline constexpr int kLastPosition = 10;
inline constexpr std::uint32_t kFrequencyStep = 200;
inline constexpr std::uint32_t kDurationStep = 100;
inline constexpr int kModeCount = 3;
inline constexpr int kNoSelection = -1;

// The list entry to select; none for a mode the list does not offer.
int ModeSelection(const DriverParameters& parameters);
int FrequencyPosition(const DriverParameters& parameters);
int DurationPosition(const DriverParameters& parameters);

// The sliders and the Test button mean nothing while beeping is off.
bool BeepControlsEnabled(int modeSelection);

std::uint32_t FrequencyValue(int position);
std::uint32_t DurationValue(int position);

// The page's OK: the sliders always, the mode only when an entry is selected.
void Accept(DriverParameters& parameters, int modeSelection, int frequencyPosition,
            int durationPosition);

} // namespace SoundPageMapping
