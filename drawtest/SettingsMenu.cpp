#include "SettingsMenu.h"

namespace SettingsMenu {
namespace {

std::uint32_t CurrentValue(const DrawSettings& settings, Setting setting) {
    switch (setting) {
    case Setting::PenColor:
        return settings.penColor;
    case Setting::PenWidth:
        return static_cast<std::uint32_t>(settings.penWidth);
    case Setting::ShowGrid:
        return settings.showGrid ? 1u : 0u;
    case Setting::GridCount:
        return static_cast<std::uint32_t>(settings.gridCount);
    case Setting::GridColor:
        return settings.gridColor;
    case Setting::GridLineWidth:
        return static_cast<std::uint32_t>(settings.gridLineWidth);
    }
    return 0;
}

void SetValue(DrawSettings& settings, Setting setting, std::uint32_t value) {
    switch (setting) {
    case Setting::PenColor:
        settings.penColor = value;
        break;
    case Setting::PenWidth:
        settings.penWidth = static_cast<int>(value);
        break;
    case Setting::ShowGrid:
        settings.showGrid = value != 0;
        break;
    case Setting::GridCount:
        settings.gridCount = static_cast<int>(value);
        break;
    case Setting::GridColor:
        settings.gridColor = value;
        break;
    case Setting::GridLineWidth:
        settings.gridLineWidth = static_cast<int>(value);
        break;
    }
}

bool IsGridDetail(Setting setting) {
    return setting == Setting::GridCount || setting == Setting::GridColor ||
           setting == Setting::GridLineWidth;
}

} // namespace

unsigned ResourceId(UiLanguage language) {
    return language == UiLanguage::Chinese ? IDR_SETTINGS_CHINESE : IDR_SETTINGS_ENGLISH;
}

const Choice* Find(unsigned command) {
    for (const Choice& choice : kChoices) {
        if (choice.command == command) {
            return &choice;
        }
    }
    return nullptr;
}

bool Apply(DrawSettings& settings, unsigned command) {
    const Choice* choice = Find(command);
    if (choice == nullptr) {
        return false;
    }
    SetValue(settings, choice->setting, choice->value);
    return true;
}

bool IsGreyed(const DrawSettings& settings, const Choice& choice) {
    if (!settings.showGrid && IsGridDetail(choice.setting)) {
        return true;
    }
    return CurrentValue(settings, choice.setting) == choice.value;
}

} // namespace SettingsMenu
