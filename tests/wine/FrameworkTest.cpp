#include "Application.h"
#include "Controls.h"
#include "Dialog.h"
#include "Handles.h"
#include "PropertySheet.h"
#include "SingleInstance.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

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
            MapMessage(WM_LBUTTONDOWN, &RecordingButton::OnLButtonDown),
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
            MapMessage(kRunChecks, &TestDialog::OnRunChecks),
            MapCommand(1001, &TestDialog::OnPress),
        };
        return DispatchTable(*this, kMessages, message, wParam, lParam, result);
    }

  private:
    LRESULT OnRunChecks(WPARAM, LPARAM) {
        events.push_back("checks");
        boundDuringRun = CWnd::FromHandle(button.Handle()) == &button;
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
}

TEST(FrameworkPropertySheet, OkAppliesShownPagesAndCancelResetsThem) {
    TestPage first(201, PSBTN_OK);
    TestPage second(202, -1);
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(first);
    sheet.AddPage(second);
    EXPECT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(first.events, (std::vector<std::string>{"active", "apply"}));
    EXPECT_TRUE(second.events.empty()) << "a page never shown is never created";

    TestPage cancelled(201, PSBTN_CANCEL);
    CPropertySheet other(L"Sheet");
    other.AddPage(cancelled);
    EXPECT_EQ(other.DoModal(nullptr), IDCANCEL);
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
    EXPECT_STREQ(CApplication::ModuleName(), L"framework_tests");
}

TEST(FrameworkSingleInstance, SecondHolderOfANameKnowsItIsNotAlone) {
    SingleInstance first(L"TouchToolsFrameworkTest");
    SingleInstance second(L"TouchToolsFrameworkTest");
    SingleInstance other(L"TouchToolsFrameworkTestOther");
    EXPECT_FALSE(first.AlreadyRunning());
    EXPECT_TRUE(second.AlreadyRunning());
    EXPECT_FALSE(other.AlreadyRunning());
}
