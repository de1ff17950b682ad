#include "Dialog.h"
#include "Application.h"
#include "CallbackGuard.h"
#include "DeviceContexts.h"
#include "ResourceModule.h"

namespace {

bool IsControlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Messages whose answer is the dialog procedure's return value itself.
bool AnswersDirectly(UINT message) {
    return IsControlColor(message) || message == WM_INITDIALOG || message == WM_QUERYDRAGICON ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM;
}

// The child control a parent notification is about, if it is one of ours: it sees its own
// notifications before the dialog does.
CWnd* ReflectionTarget(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        return CWnd::FromHandle(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem);
    case WM_NOTIFY:
        return CWnd::FromHandle(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return lParam == 0 ? nullptr : CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
    default:
        return IsControlColor(message) ? CWnd::FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr;
    }
}

} // namespace

INT_PTR CDialog::DoModal(HWND owner) {
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), owner,
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::BindDialog(HWND window) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    Bind(window);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback<INT_PTR>(FALSE, [&]() -> INT_PTR {
        if (message == WM_INITDIALOG) {
            reinterpret_cast<CDialog*>(lParam)->BindDialog(window);
        }
        auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
        return self == nullptr ? FALSE : self->HandleDialogMessage(message, wParam, lParam);
    });
}

INT_PTR CDialog::HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = m_hWnd;
    LRESULT result = 0;
    bool handled = false;
    if (CWnd* child = ReflectionTarget(message, wParam, lParam)) {
        handled = child->OnReflectedMessage(message, wParam, lParam, result);
    }
    if (!handled) {
        handled = OnMessage(message, wParam, lParam, result);
    }
    if (!handled) {
        handled = HandleStandard(message, wParam, lParam, result);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        Unbind();
    }
    if (!handled) {
        return FALSE;
    }
    if (AnswersDirectly(message)) {
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool CDialog::HandleStandard(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SYSCOLORCHANGE) {
        SendToChildren(message, wParam, lParam);
        return false;
    }
    if (message == WM_INITDIALOG) {
        result = OnInitDialog();
        return true;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        OnOK();
        return true;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return true;
    }
    const CApplication* application = CApplication::Current();
    const bool colored = application != nullptr && application->DialogBrush() != nullptr;
    if (colored && (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC)) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, application->DialogTextColor());
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(application->DialogBrush());
        return true;
    }
    return false;
}

void CDialog::PaintMinimizedIcon(HICON icon) {
    PaintDC paint(m_hWnd);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()));
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, icon);
}

RECT CDialog::CoverDesktop() {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(m_hWnd, HWND_TOP, desktop.left, desktop.top, desktop.right - desktop.left,
                 desktop.bottom - desktop.top, SWP_SHOWWINDOW);
    return desktop;
}
