#include "CKesPropertySheet.h"
#include "ResourceModule.h"

namespace {

std::wstring LoadText(UINT id) {
    const wchar_t* text = nullptr;
    // Length 0 asks for a read-only pointer into the resource itself.
    const int length = LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

} // namespace

CKesPropertySheet::CKesPropertySheet(UINT captionId, HWND parent, UINT startPage)
    : CPropertySheet(LoadText(captionId).c_str(), parent, startPage) {
    AddPage(m_page1);
    AddPage(m_page2);
    AddPage(m_page3);
    AddPage(m_page4);
}
