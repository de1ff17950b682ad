// Window geometry, texts and posted input, so tests locate controls instead of hard-coding pixels.
#include "Commands.h"
#include "ProbeIo.h"
#include <windows.h>
#include <commctrl.h>

namespace {
std::wstring RectFields(const RECT& rect) {
    return Fields({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

int NoWindow(const std::wstring& title) {
    return Fail(L"no top-level window titled \"" + title + L"\"", kExitNoWindow);
}

int NoChild(const std::wstring& title, const std::wstring& id) {
    return Fail(L"window \"" + title + L"\" has no child " + id, kExitNoChild);
}

// The top-level window with that exact title, or its child with a control id when `id` is not 0.
HWND Target(const std::wstring& title, const std::wstring& id, int& failure) {
    std::uint64_t number = 0;
    if (!ParseNumber(id, number)) {
        failure = Fail(L"bad control id " + id, kExitUsage);
        return nullptr;
    }
    HWND window = FindWindowW(nullptr, title.c_str());
    if (window == nullptr) {
        failure = NoWindow(title);
        return nullptr;
    }
    if (number == 0)
        return window;
    HWND child = GetDlgItem(window, static_cast<int>(number));
    if (child == nullptr)
        failure = NoChild(title, id);
    return child;
}

BOOL CALLBACK ListWindow(HWND window, LPARAM) {
    wchar_t title[512] = L"";
    wchar_t className[256] = L"";
    GetWindowTextW(window, title, ARRAYSIZE(title));
    GetClassNameW(window, className, ARRAYSIZE(className));
    RECT rect{};
    GetWindowRect(window, &rect);
    PrintLine(Fields({reinterpret_cast<LONG_PTR>(window), IsWindowVisible(window) ? 1 : 0}) +
              L'\t' + RectFields(rect) + L'\t' + className + L'\t' + title);
    return TRUE;
}

bool ParseAll(const Args& args, std::size_t first, std::uint64_t* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!ParseNumber(args[first + i], values[i]))
            return false;
    }
    return true;
}
} // namespace

int Windows(const Args&) {
    EnumWindows(ListWindow, 0);
    return 0;
}

int Foreground(const Args&) {
    HWND window = GetForegroundWindow();
    wchar_t title[512] = L"";
    wchar_t owner[512] = L"";
    GetWindowTextW(window, title, ARRAYSIZE(title));
    GetWindowTextW(GetWindow(window, GW_OWNER), owner, ARRAYSIZE(owner));
    PrintLine(std::wstring(title) + L'\t' + owner);
    return 0;
}

int FindWindowRect(const Args& args) {
    HWND window = FindWindowW(nullptr, args[0].c_str());
    if (window == nullptr)
        return NoWindow(args[0]);
    RECT rect{};
    GetWindowRect(window, &rect);
    PrintLine(RectFields(rect) + L'\t' + (IsWindowVisible(window) ? L"1" : L"0"));
    return 0;
}

int ClientRect(const Args& args) {
    HWND window = FindWindowW(nullptr, args[0].c_str());
    if (window == nullptr)
        return NoWindow(args[0]);
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    PrintLine(RectFields(rect));
    return 0;
}

int ChildRect(const Args& args) {
    int failure = 0;
    HWND child = Target(args[0], args[1], failure);
    if (child == nullptr)
        return failure;
    RECT rect{};
    GetWindowRect(child, &rect);
    PrintLine(RectFields(rect) + L'\t' + (IsWindowVisible(child) ? L"1" : L"0"));
    return 0;
}

int ChildText(const Args& args) {
    int failure = 0;
    HWND child = Target(args[0], args[1], failure);
    if (child == nullptr)
        return failure;
    PrintLine(WindowTextOf(child));
    return 0;
}

namespace {
// Memory lent inside a control's own process, where the control writes what it is asked for.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, std::size_t size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                processId);
        if (m_process != nullptr)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory() {
        if (m_address != nullptr)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process != nullptr)
            CloseHandle(m_process);
    }
    bool ok() const { return m_address != nullptr; }
    BYTE* address(std::size_t offset = 0) const { return static_cast<BYTE*>(m_address) + offset; }
    bool Read(std::size_t offset, void* target, std::size_t size) const {
        return ReadProcessMemory(m_process, address(offset), target, size, nullptr) != 0;
    }
    bool Write(std::size_t offset, const void* source, std::size_t size) const {
        return WriteProcessMemory(m_process, address(offset), source, size, nullptr) != 0;
    }

  private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

// The window's tab control and the tab index, or nullptr after reporting.
HWND TabControl(const Args& args, std::uint64_t& index, int& failure) {
    HWND window = FindWindowW(nullptr, args[0].c_str());
    if (window == nullptr) {
        failure = NoWindow(args[0]);
        return nullptr;
    }
    if (!ParseNumber(args[1], index)) {
        failure = Fail(L"bad tab index " + args[1], kExitUsage);
        return nullptr;
    }
    HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    if (tabs == nullptr)
        failure = NoChild(args[0], L"of class SysTabControl32");
    return tabs;
}
} // namespace

int TabRect(const Args& args) {
    std::uint64_t index = 0;
    int failure = 0;
    HWND tabs = TabControl(args, index, failure);
    if (tabs == nullptr)
        return failure;
    RemoteMemory remote(tabs, sizeof(RECT));
    if (!remote.ok())
        return Fail(L"cannot lend memory to the tab control's process", kExitFailed);
    RECT rect{};
    const bool found = SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(remote.address())) != 0 &&
                       remote.Read(0, &rect, sizeof(rect));
    if (!found)
        return NoChild(args[0], L"tab " + args[1]);
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    PrintLine(RectFields(rect));
    return 0;
}

int TabText(const Args& args) {
    std::uint64_t index = 0;
    int failure = 0;
    HWND tabs = TabControl(args, index, failure);
    if (tabs == nullptr)
        return failure;
    // The item record and the text buffer it points to, both in the control's process.
    constexpr int kCharacters = 256;
    RemoteMemory remote(tabs, sizeof(TCITEMW) + kCharacters * sizeof(wchar_t));
    if (!remote.ok())
        return Fail(L"cannot lend memory to the tab control's process", kExitFailed);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remote.address(sizeof(TCITEMW)));
    item.cchTextMax = kCharacters;
    wchar_t text[kCharacters] = L"";
    const bool found = remote.Write(0, &item, sizeof(item)) &&
                       SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(remote.address())) != 0 &&
                       remote.Read(sizeof(TCITEMW), text, sizeof(text));
    if (!found)
        return NoChild(args[0], L"tab " + args[1]);
    text[kCharacters - 1] = L'\0';
    PrintLine(text);
    return 0;
}

int Post(const Args& args) {
    int failure = 0;
    HWND target = Target(args[0], args[1], failure);
    if (target == nullptr)
        return failure;
    std::uint64_t values[3] = {};
    if (!ParseAll(args, 2, values, 3))
        return Fail(L"bad message, wparam or lparam", kExitUsage);
    if (!PostMessageW(target, static_cast<UINT>(values[0]), static_cast<WPARAM>(values[1]),
                      static_cast<LPARAM>(values[2])))
        return Fail(L"PostMessage failed", kExitFailed);
    return 0;
}
