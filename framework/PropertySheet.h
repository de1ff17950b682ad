#pragma once
#include "Dialog.h"
#include <prsht.h>
#include <vector>

// One page of a property sheet, built from its own template. The sheet's OK reaches every
// page that was shown through OnApply, its Cancel through OnReset.
class CPropertyPage : public CDialog {
  public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId), m_templateId(templateId) {}

    PROPSHEETPAGEW Describe(HINSTANCE instance);

  protected:
    virtual void OnApply() {}
    virtual void OnReset() {}
    virtual void OnSetActive() {}

  private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSheetNotify(const NMHDR& notice, LRESULT& result);

    UINT m_templateId;
};

// A modal property sheet over pages that live as long as the sheet.
class CPropertySheet {
  public:
    explicit CPropertySheet(const wchar_t* caption, DWORD flags = PSH_NOAPPLYNOW)
        : m_caption(caption), m_flags(flags) {}

    void AddPage(CPropertyPage& page) { m_pages.push_back(&page); }
    // IDOK when the user pressed OK, IDCANCEL otherwise, -1 when the sheet could not start.
    INT_PTR DoModal(HWND owner);

  private:
    const wchar_t* m_caption;
    DWORD m_flags;
    std::vector<CPropertyPage*> m_pages;
};
