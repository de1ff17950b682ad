// Process-wide facts a test checks from inside the prefix: cursor, locale, screen, raw requests.
#include "Commands.h"
#include "Handles.h"
#include "ProbeIo.h"
#include <windows.h>

int Cursor(const Args&) {
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetCursorInfo(&info))
        return Fail(L"GetCursorInfo failed", kExitFailed);
    PrintLine(Fields(
        {(info.flags & CURSOR_SHOWING) != 0 ? 1 : 0, info.ptScreenPos.x, info.ptScreenPos.y}));
    return 0;
}

int Locale(const Args&) {
    PrintLine(Fields({GetSystemDefaultLCID(), GetUserDefaultLCID(), GetACP()}));
    return 0;
}

int Version(const Args&) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version))
        return Fail(L"GetVersionExW failed", kExitFailed);
    PrintLine(Fields({version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber}));
    return 0;
}

int Screen(const Args&) {
    PrintLine(Fields({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    return 0;
}

// Changes the resolution for this session only, as a utility or a docking station does.
int Display(const Args& args) {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    if (!ParseNumber(args[0], width) || !ParseNumber(args[1], height))
        return Fail(L"display: WIDTH and HEIGHT are numbers", kExitUsage);
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG answer = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    PrintLine(std::to_wstring(answer));
    return answer == DISP_CHANGE_SUCCESSFUL ? 0 : kExitFailed;
}

namespace {
// Once `held`, says so and keeps it for the time `milliseconds` gives; else says what could not
// be held.
int KeepHeld(bool held, const std::wstring& what, const std::wstring& milliseconds) {
    std::uint64_t time = 0;
    if (!ParseNumber(milliseconds, time))
        return Fail(L"bad time", kExitUsage);
    if (!held)
        return Fail(L"cannot hold " + what + L" (error " + std::to_wstring(GetLastError()) + L")",
                    kExitFailed);
    PrintLine(L"held");
    Sleep(static_cast<DWORD>(time));
    return 0;
}
} // namespace

int Hold(const Args& args) {
    // As a running program holds its file (alone: shared for reading only, nobody may delete
    // it), as an indexer or virus scanner does (shared: others may read, write and delete it),
    // or as a program running from it in another session does (image: mapped, nobody may write
    // it).
    const std::wstring& how = args[2];
    ScopedLibrary image;
    ScopedFileHandle file;
    if (how == L"image")
        image.Reset(LoadLibraryExW(args[0].c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    else if (how == L"alone" || how == L"shared")
        file.Reset(CreateFileW(args[0].c_str(), GENERIC_READ,
                               how == L"alone"
                                   ? FILE_SHARE_READ
                                   : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr));
    else
        return Fail(L"hold alone, shared or image", kExitUsage);
    return KeepHeld(image || file, args[0], args[1]);
}

int Lock(const Args& args) {
    const ScopedHandle mutex(CreateMutexW(nullptr, FALSE, args[0].c_str()));
    const bool owned = mutex && WaitForSingleObject(mutex.Get(), INFINITE) != WAIT_FAILED;
    const int code = KeepHeld(owned, args[0], args[1]);
    if (owned)
        ReleaseMutex(mutex.Get());
    return code;
}

namespace {
// Opened the way the tools open the link.
ScopedFileHandle OpenDevice(const std::wstring& link) {
    return ScopedFileHandle(CreateFileW(link.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
}

int NoDevice(const std::wstring& link) {
    return Fail(L"cannot open " + link + L" (error " + std::to_wstring(GetLastError()) + L")",
                kExitNoDevice);
}
} // namespace

int Open(const Args& args) {
    if (!OpenDevice(args[0]))
        return NoDevice(args[0]);
    return 0;
}

int Ioctl(const Args& args) {
    std::uint64_t code = 0;
    std::uint64_t outputSize = 0;
    std::vector<std::uint8_t> input;
    if (!ParseNumber(args[1], code) || !ParseNumber(args[3], outputSize) ||
        (args[2] != L"-" && !ParseHex(args[2], input)))
        return Fail(L"bad code, input or output size", kExitUsage);
    ScopedFileHandle device = OpenDevice(args[0]);
    if (!device)
        return NoDevice(args[0]);
    std::vector<std::uint8_t> output(static_cast<std::size_t>(outputSize) + 1u);
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(
        device.Get(), static_cast<DWORD>(code), input.empty() ? nullptr : input.data(),
        static_cast<DWORD>(input.size()), outputSize == 0 ? nullptr : output.data(),
        static_cast<DWORD>(outputSize), &returned, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    device.Reset();
    PrintLine(Fields({ok ? 1 : 0, error, returned}) + L'\t' + Hex(output.data(), returned));
    return 0;
}
