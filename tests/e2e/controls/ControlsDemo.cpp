// controlsdemo: a dialog with visible instances of the applet's three control classes, for the
// end-to-end tests to look at and drive. It writes what happens to standard output, one line
// per event. Started as `controlsdemo --opened ARGS` it is the program a test registers to open
// link targets: it records its command line under HKCU\Software\TouchControlsDemo and ends.
#include "Application.h"
#include "CIconButton.h"
#include "CLinkStatic.h"
#include "CTransparentPicture.h"
#include "ControlsDemoIds.h"
#include "Dialog.h"
#include "DeviceContexts.h"
#include "Handles.h"
#include "ProbeIo.h"
#include "ResourceModule.h"
#include <shellapi.h>
#include <string>

namespace {

// Messages a test posts to the dialog.
constexpr UINT kDisableMiddleButton = WM_APP + 1;
constexpr UINT kChangeSystemColors = WM_APP + 2;

// The stripes behind the pictures, four rows each, counted from the client area's top.
constexpr COLORREF kStripeColors[] = {RGB(40, 120, 80), RGB(200, 180, 60)};
constexpr int kStripeHeight = 4;

// The system colours after kChangeSystemColors.
constexpr COLORREF kChangedButtonText = RGB(200, 0, 0);
constexpr COLORREF kChangedButtonFace = RGB(120, 200, 220);

// The picture whose system offers no masked copy.
class CFourCopyPicture final : public CTransparentPicture {
  protected:
    bool CopyMasked(HDC, HDC, HBITMAP, int, int) const override { return false; }
};

// A picture that tells whether the system's masked copy did the work.
class CReportingPicture final : public CTransparentPicture {
  protected:
    bool CopyMasked(HDC screen, HDC composed, HBITMAP mask, int width, int height) const override {
        const bool copied = CTransparentPicture::CopyMasked(screen, composed, mask, width, height);
        PrintLine(copied ? L"masked copy done" : L"masked copy failed");
        return copied;
    }
};

std::wstring RectText(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    return Fields({rect.left, rect.top, rect.right, rect.bottom});
}

class CDemoDialog final : public CDialog {
  public:
    CDemoDialog() : CDialog(IDD_CONTROLS_DEMO) {}

  protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM);
    void OnClicked(UINT id);
    LRESULT OnDisableMiddleButton(WPARAM, LPARAM);
    LRESULT OnChangeSystemColors(WPARAM, LPARAM);
    void AttachButtons();
    void AttachLinks();
    void AttachPictures();

    CIconButton m_captioned;
    CIconButton m_iconOnly;
    CIconButton m_default;
    CIconButton m_disabled;
    CIconButton m_middle;
    CLinkStatic m_opening;
    CLinkStatic m_centred;
    CLinkStatic m_right;
    CLinkStatic m_middleLink;
    CLinkStatic m_failing;
    CLinkStatic m_untitled;
    CReportingPicture m_masked;
    CFourCopyPicture m_fourCopy;
    CTransparentPicture m_cut;
    CTransparentPicture m_plain;
};

BOOL CDemoDialog::OnInitDialog() {
    AttachButtons();
    AttachLinks();
    AttachPictures();
    SetFocus(GetDlgItem(m_hWnd, IDC_FIRST_EDIT));
    PrintLine(L"ready");
    return FALSE;
}

void CDemoDialog::AttachButtons() {
    const struct {
        CIconButton& button;
        int id;
    } buttons[] = {{m_captioned, IDC_CAPTIONED_BUTTON},
                   {m_iconOnly, IDC_ICON_ONLY_BUTTON},
                   {m_default, IDC_DEFAULT_BUTTON},
                   {m_disabled, IDC_DISABLED_BUTTON},
                   {m_middle, IDC_MIDDLE_BUTTON}};
    for (const auto& entry : buttons) {
        entry.button.SubclassDlgItem(entry.id, m_hWnd);
        const bool set = entry.button.SetIconResource(IDI_TEST_BEEP);
        PrintLine(L"icon " + std::to_wstring(entry.id) + (set ? L" set" : L" failed"));
    }
    // A missing resource leaves a caption-only button and is no failure.
    const bool missing = m_middle.SetIconResource(1);
    PrintLine(std::wstring(L"missing icon ") + (missing ? L"accepted" : L"failed"));
}

void CDemoDialog::AttachLinks() {
    const struct {
        CLinkStatic& link;
        int id;
        const wchar_t* target;
    } links[] = {{m_opening, IDC_OPENING_LINK, L"touchdemo:opened"},
                 {m_centred, IDC_CENTRED_LINK, L"www.centred.example"},
                 {m_right, IDC_RIGHT_LINK, nullptr},
                 {m_middleLink, IDC_MIDDLE_LINK, L"www.middle.example"},
                 {m_failing, IDC_FAILING_LINK, L"C:\\nosuch\\file.tlk"},
                 {m_untitled, IDC_UNTITLED_LINK, L"www.untitled.example"}};
    for (const auto& entry : links) {
        const HWND control = GetDlgItem(m_hWnd, entry.id);
        const std::wstring before = RectText(control);
        if (entry.target != nullptr) {
            entry.link.SetTarget(entry.target);
        }
        entry.link.SubclassDlgItem(entry.id, m_hWnd);
        PrintLine(L"fit " + std::to_wstring(entry.id) + L"\t" + before + L"\t" + RectText(control));
    }
    const HCURSOR cursor = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(IDR_LINK_CURSOR));
    m_opening.SetHandCursor(cursor);
    PrintLine(L"owner cursor " + std::to_wstring(reinterpret_cast<LONG_PTR>(cursor)));
    m_middleLink.SetUnderlined(false);
}

void CDemoDialog::AttachPictures() {
    m_masked.SubclassDlgItem(IDC_MASKED_PICTURE, m_hWnd);
    m_fourCopy.SubclassDlgItem(IDC_FOUR_COPY_PICTURE, m_hWnd);
    m_cut.SubclassDlgItem(IDC_CUT_PICTURE, m_hWnd);
    m_plain.SubclassDlgItem(IDC_PLAIN_PICTURE, m_hWnd);
    // The bitmap statics took the bitmap's size: two grow past it, one is cut short.
    const struct {
        int id;
        int width;
        int height;
    } sizes[] = {{IDC_MASKED_PICTURE, 190, 90},
                 {IDC_FOUR_COPY_PICTURE, 190, 90},
                 {IDC_CUT_PICTURE, 150, 60}};
    for (const auto& entry : sizes) {
        SetWindowPos(GetDlgItem(m_hWnd, entry.id), nullptr, 0, 0, entry.width, entry.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool CDemoDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CDemoDialog> kMessages[] = {
        MapMessage<&CDemoDialog::OnEraseBackground>(WM_ERASEBKGND),
        MapControlRange<&CDemoDialog::OnClicked>(IDC_CAPTIONED_BUTTON, IDC_LAST_EDIT, BN_CLICKED),
        MapMessage<&CDemoDialog::OnDisableMiddleButton>(kDisableMiddleButton),
        MapMessage<&CDemoDialog::OnChangeSystemColors>(kChangeSystemColors),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

LRESULT CDemoDialog::OnEraseBackground(WPARAM wParam, LPARAM) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    for (int top = 0, stripe = 0; top < client.bottom; top += kStripeHeight, stripe ^= 1) {
        const RECT band{0, top, client.right, top + kStripeHeight};
        const ScopedBrush brush(CreateSolidBrush(kStripeColors[stripe]));
        FillRect(dc, &band, brush.Get());
    }
    return TRUE;
}

void CDemoDialog::OnClicked(UINT id) {
    PrintLine(L"clicked " + std::to_wstring(id));
}

LRESULT CDemoDialog::OnDisableMiddleButton(WPARAM, LPARAM) {
    m_middle.Enable(false);
    PrintLine(L"disabled " + std::to_wstring(IDC_MIDDLE_BUTTON));
    return 0;
}

LRESULT CDemoDialog::OnChangeSystemColors(WPARAM, LPARAM) {
    const INT elements[] = {COLOR_BTNTEXT, COLOR_BTNFACE};
    const COLORREF colors[] = {kChangedButtonText, kChangedButtonFace};
    SetSysColors(2, elements, colors);
    PrintLine(L"colors changed");
    return 0;
}

// Records how the program was started as a link's target handler.
void RecordOpened() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TouchControlsDemo", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const ScopedHKey owned(key);
    const std::wstring line = GetCommandLineW();
    RegSetValueExW(key, L"Opened", 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                   static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)));
}

class CDemoApp final : public CApplication {
  public:
    int InitInstance() override {
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
        const bool opened = args != nullptr && count >= 2 && std::wstring(args[1]) == L"--opened";
        LocalFree(args);
        if (opened) {
            RecordOpened();
            return 0;
        }
        EnableControls3d();
        CDemoDialog dialog;
        dialog.DoModal();
        PrintLine(L"closed");
        return 0;
    }
};

CDemoApp theApp;

} // namespace
