#include "CLinkStatic.h"
#include "Application.h"
#include "BoxRect.h"
#include "DeviceContexts.h"
#include "LinkFit.h"
#include "LinkOpenError.h"
#include "LinkOpener.h"
#include "Win32Shell.h"
#include <windowsx.h>

namespace {
constexpr int kHelpHandCursor = 106;
} // namespace

CLinkStatic::CLinkStatic() : m_hoverColor(GetSysColor(COLOR_HIGHLIGHT)) {}

void CLinkStatic::SetTarget(const std::wstring& target) {
    m_target = target;
    if (m_hWnd != nullptr) {
        FitToText();
        m_toolTip.SetText(m_target);
    }
}

void CLinkStatic::MarkVisited(bool visited) {
    m_visited = visited;
    if (m_hWnd != nullptr) {
        Repaint(false);
    }
}

void CLinkStatic::SetHandCursor(HCURSOR cursor) {
    m_ownCursor.Reset();
    m_cursor = cursor;
    if (m_cursor == nullptr) {
        LoadHandCursor();
    }
}

void CLinkStatic::SetUnderlined(bool underlined) {
    m_underlined = underlined;
    if (m_hWnd != nullptr) {
        UseFont(CurrentFont());
        Repaint(false);
    }
}

std::intptr_t CLinkStatic::OpenTarget(const std::wstring& target, int show) {
    Win32Shell shell;
    return ::OpenTarget(shell, target, show);
}

void CLinkStatic::ReportOpenError(std::intptr_t code) const {
    MessageBoxW(GetParent(m_hWnd), OpenErrorMessage(code).c_str(),
                CApplication::ModuleName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CLinkStatic::OnSubclassed() {
    SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    if (m_target.empty()) {
        m_target = Text();
    }
    if (Text().empty()) {
        SetText(m_target.c_str());
    }
    UseFont(CurrentFont());
    FitToText();
    LoadHandCursor();
    m_toolTip.Create(m_hWnd, m_target);
}

bool CLinkStatic::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The link's own id is not known here: any id, as the parent reflected it to us.
    static constexpr MessageEntry<CLinkStatic> kReflected[] = {
        MapMessage<&CLinkStatic::OnCtlColor>(WM_CTLCOLORSTATIC),
        MapControlRange<&CLinkStatic::OnClicked>(0, 0xFFFF, STN_CLICKED),
    };
    return DispatchTable(*this, kReflected, message, wParam, lParam, result);
}

bool CLinkStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CLinkStatic> kMessages[] = {
        MapMessage<&CLinkStatic::OnMouseMove>(WM_MOUSEMOVE),
        MapMessage<&CLinkStatic::OnCaptureChanged>(WM_CAPTURECHANGED),
        MapMessage<&CLinkStatic::OnSetCursor>(WM_SETCURSOR),
    };
    m_toolTip.Relay(message, wParam, lParam);
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

LRESULT CLinkStatic::OnCtlColor(WPARAM wParam, LPARAM) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, m_pointerOver ? m_hoverColor : m_visited ? m_visitedColor : m_linkColor);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void CLinkStatic::OnClicked() {
    const std::intptr_t result = OpenTarget(m_target, SW_SHOW);
    m_visited = Opened(result);
    if (m_visited) {
        MarkVisited(true);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    ReportOpenError(result);
}

LRESULT CLinkStatic::OnMouseMove(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_pointerOver) {
        if (PtInRect(&client, at) == FALSE) {
            m_pointerOver = false;
            ReleaseCapture();
            Repaint(true);
        }
    } else {
        m_pointerOver = true;
        Repaint(true);
        // Holding the capture lets the link see the move that takes the pointer away.
        SetCapture(m_hWnd);
    }
    return result;
}

LRESULT CLinkStatic::OnCaptureChanged(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    // Lost to someone else (a message box, another program): the next move inside takes
    // it again, so the link never waits in the hover colour for a move it cannot see.
    if (m_pointerOver && reinterpret_cast<HWND>(lParam) != m_hWnd) {
        m_pointerOver = false;
        Repaint(true);
    }
    return result;
}

LRESULT CLinkStatic::OnSetCursor(WPARAM, LPARAM) {
    if (m_cursor == nullptr) {
        return FALSE;
    }
    SetCursor(m_cursor);
    return TRUE;
}

void CLinkStatic::FitToText() const {
    if (m_hWnd == nullptr || !m_fitToText) {
        return;
    }
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&window), 2);
    const std::wstring text = Text();
    SIZE size{};
    {
        const ClientDC dc(m_hWnd);
        const SelectedObject font(dc.Get(), m_font.Get());
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    }
    const auto style = static_cast<std::uint32_t>(GetWindowLongW(m_hWnd, GWL_STYLE));
    const Box fitted =
        LinkFit::FitToText(ToBox(window), {size.cx, size.cy}, LinkFit::AnchorOf(style),
                           LinkFit::CentresVertically(style));
    SetWindowPos(m_hWnd, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLinkStatic::LoadHandCursor() {
    if (m_cursor != nullptr) {
        return;
    }
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    const std::wstring path = std::wstring(windows, length) + L"\\winhlp32.exe";
    const ScopedLibrary help(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!help) {
        return;
    }
    const HCURSOR shared = LoadCursorW(help.Get(), MAKEINTRESOURCEW(kHelpHandCursor));
    if (shared == nullptr) {
        return;
    }
    // The copy outlives the help program's module.
    m_ownCursor.Reset(CopyCursor(shared));
    m_cursor = m_ownCursor.Get();
}

LOGFONTW CLinkStatic::CurrentFont() const {
    auto font = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
    if (font == nullptr) {
        font = GetStockObject(SYSTEM_FONT);
    }
    LOGFONTW logical{};
    GetObjectW(font, sizeof logical, &logical);
    return logical;
}

void CLinkStatic::UseFont(const LOGFONTW& font) {
    LOGFONTW underlined = font;
    underlined.lfUnderline = m_underlined ? TRUE : FALSE;
    ScopedFont created(CreateFontIndirectW(&underlined));
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(created.Get()), TRUE);
    // Only now that the window no longer uses it can the previous font go.
    m_font = std::move(created);
}

void CLinkStatic::Repaint(bool now) const {
    // The text is drawn on the parent's background: that is repainted first, or the smoothed
    // edges of the old colour would stay under the new one.
    const HWND parent = GetParent(m_hWnd);
    RECT area{};
    GetWindowRect(m_hWnd, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | (now ? RDW_UPDATENOW : 0));
}
