#pragma once
#include "DriverParameters.h"
#include "DriverRecords.h"
#include "RegistryApi.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// One value of the driver's settings key and every fact the tools keep about it.
struct ParameterValue {
    const char* name;
    RegType type;
    // The applet's field; none for the calibration record, which the applet never touches.
    std::uint32_t DriverParameters::*field;
    // What the calibration program writes into a key it has just made; none: not written.
    // The binary record gets its all-zero form.
    std::optional<std::uint32_t> newKeyValue;
    // What the applet holds while the value is missing; none: never read by the applet.
    std::optional<std::uint32_t> fallback;
    // Word position in the settings block of SetParameters; none: not sent.
    std::optional<std::size_t> blockIndex;
};

namespace ParameterTable {

inline constexpr std::nullopt_t kNone = std::nullopt;

// clang-format off
inline constexpr ParameterValue kValues[] = {
    // name             type             field                              new key fallback block
    {"MouseMode",       RegType::Dword,  &DriverParameters::MouseMode,       3,      3,       0},
    {"DblClickRegion",  RegType::Dword,  &DriverParameters::DblClickRegion,  30,     25,      1},
    {"InterActTime",    RegType::Dword,  &DriverParameters::InterActTime,    160,    1,       2},
    {"BeepMode",        RegType::Dword,  &DriverParameters::BeepMode,        kNone,  0,       3},
    {"BeepFreq",        RegType::Dword,  &DriverParameters::BeepFreq,        kNone,  0,       4},
    {"BeepTime",        RegType::Dword,  &DriverParameters::BeepTime,        kNone,  0,       5},
    {"Port",            RegType::Dword,  &DriverParameters::Port,            kNone,  0,       6},
    {"Enable",          RegType::Dword,  &DriverParameters::Enable,          0,      1,       7},
    {"CalibrateMargin", RegType::Dword,  &DriverParameters::CalibrateMargin, 4,      2,       kNone},
    {"Calibration",     RegType::Binary, nullptr,                            0,      kNone,   kNone},
};
// clang-format on

// Each operation reads or writes in an order of its own.
// Load, into the applet's record:
inline constexpr const char* kLoadOrder[] = {"MouseMode",      "InterActTime", "BeepMode",
                                             "BeepFreq",       "BeepTime",     "DblClickRegion",
                                             "CalibrateMargin"};
// ...then, for the serial driver only, which alone has a port to read back:
inline constexpr const char* kSerialLoadOrder[] = {"Enable", "Port"};
// Store, from the applet's record; the margin has a writer of its own:
inline constexpr const char* kStoreOrder[] = {"MouseMode", "InterActTime",   "BeepMode", "BeepFreq",
                                              "BeepTime",  "DblClickRegion", "Port",     "Enable"};
// The calibration program's fill of a key it has just made:
inline constexpr const char* kNewKeyOrder[] = {"MouseMode",   "InterActTime",    "DblClickRegion",
                                               "Calibration", "CalibrateMargin", "Enable"};

inline constexpr std::size_t kNotFound = sizeof kValues / sizeof kValues[0];

constexpr std::size_t IndexOf(std::string_view name) {
    for (std::size_t i = 0; i < kNotFound; ++i) {
        if (name == kValues[i].name) {
            return i;
        }
    }
    return kNotFound;
}

// Every name in an order list must be in the table; callers look names up unchecked.
constexpr const ParameterValue& Find(std::string_view name) {
    return kValues[IndexOf(name)];
}

template <std::size_t N> constexpr bool AllNamed(const char* const (&order)[N]) {
    for (const char* name : order) {
        if (IndexOf(name) == kNotFound) {
            return false;
        }
    }
    return true;
}

// The applet reads and writes DWORD fields only.
template <std::size_t N> constexpr bool AllAppletFields(const char* const (&order)[N]) {
    for (const char* name : order) {
        const ParameterValue& value = Find(name);
        if (value.type != RegType::Dword || value.field == nullptr || !value.fallback) {
            return false;
        }
    }
    return true;
}

// A new key gets exactly the values that have a new-key value.
constexpr bool NewKeyOrderIsComplete() {
    std::size_t filled = 0;
    for (const ParameterValue& value : kValues) {
        filled += value.newKeyValue ? 1 : 0;
    }
    for (const char* name : kNewKeyOrder) {
        if (!Find(name).newKeyValue) {
            return false;
        }
    }
    return filled == sizeof kNewKeyOrder / sizeof kNewKeyOrder[0];
}

// Each word of the block comes from exactly one field.
constexpr bool BlockWordsAreEachFilledOnce(std::size_t words) {
    for (std::size_t word = 0; word < words; ++word) {
        std::size_t sources = 0;
        for (const ParameterValue& value : kValues) {
            sources += value.blockIndex == word && value.field != nullptr ? 1 : 0;
        }
        if (sources != 1) {
            return false;
        }
    }
    for (const ParameterValue& value : kValues) {
        if (value.blockIndex && *value.blockIndex >= words) {
            return false;
        }
    }
    return true;
}

// The applet's record starts out holding the fallbacks.
constexpr bool DefaultsAreTheFallbacks() {
    constexpr DriverParameters defaults{};
    for (const ParameterValue& value : kValues) {
        if (value.field != nullptr && defaults.*value.field != value.fallback) {
            return false;
        }
    }
    return true;
}

static_assert(AllNamed(kLoadOrder) && AllNamed(kSerialLoadOrder) && AllNamed(kStoreOrder) &&
              AllNamed(kNewKeyOrder));
static_assert(AllAppletFields(kLoadOrder) && AllAppletFields(kSerialLoadOrder) &&
              AllAppletFields(kStoreOrder));
static_assert(NewKeyOrderIsComplete());
static_assert(BlockWordsAreEachFilledOnce(kSettingsBlockSize / 4));
static_assert(DefaultsAreTheFallbacks());

} // namespace ParameterTable
