#pragma once
#include "Controls.h"
#include "Handles.h"
#include "HoverState.h"
#include <string>

// An owner-drawn push button with its own face colour that lights up while the pointer is over
// it and looks flat while pressed.
class CHoverButton final : public CButton {
  public:
    CHoverButton();

    void SetFaceColor(COLORREF color);
    // Drawn instead of the control's text; set it before the button is first drawn.
    void SetCaption(const wchar_t* caption);

    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnSubclassed() override;

  private:
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    // Text colours follow the system's; the dialog decides the face.
    LRESULT OnSysColorChange(WPARAM, LPARAM);

    void Draw(HDC dc);

    COLORREF m_textColor;
    COLORREF m_faceColor;
    COLORREF m_disabledTextColor;
    ScopedBrush m_faceBrush;
    HoverState m_hover;
    RECT m_item{};
    std::wstring m_caption;
};
