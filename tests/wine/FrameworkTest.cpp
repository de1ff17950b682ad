#include "Application.h"
#include "Controls.h"
#include "Dialog.h"
#include "Handles.h"
#include "PropertySheet.h"
#include "ResourceModule.h"
#include "SingleInstance.h"
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The test program's own templates, as wWinMain would set them for a tool.
class ResourceModuleEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override { SetResourceModule(GetModuleHandleW(nullptr)); }
};
const auto* const kResourceModule =
    ::testing::AddGlobalTestEnvironment(new ResourceModuleEnvironment);

constexpr UINT kRunChecks = WM_APP + 1;

// An owner-drawn button that records what reaches it.
class RecordingButton final : public CButton {
  public:
    int drawRequests = 0;
    int presses = 0;

    bool OnReflectedMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_DRAWITEM) {
            return false;
        }
        ++drawRequests;
        result = TRUE;
        return true;
    }

  protected:
    void OnSubclassed() override { AddStyle(BS_OWNERDRAW); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        static constexpr MessageEntry<RecordingButton> kMessages[] = {
            MapMessage<&RecordingButton::OnLButtonDown>(WM_LBUTTONDOWN),
        };
        return DispatchTable(*this, kMessages, message, wParam, lParam, result);
    }

  private:
    // Counts the press, then lets the button do its own work.
    LRESULT OnLButtonDown(WPARAM, LPARAM) {
        ++presses;
        return Default();
    }
};

class TestDialog final : public CDialog {
  public:
    TestDialog() : CDialog(200) {}

    RecordingButton button;
    CSpinButton spin;
    CSlider slider;
    CComboBox combo;
    std::vector<std::string> events;
    int spinPosition = -1;
    int sliderPosition = -1;
    int comboSelection = -1;
    bool boundDuringRun = false;
    std::vector<HWND> handles;

  protected:
    BOOL OnInitDialog() override {
        events.push_back("init");
        button.SubclassDlgItem(1001, m_hWnd);
        spin.SubclassDlgItem(1004, m_hWnd);
        slider.SubclassDlgItem(1005, m_hWnd);
        combo.SubclassDlgItem(1006, m_hWnd);
        PostMessageW(m_hWnd, kRunChecks, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        static constexpr MessageEntry<TestDialog> kMessages[] = {
            MapMessage<&TestDialog::OnRunChecks>(kRunChecks),
            MapCommand<&TestDialog::OnPress>(1001),
        };
        return DispatchTable(*this, kMessages, message, wParam, lParam, result);
    }

  private:
    LRESULT OnRunChecks(WPARAM, LPARAM) {
        events.push_back("checks");
        boundDuringRun = CWnd::FromHandle(button.Handle()) == &button;
        handles = {m_hWnd, button.Handle(), spin.Handle()};
        // A modal dialog shows itself only once its queue is empty; draw now.
        ShowWindow(m_hWnd, SW_SHOW);
        button.Invalidate();
        UpdateWindow(button.Handle());
        const LPARAM inside = MAKELPARAM(5, 5);
        button.Send(WM_LBUTTONDOWN, MK_LBUTTON, inside);
        button.Send(WM_LBUTTONUP, 0, inside);

        spin.SetRange(0, 99);
        spin.SetPosition(42);
        spinPosition = spin.Position();
        slider.SetRange(0, 10);
        slider.SetPosition(7);
        sliderPosition = slider.Position();
        combo.AddString(L"COM1");
        combo.AddString(L"COM2");
        combo.SetSelection(1);
        comboSelection = combo.Selection();
        PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    LRESULT OnPress(WPARAM, LPARAM) {
        events.push_back("press");
        return 0;
    }
    void OnCancel() override {
        events.push_back("cancel");
        CDialog::OnCancel();
    }
};

class TestPage final : public CPropertyPage {
  public:
    TestPage(UINT templateId, int pressOnActivate)
        : CPropertyPage(templateId), m_press(pressOnActivate) {}
    std::vector<std::string> events;

  protected:
    void OnSetActive() override {
        events.push_back("active");
        if (m_press >= 0) {
            PostMessageW(GetParent(m_hWnd), PSM_PRESSBUTTON, static_cast<WPARAM>(m_press), 0);
        }
    }
    void OnApply() override { events.push_back("apply"); }
    void OnReset() override { events.push_back("reset"); }

  private:
    int m_press;
};

} // namespace

TEST(FrameworkDialog, RunsTablesReflectionAndControlWrappers) {
    TestDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"init", "checks", "press", "cancel"}));
    EXPECT_TRUE(dialog.boundDuringRun);
    EXPECT_GE(dialog.button.drawRequests, 1) << "owner draw must be reflected to the button";
    EXPECT_EQ(dialog.button.presses, 1);
    EXPECT_EQ(dialog.spinPosition, 42);
    EXPECT_EQ(dialog.sliderPosition, 7);
    EXPECT_EQ(dialog.comboSelection, 1);
    EXPECT_EQ(dialog.button.Handle(), nullptr) << "destroyed controls are let go";
    for (HWND handle : dialog.handles) {
        EXPECT_EQ(CWnd::FromHandle(handle), nullptr) << "a destroyed window leaves no binding";
    }
}

TEST(FrameworkPropertySheet, OkAppliesShownPagesAndCancelResetsThem) {
    TestPage first(201, PSBTN_OK);
    TestPage second(202, -1);
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(first);
    sheet.AddPage(second);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.events, (std::vector<std::string>{"active", "apply"}));
    EXPECT_TRUE(second.events.empty()) << "a page never shown is never created";

    TestPage cancelled(201, PSBTN_CANCEL);
    CPropertySheet other(L"Sheet");
    other.AddPage(cancelled);
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.events, (std::vector<std::string>{"active", "reset"}));
}

TEST(FrameworkHandles, OwnersCloseWhatTheyHold) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        ScopedHandle owner(event);
        ScopedHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_TRUE(moved);
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags)) << "the handle must be closed";

    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    { ScopedPen owner(pen); }
    EXPECT_EQ(GetObjectType(pen), 0u) << "the pen must be deleted";
}

TEST(FrameworkHandles, FileOwnersTellAFailedOpenFromAFile) {
    ScopedFileHandle missing(CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing) << "a failed open answers INVALID_HANDLE_VALUE";

    wchar_t folder[MAX_PATH] = {};
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"fho", 0, path), 0u);
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    {
        ScopedFileHandle owner(file);
        EXPECT_TRUE(owner);
    }
    EXPECT_EQ(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES) << "closing deletes the file";
}

TEST(FrameworkApplication, ModuleNameIsTheFileNameWithoutItsExtension) {
    EXPECT_EQ(CApplication::ModuleName(), L"framework_tests");
}

TEST(FrameworkSingleInstance, SecondHolderOfANameKnowsItIsNotAlone) {
    SingleInstance first(L"TouchToolsFrameworkTest");
    SingleInstance second(L"TouchToolsFrameworkTest");
    SingleInstance other(L"TouchToolsFrameworkTestOther");
    EXPECT_FALSE(first.AlreadyRunning());
    EXPECT_TRUE(second.AlreadyRunning());
    EXPECT_FALSE(other.AlreadyRunning());
}

namespace {

// Handlers for the table tests: each records what reached it.
class TableTarget {
  public:
    std::vector<std::string> events;

    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
        static constexpr MessageEntry<TableTarget> kMessages[] = {
            MapCommand<&TableTarget::OnPress>(10),
            MapCommandRange<&TableTarget::OnMode>(20, 23),
            MapControl<&TableTarget::OnSelectionChange>(30, CBN_SELCHANGE),
            MapNotify<&TableTarget::OnDeltaPosition>(40, UDN_DELTAPOS),
            MapMessage<&TableTarget::OnScroll>(WM_HSCROLL),
            MapMessage<&TableTarget::OnOtherCommand>(WM_COMMAND),
        };
        LRESULT result = 0;
        const bool handled = DispatchTable(*this, kMessages, message, wParam, lParam, result);
        if (handled) {
            events.push_back("=" + std::to_string(result));
        }
        return handled;
    }

  private:
    void OnPress() { events.push_back("press"); }
    void OnMode(UINT id) { events.push_back("mode " + std::to_string(id)); }
    void OnSelectionChange() { events.push_back("selchange"); }
    LRESULT OnDeltaPosition(const NMHDR& notice) {
        events.push_back("delta from " + std::to_string(notice.idFrom));
        return 1;
    }
    LRESULT OnOtherCommand(WPARAM wParam, LPARAM) {
        events.push_back("other command " + std::to_string(LOWORD(wParam)));
        return 2;
    }
    LRESULT OnScroll(WPARAM wParam, LPARAM) {
        events.push_back("scroll " + std::to_string(LOWORD(wParam)));
        return 0;
    }
};

// A control that keeps the notifications about itself.
class SelfNotifyingButton final : public CButton {
  public:
    int clicks = 0;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
            return false;
        }
        ++clicks;
        result = 0;
        return true;
    }
};

constexpr UINT kThrow = WM_APP + 2;
constexpr UINT kRunReflection = WM_APP + 3;

// Its handler throws: the dialog procedure must answer instead of letting it escape.
class ThrowingDialog final : public CDialog {
  public:
    ThrowingDialog() : CDialog(200) {}
    SelfNotifyingButton button;
    LRESULT thrownAnswer = -1;
    int parentPresses = 0;

  protected:
    BOOL OnInitDialog() override {
        button.SubclassDlgItem(1001, m_hWnd);
        PostMessageW(m_hWnd, kRunReflection, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        static constexpr MessageEntry<ThrowingDialog> kMessages[] = {
            MapMessage<&ThrowingDialog::OnThrow>(kThrow),
            MapMessage<&ThrowingDialog::OnRun>(kRunReflection),
            MapCommand<&ThrowingDialog::OnPress>(1001),
        };
        return DispatchTable(*this, kMessages, message, wParam, lParam, result);
    }

  private:
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    void OnPress() { ++parentPresses; }
    LRESULT OnRun(WPARAM, LPARAM) {
        Send(WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), reinterpret_cast<LPARAM>(button.Handle()));
        thrownAnswer = Send(kThrow);
        EndDialog(IDOK);
        return 0;
    }
};

} // namespace

// What no narrower entry takes falls to the table's message entry for WM_COMMAND.
TEST(FrameworkMessageTable, TellsNotificationCodesApart) {
    TableTarget target;
    const HWND control = reinterpret_cast<HWND>(1);
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0));
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(10, 1), 0)) << "an accelerator";
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(10, BN_SETFOCUS), 0));
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(22, BN_CLICKED), 0));
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(24, BN_CLICKED), 0));
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(30, CBN_DROPDOWN),
                                reinterpret_cast<LPARAM>(control)));
    EXPECT_TRUE(target.Dispatch(WM_COMMAND, MAKEWPARAM(30, CBN_SELCHANGE),
                                reinterpret_cast<LPARAM>(control)));
    NMHDR delta{control, 40, static_cast<UINT>(UDN_DELTAPOS)};
    NMHDR other{control, 41, static_cast<UINT>(UDN_DELTAPOS)};
    NMHDR click{control, 40, static_cast<UINT>(NM_CLICK)};
    EXPECT_TRUE(target.Dispatch(WM_NOTIFY, 40, reinterpret_cast<LPARAM>(&delta)));
    EXPECT_FALSE(target.Dispatch(WM_NOTIFY, 41, reinterpret_cast<LPARAM>(&other)));
    EXPECT_FALSE(target.Dispatch(WM_NOTIFY, 40, reinterpret_cast<LPARAM>(&click)));
    EXPECT_TRUE(target.Dispatch(WM_HSCROLL, TB_THUMBTRACK, 0));
    EXPECT_EQ(target.events, (std::vector<std::string>{
                                 "press", "=0", "press", "=0", "other command 10", "=2", "mode 22",
                                 "=0", "other command 24", "=2", "other command 30", "=2",
                                 "selchange", "=0", "delta from 40", "=1", "scroll 5", "=0"}));
}

TEST(FrameworkDialog, ControlsSeeTheirOwnNotificationsAndNoExceptionEscapes) {
    ThrowingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.button.clicks, 1) << "the click reaches the bound button first";
    EXPECT_EQ(dialog.parentPresses, 0) << "and is not handled twice";
    EXPECT_EQ(dialog.thrownAnswer, 0) << "a throwing handler answers as unhandled";
}

namespace {

// A control that counts the system colour changes it hears of.
class ColorListener final : public CStatic {
  public:
    int changes = 0;

  protected:
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        changes += message == WM_SYSCOLORCHANGE ? 1 : 0;
        return false;
    }
};

// Once shown, and once the sheet has finished starting, it tells the sheet of a colour change,
// as the system tells top-level windows, then presses OK.
class ColorPage final : public CPropertyPage {
  public:
    ColorPage() : CPropertyPage(201) {}
    ColorListener label;

  protected:
    static constexpr UINT kAnnounce = WM_APP + 2;

    BOOL OnInitDialog() override {
        label.Subclass(GetWindow(m_hWnd, GW_CHILD));
        return TRUE;
    }
    void OnSetActive() override { PostMessageW(m_hWnd, kAnnounce, 0, 0); }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != kAnnounce) {
            return false;
        }
        SendMessageW(GetParent(m_hWnd), WM_SYSCOLORCHANGE, 0, 0);
        PostMessageW(GetParent(m_hWnd), PSM_PRESSBUTTON, PSBTN_OK, 0);
        return true;
    }
};

} // namespace

TEST(FrameworkPropertySheet, PassesSystemColourChangesDownToThePagesControls) {
    ColorPage page;
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(page);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.label.changes, 1);
}

TEST(FrameworkPropertySheet, RecordsAreTheSizesWindows2000Knows) {
    TestPage first(201, -1);
    TestPage second(202, -1);
    first.SetTitle(L"Tab one");
    const bool is32Bit = sizeof(void*) == 4;
    const PROPSHEETPAGEW page = first.Describe(GetModuleHandleW(nullptr));
    EXPECT_EQ(page.dwSize, is32Bit ? 40u : 72u);
    EXPECT_TRUE(page.dwFlags & PSP_USETITLE);
    EXPECT_STREQ(page.pszTitle, L"Tab one");
    EXPECT_FALSE(second.Describe(GetModuleHandleW(nullptr)).dwFlags & PSP_USETITLE);

    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(first);
    sheet.AddPage(second);
    std::vector<BYTE> pages;
    const PROPSHEETHEADERW header = sheet.Describe(nullptr, pages);
    EXPECT_EQ(header.dwSize, is32Bit ? 40u : 72u);
    EXPECT_TRUE(header.dwFlags & PSH_NOAPPLYNOW);
    EXPECT_FALSE(header.dwFlags & PSH_HASHELP);
    ASSERT_EQ(pages.size(), 2 * page.dwSize) << "pages packed at their own size";
    const auto* packedSecond = reinterpret_cast<const PROPSHEETPAGEW*>(pages.data() + page.dwSize);
    EXPECT_EQ(packedSecond->pszTemplate, MAKEINTRESOURCEW(202));
}
