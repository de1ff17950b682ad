#pragma once
#include "Window.h"
#include <string>

// The tooltip a link owns: one tool, id 1, over the link's area, showing its target. Bound
// like a control, it notices when the system destroys it together with its top-level owner.
class LinkToolTip final : public CWnd {
  public:
    LinkToolTip() = default;
    ~LinkToolTip() override;

    bool Create(HWND link, const std::wstring& text);
    void SetText(const std::wstring& text) const;
    // Lets the tooltip see a mouse message of the link window.
    void Relay(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    TOOLINFOW Tool(const std::wstring& text) const;

    HWND m_link = nullptr;
};
