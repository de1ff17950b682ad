#pragma once
#include "CalibrationSequence.h"
#include "Dialog.h"

// The full-screen calibration window: one target at a time, a prompt, an exit hint and a
// ten-second progress line; each left-button release goes to the calibration sequence.
class CCalibrateDlg final : public CDialog, private CalibrationScreen {
  public:
    CCalibrateDlg(DriverLink& link, const ParametersStore& store, UiLanguage language);

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    BOOL OnInitDialog() override;
    // Enter must not end a calibration half-way.
    void OnOK() override {}

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    // Another resolution or orientation: the targets of the old one would give a wrong record.
    LRESULT OnDisplayChange(WPARAM, LPARAM);

    struct ClientSize {
        std::uint32_t width;
        std::uint32_t height;
    };
    // Covers the desktop and reads the screen's size; the client size places the targets.
    ClientSize CoverScreen();

    void PaintTarget(HDC dc, const RECT& client) const;

    void StopTimers() override;
    void RepaintNow() override;
    void FillBackground() override;
    void ShowCursor(bool visible) override;
    bool AskYesNo(const wchar_t* text, const wchar_t* caption) override;
    void Tell(const wchar_t* text) override;
    void TellUnder(const wchar_t* caption, const wchar_t* text) override;
    void EndAccepted() override;

    UiLanguage m_language;
    CalibrationSequence m_sequence;
    HICON m_icon;
    RECT m_desktop{};
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    bool m_cursorHidden = false;
    static int s_ticks;
};
