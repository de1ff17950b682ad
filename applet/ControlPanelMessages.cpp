#include "ControlPanelMessages.h"
#include "resource.h"

namespace {

// CPL_INIT ... CPL_STARTWPARMSA and CPL_STARTWPARMSW, from cpl.h.
constexpr ControlPanelAnswer kAnswers[] = {
    {1, AppletAction::LoadParameters, 1},
    {2, AppletAction::None, 1},
    {3, AppletAction::Inquire, 0},
    {4, AppletAction::None, 0},
    {5, AppletAction::ShowPropertySheet, 0},
    {6, AppletAction::None, 0},
    {7, AppletAction::ApplyParameters, 0},
    {8, AppletAction::None, 0},
    {9, AppletAction::ShowPropertySheet, 1},
    // Unicode hosts start the applet with this one; answering 1 unhandled would open nothing.
    {10, AppletAction::ShowPropertySheet, 1},
};

} // namespace

ControlPanelAnswer AnswerFor(std::uint32_t message) {
    for (const ControlPanelAnswer& answer : kAnswers) {
        if (answer.message == message) {
            return answer;
        }
    }
    return {message, AppletAction::None, 1};
}

AppletListing ListingFor(DriverKind kind) {
    if (kind == DriverKind::Serial) {
        return {IDI_APPLET, IDS_NAME_SERIAL, IDS_DESCRIPTION_SERIAL};
    }
    return {IDI_APPLET, IDS_NAME_USB, IDS_DESCRIPTION_USB};
}
