#include "SettingsMenu.h"
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>

namespace {

using SettingsMenu::Apply;
using SettingsMenu::IsGreyed;

std::string Describe(const DrawSettings& s) {
    std::ostringstream text;
    text << std::hex << "pen 0x" << s.penColor << std::dec << " width " << s.penWidth << ", grid "
         << (s.showGrid ? "shown" : "hidden") << " " << s.gridCount << " lines, 0x" << std::hex
         << s.gridColor << std::dec << " width " << s.gridLineWidth;
    return text.str();
}

std::set<unsigned> Greyed(const DrawSettings& settings) {
    std::set<unsigned> greyed;
    for (const SettingsMenu::Choice& choice : SettingsMenu::kChoices) {
        if (IsGreyed(settings, choice)) {
            greyed.insert(choice.command);
        }
    }
    return greyed;
}

std::string List(const std::set<unsigned>& commands) {
    std::string text;
    for (unsigned command : commands) {
        text += std::to_string(command) + " ";
    }
    return text;
}

void ExpectGreyed(const DrawSettings& settings, const std::set<unsigned>& expected) {
    const std::set<unsigned> seen = Greyed(settings);
    EXPECT_EQ(seen, expected) << "with " << Describe(settings) << ": expected greyed "
                              << List(expected) << "saw " << List(seen);
}

// What choosing each command on top of the defaults must give.
struct Expected {
    unsigned command;
    DrawSettings settings;
};

DrawSettings With(void (*change)(DrawSettings&)) {
    DrawSettings settings;
    change(settings);
    return settings;
}

const Expected kEffects[] = {
    {32785, With([](DrawSettings& s) { s.penColor = 0x0000FF; })},
    {32786, With([](DrawSettings& s) { s.penColor = 0x0080FF; })},
    {32787, With([](DrawSettings& s) { s.penColor = 0x00FFFF; })},
    {32788, With([](DrawSettings& s) { s.penColor = 0x00FF00; })},
    {32789, With([](DrawSettings& s) { s.penColor = 0xFF0000; })},
    {32790, With([](DrawSettings& s) { s.penColor = 0xFF0080; })},
    {32791, With([](DrawSettings& s) { s.penColor = 0x000000; })},
    {32792, With([](DrawSettings& s) { s.penWidth = 1; })},
    {32793, With([](DrawSettings& s) { s.penWidth = 2; })},
    {32794, With([](DrawSettings& s) { s.penWidth = 4; })},
    {32795, With([](DrawSettings& s) { s.gridLineWidth = 4; })},
    {32796, With([](DrawSettings& s) { s.gridLineWidth = 1; })},
    {32797, With([](DrawSettings& s) { s.gridLineWidth = 2; })},
    {32798, With([](DrawSettings& s) { s.gridColor = 0x0000FF; })},
    {32799, With([](DrawSettings& s) { s.gridColor = 0x0080FF; })},
    {32800, With([](DrawSettings& s) { s.gridColor = 0x00FFFF; })},
    {32801, With([](DrawSettings& s) { s.gridColor = 0x00FF00; })},
    {32802, With([](DrawSettings& s) { s.gridColor = 0xFF0000; })},
    {32803, With([](DrawSettings& s) { s.showGrid = true; })},
    {32804, With([](DrawSettings& s) { s.showGrid = false; })},
    {32805, With([](DrawSettings& s) { s.gridCount = 10; })},
    {32806, With([](DrawSettings& s) { s.gridCount = 15; })},
    {32807, With([](DrawSettings& s) { s.gridCount = 20; })},
};

} // namespace

TEST(DrawSettingsDefaults, RedPenOfOnePixelOverYellowFifteenByFifteenGrid) {
    const DrawSettings expected{0x0000FF, 1, true, 15, 0x00FFFF, 1};
    EXPECT_EQ(Describe(DrawSettings{}), Describe(expected));
}

TEST(SettingsMenuCommands, EachCommandSetsItsValueAndNothingElse) {
    ASSERT_EQ(std::size(kEffects), std::size(SettingsMenu::kChoices));
    for (const Expected& effect : kEffects) {
        DrawSettings settings;
        EXPECT_TRUE(Apply(settings, effect.command)) << effect.command;
        EXPECT_EQ(Describe(settings), Describe(effect.settings)) << "command " << effect.command;
    }
}

TEST(SettingsMenuCommands, TheTableFillsTheHandledRangeExactlyOnce) {
    std::set<unsigned> commands;
    for (const SettingsMenu::Choice& choice : SettingsMenu::kChoices) {
        EXPECT_TRUE(commands.insert(choice.command).second) << "twice: " << choice.command;
    }
    EXPECT_EQ(SettingsMenu::kFirstCommand, 32785u);
    EXPECT_EQ(SettingsMenu::kLastCommand, 32807u);
    EXPECT_EQ(commands.size(), 32807u - 32785u + 1u);
    EXPECT_EQ(*commands.begin(), 32785u);
    EXPECT_EQ(*commands.rbegin(), 32807u);
}

TEST(SettingsMenuCommands, ForeignCommandsChangeNothing) {
    for (unsigned command : {0u, 1u, 2u, 32784u, 32808u}) {
        DrawSettings settings;
        settings.gridCount = 20;
        const std::string before = Describe(settings);
        EXPECT_FALSE(Apply(settings, command)) << command;
        EXPECT_EQ(Describe(settings), before) << "command " << command;
    }
}

TEST(SettingsMenuGreying, DefaultsGreyTheCurrentValueOfEveryGroup) {
    ExpectGreyed(DrawSettings{}, {32785, 32792, 32803, 32806, 32800, 32796});
}

TEST(SettingsMenuGreying, GreyingFollowsEachChoice) {
    DrawSettings settings;
    for (unsigned command : {32790u, 32797u, 32802u, 32805u}) {
        Apply(settings, command);
    }
    ExpectGreyed(settings, {32790, 32792, 32803, 32805, 32802, 32797});
    Apply(settings, 32795);
    ExpectGreyed(settings, {32790, 32792, 32803, 32805, 32802, 32795});
}

TEST(SettingsMenuGreying, HiddenGridLeavesOnlyYesInTheGridGroups) {
    DrawSettings settings;
    Apply(settings, 32788);
    Apply(settings, 32804);
    ExpectGreyed(settings, {32788, 32792, 32804, 32795, 32796, 32797, 32798, 32799, 32800, 32801,
                            32802, 32805, 32806, 32807});
    Apply(settings, 32803);
    ExpectGreyed(settings, {32788, 32792, 32803, 32806, 32800, 32796});
}

TEST(SettingsMenuResources, EnglishMenuIs133ChineseIs131) {
    EXPECT_EQ(SettingsMenu::ResourceId(UiLanguage::English), 133u);
    EXPECT_EQ(SettingsMenu::ResourceId(UiLanguage::Chinese), 131u);
}
