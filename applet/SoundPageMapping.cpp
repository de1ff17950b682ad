#include "SoundPageMapping.h"
#include <algorithm>

namespace SoundPageMapping {

namespace {

// A stored value beyond the slider's end shows at the end, as the slider itself would clamp.
int Position(std::uint32_t value, std::uint32_t step) {
    return static_cast<int>(std::min<std::uint32_t>(value / step, kLastPosition));
}

std::uint32_t Value(int position, std::uint32_t step) {
    return static_cast<std::uint32_t>(std::clamp(position, 0, kLastPosition)) * step;
}

} // namespace

int ModeSelection(const DriverParameters& parameters) {
    return parameters.BeepMode < kModeCount ? static_cast<int>(parameters.BeepMode) : kNoSelection;
}

int FrequencyPosition(const DriverParameters& parameters) {
    return Position(parameters.BeepFreq, kFrequencyStep);
}

int DurationPosition(const DriverParameters& parameters) {
    return Position(parameters.BeepTime, kDurationStep);
}

bool BeepControlsEnabled(int modeSelection) {
    return modeSelection != 0;
}

std::uint32_t FrequencyValue(int position) {
    return Value(position, kFrequencyStep);
}

std::uint32_t DurationValue(int position) {
    return Value(position, kDurationStep);
}

void Accept(DriverParameters& parameters, int modeSelection, int frequencyPosition,
            int durationPosition) {
    if (modeSelection >= 0 && modeSelection < kModeCount) {
        parameters.BeepMode = static_cast<std::uint32_t>(modeSelection);
    }
    parameters.BeepFreq = FrequencyValue(frequencyPosition);
    parameters.BeepTime = DurationValue(durationPosition);
}

} // namespace SoundPageMapping
