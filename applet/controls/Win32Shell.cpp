#include "Win32Shell.h"
#include "Handles.h"
#include "LinkCommandLine.h"
#include <shellapi.h>

std::intptr_t Win32Shell::Open(const std::wstring& target, int show) {
    const ScopedComApartment com;
    return reinterpret_cast<std::intptr_t>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, show));
}

std::optional<std::wstring> Win32Shell::ClassDefault(const std::wstring& subkey) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const ScopedHKey key(opened);
    wchar_t value[LinkCommandLine::kValueCapacity] = L"";
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    // A value longer than the room answers "more data" and counts as unreadable.
    if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return LinkCommandLine::ValueText(std::wstring_view(value, size / sizeof(wchar_t)));
}

std::intptr_t Win32Shell::Run(const std::wstring& commandLine, int show) {
    // What a program start reports once the program runs.
    constexpr std::intptr_t kStarted = 33;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    // The call may write into the command line it is given.
    std::wstring line = commandLine;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return StartFailure(GetLastError());
    }
    const ScopedHandle process(started.hProcess);
    const ScopedHandle thread(started.hThread);
    return kStarted;
}
