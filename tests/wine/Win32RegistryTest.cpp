#include "DriverLink.h"
#include "ParametersStore.h"
#include "Win32DeviceApi.h"
#include "Win32RegistryApi.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

const char* const kServices = "SYSTEM\\CurrentControlSet\\Services";
const char* const kVelmuro = "SYSTEM\\CurrentControlSet\\Services\\Velmuro";
const char* const kVelmuroParameters = "SYSTEM\\CurrentControlSet\\Services\\Velmuro\\Parameters";
const char* const kCorvatinParameters = "SYSTEM\\CurrentControlSet\\Services\\Corvatin\\Parameters";

struct Stored {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool present = false;
};

Stored Read(HKEY root, const char* path, const char* name) {
    Stored stored;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return stored;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size) == ERROR_SUCCESS) {
        stored.data.resize(size);
        stored.present = RegQueryValueExA(key, name, nullptr, &stored.type, stored.data.data(),
                                          &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return stored;
}

std::vector<BYTE> Dword(DWORD value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

std::vector<BYTE> Text(const char* text) {
    return std::vector<BYTE>(text, text + strlen(text) + 1);
}

void ExpectValue(HKEY root, const char* path, const char* name, DWORD type,
                 const std::vector<BYTE>& data) {
    const Stored stored = Read(root, path, name);
    ASSERT_TRUE(stored.present) << path << " " << name << " is missing";
    EXPECT_EQ(stored.type, type) << name;
    EXPECT_EQ(stored.data, data) << name;
}

void WriteRaw(const char* path, const char* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

class Win32Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kVelmuro);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Corvatin");
    }
    Win32RegistryApi registry;
};

} // namespace

TEST_F(Win32Registry, ServiceEntryAndNewParametersKeyHoldExactTypesAndBytes) {
    ParametersStore(registry, DriverKind::Usb).EnsureServiceEntry();

    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "DisplayName", REG_SZ,
                Text("Touchscreen USB filter driver"));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "Group", REG_SZ, Text("Pointer Port"));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "ImagePath", REG_EXPAND_SZ,
                Text("system32\\DRIVERS\\Velmuro.sys"));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "Start", REG_DWORD, Dword(3));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "Tag", REG_DWORD, Dword(16));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "Type", REG_DWORD, Dword(1));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "MouseMode", REG_DWORD, Dword(3));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "InterActTime", REG_DWORD, Dword(160));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "DblClickRegion", REG_DWORD, Dword(30));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "Calibration", REG_BINARY,
                std::vector<BYTE>(28, 0));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "CalibrateMargin", REG_DWORD, Dword(4));
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "Enable", REG_DWORD, Dword(0));
}

TEST_F(Win32Registry, AnExistingParametersKeyIsLeftAlone) {
    WriteRaw(kVelmuroParameters, "CalibrateMargin", REG_DWORD, Dword(9));
    WriteRaw(kVelmuro, "Start", REG_DWORD, Dword(4));
    ParametersStore(registry, DriverKind::Usb).EnsureServiceEntry();
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "CalibrateMargin", REG_DWORD, Dword(9));
    EXPECT_FALSE(Read(HKEY_LOCAL_MACHINE, kVelmuroParameters, "MouseMode").present);
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuro, "Start", REG_DWORD, Dword(3));
}

TEST_F(Win32Registry, StoreAndLoadRoundTripForTheSerialDriver) {
    WriteRaw(kCorvatinParameters, "CalibrateMargin", REG_DWORD, Dword(12));
    DriverParameters written;
    written.MouseMode = 1;
    written.DblClickRegion = 40;
    written.InterActTime = 75;
    written.BeepMode = 2;
    written.BeepFreq = 1400;
    written.BeepTime = 300;
    written.Port = 4;
    written.Enable = 0;
    ParametersStore store(registry, DriverKind::Serial);
    store.Store(written);
    ExpectValue(HKEY_LOCAL_MACHINE, kCorvatinParameters, "Port", REG_DWORD, Dword(4));

    DriverParameters loaded;
    store.Load(loaded);
    EXPECT_EQ(loaded.MouseMode, 1u);
    EXPECT_EQ(loaded.DblClickRegion, 40u);
    EXPECT_EQ(loaded.InterActTime, 75u);
    EXPECT_EQ(loaded.BeepMode, 2u);
    EXPECT_EQ(loaded.BeepFreq, 1400u);
    EXPECT_EQ(loaded.BeepTime, 300u);
    EXPECT_EQ(loaded.Port, 4u);
    EXPECT_EQ(loaded.Enable, 0u);
    EXPECT_EQ(loaded.CalibrateMargin, 12u);
}

TEST_F(Win32Registry, OddlySizedValuesLeaveTheirFieldsAlone) {
    WriteRaw(kVelmuroParameters, "MouseMode", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0});
    WriteRaw(kVelmuroParameters, "DblClickRegion", REG_BINARY, {7, 0});
    WriteRaw(kVelmuroParameters, "Port", REG_DWORD, Dword(6));
    DriverParameters loaded;
    ParametersStore(registry, DriverKind::Usb).Load(loaded);
    EXPECT_EQ(loaded.MouseMode, 3u);
    EXPECT_EQ(loaded.DblClickRegion, 25u);
    EXPECT_EQ(loaded.Port, 0u) << "the USB driver never reads its port";
}

TEST_F(Win32Registry, OnlyFourByteDwordsAreTakenAsNumbers) {
    struct Wrong {
        const char* what;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Wrong wrong[] = {
        {"text \"123\"", REG_SZ, Text("123")},
        {"4-byte binary", REG_BINARY, Dword(7)},
        {"QWORD", REG_QWORD, {7, 0, 0, 0, 0, 0, 0, 0}},
        {"2-byte DWORD", REG_DWORD, {7, 0}},
        {"8-byte DWORD", REG_DWORD, {7, 0, 0, 0, 0, 0, 0, 0}},
    };
    const char* const names[] = {"MouseMode", "DblClickRegion", "InterActTime",
                                 "BeepMode",  "BeepFreq",       "BeepTime",
                                 "Port",      "Enable",         "CalibrateMargin"};
    for (const Wrong& stored : wrong) {
        for (const char* name : names) {
            WriteRaw(kCorvatinParameters, name, stored.type, stored.data);
            // The test means nothing unless the registry kept exactly what was written.
            const Stored back = Read(HKEY_LOCAL_MACHINE, kCorvatinParameters, name);
            ASSERT_TRUE(back.present && back.type == stored.type && back.data == stored.data)
                << stored.what << " was not stored as given in " << name;
        }
        DriverParameters loaded;
        ParametersStore store(registry, DriverKind::Serial);
        store.Load(loaded);
        const DriverParameters fallbacks;
        EXPECT_EQ(loaded.MouseMode, fallbacks.MouseMode) << stored.what;
        EXPECT_EQ(loaded.DblClickRegion, fallbacks.DblClickRegion) << stored.what;
        EXPECT_EQ(loaded.InterActTime, fallbacks.InterActTime) << stored.what;
        EXPECT_EQ(loaded.BeepMode, fallbacks.BeepMode) << stored.what;
        EXPECT_EQ(loaded.BeepFreq, fallbacks.BeepFreq) << stored.what;
        EXPECT_EQ(loaded.BeepTime, fallbacks.BeepTime) << stored.what;
        EXPECT_EQ(loaded.Port, fallbacks.Port) << stored.what;
        EXPECT_EQ(loaded.Enable, fallbacks.Enable) << stored.what;
        EXPECT_EQ(loaded.CalibrateMargin, fallbacks.CalibrateMargin) << stored.what;
        EXPECT_FALSE(store.ReadMargin().has_value()) << stored.what;
    }
}

TEST_F(Win32Registry, MarginCalibrationAndMouseValues) {
    ParametersStore store(registry, DriverKind::Usb);
    CalibrationRecord record;
    record.edgeA1 = 15326;
    record.edgeA2 = 394673;
    record.width = 1024;
    record.height = 768;
    EXPECT_FALSE(store.StoreCalibration(record)) << "the key is never created for it";
    store.WriteMargin(6);
    EXPECT_FALSE(Read(HKEY_LOCAL_MACHINE, kVelmuroParameters, "CalibrateMargin").present);

    WriteRaw(kVelmuroParameters, "Enable", REG_DWORD, Dword(0));
    EXPECT_TRUE(store.StoreCalibration(record));
    const CalibrationRecordBytes bytes = Serialize(record);
    ExpectValue(HKEY_LOCAL_MACHINE, kVelmuroParameters, "Calibration", REG_BINARY,
                std::vector<BYTE>(bytes.begin(), bytes.end()));
    store.WriteMargin(6);
    EXPECT_EQ(store.ReadMargin(), 6u);

    store.WriteMouseValues(7);
    ExpectValue(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickWidth", REG_SZ, Text("7"));
    ExpectValue(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickHeight", REG_SZ, Text("7"));
}

TEST(Win32Device, WithoutADriverThePortRequestsFailAndTheSlotIsKept) {
    Win32DeviceApi device;
    EXPECT_EQ(device.Open("\\\\.\\VelmuroSymLnk1"), DeviceApi::kInvalidHandle);
    DriverLink link(device, DriverKind::Usb);
    EXPECT_FALSE(link.OpenPort(1));
    EXPECT_FALSE(link.ClosePort());
    RawTouchPoint slot;
    slot.rawX = 5;
    EXPECT_FALSE(link.ReadRawPoint(slot));
    EXPECT_EQ(slot.rawX, 5u);
}
