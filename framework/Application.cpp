#include "Application.h"
#include <commctrl.h>
#include <cwchar>

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
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

UiLanguage CApplication::SystemLanguage() {
    return LanguageFromLocale(GetSystemDefaultLCID());
}

const wchar_t* CApplication::ModuleName() {
    static wchar_t name[MAX_PATH];
    wchar_t path[MAX_PATH];
    const DWORD copied =
        GetModuleFileNameW(Current() ? Current()->Instance() : nullptr, path, MAX_PATH);
    // Windows XP leaves a path that fills the buffer without its terminating zero.
    path[copied < MAX_PATH ? copied : MAX_PATH - 1] = L'\0';
    const wchar_t* base = path;
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/') {
            base = p + 1;
        }
    }
    wcsncpy(name, base, MAX_PATH - 1);
    if (wchar_t* dot = wcsrchr(name, L'.')) {
        *dot = L'\0';
    }
    return name;
}
