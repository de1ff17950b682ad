#include "Window.h"
#include "CallbackGuard.h"
#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct Binding {
    HWND window;
    CWnd* object;
};

// Every message to a bound window looks its object up here. A window property would cost a
// round trip to the window server on some systems for each message; the tools have one user
// interface thread and a handful of bound windows.
std::vector<Binding> g_bindings;

std::vector<Binding>::iterator BindingOf(HWND window) {
    return std::find_if(g_bindings.begin(), g_bindings.end(),
                        [window](const Binding& binding) { return binding.window == window; });
}

} // namespace

CWnd::~CWnd() {
    if (m_previousProc != nullptr && IsWindow(m_hWnd)) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    }
    Unbind();
}

CWnd* CWnd::FromHandle(HWND window) {
    const auto found = BindingOf(window);
    return found == g_bindings.end() ? nullptr : found->object;
}

void CWnd::Bind(HWND window) {
    Unbind();
    m_hWnd = window;
    const auto found = BindingOf(window);
    if (found != g_bindings.end()) {
        found->object = this;
    } else {
        g_bindings.push_back({window, this});
    }
}

void CWnd::Unbind() {
    const auto found = BindingOf(m_hWnd);
    if (m_hWnd != nullptr && found != g_bindings.end() && found->object == this) {
        g_bindings.erase(found);
    }
    m_hWnd = nullptr;
}

void CWnd::SendToChildren(UINT message, WPARAM wParam, LPARAM lParam) const {
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, message, wParam, lParam);
    }
}

std::wstring CWnd::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool CWnd::SubclassDlgItem(int id, HWND parent) {
    HWND control = GetDlgItem(parent, id);
    return control != nullptr && Subclass(control);
}

bool CWnd::Subclass(HWND window) {
    Bind(window);
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (m_previousProc == nullptr) {
        Unbind();
        return false;
    }
    OnSubclassed();
    return true;
}

bool CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CWnd::Default() {
    return CallDefault(m_message, m_wParam, m_lParam);
}

LRESULT CWnd::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(m_previousProc, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback<LRESULT>(0, [&] { return Dispatch(window, message, wParam, lParam); });
}

LRESULT CWnd::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(window);
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const WNDPROC previous = self->m_previousProc;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        self->m_previousProc = nullptr;
        self->Unbind();
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    // Handlers may send messages to their own window: keep the outer message for Default().
    const UINT outerMessage = std::exchange(self->m_message, message);
    const WPARAM outerWParam = std::exchange(self->m_wParam, wParam);
    const LPARAM outerLParam = std::exchange(self->m_lParam, lParam);
    LRESULT result = 0;
    const bool handled = self->OnMessage(message, wParam, lParam, result);
    self->m_message = outerMessage;
    self->m_wParam = outerWParam;
    self->m_lParam = outerLParam;
    return handled ? result : CallWindowProcW(previous, window, message, wParam, lParam);
}
