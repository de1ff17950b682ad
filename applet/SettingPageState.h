#pragma once
#include "DriverKind.h"
#include "DriverLink.h"
#include "DriverParameters.h"
#include <cstdint>
#include <vector>

// The Setting page's values: mode, range and delay go to the applet's parameters on OK; the
// serial port follows the port controls at once, and Cancel puts the driver's port back.
class SettingPageState {
  public:
    static constexpr std::uint32_t kNoPort = 11; // "NONE", the last item of the port list
    static constexpr int kRangeLowest = 0;
    static constexpr int kRangeHighest = 99;
    static constexpr int kDelayPositions = 10;

    enum class PortMessage { OpenFailed, CloseFailed, ClosePreviousFailed };

    SettingPageState(DriverParameters& parameters, DriverLink& link, DriverKind kind);

    int CheckedRadio() const;
    // The range spin and the delay slider only mean something for interactive touch.
    bool InteractiveControlsEnabled() const { return m_mode == kInteractiveTouch; }
    int DelayPosition() const;
    int RangePosition() const;
    int PortSelection() const;
    bool PortButtonEnabled() const { return m_port != kNoPort; }
    bool PortOpen() const { return m_enable == 1; }
    bool ShowsPortControls() const { return m_kind == DriverKind::Serial; }

    // A mode radio button was clicked.
    void ChooseMode(int radioId);
    // The port button was clicked; what went wrong, in the order to tell it.
    std::vector<PortMessage> TogglePort();
    // An item of the port list was chosen.
    std::vector<PortMessage> ChangePort(int selection);
    void Accept(int delayPosition, int rangePosition);
    void Revert();

    std::uint32_t Mode() const { return m_mode; }
    std::uint32_t Port() const { return m_port; }
    std::uint32_t Enable() const { return m_enable; }

  private:
    static constexpr std::uint32_t kInteractiveTouch = 3;
    std::uint32_t DelayStep() const { return m_kind == DriverKind::Usb ? 80 : 25; }

    DriverParameters& m_parameters;
    DriverLink& m_link;
    DriverKind m_kind;
    std::uint32_t m_mode;
    std::uint32_t m_delay;
    std::uint32_t m_port;
    std::uint32_t m_enable;
};
