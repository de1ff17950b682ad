// scrivetprobe: finds the draw test's surface, which has no title for touchprobe to look it up
// by, and reports or posts to it from inside the prefix. One command per run; fields separated
// by tabs on standard output.
#include "Handles.h"
#include "ProbeIo.h"
#include <windows.h>
#include <tlhelp32.h>
#include <cwchar>
#include <set>

namespace {

std::set<DWORD> ScrivetProcesses() {
    std::set<DWORD> ids;
    const ScopedFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, L"Scrivet.exe") == 0)
            ids.insert(entry.th32ProcessID);
    }
    return ids;
}

struct Search {
    std::set<DWORD> processes;
    HWND found = nullptr;
};

// The surface is the program's visible, untitled dialog; its message boxes carry a title.
BOOL CALLBACK IsSurface(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, ARRAYSIZE(className));
    if (search.processes.count(process) == 0 || !IsWindowVisible(window) ||
        std::wcscmp(className, L"#32770") != 0 || GetWindowTextLengthW(window) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND Surface() {
    Search search{ScrivetProcesses()};
    EnumWindows(IsSurface, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring RectFields(RECT rect) {
    return Fields({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

bool Numbers(const Args& args, std::size_t first, std::uint64_t* values, std::size_t count) {
    if (args.size() != first + count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!ParseNumber(args[first + i], values[i]))
            return false;
    }
    return true;
}

LPARAM At(std::uint64_t x, std::uint64_t y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

int ShowSurface(HWND surface, const Args&) {
    RECT window{};
    GetWindowRect(surface, &window);
    RECT client{};
    GetClientRect(surface, &client);
    MapWindowPoints(surface, nullptr, reinterpret_cast<POINT*>(&client), 2);
    PrintLine(Fields({reinterpret_cast<LONG_PTR>(surface)}) + L'\t' + RectFields(window) + L'\t' +
              RectFields(client));
    return 0;
}

int ShowButton(HWND surface, const Args& args) {
    std::uint64_t id = 0;
    if (!Numbers(args, 0, &id, 1))
        return Fail(L"usage: button ID", kExitUsage);
    const HWND button = GetDlgItem(surface, static_cast<int>(id));
    if (button == nullptr)
        return Fail(L"the surface has no control " + args[0], kExitNoChild);
    RECT rect{};
    GetWindowRect(button, &rect);
    PrintLine(RectFields(rect) + L'\t' + (IsWindowVisible(button) ? L"1" : L"0") + L'\t' +
              WindowTextOf(button));
    return 0;
}

// Who holds the mouse capture: a control id of the surface's, 0 for nobody, -1 for any other
// window (the surface itself included).
int ShowCapture(HWND surface, const Args&) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(surface, nullptr), &info))
        return Fail(L"GetGUIThreadInfo failed", kExitFailed);
    const HWND holder = info.hwndCapture;
    const bool child = holder != nullptr && GetParent(holder) == surface;
    PrintLine(Fields({holder == nullptr ? 0 : child ? GetDlgCtrlID(holder) : -1}));
    return 0;
}

// MSG WPARAM X Y: one message at a client point, sent so that it is handled when this returns.
int SendOne(HWND surface, const Args& args) {
    std::uint64_t v[4] = {};
    if (!Numbers(args, 0, v, 4))
        return Fail(L"usage: send MSG WPARAM X Y", kExitUsage);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(surface, static_cast<UINT>(v[0]), static_cast<WPARAM>(v[1]),
                             At(v[2], v[3]), SMTO_ABORTIFHUNG, 10000, &ignored))
        return Fail(L"SendMessageTimeout failed", kExitFailed);
    return 0;
}

// MSG WPARAM X Y: one message at a client point, posted behind those already queued.
int PostOne(HWND surface, const Args& args) {
    std::uint64_t v[4] = {};
    if (!Numbers(args, 0, v, 4))
        return Fail(L"usage: post MSG WPARAM X Y", kExitUsage);
    if (!PostMessageW(surface, static_cast<UINT>(v[0]), static_cast<WPARAM>(v[1]), At(v[2], v[3])))
        return Fail(L"PostMessage failed", kExitFailed);
    return 0;
}

// MSG WPARAM COUNT X0 Y0 X1 Y1: COUNT messages at points spread along the line, posted; the
// caller learns from the screen when they are handled (a message sent to wait for them would
// be handled first).
int PostMany(HWND surface, const Args& args) {
    enum { kMessage, kWParam, kCount, kX0, kY0, kX1, kY1, kFields };
    std::uint64_t v[kFields] = {};
    if (!Numbers(args, 0, v, kFields) || v[kCount] == 0)
        return Fail(L"usage: postmany MSG WPARAM COUNT X0 Y0 X1 Y1", kExitUsage);
    const auto count = static_cast<long long>(v[kCount]);
    const long long last = count == 1 ? 1 : count - 1;
    const auto x0 = static_cast<long long>(v[kX0]), y0 = static_cast<long long>(v[kY0]);
    const auto x1 = static_cast<long long>(v[kX1]), y1 = static_cast<long long>(v[kY1]);
    for (long long i = 0; i < count; ++i) {
        const long long x = x0 + (x1 - x0) * i / last;
        const long long y = y0 + (y1 - y0) * i / last;
        if (!PostMessageW(surface, static_cast<UINT>(v[kMessage]), static_cast<WPARAM>(v[kWParam]),
                          At(static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(y))))
            return Fail(L"PostMessage failed at message " + std::to_wstring(i), kExitFailed);
    }
    return 0;
}

struct Command {
    const wchar_t* name;
    int (*run)(HWND, const Args&);
};

const Command kCommands[] = {
    {L"surface", ShowSurface}, {L"button", ShowButton}, {L"capture", ShowCapture},
    {L"send", SendOne},        {L"post", PostOne},      {L"postmany", PostMany},
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return Fail(L"usage: scrivetprobe surface|button|capture|send|post|postmany ...",
                    kExitUsage);
    const Args args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (std::wcscmp(command.name, argv[1]) != 0)
            continue;
        const HWND surface = Surface();
        if (surface == nullptr)
            return Fail(L"no draw test surface is shown", kExitNoWindow);
        return command.run(surface, args);
    }
    return Fail(std::wstring(L"unknown command ") + argv[1], kExitUsage);
}
