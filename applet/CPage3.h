#pragma once
#include "CIconButton.h"
#include "Controls.h"
#include "PropertySheet.h"

// The Sound page: when the driver beeps, how high and how long, and a Test button that makes
// it beep with the sliders' values.
class CPage3 final : public CPropertyPage {
  public:
    CPage3();

  protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnApply() override;

  private:
    void OnModeChosen();
    void OnTest();
    void EnableBeepControls(bool enabled) const;

    CIconButton m_testButton;
    CSlider m_frequencySlider;
    CSlider m_durationSlider;
    CComboBox m_modeList;
};
