#pragma once
#include "MessageTable.h"
#include <string>
#include <windows.h>

// A C++ object bound to one window. Controls of a dialog template are bound by subclassing;
// messages the object's table does not handle go to the control's own procedure.
class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND Handle() const { return m_hWnd; }
    static CWnd* FromHandle(HWND window);

    // Binds this object to the control with `id` in `parent`.
    bool SubclassDlgItem(int id, HWND parent);
    bool Subclass(HWND window);

    void Invalidate(bool erase = true) const { InvalidateRect(m_hWnd, nullptr, erase); }
    void SetText(const wchar_t* text) const { SetWindowTextW(m_hWnd, text); }
    std::wstring Text() const;
    void Enable(bool enabled) const { EnableWindow(m_hWnd, enabled); }
    void Show(bool shown) const { ShowWindow(m_hWnd, shown ? SW_SHOW : SW_HIDE); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(m_hWnd, message, wParam, lParam);
    }
    // Only top-level windows hear of some changes (system colours): their children learn of
    // them from their parent.
    void SendToChildren(UINT message, WPARAM wParam, LPARAM lParam) const;

    // A message sent to the parent about this control (owner draw, control colours) and
    // reflected back here; true when handled, with the parent's answer in `result`.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  protected:
    // The class's message table; false passes the message on.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called once the object is bound to a subclassed control.
    virtual void OnSubclassed() {}
    // The standard handling of the message being dispatched, for handlers that add to it.
    LRESULT Default();
    // The control's own handling of a message the handler passes on in another form.
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

    void Bind(HWND window);
    void Unbind();

    HWND m_hWnd = nullptr;

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_previousProc = nullptr;
    UINT m_message = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
};
