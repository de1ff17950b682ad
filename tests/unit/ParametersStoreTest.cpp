#include "FakeRegistry.h"
#include "ParametersStore.h"
#include <cstring>
#include <gtest/gtest.h>
#include <utility>

namespace {

const std::string kUsbKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Velmuro\\Parameters";
const std::string kSerialKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Corvatin\\Parameters";
const std::string kServices = "HKLM\\SYSTEM\\CurrentControlSet\\Services";
const std::string kService = kServices + "\\Velmuro";

std::vector<std::string> Matching(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> lines;
    for (const auto& line : log) {
        if (line.rfind(prefix, 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::uint8_t> Text(const char* text) {
    return std::vector<std::uint8_t>(text, text + std::strlen(text) + 1);
}

} // namespace

TEST(ParametersStoreLoad, ReadsEachValueWithFourBytesInDriverOrder) {
    FakeRegistry registry;
    registry.AddKey(kSerialKey);
    ParametersStore store(registry, DriverKind::Serial);
    DriverParameters parameters;
    store.Load(parameters);
    EXPECT_EQ(registry.log, (std::vector<std::string>{
                                "open " + kSerialKey, "query MouseMode 4", "query InterActTime 4",
                                "query BeepMode 4", "query BeepFreq 4", "query BeepTime 4",
                                "query DblClickRegion 4", "query CalibrateMargin 4",
                                "query Enable 4", "query Port 4", "close " + kSerialKey}));
}

TEST(ParametersStoreLoad, UsbNeverReadsThePortValues) {
    FakeRegistry registry;
    registry.SetDword(kUsbKey, "Port", 5);
    registry.SetDword(kUsbKey, "Enable", 0);
    registry.SetDword(kUsbKey, "InterActTime", 170);
    DriverParameters parameters;
    ParametersStore(registry, DriverKind::Usb).Load(parameters);
    EXPECT_EQ(parameters.Port, 0u);
    EXPECT_EQ(parameters.Enable, 1u);
    EXPECT_EQ(parameters.InterActTime, 170u);
    EXPECT_TRUE(Matching(registry.log, "query Port").empty());
    EXPECT_TRUE(Matching(registry.log, "query Enable").empty());
}

TEST(ParametersStoreLoad, MissingKeyOrValuesKeepTheFallbacks) {
    FakeRegistry registry;
    DriverParameters parameters;
    ParametersStore(registry, DriverKind::Usb).Load(parameters);
    EXPECT_EQ(parameters.MouseMode, 3u);
    EXPECT_EQ(parameters.CalibrateMargin, 2u);
    EXPECT_EQ(registry.log.size(), 1u) << "nothing is queried without the key";

    registry.SetDword(kUsbKey, "DblClickRegion", 30);
    registry.SetRaw(kUsbKey, "MouseMode", RegType::Dword, {1, 0});
    registry.SetRaw(kUsbKey, "BeepMode", RegType::Binary, {2, 0, 0, 0, 0, 0, 0, 0});
    ParametersStore(registry, DriverKind::Usb).Load(parameters);
    EXPECT_EQ(parameters.DblClickRegion, 30u);
    EXPECT_EQ(parameters.MouseMode, 3u) << "a 2-byte value is not a DWORD";
    EXPECT_EQ(parameters.BeepMode, 0u) << "an 8-byte value does not fit";
    EXPECT_EQ(parameters.CalibrateMargin, 2u);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST(ParametersStoreLoad, OnlyFourByteDwordsAreTakenAsNumbers) {
    struct Stored {
        const char* what;
        RegType type;
        std::vector<std::uint8_t> data;
    };
    const Stored wrong[] = {
        {"text \"123\"", RegType::Sz, {'1', '2', '3', 0}},
        {"4-byte binary", RegType::Binary, {7, 0, 0, 0}},
        {"QWORD", RegType::Qword, {7, 0, 0, 0, 0, 0, 0, 0}},
        {"2-byte DWORD", RegType::Dword, {7, 0}},
        {"8-byte DWORD", RegType::Dword, {7, 0, 0, 0, 0, 0, 0, 0}},
    };
    const char* const names[] = {"MouseMode", "DblClickRegion", "InterActTime",
                                 "BeepMode",  "BeepFreq",       "BeepTime",
                                 "Port",      "Enable",         "CalibrateMargin"};
    for (const Stored& stored : wrong) {
        FakeRegistry registry;
        for (const char* name : names) {
            registry.SetRaw(kSerialKey, name, stored.type, stored.data);
        }
        DriverParameters parameters;
        ParametersStore store(registry, DriverKind::Serial);
        store.Load(parameters);
        const DriverParameters fallbacks;
        EXPECT_EQ(std::memcmp(&parameters, &fallbacks, sizeof parameters), 0) << stored.what;
        EXPECT_EQ(Matching(registry.log, "query ").size(), 9u) << stored.what;
        EXPECT_FALSE(store.ReadMargin().has_value()) << stored.what;
        EXPECT_EQ(registry.openKeys, 0);
    }
}

TEST(ParametersStoreStore, WritesEightDwordsInOrderWithoutTheMargin) {
    FakeRegistry registry;
    registry.AddKey(kUsbKey);
    DriverParameters parameters;
    parameters.InterActTime = 160;
    parameters.CalibrateMargin = 9;
    ParametersStore(registry, DriverKind::Usb).Store(parameters);
    EXPECT_EQ(
        Matching(registry.log, "set "),
        (std::vector<std::string>{"set MouseMode type 4 size 4", "set InterActTime type 4 size 4",
                                  "set BeepMode type 4 size 4", "set BeepFreq type 4 size 4",
                                  "set BeepTime type 4 size 4", "set DblClickRegion type 4 size 4",
                                  "set Port type 4 size 4", "set Enable type 4 size 4"}));
    EXPECT_EQ(registry.Dword(kUsbKey, "InterActTime"), 160u);
    EXPECT_EQ(registry.Dword(kUsbKey, "Port"), 0u);
    EXPECT_EQ(registry.Dword(kUsbKey, "Enable"), 1u);
    EXPECT_EQ(registry.Find(kUsbKey, "CalibrateMargin"), nullptr);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST(ParametersStoreStore, NeverCreatesAMissingKey) {
    FakeRegistry registry;
    ParametersStore store(registry, DriverKind::Serial);
    store.Store(DriverParameters{});
    store.WriteMargin(5);
    EXPECT_FALSE(registry.HasKey(kSerialKey));
    EXPECT_TRUE(Matching(registry.log, "create").empty());
    EXPECT_FALSE(store.StoreCalibration(CalibrationRecord{}));
}

TEST(ParametersStoreStore, WritesTheMarginAlone) {
    FakeRegistry registry;
    registry.AddKey(kUsbKey);
    ParametersStore(registry, DriverKind::Usb).WriteMargin(7);
    EXPECT_EQ(Matching(registry.log, "set "),
              std::vector<std::string>{"set CalibrateMargin type 4 size 4"});
    EXPECT_EQ(registry.Dword(kUsbKey, "CalibrateMargin"), 7u);
}

TEST(ParametersStoreMouse, WritesTheRangeAsTerminatedTextHeightFirst) {
    FakeRegistry registry;
    registry.AddKey("HKCU\\Control Panel\\Mouse");
    ParametersStore(registry, DriverKind::Usb).WriteMouseValues(7);
    EXPECT_EQ(Matching(registry.log, "set "),
              (std::vector<std::string>{"set DoubleClickHeight type 1 size 2",
                                        "set DoubleClickWidth type 1 size 2"}));
    EXPECT_EQ(registry.Find("HKCU\\Control Panel\\Mouse", "DoubleClickWidth")->data, Text("7"));

    ParametersStore(registry, DriverKind::Usb).WriteMouseValues(99);
    EXPECT_EQ(registry.Find("HKCU\\Control Panel\\Mouse", "DoubleClickHeight")->data, Text("99"));

    // Written as a signed number, as the driver's own tools always did.
    const std::pair<std::uint32_t, const char*> edges[] = {
        {0, "0"}, {2147483647u, "2147483647"}, {2147483648u, "-2147483648"}, {4294967295u, "-1"}};
    for (const auto& [range, text] : edges) {
        ParametersStore(registry, DriverKind::Usb).WriteMouseValues(range);
        EXPECT_EQ(registry.Find("HKCU\\Control Panel\\Mouse", "DoubleClickWidth")->data, Text(text))
            << range;
    }
}

TEST(ParametersStoreMargin, ReadsFourBytesOrNothing) {
    FakeRegistry registry;
    ParametersStore store(registry, DriverKind::Usb);
    EXPECT_FALSE(store.ReadMargin().has_value());
    registry.AddKey(kUsbKey);
    EXPECT_FALSE(store.ReadMargin().has_value());
    registry.SetDword(kUsbKey, "CalibrateMargin", 30);
    EXPECT_EQ(store.ReadMargin(), 30u);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST(ParametersStoreCalibration, WritesTheRecordAsBinaryThroughAFullAccessOpen) {
    FakeRegistry registry;
    registry.AddKey(kUsbKey);
    ParametersStore store(registry, DriverKind::Usb);
    CalibrationRecord record;
    record.edgeA1 = 15326;
    record.width = 1024;
    EXPECT_TRUE(store.StoreCalibration(record));
    EXPECT_EQ(registry.log.front(), "open-full " + kUsbKey);
    const auto* stored = registry.Find(kUsbKey, "Calibration");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->type, RegType::Binary);
    const CalibrationRecordBytes bytes = Serialize(record);
    EXPECT_EQ(stored->data, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));

    registry.denyFullAccess = true;
    EXPECT_FALSE(store.StoreCalibration(record));
    registry.denyFullAccess = false;
    registry.denyWrites = true;
    EXPECT_FALSE(store.StoreCalibration(record));
}

TEST(ParametersStoreServiceEntry, CreatesServiceAndParametersWithDefaultsInOrder) {
    FakeRegistry registry;
    registry.AddKey(kServices);
    ParametersStore(registry, DriverKind::Serial).EnsureServiceEntry();

    EXPECT_EQ(Matching(registry.log, "set "),
              (std::vector<std::string>{
                  "set DisplayName type 1 size 30", "set Group type 1 size 13",
                  "set ImagePath type 2 size 29", "set Start type 4 size 4",
                  "set Tag type 4 size 4", "set Type type 4 size 4", "set MouseMode type 4 size 4",
                  "set InterActTime type 4 size 4", "set DblClickRegion type 4 size 4",
                  "set Calibration type 3 size 28", "set CalibrateMargin type 4 size 4",
                  "set Enable type 4 size 4"}));
    EXPECT_EQ(registry.Find(kService, "ImagePath")->data, Text("system32\\DRIVERS\\Velmuro.sys"));
    EXPECT_EQ(registry.Find(kService, "DisplayName")->data, Text("Touchscreen USB filter driver"));
    EXPECT_EQ(registry.Dword(kService, "Tag"), 16u);
    EXPECT_EQ(registry.Dword(kUsbKey, "MouseMode"), 3u);
    EXPECT_EQ(registry.Dword(kUsbKey, "InterActTime"), 160u);
    EXPECT_EQ(registry.Dword(kUsbKey, "DblClickRegion"), 30u);
    EXPECT_EQ(registry.Find(kUsbKey, "Calibration")->data, std::vector<std::uint8_t>(28, 0));
    EXPECT_EQ(registry.Dword(kUsbKey, "CalibrateMargin"), 4u);
    EXPECT_EQ(registry.Dword(kUsbKey, "Enable"), 0u);
    EXPECT_FALSE(registry.HasKey(kSerialKey)) << "always the USB driver's entry";
    EXPECT_EQ(registry.openKeys, 0);
}

TEST(ParametersStoreServiceEntry, RewritesTheServiceButLeavesExistingParameters) {
    FakeRegistry registry;
    registry.AddKey(kServices);
    registry.SetDword(kService, "Start", 4);
    registry.SetDword(kUsbKey, "CalibrateMargin", 9);
    ParametersStore(registry, DriverKind::Usb).EnsureServiceEntry();
    EXPECT_EQ(registry.Dword(kService, "Start"), 3u);
    EXPECT_EQ(registry.Dword(kUsbKey, "CalibrateMargin"), 9u);
    EXPECT_EQ(registry.Find(kUsbKey, "MouseMode"), nullptr);
    EXPECT_EQ(Matching(registry.log, "create").size(), 0u);
}

TEST(ParametersStoreServiceEntry, DoesNothingWithoutTheServicesKey) {
    FakeRegistry registry;
    ParametersStore(registry, DriverKind::Usb).EnsureServiceEntry();
    EXPECT_EQ(registry.log, std::vector<std::string>{"open " + kServices});
}
