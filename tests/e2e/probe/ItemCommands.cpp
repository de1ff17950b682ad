// Controls anywhere below a top-level window, found by control id: a property sheet keeps its
// pages' controls one level down, where GetDlgItem on the sheet does not look.
#include "Commands.h"
#include "ProbeIo.h"
#include <windows.h>

namespace {
struct Search {
    int id;
    HWND found;
};

// The first visible control with the id, else the first hidden one (a page not shown).
BOOL CALLBACK MatchId(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (GetDlgCtrlID(window) != search.id)
        return TRUE;
    if (search.found == nullptr)
        search.found = window;
    if (!IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

// The window itself for id 0, otherwise its descendant with that id; nullptr after reporting.
HWND Item(const std::wstring& title, const std::wstring& id, int& failure) {
    std::uint64_t number = 0;
    if (!ParseNumber(id, number)) {
        failure = Fail(L"bad control id " + id, kExitUsage);
        return nullptr;
    }
    HWND window = FindWindowW(nullptr, title.c_str());
    if (window == nullptr) {
        failure = Fail(L"no top-level window titled \"" + title + L"\"", kExitNoWindow);
        return nullptr;
    }
    if (number == 0)
        return window;
    Search search{static_cast<int>(number), nullptr};
    EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
        failure = Fail(L"window \"" + title + L"\" has no control " + id, kExitNoChild);
    return search.found;
}
} // namespace

int ItemRect(const Args& args) {
    int failure = 0;
    HWND item = Item(args[0], args[1], failure);
    if (item == nullptr)
        return failure;
    RECT rect{};
    GetWindowRect(item, &rect);
    PrintLine(Fields({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      IsWindowVisible(item) ? 1 : 0, IsWindowEnabled(item) ? 1 : 0}));
    return 0;
}

int ItemText(const Args& args) {
    int failure = 0;
    HWND item = Item(args[0], args[1], failure);
    if (item == nullptr)
        return failure;
    PrintLine(WindowTextOf(item));
    return 0;
}

int ItemSend(const Args& args) {
    int failure = 0;
    HWND item = Item(args[0], args[1], failure);
    if (item == nullptr)
        return failure;
    std::uint64_t values[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!ParseNumber(args[2 + i], values[i]))
            return Fail(L"bad message, wparam or lparam", kExitUsage);
    }
    // A window whose thread is busy does not answer: that is a finding, not a hang.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(item, static_cast<UINT>(values[0]), static_cast<WPARAM>(values[1]),
                             static_cast<LPARAM>(values[2]), SMTO_ABORTIFHUNG, 5000, &result))
        return Fail(L"the window did not answer within 5 s", kExitFailed);
    PrintLine(std::to_wstring(static_cast<LONG_PTR>(result)));
    return 0;
}
