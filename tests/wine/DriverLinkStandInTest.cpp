// DriverLink through the real device calls against the stand-in driver in the test's Wine
// prefix. tests/e2e/test_driverlink_standin.py runs "WithStandIn" while the drivers run and
// "WithoutDriver" after it stopped them, one driver kind per process.
#include "DriverLink.h"
#include "Win32DeviceApi.h"
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes LittleEndian(std::initializer_list<std::uint32_t> words) {
    Bytes bytes;
    for (std::uint32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(word >> shift));
    }
    return bytes;
}

std::uint32_t WordAt(const Bytes& bytes, std::size_t offset) {
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i)
        word = (word << 8) | bytes[offset + static_cast<std::size_t>(i)];
    return word;
}

// The stand-in keeps its test state below its service key.
std::string StateKey(DriverKind kind) {
    return std::string("SYSTEM\\CurrentControlSet\\Services\\") +
           (kind == DriverKind::Usb ? "Velmuro" : "Corvatin") + "\\StandIn";
}

void WriteState(DriverKind kind, const char* name, DWORD type, const Bytes& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, StateKey(kind).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << name;
    RegCloseKey(key);
}

Bytes ReadState(DriverKind kind, const char* name) {
    Bytes data;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, StateKey(kind).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return data;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        RegQueryValueExA(key, name, nullptr, nullptr, data.data(), &size);
    }
    RegCloseKey(key);
    return data;
}

struct LoggedRequest {
    std::uint32_t code = 0;
    std::uint32_t inputLength = 0;
    std::uint32_t outputLength = 0;
    std::uint32_t status = 0;
    Bytes input;
};

// RequestLog: entries of code, input length, output length, status, n, then n input bytes.
std::vector<LoggedRequest> RequestLog(DriverKind kind) {
    const Bytes log = ReadState(kind, "RequestLog");
    std::vector<LoggedRequest> requests;
    for (std::size_t offset = 0; offset + 20 <= log.size();) {
        LoggedRequest request;
        request.code = WordAt(log, offset);
        request.inputLength = WordAt(log, offset + 4);
        request.outputLength = WordAt(log, offset + 8);
        request.status = WordAt(log, offset + 12);
        const std::size_t kept = WordAt(log, offset + 16);
        offset += 20;
        request.input.assign(log.begin() + static_cast<std::ptrdiff_t>(offset),
                             log.begin() + static_cast<std::ptrdiff_t>(offset + kept));
        offset += kept;
        requests.push_back(request);
    }
    return requests;
}

std::string Describe(const RawTouchPoint& point) {
    return std::to_string(point.rawX) + "," + std::to_string(point.rawY) + "," +
           std::to_string(point.reserved);
}

std::string KindName(const testing::TestParamInfo<DriverKind>& info) {
    return info.param == DriverKind::Usb ? "Usb" : "Serial";
}

class WithStandIn : public testing::TestWithParam<DriverKind> {
  protected:
    // The requests the link sent during the test so far.
    std::vector<LoggedRequest> Sent() const {
        std::vector<LoggedRequest> log = RequestLog(GetParam());
        log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(m_logged));
        return log;
    }

    Win32DeviceApi m_device;
    DriverLink m_link{m_device, GetParam()};
    std::size_t m_logged = RequestLog(GetParam()).size();
};

TEST_P(WithStandIn, ReadRawPointGivesTheScriptedPointsInOrder) {
    WriteState(GetParam(), "RawScript", REG_BINARY,
               LittleEndian({1510, 2230, 11, 63010, 2120, 12, 62880, 61940, 13, 1440, 62050, 14}));
    WriteState(GetParam(), "ScriptPosition", REG_DWORD, LittleEndian({0}));
    const char* const expected[] = {"1510,2230,11", "63010,2120,12", "62880,61940,13",
                                    "1440,62050,14", "1440,62050,14"};
    for (const char* point : expected) {
        RawTouchPoint slot{};
        EXPECT_TRUE(m_link.ReadRawPoint(slot));
        EXPECT_EQ(Describe(slot), point);
    }
    for (const LoggedRequest& request : Sent()) {
        EXPECT_EQ(request.code, 0x222014u);
        EXPECT_EQ(request.inputLength, 0u);
        EXPECT_EQ(request.outputLength, 12u);
    }
}

TEST_P(WithStandIn, AFailedReadIsReportedAndLeavesTheSlot) {
    WriteState(GetParam(), "RawScript", REG_BINARY,
               LittleEndian({10, 20, 1, 30, 40, 2, 50, 60, 3}));
    WriteState(GetParam(), "ScriptPosition", REG_DWORD, LittleEndian({0}));
    WriteState(GetParam(), "ReadFailures", REG_BINARY, LittleEndian({1}));
    RawTouchPoint slot{};
    EXPECT_TRUE(m_link.ReadRawPoint(slot));
    EXPECT_EQ(Describe(slot), "10,20,1");
    EXPECT_FALSE(m_link.ReadRawPoint(slot));
    EXPECT_EQ(Describe(slot), "10,20,1");
    EXPECT_TRUE(m_link.ReadRawPoint(slot));
    EXPECT_EQ(Describe(slot), "50,60,3");
    WriteState(GetParam(), "ReadFailures", REG_BINARY, {});

    const std::vector<LoggedRequest> sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].status, 0u);
    EXPECT_EQ(sent[1].status, 0xC00000A3u) << "STATUS_DEVICE_NOT_READY";
    EXPECT_EQ(sent[2].status, 0u);
}

TEST_P(WithStandIn, PortRequestsReportWhatTheDriverAnswers) {
    WriteState(GetParam(), "PortResult", REG_DWORD, LittleEndian({1}));
    EXPECT_TRUE(m_link.OpenPort(4));
    EXPECT_EQ(ReadState(GetParam(), "OpenPort"), LittleEndian({4}));
    EXPECT_TRUE(m_link.ClosePort());
    EXPECT_EQ(ReadState(GetParam(), "OpenPort"), LittleEndian({0}));

    WriteState(GetParam(), "PortResult", REG_DWORD, LittleEndian({0}));
    EXPECT_FALSE(m_link.OpenPort(6));
    EXPECT_FALSE(m_link.ClosePort());
    WriteState(GetParam(), "PortResult", REG_DWORD, LittleEndian({1}));

    const std::vector<LoggedRequest> sent = Sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].input, LittleEndian({4}));
    EXPECT_EQ(sent[1].inputLength, 0u);
    EXPECT_EQ(sent[2].input, LittleEndian({6}));
    EXPECT_EQ(sent[3].inputLength, 0u);
}

TEST_P(WithStandIn, CalibrationGoesAsARecordThenWithoutData) {
    m_link.SetCalibration(CalibrationRecord{-2500, 6301000, 223000, 6194000, 1, 1024, 768});
    m_link.SetCalibration();

    const std::vector<LoggedRequest> sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].code, 0x222010u);
    EXPECT_EQ(sent[0].input, LittleEndian({static_cast<std::uint32_t>(-2500), 6301000, 223000,
                                           6194000, 1, 1024, 768}));
    EXPECT_EQ(sent[1].code, 0x222010u);
    EXPECT_EQ(sent[1].inputLength, 0u);
    for (const LoggedRequest& request : sent)
        EXPECT_EQ(request.outputLength, 0u);
}

TEST_P(WithStandIn, ParametersAndBeepGoAsTheirBlocks) {
    DriverParameters parameters;
    parameters.MouseMode = 2;
    parameters.DblClickRegion = 31;
    parameters.InterActTime = 480;
    parameters.BeepMode = 1;
    parameters.BeepFreq = 1400;
    parameters.BeepTime = 600;
    parameters.Port = 3;
    parameters.Enable = 1;
    parameters.CalibrateMargin = 9;
    m_link.SetParameters(parameters);
    m_link.TestBeep(1800, 700);

    const std::vector<LoggedRequest> sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].code, 0x222018u);
    EXPECT_EQ(sent[0].input, LittleEndian({2, 31, 480, 1, 1400, 600, 3, 1}));
    EXPECT_EQ(sent[1].code, 0x22201cu);
    EXPECT_EQ(sent[1].input, LittleEndian({1800, 700}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, WithStandIn, testing::Values(DriverKind::Usb, DriverKind::Serial),
                         KindName);

class WithoutDriver : public testing::TestWithParam<DriverKind> {
  protected:
    Win32DeviceApi m_device;
    DriverLink m_link{m_device, GetParam()};
};

TEST_P(WithoutDriver, PortRequestsFail) {
    EXPECT_FALSE(m_link.OpenPort(1));
    EXPECT_FALSE(m_link.ClosePort());
}

TEST_P(WithoutDriver, ReadRawPointLeavesTheSlotAlone) {
    RawTouchPoint slot{777, 888, 999};
    EXPECT_FALSE(m_link.ReadRawPoint(slot));
    EXPECT_EQ(Describe(slot), "777,888,999");
}

INSTANTIATE_TEST_SUITE_P(Kinds, WithoutDriver, testing::Values(DriverKind::Usb, DriverKind::Serial),
                         KindName);

} // namespace
