#pragma once
#include "Controls.h"
#include "PropertySheet.h"
#include "SettingPageState.h"

// The Setting page: mouse mode, double-click range, interactive delay and, for a serial
// controller, the port, whose controls act on the driver at once.
class CPage2 final : public CPropertyPage {
  public:
    CPage2();

  protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnApply() override;
    void OnReset() override;

  private:
    void OnModeClicked(UINT radioId);
    void OnPortToggled();
    void OnPortChosen();
    void ShowModeControls() const;
    void ShowPortButton() const;
    // Tells each port message in a box over the page, at the step it happens.
    SettingPageState::PortMessageTeller Teller() const;

    SettingPageState m_state;
    CEdit m_rangeEdit;
    CSpinButton m_rangeSpin;
    CSlider m_delaySlider;
    CComboBox m_portList;
    CButton m_portButton;
};
