#pragma once
#include "Dialog.h"
#include <prsht.h>
#include <string>
#include <vector>

// One page of a property sheet, built from its own template. The sheet's OK reaches every
// page that was shown through OnApply, its Cancel through OnReset.
class CPropertyPage : public CDialog {
  public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId), m_templateId(templateId) {}

    // The tab's text instead of the template's caption.
    void SetTitle(const wchar_t* title) { m_title = title; }
    PROPSHEETPAGEW Describe(HINSTANCE instance);

  protected:
    virtual void OnApply() {}
    virtual void OnReset() {}
    virtual void OnSetActive() {}

  private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSheetNotify(const NMHDR& notice, LRESULT& result);

    UINT m_templateId;
    std::wstring m_title;
};

// The sheet's own window, bound while it runs: it passes system colour changes on to its
// pages, which would otherwise never hear of them.
class CSheetWindow final : public CWnd {
  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A modal property sheet over pages that live as long as the sheet. It has OK and Cancel
// only: no Apply and no Help button.
class CPropertySheet {
  public:
    explicit CPropertySheet(const wchar_t* caption, HWND parent = nullptr, UINT startPage = 0)
        : m_caption(caption), m_parent(parent), m_startPage(startPage) {}
    virtual ~CPropertySheet() = default;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    void SetCaption(const wchar_t* caption) { m_caption = caption; }
    void AddPage(CPropertyPage& page) { m_pages.push_back(&page); }
    // Without a parent, the active window owns the sheet. IDOK when the user pressed OK,
    // IDCANCEL otherwise, -1 when the sheet could not start.
    INT_PTR DoModal();

    // What the sheet hands the common controls, sized for the oldest version we support. The
    // controls step through the pages by their dwSize, so `pages` holds them packed.
    PROPSHEETHEADERW Describe(HWND owner, std::vector<BYTE>& pages) const;

  private:
    friend class CPropertyPage;
    // Binds the sheet's window, once, when its first page is made.
    void BindWindow(HWND window);

    std::wstring m_caption;
    HWND m_parent;
    UINT m_startPage;
    std::vector<CPropertyPage*> m_pages;
    CSheetWindow m_window;
};
