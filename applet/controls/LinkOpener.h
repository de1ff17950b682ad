#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The system services a link opens its target with. Results are on the shell's scale: above
// 32 is success, 32 and below name the failure.
class ShellApi {
  public:
    virtual ~ShellApi() = default;
    // The shell's "open" verb on the target, without owner, parameters or working folder.
    virtual std::intptr_t Open(const std::wstring& target, int show) = 0;
    // The default value of a key below the classes root, or none when the key does not open
    // or its value cannot be read whole.
    virtual std::optional<std::wstring> ClassDefault(const std::wstring& subkey) = 0;
    // Starts a command line as a program.
    virtual std::intptr_t Run(const std::wstring& commandLine, int show) = 0;
};

// Opens the target through the shell, or else with the program registered for web pages.
// When that program cannot be found the shell's own result is returned.
std::intptr_t OpenTarget(ShellApi& shell, const std::wstring& target, int show);

inline bool Opened(std::intptr_t result) {
    return result > 32;
}

// A program start's result from the system error of a failed start: small errors are the
// result itself, anything else counts as an invalid program file.
std::intptr_t StartFailure(unsigned long systemError);
