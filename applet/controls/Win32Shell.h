#pragma once
#include "LinkOpener.h"

// The shell, the classes root of the registry and program starts, as the Unicode calls give
// them.
class Win32Shell final : public ShellApi {
  public:
    std::intptr_t Open(const std::wstring& target, int show) override;
    std::optional<std::wstring> ClassDefault(const std::wstring& subkey) override;
    std::intptr_t Run(const std::wstring& commandLine, int show) override;
};
