#include "PropertySheet.h"
#include "Application.h"

PROPSHEETPAGEW CPropertyPage::Describe(HINSTANCE instance) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(m_templateId);
    page.pfnDlgProc = &CPropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        reinterpret_cast<CPropertyPage*>(page->lParam)->BindDialog(window);
    }
    auto* self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    LRESULT result = 0;
    if (message == WM_NOTIFY &&
        self->OnSheetNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return self->HandleDialogMessage(message, wParam, lParam);
}

bool CPropertyPage::OnSheetNotify(const NMHDR& notice, LRESULT& result) {
    switch (notice.code) {
    case PSN_APPLY:
        OnApply();
        result = PSNRET_NOERROR;
        return true;
    case PSN_RESET:
        OnReset();
        return true;
    case PSN_SETACTIVE:
        OnSetActive();
        return true;
    default:
        return false;
    }
}

INT_PTR CPropertySheet::DoModal(HWND owner) {
    const HINSTANCE instance =
        CApplication::Current() ? CApplication::Current()->Instance() : GetModuleHandleW(nullptr);
    std::vector<PROPSHEETPAGEW> pages;
    for (CPropertyPage* page : m_pages) {
        pages.push_back(page->Describe(instance));
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | m_flags;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = m_caption;
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    const INT_PTR result = PropertySheetW(&header);
    if (result < 0) {
        return -1;
    }
    return result > 0 ? IDOK : IDCANCEL;
}
