#include "Controls.h"
#include "ResourceModule.h"

bool CToolTip::Create(HWND parent) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                               nullptr, ResourceModule(), nullptr);
    if (tip == nullptr) {
        return false;
    }
    Bind(tip);
    return true;
}

void CToolTip::AddTool(HWND tool, const wchar_t* text) const {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

CToolTip::~CToolTip() {
    if (m_hWnd != nullptr) {
        HWND tip = m_hWnd;
        Unbind();
        DestroyWindow(tip);
    }
}
