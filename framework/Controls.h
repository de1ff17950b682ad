#pragma once
#include "Window.h"
#include <commctrl.h>

// Thin wrappers over the standard controls the tools bind to their templates.

class CButton : public CWnd {
  public:
    void AddStyle(LONG style) const {
        SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | style);
    }
    bool IsDisabled() const { return (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_DISABLED) != 0; }
};
