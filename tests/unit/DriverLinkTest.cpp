#include "DriverLink.h"
#include "FakeDevice.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Words(std::initializer_list<std::uint32_t> words) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t word : words) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
        }
    }
    return bytes;
}

} // namespace

TEST(DriverLink, OpensTheKindsLinkForEachRequestAndClosesItAfter) {
    FakeDevice device;
    DriverLink link(device, DriverKind::Usb);
    link.SetCalibration();
    link.TestBeep(400, 200);

    ASSERT_EQ(device.calls.size(), 6u);
    for (int request = 0; request < 2; ++request) {
        EXPECT_EQ(device.calls[request * 3].what, "open");
        EXPECT_EQ(device.calls[request * 3].linkName, "\\\\.\\VelmuroSymLnk1");
        EXPECT_EQ(device.calls[request * 3 + 1].what, "control");
        EXPECT_EQ(device.calls[request * 3 + 2].what, "close");
    }
    EXPECT_EQ(device.openHandles, 0);

    FakeDevice serial;
    DriverLink(serial, DriverKind::Serial).ClosePort();
    EXPECT_EQ(serial.calls.front().linkName, "\\\\.\\CorvatinSymLnk1");
}

TEST(DriverLink, SendsEachRequestWithItsCodeAndData) {
    FakeDevice device;
    DriverLink link(device, DriverKind::Usb);
    CalibrationRecord record;
    record.edgeA1 = 1;
    record.width = 1024;
    DriverParameters parameters;

    link.ClosePort();
    link.OpenPort(7);
    link.SetCalibration(record);
    link.SetCalibration();
    RawTouchPoint point;
    device.answer = Words({1, 2, 3});
    EXPECT_TRUE(link.ReadRawPoint(point));
    link.SetParameters(parameters);
    link.TestBeep(1200, 300);

    EXPECT_EQ(device.ControlCodes(),
              (std::vector<std::uint32_t>{0x222004, 0x222008, 0x222010, 0x222010, 0x222014,
                                          0x222018, 0x22201c}));
    std::vector<const FakeDevice::Call*> controls;
    for (const auto& call : device.calls) {
        if (call.what == "control") {
            controls.push_back(&call);
        }
    }
    EXPECT_TRUE(controls[0]->input.empty());
    EXPECT_EQ(controls[1]->input, Words({7}));
    const CalibrationRecordBytes recordBytes = Serialize(record);
    EXPECT_EQ(controls[2]->input,
              std::vector<std::uint8_t>(recordBytes.begin(), recordBytes.end()));
    EXPECT_TRUE(controls[3]->input.empty());
    EXPECT_TRUE(controls[4]->input.empty());
    EXPECT_EQ(controls[4]->outputSize, 12u);
    EXPECT_EQ(controls[5]->input, Words({3, 25, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(controls[6]->input, Words({1200, 300}));
}

TEST(DriverLink, PortRequestsReportSuccessAndFailure) {
    FakeDevice device;
    DriverLink link(device, DriverKind::Serial);
    EXPECT_TRUE(link.OpenPort(3));
    EXPECT_TRUE(link.ClosePort());

    device.requestsSucceed = false;
    EXPECT_FALSE(link.OpenPort(3));
    EXPECT_FALSE(link.ClosePort());

    device.present = false;
    EXPECT_FALSE(link.OpenPort(3));
    EXPECT_FALSE(link.ClosePort());
}

TEST(DriverLink, ReadRawPointFillsTheSlotOnlyOnACompleteAnswer) {
    FakeDevice device;
    DriverLink link(device, DriverKind::Usb);
    RawTouchPoint slot;
    slot.rawX = 11;
    slot.rawY = 22;

    device.answer = Words({300, 400, 5});
    EXPECT_TRUE(link.ReadRawPoint(slot));
    EXPECT_EQ(slot.rawX, 300u);
    EXPECT_EQ(slot.rawY, 400u);

    device.answer = Words({1, 2});
    EXPECT_FALSE(link.ReadRawPoint(slot)) << "a short answer is no point";
    EXPECT_EQ(slot.rawX, 300u) << "a short answer must not touch the slot";

    device.answer = Words({9, 9, 9});
    device.requestsSucceed = false;
    EXPECT_FALSE(link.ReadRawPoint(slot));
    EXPECT_EQ(slot.rawX, 300u) << "a failed request must not touch the slot";

    device.present = false;
    EXPECT_FALSE(link.ReadRawPoint(slot));
    EXPECT_EQ(slot.rawY, 400u);
    EXPECT_EQ(device.openHandles, 0);
}

TEST(DriverLink, MissingDriverDropsRequestsWithoutControlCalls) {
    FakeDevice device;
    device.present = false;
    DriverLink link(device, DriverKind::Usb);
    link.SetCalibration();
    link.SetParameters(DriverParameters{});
    link.TestBeep(1, 1);
    EXPECT_TRUE(device.ControlCodes().empty());
    EXPECT_EQ(device.calls.size(), 3u) << "one open attempt per request, no retry";
}
