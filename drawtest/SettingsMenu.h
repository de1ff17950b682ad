#pragma once
#include "DrawSettings.h"
#include "UiLanguage.h"
#include "resource.h"
#include <cstdint>

// The right-click menu: which setting each command sets, and which items are greyed.
namespace SettingsMenu {

enum class Setting { PenColor, PenWidth, ShowGrid, GridCount, GridColor, GridLineWidth };

struct Choice {
    unsigned command;
    Setting setting;
    std::uint32_t value;
};

inline constexpr unsigned kFirstCommand = ID_PEN_RED;
inline constexpr unsigned kLastCommand = ID_GRID_COUNT_20;

inline constexpr Choice kChoices[] = {
    {ID_PEN_RED, Setting::PenColor, DrawColors::kRed},
    {ID_PEN_ORANGE, Setting::PenColor, DrawColors::kOrange},
    {ID_PEN_YELLOW, Setting::PenColor, DrawColors::kYellow},
    {ID_PEN_GREEN, Setting::PenColor, DrawColors::kGreen},
    {ID_PEN_BLUE, Setting::PenColor, DrawColors::kBlue},
    {ID_PEN_PURPLE, Setting::PenColor, DrawColors::kPurple},
    {ID_PEN_BLACK, Setting::PenColor, DrawColors::kBlack},
    {ID_PEN_WIDTH_1, Setting::PenWidth, 1},
    {ID_PEN_WIDTH_2, Setting::PenWidth, 2},
    {ID_PEN_WIDTH_4, Setting::PenWidth, 4},
    {ID_GRID_WIDTH_4, Setting::GridLineWidth, 4},
    {ID_GRID_WIDTH_1, Setting::GridLineWidth, 1},
    {ID_GRID_WIDTH_2, Setting::GridLineWidth, 2},
    {ID_GRID_RED, Setting::GridColor, DrawColors::kRed},
    {ID_GRID_ORANGE, Setting::GridColor, DrawColors::kOrange},
    {ID_GRID_YELLOW, Setting::GridColor, DrawColors::kYellow},
    {ID_GRID_GREEN, Setting::GridColor, DrawColors::kGreen},
    {ID_GRID_BLUE, Setting::GridColor, DrawColors::kBlue},
    {ID_GRID_SHOW, Setting::ShowGrid, 1},
    {ID_GRID_HIDE, Setting::ShowGrid, 0},
    {ID_GRID_COUNT_10, Setting::GridCount, 10},
    {ID_GRID_COUNT_15, Setting::GridCount, 15},
    {ID_GRID_COUNT_20, Setting::GridCount, 20},
};

// The menu resource of the language.
unsigned ResourceId(UiLanguage language);

// The choice behind a command, or nullptr when the command is not one of the menu's.
const Choice* Find(unsigned command);

// Sets the value the command stands for; false (and nothing changed) for a foreign command.
bool Apply(DrawSettings& settings, unsigned command);

// Greyed: the current value of each group; with the grid hidden also "No" and every grid item,
// so that only "Yes" can be chosen there.
bool IsGreyed(const DrawSettings& settings, const Choice& choice);

} // namespace SettingsMenu
