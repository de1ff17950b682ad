#include "SoundPageMapping.h"
#include <gtest/gtest.h>

namespace {

DriverParameters Beep(std::uint32_t mode, std::uint32_t frequency, std::uint32_t duration) {
    DriverParameters parameters;
    parameters.BeepMode = mode;
    parameters.BeepFreq = frequency;
    parameters.BeepTime = duration;
    return parameters;
}

} // namespace

TEST(SoundPage, LoadedValuesShowAsListEntryAndSliderSteps) {
    const DriverParameters loaded = Beep(0, 1000, 200);
    EXPECT_EQ(SoundPageMapping::ModeSelection(loaded), 0);
    EXPECT_EQ(SoundPageMapping::FrequencyPosition(loaded), 5);
    EXPECT_EQ(SoundPageMapping::DurationPosition(loaded), 2);
    EXPECT_EQ(SoundPageMapping::ModeSelection(Beep(2, 0, 0)), 2);
}

TEST(SoundPage, ValuesBetweenStepsShowTheStepBelow) {
    const DriverParameters loaded = Beep(1, 1100, 150);
    EXPECT_EQ(SoundPageMapping::FrequencyPosition(loaded), 5);
    EXPECT_EQ(SoundPageMapping::DurationPosition(loaded), 1);
    EXPECT_EQ(SoundPageMapping::FrequencyPosition(Beep(1, 199, 99)), 0);
}

TEST(SoundPage, ValuesBeyondTheSliderShowAtItsEnd) {
    const DriverParameters loaded = Beep(1, 2400, 0xFFFFFFFF);
    EXPECT_EQ(SoundPageMapping::FrequencyPosition(loaded), 10);
    EXPECT_EQ(SoundPageMapping::DurationPosition(loaded), 10);
}

TEST(SoundPage, ModeTheListDoesNotOfferSelectsNothing) {
    EXPECT_EQ(SoundPageMapping::ModeSelection(Beep(3, 0, 0)), SoundPageMapping::kNoSelection);
    EXPECT_EQ(SoundPageMapping::ModeSelection(Beep(0xFFFFFFFF, 0, 0)),
              SoundPageMapping::kNoSelection);
}

TEST(SoundPage, SlidersAndTestAreEnabledUnlessBeepingIsOff) {
    EXPECT_FALSE(SoundPageMapping::BeepControlsEnabled(0));
    EXPECT_TRUE(SoundPageMapping::BeepControlsEnabled(1));
    EXPECT_TRUE(SoundPageMapping::BeepControlsEnabled(2));
    EXPECT_TRUE(SoundPageMapping::BeepControlsEnabled(SoundPageMapping::kNoSelection));
}

TEST(SoundPage, TestSendsTheSliderStepsInDriverUnits) {
    EXPECT_EQ(SoundPageMapping::FrequencyValue(5), 1000u);
    EXPECT_EQ(SoundPageMapping::DurationValue(2), 200u);
    EXPECT_EQ(SoundPageMapping::FrequencyValue(0), 0u);
    EXPECT_EQ(SoundPageMapping::DurationValue(0), 0u);
    EXPECT_EQ(SoundPageMapping::FrequencyValue(10), 2000u);
    EXPECT_EQ(SoundPageMapping::DurationValue(10), 1000u);
}

TEST(SoundPage, OkStoresTheMultipleTheSlidersShowed) {
    DriverParameters parameters = Beep(1, 1100, 150);
    SoundPageMapping::Accept(parameters, SoundPageMapping::ModeSelection(parameters),
                             SoundPageMapping::FrequencyPosition(parameters),
                             SoundPageMapping::DurationPosition(parameters));
    EXPECT_EQ(parameters.BeepMode, 1u);
    EXPECT_EQ(parameters.BeepFreq, 1000u);
    EXPECT_EQ(parameters.BeepTime, 100u);

    DriverParameters beyond = Beep(2, 2400, 1500);
    SoundPageMapping::Accept(beyond, 2, SoundPageMapping::FrequencyPosition(beyond),
                             SoundPageMapping::DurationPosition(beyond));
    EXPECT_EQ(beyond.BeepFreq, 2000u);
    EXPECT_EQ(beyond.BeepTime, 1000u);
}

TEST(SoundPage, OkTakesTheChosenModeAndKeepsAnUnofferedOneUntilChosen) {
    DriverParameters parameters = Beep(7, 400, 300);
    SoundPageMapping::Accept(parameters, SoundPageMapping::kNoSelection, 2, 3);
    EXPECT_EQ(parameters.BeepMode, 7u);
    EXPECT_EQ(parameters.BeepFreq, 400u);
    EXPECT_EQ(parameters.BeepTime, 300u);

    SoundPageMapping::Accept(parameters, 0, 2, 3);
    EXPECT_EQ(parameters.BeepMode, 0u);
    DriverParameters fallbacks;
    EXPECT_EQ(fallbacks.MouseMode, parameters.MouseMode) << "other fields untouched";
    EXPECT_EQ(fallbacks.Port, parameters.Port);
}
