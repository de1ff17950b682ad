#pragma once
#include "CHoverButton.h"
#include "Dialog.h"
#include "Handles.h"
#include "DrawSettings.h"
#include "StrokeTracker.h"
#include "UiLanguage.h"

// The full-screen drawing surface: a grid, strokes drawn straight to the screen as the pointer
// moves with the button down, a right-click settings menu, and buttons to clear and to leave.
// Strokes are not kept: any repaint shows only the background and the grid.
class CDrawTestDlg final : public CDialog {
  public:
    explicit CDrawTestDlg(UiLanguage language);

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    BOOL OnInitDialog() override;
    // Enter and the clear button wipe the drawing instead of closing.
    void OnOK() override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnRButtonUp(WPARAM, LPARAM);
    LRESULT OnSettingsCommand(WPARAM, LPARAM);
    // A new resolution or orientation: the surface, grid and buttons follow it.
    LRESULT OnDisplayChange(WPARAM, LPARAM);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

    void CoverScreen();
    void ApplyButtonFaces();
    void PaintSurface(HDC dc) const;
    void DrawSegment(const StrokeSegment& segment) const;
    void ShowSettingsMenu(POINT at) const;
    void RepaintNow() const;

    UiLanguage m_language;
    DrawSettings m_settings;
    StrokeTracker m_stroke;
    HICON m_icon;
    RECT m_desktop{};
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    CHoverButton m_clear;
    CHoverButton m_exit;
    ScopedFont m_buttonFont;
};
