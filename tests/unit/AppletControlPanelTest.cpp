#include "ControlPanelMessages.h"
#include <gtest/gtest.h>

namespace {

struct Expected {
    std::uint32_t message;
    AppletAction action;
    std::int32_t result;
};

} // namespace

TEST(AppletControlPanel, AnswersEachMessageOfTheControlPanel) {
    const Expected expected[] = {
        {1, AppletAction::LoadParameters, 1},    {2, AppletAction::None, 1},
        {3, AppletAction::Inquire, 0},           {4, AppletAction::None, 0},
        {5, AppletAction::ShowPropertySheet, 0}, {6, AppletAction::None, 0},
        {7, AppletAction::ApplyParameters, 0},   {8, AppletAction::None, 0},
        {9, AppletAction::ShowPropertySheet, 1}, {10, AppletAction::ShowPropertySheet, 1},
    };
    for (const Expected& e : expected) {
        const ControlPanelAnswer answer = AnswerFor(e.message);
        EXPECT_EQ(answer.action, e.action) << "message " << e.message;
        EXPECT_EQ(answer.result, e.result) << "message " << e.message;
    }
}

TEST(AppletControlPanel, UnknownMessagesAreAnsweredOneAndDoNothing) {
    for (std::uint32_t message : {0u, 11u, 200u, 0xFFFFFFFFu}) {
        const ControlPanelAnswer answer = AnswerFor(message);
        EXPECT_EQ(answer.action, AppletAction::None) << "message " << message;
        EXPECT_EQ(answer.result, 1) << "message " << message;
    }
}

TEST(AppletControlPanel, ListsTheKindsNameAndDescription) {
    const AppletListing usb = ListingFor(DriverKind::Usb);
    EXPECT_EQ(usb.icon, 1007);
    EXPECT_EQ(usb.name, 1);
    EXPECT_EQ(usb.description, 2);
    const AppletListing serial = ListingFor(DriverKind::Serial);
    EXPECT_EQ(serial.icon, 1007);
    EXPECT_EQ(serial.name, 4);
    EXPECT_EQ(serial.description, 5);
}
