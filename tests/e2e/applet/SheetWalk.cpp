#include "SheetWalk.h"
#include "ProbeIo.h"
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cwchar>
#include <set>
#include <string>

namespace {

constexpr UINT kPollMs = 200;
constexpr int kSoundPage = 2;
// A face colour no scheme uses, for the recolouring.
constexpr COLORREF kNewFace = RGB(200, 40, 160);

SheetAction g_action = SheetAction::None;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

bool IsClass(HWND window, const wchar_t* name) {
    return _wcsicmp(ClassOf(window).c_str(), name) == 0;
}

// The first shown window of this thread that holds a tab control: the sheet.
BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// What a control's text needs in its own font, in pixels.
SIZE Measure(HWND control, const std::wstring& text, UINT format, long width) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right, rect.bottom};
}

// How a control shows its text: the room the text has beside what the control draws itself,
// and whether it wraps. Kind "" for a control without a text of its own.
struct Room {
    const wchar_t* kind;
    long width;
    long height;
    UINT format;
};

Room RoomOf(HWND control, const RECT& client) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const long width = client.right;
    const long height = client.bottom;
    const long edge = 2 * GetSystemMetrics(SM_CXEDGE);
    if (IsClass(control, L"Static")) {
        const LONG type = style & SS_TYPEMASK;
        if (type > SS_RIGHT) {
            return {L"", 0, 0, 0};
        }
        const bool single = (style & SS_CENTERIMAGE) != 0;
        return {L"static", width, height, single ? DT_SINGLELINE : UINT(DT_WORDBREAK)};
    }
    if (!IsClass(control, L"Button")) {
        return {L"", 0, 0, 0};
    }
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return {L"group", width - 4 * edge, height, DT_SINGLELINE};
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return {L"option", width - GetSystemMetrics(SM_CXMENUCHECK) - edge, height, DT_SINGLELINE};
    case BS_OWNERDRAW:
        // The icon push button: its caption shares the face with an icon on its left.
        return {L"icon-caption", width - 3 - GetSystemMetrics(SM_CXICON), height - edge,
                UINT(DT_WORDBREAK)};
    default:
        if ((style & (BS_ICON | BS_BITMAP)) != 0) {
            return {L"image", 0, 0, 0};
        }
        return {L"push", width - 2 * edge, height - edge, DT_SINGLELINE};
    }
}

// A control the user changes. Spin controls are served by their buddy edits.
bool TakesInput(HWND control) {
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) {
        return false;
    }
    if (IsClass(control, L"Edit") || IsClass(control, L"ComboBox") ||
        IsClass(control, TRACKBAR_CLASSW)) {
        return true;
    }
    if (!IsClass(control, L"Button")) {
        return false;
    }
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
        return false;
    }
    // Of a group of option buttons, Tab reaches the checked one and arrows the rest.
    const bool option = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    return !option || SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::set<HWND> TabChain(HWND sheet) {
    std::set<HWND> chain;
    const HWND first = GetNextDlgTabItem(sheet, nullptr, FALSE);
    for (HWND item = first; item != nullptr && chain.insert(item).second;) {
        item = GetNextDlgTabItem(sheet, item, FALSE);
    }
    return chain;
}

// The text of the static just before `control` in its dialog, which names an edit.
std::wstring LabelOf(HWND control) {
    const HWND previous = GetWindow(control, GW_HWNDPREV);
    return previous != nullptr && IsClass(previous, L"Static") ? WindowTextOf(previous) : L"";
}

// control PAGE ID CLASS KIND FITS TAB NEED-W NEED-H ROOM-W ROOM-H TEXT LABEL
void WalkPage(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    const HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    const std::set<HWND> chain = TabChain(sheet);
    for (HWND control = GetWindow(page, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) {
            continue;
        }
        RECT client{};
        GetClientRect(control, &client);
        const std::wstring text = WindowTextOf(control);
        const Room room = RoomOf(control, client);
        const SIZE need = room.format != 0 && !text.empty()
                              ? Measure(control, text, room.format, room.width)
                              : SIZE{0, 0};
        const bool fits = need.cx <= room.width && need.cy <= room.height;
        const wchar_t* tab = TakesInput(control) ? (chain.count(control) != 0 ? L"1" : L"0") : L"-";
        PrintLine(L"control\t" + Fields({index, GetDlgCtrlID(control)}) + L"\t" + ClassOf(control) +
                  L"\t" + (*room.kind != 0 ? room.kind : L"-") + L"\t" + (fits ? L"1" : L"0") +
                  L"\t" + tab + L"\t" + Fields({need.cx, need.cy, room.width, room.height}) +
                  L"\t" + text + L"\t" + (IsClass(control, L"Edit") ? LabelOf(control) : L""));
    }
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    const HWND tabs = FindWindowExW(sheet, nullptr, WC_TABCONTROLW, nullptr);
    if (g_action == SheetAction::Walk) {
        const int pages = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < pages; ++index) {
            WalkPage(sheet, index);
        }
        PrintLine(L"walked\t" + std::to_wstring(pages));
        SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return;
    }
    SendMessageW(sheet, PSM_SETCURSEL, kSoundPage, 0);
    const INT element = COLOR_BTNFACE;
    SetSysColors(1, &element, &kNewFace);
    PrintLine(L"recolored\t" +
              Fields({GetRValue(kNewFace), GetGValue(kNewFace), GetBValue(kNewFace)}));
}

} // namespace

void StartSheetAction(SheetAction action) {
    g_action = action;
    if (action != SheetAction::None) {
        SetTimer(nullptr, 0, kPollMs, &OnTimer);
    }
}
