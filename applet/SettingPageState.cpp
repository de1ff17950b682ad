#include "SettingPageState.h"
#include "CalibratePageState.h"
#include "resource.h"

namespace {

struct ModeRadio {
    std::uint32_t mode;
    int radioId;
};

// The radios are laid out two by two, not in mode order.
constexpr ModeRadio kModeRadios[] = {
    {0, IDC_MODE_POINT_CLICK},
    {2, IDC_MODE_CLICK_DRAG},
    {1, IDC_MODE_DRAG_CLICK},
    {3, IDC_MODE_INTERACTIVE},
};

// A mode no radio stands for shows as "Drag then Click".
constexpr int kUnknownModeRadio = IDC_MODE_DRAG_CLICK;

} // namespace

SettingPageState::SettingPageState(DriverParameters& parameters, DriverLink& link, DriverKind kind)
    : m_parameters(parameters), m_link(link), m_kind(kind), m_mode(parameters.MouseMode),
      m_delay(parameters.InterActTime), m_port(parameters.Port), m_enable(parameters.Enable) {}

int SettingPageState::CheckedRadio() const {
    for (const ModeRadio& entry : kModeRadios) {
        if (entry.mode == m_mode) {
            return entry.radioId;
        }
    }
    return kUnknownModeRadio;
}

int SettingPageState::DelayPosition() const {
    return static_cast<int>(m_delay / DelayStep());
}

int SettingPageState::RangePosition() const {
    return PositionInRange(m_parameters.DblClickRegion, kRangeLowest, kRangeHighest);
}

int SettingPageState::PortSelection() const {
    return m_port >= 1 && m_port <= kNoPort ? static_cast<int>(m_port - 1) : 0;
}

void SettingPageState::ChooseMode(int radioId) {
    for (const ModeRadio& entry : kModeRadios) {
        if (entry.radioId == radioId) {
            m_mode = entry.mode;
        }
    }
}

void SettingPageState::TogglePort(const PortMessageTeller& tell) {
    if (m_enable == 1) {
        if (m_link.ClosePort()) {
            m_enable = 0;
        } else {
            tell(PortMessage::CloseFailed);
        }
        return;
    }
    if (m_link.OpenPort(m_port)) {
        m_enable = 1;
    } else {
        tell(PortMessage::OpenFailed);
    }
}

void SettingPageState::ChangePort(int selection, const PortMessageTeller& tell) {
    const auto port = static_cast<std::uint32_t>(selection + 1);
    if (selection < 0 || port == m_port) {
        return;
    }
    if (m_port < kNoPort && !m_link.ClosePort()) {
        tell(PortMessage::ClosePreviousFailed);
    }
    if (port < kNoPort) {
        if (m_link.OpenPort(port)) {
            m_enable = 1;
        } else {
            tell(PortMessage::OpenFailed);
            m_enable = 0;
        }
    } else {
        m_enable = 0;
    }
    m_port = port;
}

void SettingPageState::Accept(int delayPosition, int rangePosition) {
    m_parameters.InterActTime = static_cast<std::uint32_t>(delayPosition) * DelayStep();
    m_parameters.DblClickRegion = static_cast<std::uint32_t>(rangePosition);
    m_parameters.MouseMode = m_mode;
    m_parameters.Port = m_port;
    m_parameters.Enable = m_enable;
}

void SettingPageState::Revert() {
    if (m_port != m_parameters.Port && m_port != kNoPort) {
        m_link.ClosePort();
    }
    if (m_parameters.Port < kNoPort) {
        if (m_parameters.Enable == 1) {
            m_link.OpenPort(m_parameters.Port);
        } else {
            m_link.ClosePort();
        }
    }
}
