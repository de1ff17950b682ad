#include "PropertySheet.h"
#include "CallbackGuard.h"
#include "ResourceModule.h"
#include <cstring>
#include <utility>

namespace {
// The sheet being run. Modal sheets nest on one thread, so each run restores the one it found.
CPropertySheet* g_runningSheet = nullptr;
} // namespace

PROPSHEETPAGEW CPropertyPage::Describe(HINSTANCE instance) {
    PROPSHEETPAGEW page{};
    // Windows 2000's common controls refuse records larger than they know; the first
    // versions carry everything the tools use.
    page.dwSize = PROPSHEETPAGEW_V1_SIZE;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(m_templateId);
    page.pfnDlgProc = &CPropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    if (!m_title.empty()) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = m_title.c_str();
    }
    return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback<INT_PTR>(FALSE, [&]() -> INT_PTR {
        if (message == WM_INITDIALOG) {
            const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
            reinterpret_cast<CPropertyPage*>(page->lParam)->BindDialog(window);
            // The first page made finds the sheet's window as its parent. The sheet is started
            // without a callback of its own (PSH_USECALLBACK), so this is where it is first seen.
            if (g_runningSheet != nullptr) {
                g_runningSheet->BindWindow(GetParent(window));
            }
        }
        auto* self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(window, DWLP_USER));
        return self == nullptr ? FALSE : self->HandlePageMessage(message, wParam, lParam);
    });
}

INT_PTR CPropertyPage::HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_NOTIFY && OnSheetNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return HandleDialogMessage(message, wParam, lParam);
}

bool CPropertyPage::OnSheetNotify(const NMHDR& notice, LRESULT& result) {
    if (notice.hwndFrom != GetParent(m_hWnd)) {
        return false;
    }
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

bool CSheetWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (message == WM_SYSCOLORCHANGE) {
        SendToChildren(message, wParam, lParam);
    }
    return false;
}

void CPropertySheet::BindWindow(HWND window) {
    if (m_window.Handle() == nullptr) {
        m_window.Subclass(window);
    }
}

PROPSHEETHEADERW CPropertySheet::Describe(HWND owner, std::vector<BYTE>& pages) const {
    pages.assign(m_pages.size() * PROPSHEETPAGEW_V1_SIZE, 0);
    BYTE* next = pages.data();
    for (CPropertyPage* page : m_pages) {
        const PROPSHEETPAGEW described = page->Describe(ResourceModule());
        std::memcpy(next, &described, PROPSHEETPAGEW_V1_SIZE);
        next += PROPSHEETPAGEW_V1_SIZE;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = PROPSHEETHEADERW_V1_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = ResourceModule();
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(m_pages.size());
    header.nStartPage = m_startPage;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEW>(pages.data());
    return header;
}

INT_PTR CPropertySheet::DoModal() {
    std::vector<BYTE> pages;
    PROPSHEETHEADERW header = Describe(m_parent != nullptr ? m_parent : GetActiveWindow(), pages);
    CPropertySheet* const outer = std::exchange(g_runningSheet, this);
    const INT_PTR result = PropertySheetW(&header);
    g_runningSheet = outer;
    if (result < 0) {
        return -1;
    }
    return result > 0 ? IDOK : IDCANCEL;
}
