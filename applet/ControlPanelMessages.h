#pragma once
#include "DriverKind.h"
#include <cstdint>

// What the applet does for each message of the control panel, and what it answers.
enum class AppletAction { None, LoadParameters, Inquire, ShowPropertySheet, ApplyParameters };

struct ControlPanelAnswer {
    std::uint32_t message;
    AppletAction action;
    std::int32_t result;
};

// Messages the table does not know are answered 1 with nothing done.
ControlPanelAnswer AnswerFor(std::uint32_t message);

// The resources the control panel lists the applet with.
struct AppletListing {
    int icon;
    int name;
    int description;
};
AppletListing ListingFor(DriverKind kind);
