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
    // The icon of a button with the icon style; the caller keeps it alive.
    void SetIcon(HICON icon) const {
        Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
};

class CStatic : public CWnd {};

class CEdit : public CWnd {
  public:
    void SetLimit(int characters) const { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(characters)); }
};

// An up-down control with a numeric range and position.
class CSpinButton : public CWnd {
  public:
    void SetBuddy(HWND buddy) const { Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
    void SetRange(int lowest, int highest) const {
        Send(UDM_SETRANGE32, static_cast<WPARAM>(lowest), highest);
    }
    void SetPosition(int position) const { Send(UDM_SETPOS32, 0, position); }
    int Position() const { return static_cast<int>(Send(UDM_GETPOS32)); }
};

// A trackbar: slider positions in a range.
class CSlider : public CWnd {
  public:
    void SetRange(int lowest, int highest) const {
        Send(TBM_SETRANGE, TRUE, MAKELPARAM(lowest, highest));
    }
    void SetPosition(int position) const { Send(TBM_SETPOS, TRUE, position); }
    int Position() const { return static_cast<int>(Send(TBM_GETPOS)); }
};

class CComboBox : public CWnd {
  public:
    int AddString(const wchar_t* text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    void SetSelection(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // CB_ERR when nothing is selected.
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
};

// A tooltip window of its own, created for a parent, with one tip per tool window.
class CToolTip : public CWnd {
  public:
    bool Create(HWND parent);
    void AddTool(HWND tool, const wchar_t* text) const;
    ~CToolTip() override;
};
