#pragma once
#include "DriverKind.h"
#include "DriverLink.h"
#include "DriverParameters.h"
#include <cstdint>
#include <functional>

// The Setting page's values: mode, range and delay go to the applet's parameters on OK; the
// serial port follows the port controls at once, and Cancel puts the driver's port back.
class SettingPageState {
  public:
    static constexpr std::uint32_t kNoPort = 11; // "NONE", the last item of the port list
    static constexpr int kRangeLowest = 0;
    static constexpr int kRangeHighest = 99;
    static constexpr int kDelayPositions = 10;

    enum class PortMessage { OpenFailed, CloseFailed, ClosePreviousFailed };
    // Shows a message to the user and returns when it has been read: each is told at its step,
    // before the next request goes out.
    using PortMessageTeller = std::function<void(PortMessage)>;

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
    // The port button was clicked.
    void TogglePort(const PortMessageTeller& tell);
    // An item of the port list was chosen.
    void ChangePort(int selection, const PortMessageTeller& tell);
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
