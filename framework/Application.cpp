#include "Application.h"
#include "FileStem.h"
#include <commctrl.h>
#include "ResourceModule.h"
#include <algorithm>

CApplication* CApplication::s_current = nullptr;

CApplication::CApplication() {
    s_current = this;
}

CApplication::~CApplication() {
    if (m_dialogBrush != nullptr) {
        DeleteObject(m_dialogBrush);
    }
    s_current = nullptr;
}

void CApplication::SetDialogColors(COLORREF background, COLORREF text) {
    if (m_dialogBrush != nullptr) {
        DeleteObject(m_dialogBrush);
    }
    m_dialogBrush = CreateSolidBrush(background);
    m_dialogText = text;
}

void CApplication::EnableControls3d() {
    // Only classes version 5.81 knows: a flag it does not know fails the whole registration.
    RegisterCommonControls(ICC_WIN95_CLASSES);
}

void CApplication::RegisterCommonControls(DWORD classes) {
    INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    InitCommonControlsEx(&controls);
}

UiLanguage CApplication::SystemLanguage() {
    return LanguageFromLocale(GetSystemDefaultLCID());
}

std::wstring CApplication::ModulePath() {
    // Windows XP leaves a truncated path unterminated: only the reported length counts.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(ResourceModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0 || length < path.size() || path.size() >= 32768) {
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(std::min<std::size_t>(length, path.size()));
    return path;
}

std::wstring CApplication::ModuleName() {
    return FileStem(ModulePath());
}
