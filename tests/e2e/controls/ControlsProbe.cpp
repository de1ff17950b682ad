// controlsprobe: what the end-to-end tests of the applet's controls need to read from inside
// the prefix that touchprobe does not give: every descendant of a window with its state, the
// control with the keyboard focus, the tooltips on the screen and the system colours. One
// command per run; fields separated by tabs on standard output.
#include "ProbeIo.h"
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kExitNoWindow = 2;

std::wstring RectFields(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return Fields({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

// Line ends and tabs would break the line and field structure.
std::wstring Escaped(const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t c : text) {
        if (c == L'\n') {
            escaped += L"\\n";
        } else if (c == L'\r') {
            escaped += L"\\r";
        } else if (c == L'\t') {
            escaped += L"\\t";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

// What a control of a few kinds holds beyond its text.
std::wstring StateOf(HWND window, const std::wstring& className) {
    if (_wcsicmp(className.c_str(), TRACKBAR_CLASSW) == 0) {
        return Fields(
            {Ask(window, TBM_GETPOS), Ask(window, TBM_GETRANGEMIN), Ask(window, TBM_GETRANGEMAX)});
    }
    if (_wcsicmp(className.c_str(), L"ComboBox") == 0) {
        std::wstring state = std::to_wstring(static_cast<int>(Ask(window, CB_GETCURSEL)));
        const auto count = static_cast<int>(Ask(window, CB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            wchar_t item[256] = L"";
            if (Ask(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)) < 255) {
                Ask(window, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            }
            state += L"|" + std::wstring(item);
        }
        return state;
    }
    if (_wcsicmp(className.c_str(), L"Button") == 0) {
        return Fields({static_cast<long long>(GetWindowLongW(window, GWL_STYLE) & 0x1F),
                       Ask(window, WM_GETDLGCODE)});
    }
    return L"";
}

BOOL CALLBACK PrintDescendant(HWND window, LPARAM) {
    const std::wstring className = ClassOf(window);
    // The state's own fields are separated by commas within the line's last field.
    std::wstring state = StateOf(window, className);
    std::replace(state.begin(), state.end(), L'\t', L',');
    PrintLine(Fields({reinterpret_cast<LONG_PTR>(window),
                      reinterpret_cast<LONG_PTR>(GetParent(window)), GetDlgCtrlID(window),
                      IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0}) +
              L"\t" + RectFields(window) + L"\t" + className + L"\t" +
              Escaped(WindowTextOf(window)) + L"\t" + Escaped(state));
    return TRUE;
}

// Titles come as the hex digits of their UTF-8 bytes: Wine decodes a command line by the Unix
// locale, which cannot always carry Chinese.
std::wstring Title(const std::wstring& hex) {
    std::vector<std::uint8_t> bytes;
    if (!ParseHex(hex, bytes) || bytes.empty()) {
        return hex;
    }
    const auto size = static_cast<int>(bytes.size());
    const auto source = reinterpret_cast<const char*>(bytes.data());
    std::wstring title(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, source, size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, source, size, title.data(), static_cast<int>(title.size()));
    return title;
}

HWND Window(const std::wstring& title) {
    return FindWindowW(nullptr, title.c_str());
}

int NoWindow(const std::wstring& title) {
    return Fail(L"no top-level window titled \"" + title + L"\"", kExitNoWindow);
}

// tree TITLE: hwnd, parent, id, visible, enabled, x, y, width, height, class, text, state.
int Tree(const std::wstring& title) {
    const HWND window = Window(title);
    if (window == nullptr) {
        return NoWindow(title);
    }
    EnumChildWindows(window, PrintDescendant, 0);
    return 0;
}

// focus TITLE: hwnd, id and class of the focus in the window's thread; 0 for none.
int Focus(const std::wstring& title) {
    const HWND window = Window(title);
    if (window == nullptr) {
        return NoWindow(title);
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    if (info.hwndFocus == nullptr) {
        PrintLine(L"0\t0\t");
        return 0;
    }
    PrintLine(Fields({reinterpret_cast<LONG_PTR>(info.hwndFocus), GetDlgCtrlID(info.hwndFocus)}) +
              L"\t" + ClassOf(info.hwndFocus));
    return 0;
}

BOOL CALLBACK PrintToolTip(HWND window, LPARAM) {
    if (IsWindowVisible(window) && _wcsicmp(ClassOf(window).c_str(), TOOLTIPS_CLASSW) == 0) {
        PrintLine(RectFields(window) + L"\t" + Escaped(WindowTextOf(window)));
    }
    return TRUE;
}

// tooltips: x, y, width, height and text of every tooltip on the screen.
int ToolTips() {
    EnumWindows(PrintToolTip, 0);
    return 0;
}

// syscolors: index, red, green, blue of the system colours 0 to 30.
int SystemColors() {
    for (int index = 0; index <= 30; ++index) {
        const COLORREF color = GetSysColor(index);
        PrintLine(Fields({index, GetRValue(color), GetGValue(color), GetBValue(color)}));
    }
    return 0;
}

// cursor: the handle of the cursor on the screen; cursors are shared between processes.
int Cursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) {
        return Fail(L"no cursor information", 6);
    }
    PrintLine(std::to_wstring(reinterpret_cast<LONG_PTR>(info.hCursor)));
    return 0;
}

int Usage() {
    return Fail(L"usage: controlsprobe tree HEX | focus HEX | tooltips | cursor | syscolors  "
                L"(HEX: the "
                L"window title's UTF-8 bytes)",
                1);
}

} // namespace

int wmain(int count, wchar_t** args) {
    const std::wstring command = count > 1 ? args[1] : L"";
    if (command == L"tree" && count == 3) {
        return Tree(Title(args[2]));
    }
    if (command == L"focus" && count == 3) {
        return Focus(Title(args[2]));
    }
    if (command == L"tooltips" && count == 2) {
        return ToolTips();
    }
    if (command == L"cursor" && count == 2) {
        return Cursor();
    }
    if (command == L"syscolors" && count == 2) {
        return SystemColors();
    }
    return Usage();
}
