// cplhost: loads a control-panel applet as the control panel does, by its undecorated
// CPlApplet export, and sends it the messages named on the command line in turn, printing
// each answer as "name<TAB>value". An entry that does not take its arguments off the stack
// itself (not stdcall) is reported and ends the run. Usage: cplhost APPLET MESSAGE...
#include "ProbeIo.h"
#include <windows.h>
#include <cpl.h>
#include <cstdint>
#include <memory>
#include <type_traits>

namespace {

constexpr int kExitNotLoaded = 3;
constexpr int kExitNoEntry = 4;
constexpr int kExitNotStdcall = 5;

struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

struct Message {
    const wchar_t* name;
    UINT code;
};

// The messages of an applet's load and unload, as the control panel sends them.
constexpr Message kMessages[] = {
    {L"init", CPL_INIT},
    {L"getcount", CPL_GETCOUNT},
    {L"exit", CPL_EXIT},
};

const Message* Find(const std::wstring& name) {
    for (const Message& message : kMessages) {
        if (name == message.name)
            return &message;
    }
    return nullptr;
}

std::uintptr_t StackPointer() {
    std::uintptr_t value = 0;
    __asm__ __volatile__("movl %%esp, %0" : "=r"(value));
    return value;
}

// Sends one message; `shift` is how far the call moved the stack pointer. The caller expects
// the entry to remove its 16 bytes of arguments; a cdecl entry leaves them, and a caller
// that addresses its locals from the stack pointer then reads the wrong ones.
LONG Send(APPLET_PROC entry, UINT code, long long& shift) {
    const std::uintptr_t before = StackPointer();
    const LONG answer = entry(nullptr, code, 0, 0);
    shift = static_cast<long long>(before - StackPointer());
    return answer;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return Fail(L"usage: cplhost APPLET MESSAGE...", kExitUsage);
    const Args names(argv + 2, argv + argc);
    for (const std::wstring& name : names) {
        if (Find(name) == nullptr)
            return Fail(L"unknown message " + name, kExitUsage);
    }
    const Library applet(LoadLibraryW(argv[1]));
    if (!applet)
        return Fail(std::wstring(L"cannot load ") + argv[1] + L": error " +
                        Fields({static_cast<long long>(GetLastError())}),
                    kExitNotLoaded);
    const FARPROC found = GetProcAddress(applet.get(), "CPlApplet");
    if (found == nullptr)
        return Fail(std::wstring(argv[1]) + L" exports no CPlApplet", kExitNoEntry);
    // Through the generic function type: FARPROC's own signature is not the entry's.
    const auto entry = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void (*)()>(found));
    for (const std::wstring& name : names) {
        long long shift = 0;
        const LONG answer = Send(entry, Find(name)->code, shift);
        PrintLine(name + L'\t' + Fields({answer}));
        if (shift != 0)
            return Fail(L"CPlApplet moved the stack pointer by " + Fields({shift}) +
                            L" bytes: not stdcall",
                        kExitNotStdcall);
    }
    return 0;
}
