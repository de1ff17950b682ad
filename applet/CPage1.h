#pragma once
#include "AppletPrograms.h"
#include "CalibratePageState.h"
#include "Controls.h"
#include "PropertySheet.h"

// The Calibrate page: when to calibrate, the calibration margin, and the buttons that start
// the calibration program and the draw test.
class CPage1 final : public CPropertyPage {
  public:
    CPage1();

  protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnApply() override;
    void OnReset() override;

  private:
    void OnCalibrate();
    void OnDrawTest();
    void OnMarginChanged();
    void Start(AppletProgram program) const;

    CalibratePageState m_state;
    CEdit m_marginEdit;
    CSpinButton m_marginSpin;
    CButton m_calibrateButton;
    CButton m_drawTestButton;
};
