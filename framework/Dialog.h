#pragma once
#include "Window.h"

// A modal dialog built from a template resource. The derived class's table sees every message
// first; then OK/Cancel, owner-draw and control-colour reflection and the tool's dialog colours
// get their standard handling.
class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId) : m_templateId(templateId) {}

    // Runs the dialog; the value is what EndDialog was given, or -1 when it could not start.
    INT_PTR DoModal(HWND owner = nullptr);
    void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }

  protected:
    // True leaves the focus to the system's choice.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // What a minimised full-screen dialog paints: its icon, centred on the icon background.
    void PaintMinimizedIcon(HICON icon);
    // Moves the dialog over the whole desktop, at the top, shown; returns the desktop's rectangle.
    RECT CoverDesktop();

    // The dialog procedure's work for one message; property pages share it.
    INT_PTR HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void BindDialog(HWND window);

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleStandard(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT m_templateId;
};
