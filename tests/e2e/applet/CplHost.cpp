// cplhost: loads a control-panel library the way a control panel does and sends it a scripted
// sequence of messages, printing every answer, so a test sees exactly what the applet replies.
//
//   cplhost [--cycles N] [--reload] [--pause] [--watch-common-controls] [--watch-shell]
//           [--walk | --recolor] CPL MESSAGE...
//
// MESSAGE is a name (INIT, GETCOUNT, INQUIRE, SELECT, DBLCLK, STOP, EXIT, NEWINQUIRE,
// STARTWPARMSA, STARTWPARMSW) or a number. The sequence runs N times (default 1) in one load of
// the library, or with --reload in a fresh load each time. With --pause the host prints "paused"
// between two runs and goes on when a line arrives on standard input. The host registers no common
// control classes itself; with --watch-common-controls it prints each registration the library asks
// for, with --watch-shell each program start it asks the shell for (then made as asked).
// --walk and --recolor act on the sheet once it shows (SheetWalk.h).
//
// Output, one line each, fields separated by tabs:
//   cycle N                       a run of the sequence begins
//   NAME MESSAGE RESULT [...]     one message and the applet's answer; INQUIRE adds the
//                                 record's icon, name, description and data, NEWINQUIRE adds 1
//                                 when its record came back untouched
//   unloaded                      the library was freed
//   common-controls FLAGS         the library called InitCommonControlsEx (FLAGS in decimal)
//   shell-execute VERB FILE PARAMETERS OWNER
//                                 the library called ShellExecuteExW; OWNER is "host" when the
//                                 prompt's window is the one the host handed the library
//   control PAGE ID CLASS KIND FITS TAB NEED-W NEED-H ROOM-W ROOM-H TEXT LABEL
//                                 --walk: one visible control of a page; FITS 1 when its text
//                                 fits, TAB 1 or 0 for a control that takes input, else -
//   walked PAGES                  --walk: every page seen, the sheet cancelled
//   recolored R G B               --recolor: the new button face colour is set
//
// On i386 an entry that does not take its arguments off the stack itself (not stdcall) is
// reported and ends the run with exit code 5.
#include "ProbeIo.h"
#include "SheetWalk.h"
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>
#include <shellapi.h>
#include <cstring>
#include <cwchar>
#include <memory>

namespace {

constexpr int kExitNoLibrary = 3;
constexpr int kExitNotStdcall = 5;
constexpr BYTE kUntouched = 0xA5;

struct MessageName {
    const wchar_t* name;
    UINT message;
};

const MessageName kMessages[] = {
    {L"INIT", CPL_INIT},
    {L"GETCOUNT", CPL_GETCOUNT},
    {L"INQUIRE", CPL_INQUIRE},
    {L"SELECT", CPL_SELECT},
    {L"DBLCLK", CPL_DBLCLK},
    {L"STOP", CPL_STOP},
    {L"EXIT", CPL_EXIT},
    {L"NEWINQUIRE", CPL_NEWINQUIRE},
    {L"STARTWPARMSA", CPL_STARTWPARMSA},
    {L"STARTWPARMSW", CPL_STARTWPARMSW},
};

bool ParseMessage(const std::wstring& text, UINT& message) {
    for (const MessageName& entry : kMessages) {
        if (text == entry.name) {
            message = entry.message;
            return true;
        }
    }
    std::uint64_t number = 0;
    if (!ParseNumber(text, number))
        return false;
    message = static_cast<UINT>(number);
    return true;
}

struct Step {
    std::wstring name;
    UINT message;
};

struct Options {
    unsigned cycles = 1;
    bool reload = false;
    bool pause = false;
    bool watchCommonControls = false;
    bool watchShell = false;
    SheetAction sheetAction = SheetAction::None;
    std::wstring library;
    std::vector<Step> steps;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    int i = 1;
    for (; i < argc && std::wcsncmp(argv[i], L"--", 2) == 0; ++i) {
        const std::wstring option = argv[i];
        std::uint64_t cycles = 0;
        if (option == L"--reload") {
            options.reload = true;
        } else if (option == L"--pause") {
            options.pause = true;
        } else if (option == L"--watch-common-controls") {
            options.watchCommonControls = true;
        } else if (option == L"--watch-shell") {
            options.watchShell = true;
        } else if (option == L"--walk") {
            options.sheetAction = SheetAction::Walk;
        } else if (option == L"--recolor") {
            options.sheetAction = SheetAction::Recolor;
        } else if (option == L"--cycles" && i + 1 < argc && ParseNumber(argv[i + 1], cycles) &&
                   cycles > 0) {
            options.cycles = static_cast<unsigned>(cycles);
            ++i;
        } else {
            return false;
        }
    }
    if (i >= argc)
        return false;
    options.library = argv[i++];
    for (; i < argc; ++i) {
        UINT message = 0;
        if (!ParseMessage(argv[i], message))
            return false;
        options.steps.push_back({argv[i], message});
    }
    return !options.steps.empty();
}

// One line of standard input, or the end of it.
void AwaitLine() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char c = 0;
    DWORD read = 0;
    while (ReadFile(input, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
    }
}

// Points the library's import of `function` from `dll` at `replacement`; the import's
// target before, or nullptr when the library does not import it.
void* RedirectImport(HMODULE module, const char* dll, const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return nullptr;
    for (auto* import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0)
                continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                                &protection))
                return nullptr;
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return original;
        }
    }
    return nullptr;
}

// The library's own imports, which the host does not link: it loads no common controls itself.
using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
InitCommonControlsExProc g_initCommonControls = nullptr;
using ShellExecuteExProc = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
ShellExecuteExProc g_shellExecute = nullptr;
HWND g_hostWindow = nullptr;

BOOL WINAPI ReportCommonControls(const INITCOMMONCONTROLSEX* classes) {
    PrintLine(L"common-controls\t" + std::to_wstring(classes != nullptr ? classes->dwICC : 0));
    return g_initCommonControls(classes);
}

std::wstring TextOf(const wchar_t* text) {
    return text != nullptr ? text : L"";
}

BOOL WINAPI ReportShellExecute(SHELLEXECUTEINFOW* start) {
    PrintLine(L"shell-execute\t" + TextOf(start->lpVerb) + L'\t' + TextOf(start->lpFile) + L'\t' +
              TextOf(start->lpParameters) + L'\t' +
              (start->hwnd == g_hostWindow ? L"host" : L"other"));
    return g_shellExecute(start);
}

class Library {
  public:
    explicit Library(const Options& options) : m_module(LoadLibraryW(options.library.c_str())) {
        if (m_module == nullptr)
            return;
        m_entry = reinterpret_cast<APPLET_PROC>(
            reinterpret_cast<void*>(GetProcAddress(m_module, "CPlApplet")));
        Watch(options.watchCommonControls, "comctl32.dll", "InitCommonControlsEx",
              &ReportCommonControls, g_initCommonControls, L"common-controls");
        Watch(options.watchShell, "shell32.dll", "ShellExecuteExW", &ReportShellExecute,
              g_shellExecute, L"shell-execute");
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
            PrintLine(L"unloaded");
        }
    }
    APPLET_PROC entry() const { return m_entry; }

  private:
    // Points the library's import at `report` when `asked`, keeping the original for it.
    template <class Proc>
    void Watch(bool asked, const char* dll, const char* function, Proc report, Proc& original,
               const wchar_t* label) {
        if (!asked)
            return;
        original = reinterpret_cast<Proc>(
            RedirectImport(m_module, dll, function, reinterpret_cast<void*>(report)));
        if (original == nullptr)
            PrintLine(std::wstring(label) + L"\tnot imported");
    }

    HMODULE m_module;
    APPLET_PROC m_entry = nullptr;
};

std::uintptr_t StackPointer() {
    std::uintptr_t value = 0;
#if defined(__i386__)
    __asm__ __volatile__("movl %%esp, %0" : "=r"(value));
#endif
    return value;
}

// Calls the entry; `shift` is how far the call moved the stack pointer. The caller expects
// the entry to remove its 16 bytes of arguments; a cdecl entry leaves them, and a caller
// that addresses its locals from the stack pointer then reads the wrong ones.
LONG CallEntry(APPLET_PROC entry, HWND window, UINT message, LPARAM parameter2, long long& shift) {
    const std::uintptr_t before = StackPointer();
    const LONG answer = entry(window, message, 0, parameter2);
    shift = static_cast<long long>(before - StackPointer());
    return answer;
}

// Sends one message as a control panel does for its one applet and prints the answer.
class Host {
  public:
    Host(APPLET_PROC entry, HWND window) : m_entry(entry), m_window(window) {}

    // False when the entry is not stdcall.
    bool Send(const Step& step) {
        const UINT message = step.message;
        std::wstring fields;
        LPARAM parameter2 = 0;
        CPLINFO info;
        NEWCPLINFOW newInfo;
        std::memset(&info, kUntouched, sizeof info);
        std::memset(&newInfo, kUntouched, sizeof newInfo);
        const char noParametersA[] = "";
        const wchar_t noParametersW[] = L"";
        switch (message) {
        case CPL_INQUIRE:
            parameter2 = reinterpret_cast<LPARAM>(&info);
            break;
        case CPL_NEWINQUIRE:
            parameter2 = reinterpret_cast<LPARAM>(&newInfo);
            break;
        case CPL_SELECT:
        case CPL_DBLCLK:
        case CPL_STOP:
            parameter2 = m_data;
            break;
        case CPL_STARTWPARMSA:
            parameter2 = reinterpret_cast<LPARAM>(noParametersA);
            break;
        case CPL_STARTWPARMSW:
            parameter2 = reinterpret_cast<LPARAM>(noParametersW);
            break;
        default:
            break;
        }
        long long shift = 0;
        const LONG result = CallEntry(m_entry, m_window, message, parameter2, shift);
        if (shift != 0) {
            Fail(L"CPlApplet moved the stack pointer by " + std::to_wstring(shift) +
                     L" bytes: not stdcall",
                 kExitNotStdcall);
            return false;
        }
        if (message == CPL_INQUIRE) {
            m_data = info.lData;
            fields = L"\t" + Fields({info.idIcon, info.idName, info.idInfo, info.lData});
        } else if (message == CPL_NEWINQUIRE) {
            NEWCPLINFOW untouched;
            std::memset(&untouched, kUntouched, sizeof untouched);
            fields = std::memcmp(&newInfo, &untouched, sizeof newInfo) == 0 ? L"\t1" : L"\t0";
        }
        PrintLine(step.name + L'\t' + std::to_wstring(message) + L'\t' + std::to_wstring(result) +
                  fields);
        return true;
    }

  private:
    APPLET_PROC m_entry;
    HWND m_window;
    LPARAM m_data = 0;
};

// The control panel's own window, which it hands to the applet with every message.
class HostWindow {
  public:
    HostWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"cplhost", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow() {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }
    HWND get() const { return m_window; }

  private:
    HWND m_window;
};

// One run of the sequence; the host's exit code when it cannot go on, else 0.
int RunCycle(Library& library, const Options& options, HWND window) {
    if (library.entry() == nullptr) {
        return Fail(L"cannot load " + options.library + L" or find its CPlApplet (error " +
                        std::to_wstring(GetLastError()) + L")",
                    kExitNoLibrary);
    }
    Host host(library.entry(), window);
    for (const Step& step : options.steps) {
        if (!host.Send(step)) {
            return kExitNotStdcall;
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Fail(L"usage: cplhost [--cycles N] [--reload] [--pause] [--watch-common-controls] "
                    L"[--watch-shell] [--walk | --recolor] CPL MESSAGE...",
                    kExitUsage);

    HostWindow window;
    g_hostWindow = window.get();
    StartSheetAction(options.sheetAction);
    std::unique_ptr<Library> library;
    for (unsigned cycle = 1; cycle <= options.cycles; ++cycle) {
        if (cycle > 1 && options.pause) {
            PrintLine(L"paused");
            AwaitLine();
        }
        if (library == nullptr || options.reload) {
            library.reset();
            library = std::make_unique<Library>(options);
        }
        PrintLine(L"cycle\t" + std::to_wstring(cycle));
        if (const int failed = RunCycle(*library, options, window.get()))
            return failed;
    }
    return 0;
}
