#include "LinkToolTip.h"
#include "ResourceModule.h"

namespace {
constexpr UINT_PTR kToolId = 1;
} // namespace

LinkToolTip::~LinkToolTip() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
}

bool LinkToolTip::Create(HWND link, const std::wstring& text) {
    const HWND tip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, link, nullptr, ResourceModule(), nullptr);
    if (tip == nullptr) {
        return false;
    }
    if (!Subclass(tip)) {
        DestroyWindow(tip);
        return false;
    }
    m_link = link;
    TOOLINFOW tool = Tool(text);
    // The area is the link as it is now; later resizing does not move it.
    GetClientRect(link, &tool.rect);
    Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void LinkToolTip::SetText(const std::wstring& text) const {
    if (m_hWnd == nullptr) {
        return;
    }
    TOOLINFOW tool = Tool(text);
    Send(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LinkToolTip::Relay(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (m_hWnd == nullptr || message < WM_MOUSEFIRST || message > WM_MOUSELAST) {
        return;
    }
    MSG relayed{};
    relayed.hwnd = m_link;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    Send(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

TOOLINFOW LinkToolTip::Tool(const std::wstring& text) const {
    TOOLINFOW tool{};
    // Windows 2000's common controls refuse records larger than they know.
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = m_link;
    tool.uId = kToolId;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}
