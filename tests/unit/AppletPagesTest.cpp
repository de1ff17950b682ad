#include "CalibratePageState.h"
#include "FakeDevice.h"
#include "FakeRegistry.h"
#include "SettingPageState.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

const std::string kUsbKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Velmuro\\Parameters";
constexpr std::uint32_t kClosePort = 0x222004, kOpenPort = 0x222008;
using Message = SettingPageState::PortMessage;
using Messages = std::vector<Message>;

std::uint32_t OpenedPort(const FakeDevice::Call& call) {
    return call.input.size() == 4 ? call.input[0] | call.input[1] << 8u : 0xFFFFFFFFu;
}

// A port request as "close" or "open N"; empty for any other call.
std::string PortRequest(const FakeDevice::Call& call) {
    if (call.what == "control" && call.code == kClosePort) {
        return "close";
    }
    if (call.what == "control" && call.code == kOpenPort) {
        return "open " + std::to_string(OpenedPort(call));
    }
    return {};
}

// The port requests sent, as "close" and "open N".
std::vector<std::string> PortRequests(const FakeDevice& device) {
    std::vector<std::string> requests;
    for (const auto& call : device.calls) {
        if (const std::string request = PortRequest(call); !request.empty()) {
            requests.push_back(request);
        }
    }
    return requests;
}

std::string Said(Message message) {
    switch (message) {
    case Message::OpenFailed:
        return "say open failed";
    case Message::CloseFailed:
        return "say close failed";
    case Message::ClosePreviousFailed:
        return "say close previous failed";
    }
    return "say ?";
}

} // namespace

TEST(AppletLeadingNumber, ReadsTheLeadingDecimalNumberLikeTheCLibrary) {
    EXPECT_EQ(LeadingNumber(L"5"), 5);
    EXPECT_EQ(LeadingNumber(L"25"), 25);
    EXPECT_EQ(LeadingNumber(L"  12abc"), 12);
    EXPECT_EQ(LeadingNumber(L"+7"), 7);
    EXPECT_EQ(LeadingNumber(L"-3"), -3);
    EXPECT_EQ(LeadingNumber(L""), 0);
    EXPECT_EQ(LeadingNumber(L"abc"), 0);
    EXPECT_EQ(LeadingNumber(L"99999999999999999999"), INT32_MAX);
}

TEST(AppletPositionInRange, TakesTheLowSixteenBitsThenTheNearestEnd) {
    EXPECT_EQ(PositionInRange(2, 1, 25), 2);
    EXPECT_EQ(PositionInRange(40, 1, 25), 25);
    EXPECT_EQ(PositionInRange(0, 1, 25), 1);
    EXPECT_EQ(PositionInRange(0x10005, 1, 25), 5);
    EXPECT_EQ(PositionInRange(150, 0, 99), 99);
}

class AppletCalibratePage : public ::testing::Test {
  protected:
    AppletCalibratePage() {
        registry.SetDword(kUsbKey, "CalibrateMargin", 2);
        parameters.CalibrateMargin = 2;
    }
    std::uint32_t StoredMargin() const { return registry.Dword(kUsbKey, "CalibrateMargin"); }

    FakeRegistry registry;
    ParametersStore store{registry, DriverKind::Usb};
    DriverParameters parameters;
    CalibratePageState page{parameters, store};
};

TEST_F(AppletCalibratePage, EveryChangeOfTheTextIsWrittenAtOnce) {
    page.OnTextChanged(L"3");
    EXPECT_EQ(StoredMargin(), 3u);
    EXPECT_EQ(parameters.CalibrateMargin, 2u) << "the applet's value changes only on OK";
    registry.log.clear();
    page.OnTextChanged(L"3");
    EXPECT_EQ(registry.log.size(), 3u) << "written again even when unchanged: open, set, close";
}

TEST_F(AppletCalibratePage, CancelPutsTheLoadedMarginBack) {
    page.OnTextChanged(L"5");
    page.Revert();
    EXPECT_EQ(StoredMargin(), 2u);
    EXPECT_EQ(parameters.CalibrateMargin, 2u);
}

TEST_F(AppletCalibratePage, OkMakesTheNewMarginTheApplets) {
    page.OnTextChanged(L"5");
    page.Accept();
    EXPECT_EQ(StoredMargin(), 5u);
    EXPECT_EQ(parameters.CalibrateMargin, 5u);
    registry.log.clear();
    page.Revert();
    EXPECT_TRUE(registry.log.empty()) << "nothing to undo once accepted";
}

TEST_F(AppletCalibratePage, AStoredMarginOutsideTheRangeStartsAtItsNearestEnd) {
    parameters.CalibrateMargin = 40;
    EXPECT_EQ(page.InitialPosition(), 25);
    parameters.CalibrateMargin = 0;
    EXPECT_EQ(page.InitialPosition(), 1);
}

class AppletSettingPage : public ::testing::Test {
  protected:
    SettingPageState Page(DriverKind kind) { return SettingPageState(parameters, link, kind); }

    // Takes each message with the number of device calls made before it was told.
    SettingPageState::PortMessageTeller Teller() {
        return [this](Message message) { told.emplace_back(message, device.calls.size()); };
    }
    Messages Told() const {
        Messages messages;
        for (const auto& entry : told) {
            messages.push_back(entry.first);
        }
        return messages;
    }
    // The port requests and the messages, in the order the user and the driver saw them.
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        std::size_t next = 0;
        const auto sayAfter = [&](std::size_t calls) {
            for (; next < told.size() && told[next].second <= calls; ++next) {
                events.push_back(Said(told[next].first));
            }
        };
        for (std::size_t i = 0; i < device.calls.size(); ++i) {
            sayAfter(i);
            if (const std::string request = PortRequest(device.calls[i]); !request.empty()) {
                events.push_back(request);
            }
        }
        sayAfter(device.calls.size());
        return events;
    }

    std::vector<std::pair<Message, std::size_t>> told;

    FakeDevice device;
    DriverLink link{device, DriverKind::Serial};
    DriverParameters parameters;
};

TEST_F(AppletSettingPage, ModesMapToTheirRadiosAndOnlyInteractiveTouchEnablesRangeAndDelay) {
    const std::pair<std::uint32_t, int> radios[] = {{0, IDC_MODE_POINT_CLICK},
                                                    {1, IDC_MODE_DRAG_CLICK},
                                                    {2, IDC_MODE_CLICK_DRAG},
                                                    {3, IDC_MODE_INTERACTIVE},
                                                    {7, IDC_MODE_DRAG_CLICK}};
    for (const auto& [mode, radio] : radios) {
        parameters.MouseMode = mode;
        const SettingPageState page = Page(DriverKind::Usb);
        EXPECT_EQ(page.CheckedRadio(), radio) << "mode " << mode;
        EXPECT_EQ(page.InteractiveControlsEnabled(), mode == 3) << "mode " << mode;
    }
}

TEST_F(AppletSettingPage, AnUnknownModeIsKeptUnlessARadioIsClicked) {
    parameters.MouseMode = 7;
    SettingPageState page = Page(DriverKind::Usb);
    page.Accept(0, 25);
    EXPECT_EQ(parameters.MouseMode, 7u);
    page.ChooseMode(IDC_MODE_INTERACTIVE);
    EXPECT_TRUE(page.InteractiveControlsEnabled());
    page.ChooseMode(IDC_MODE_CLICK_DRAG);
    page.Accept(0, 25);
    EXPECT_EQ(parameters.MouseMode, 2u);
}

TEST_F(AppletSettingPage, TheDelayGoesBySteps80ForUsbAnd25ForSerial) {
    parameters.InterActTime = 170;
    SettingPageState usb = Page(DriverKind::Usb);
    EXPECT_EQ(usb.DelayPosition(), 2);
    usb.Accept(usb.DelayPosition(), 25);
    EXPECT_EQ(parameters.InterActTime, 160u);

    parameters.InterActTime = 100;
    SettingPageState serial = Page(DriverKind::Serial);
    EXPECT_EQ(serial.DelayPosition(), 4);
    serial.Accept(serial.DelayPosition(), 25);
    EXPECT_EQ(parameters.InterActTime, 100u);
}

TEST_F(AppletSettingPage, TheRangeShowsWithinZeroTo99AndOkTakesTheSpinsPosition) {
    parameters.DblClickRegion = 150;
    SettingPageState page = Page(DriverKind::Usb);
    EXPECT_EQ(page.RangePosition(), 99);
    page.Accept(0, page.RangePosition());
    EXPECT_EQ(parameters.DblClickRegion, 99u);
}

TEST_F(AppletSettingPage, PortListAndButtonFollowTheStoredPort) {
    parameters.Port = 0;
    EXPECT_EQ(Page(DriverKind::Serial).PortSelection(), 0) << "never chosen shows COM1";
    EXPECT_TRUE(Page(DriverKind::Serial).PortButtonEnabled());
    parameters.Port = 11;
    EXPECT_EQ(Page(DriverKind::Serial).PortSelection(), 10);
    EXPECT_FALSE(Page(DriverKind::Serial).PortButtonEnabled());
    parameters.Port = 12;
    EXPECT_EQ(Page(DriverKind::Serial).PortSelection(), 0);
    EXPECT_FALSE(Page(DriverKind::Usb).ShowsPortControls());
    EXPECT_TRUE(Page(DriverKind::Serial).ShowsPortControls());
}

TEST_F(AppletSettingPage, TheButtonClosesAnOpenPortAndOpensAClosedOne) {
    parameters.Port = 0;
    parameters.Enable = 1;
    SettingPageState page = Page(DriverKind::Serial);
    EXPECT_TRUE(page.PortOpen());
    page.TogglePort(Teller());
    EXPECT_FALSE(page.PortOpen());
    page.TogglePort(Teller());
    EXPECT_TRUE(page.PortOpen());
    EXPECT_EQ(Told(), Messages{});
    EXPECT_EQ(PortRequests(device), (std::vector<std::string>{"close", "open 0"}));
}

TEST_F(AppletSettingPage, AFailingToggleSaysWhichAndChangesNothing) {
    parameters.Enable = 1;
    SettingPageState page = Page(DriverKind::Serial);
    device.requestsSucceed = false;
    page.TogglePort(Teller());
    EXPECT_EQ(Told(), Messages{Message::CloseFailed});
    EXPECT_TRUE(page.PortOpen());
    parameters.Enable = 0;
    SettingPageState closed = Page(DriverKind::Serial);
    told.clear();
    closed.TogglePort(Teller());
    EXPECT_EQ(Told(), Messages{Message::OpenFailed});
    EXPECT_FALSE(closed.PortOpen());
    device.present = false;
    told.clear();
    closed.TogglePort(Teller());
    EXPECT_EQ(Told(), Messages{Message::OpenFailed}) << "no link counts as failure";
}

TEST_F(AppletSettingPage, ChoosingAnotherPortClosesThePreviousAndOpensTheNew) {
    parameters.Port = 2;
    parameters.Enable = 1;
    SettingPageState page = Page(DriverKind::Serial);
    page.ChangePort(1, Teller());
    EXPECT_TRUE(device.calls.empty()) << "the same port does nothing";
    page.ChangePort(4, Teller());
    EXPECT_EQ(Events(), (std::vector<std::string>{"close", "open 5"}));
    EXPECT_EQ(page.Port(), 5u);
    EXPECT_TRUE(page.PortOpen());
}

TEST_F(AppletSettingPage, ARefusedNewPortIsStillTakenButClosed) {
    parameters.Port = 2;
    parameters.Enable = 1;
    SettingPageState page = Page(DriverKind::Serial);
    device.failingCodes = {kOpenPort};
    page.ChangePort(2, Teller());
    EXPECT_EQ(Events(), (std::vector<std::string>{"close", "open 3", "say open failed"}));
    EXPECT_EQ(page.Port(), 3u);
    EXPECT_FALSE(page.PortOpen());
    EXPECT_TRUE(page.PortButtonEnabled());

    device.calls.clear();
    told.clear();
    device.failingCodes = {kClosePort};
    page.ChangePort(5, Teller());
    EXPECT_EQ(Events(), (std::vector<std::string>{"close", "say close previous failed", "open 6"}))
        << "told before the new port is opened, and goes on";
    EXPECT_TRUE(page.PortOpen());

    device.calls.clear();
    told.clear();
    device.failingCodes = {kClosePort, kOpenPort};
    page.ChangePort(6, Teller());
    EXPECT_EQ(Events(), (std::vector<std::string>{"close", "say close previous failed", "open 7",
                                                  "say open failed"}));
}

TEST_F(AppletSettingPage, NoneClosesThePreviousPortAndDisablesTheButton) {
    parameters.Port = 3;
    parameters.Enable = 1;
    SettingPageState page = Page(DriverKind::Serial);
    page.ChangePort(10, Teller());
    EXPECT_EQ(Events(), std::vector<std::string>{"close"});
    EXPECT_FALSE(page.PortButtonEnabled());
    EXPECT_FALSE(page.PortOpen());
    page.Accept(0, 25);
    EXPECT_EQ(parameters.Port, 11u);
    EXPECT_EQ(parameters.Enable, 0u);

    device.calls.clear();
    page.ChangePort(0, Teller());
    EXPECT_EQ(Events(), std::vector<std::string>{"open 1"}) << "NONE was not open";
}

TEST_F(AppletSettingPage, CancelClosesTheNewPortAndReopensTheStoredOne) {
    parameters.Port = 2;
    parameters.Enable = 1;
    SettingPageState page = Page(DriverKind::Serial);
    page.ChangePort(4, Teller());
    device.calls.clear();
    page.Revert();
    EXPECT_EQ(PortRequests(device), (std::vector<std::string>{"close", "open 2"}));
    EXPECT_EQ(parameters.Port, 2u) << "Cancel changes no parameter";
}

TEST_F(AppletSettingPage, CancelClosesAStoredPortThatWasClosed) {
    parameters.Port = 2;
    parameters.Enable = 0;
    Page(DriverKind::Serial).Revert();
    EXPECT_EQ(PortRequests(device), std::vector<std::string>{"close"});
}

TEST_F(AppletSettingPage, CancelLeavesAStoredNoneAloneAndAUsbPageStillReopensPortZero) {
    parameters.Port = 11;
    Page(DriverKind::Serial).Revert();
    EXPECT_TRUE(PortRequests(device).empty());

    parameters.Port = 0;
    parameters.Enable = 1;
    Page(DriverKind::Usb).Revert();
    EXPECT_EQ(PortRequests(device), std::vector<std::string>{"open 0"});
}
