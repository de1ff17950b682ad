#include "LinkOpener.h"
#include "LinkCommandLine.h"

std::intptr_t OpenTarget(ShellApi& shell, const std::wstring& target, int show) {
    const std::intptr_t opened = shell.Open(target, show);
    if (Opened(opened)) {
        return opened;
    }
    const std::optional<std::wstring> pageClass = shell.ClassDefault(L".htm");
    if (!pageClass) {
        return opened;
    }
    const std::optional<std::wstring> registered =
        shell.ClassDefault(*pageClass + L"\\shell\\open\\command");
    if (!registered) {
        return opened;
    }
    const std::optional<std::wstring> command = LinkCommandLine::Build(*registered, target);
    if (!command) {
        return opened;
    }
    return shell.Run(*command, show);
}

std::intptr_t StartFailure(unsigned long systemError) {
    constexpr std::intptr_t kInvalidProgram = 11;
    return systemError < 32 ? static_cast<std::intptr_t>(systemError) : kInvalidProgram;
}
