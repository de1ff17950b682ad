#pragma once
#include "Handles.h"
#include "Controls.h"

// A push button of a dialog template that draws itself: the classic raised face, an icon left
// of its caption (or centred without one), and embossed icon and caption when disabled. It
// stays a standard button for pressing, keys and the click notification.
class CIconButton final : public CButton {
  public:
    CIconButton();

    // Shows icon `id` of the resource module at its own size. False only when the icon's
    // size cannot be read; an icon that cannot be loaded leaves a caption-only button.
    bool SetIconResource(UINT id);

    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnSubclassed() override;

  private:
    LRESULT OnDrawItem(WPARAM, LPARAM lParam);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    void OnClicked();
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM);
    LRESULT OnSysColorChange(WPARAM, LPARAM);

    void DrawBackground(HDC dc, const RECT& item, const RECT& face) const;
    void DrawBorder(HDC dc, const RECT& face) const;
    void DrawIcon(HDC dc, const RECT& place) const;
    void DrawCaption(HDC dc, const std::wstring& caption, const RECT& area) const;

    COLORREF m_faceColor;
    COLORREF m_textColor;
    bool m_pressed = false;
    bool m_focused = false;
    bool m_disabled = false;
    bool m_default = false;
    ScopedIcon m_icon;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
};
