#include "LinkCommandLine.h"

namespace LinkCommandLine {

std::optional<std::wstring> ValueText(std::wstring_view data) {
    const std::wstring_view text = data.substr(0, data.find(L'\0'));
    if (text.empty() || text.size() + 1 > kValueCapacity) {
        return std::nullopt;
    }
    return std::wstring(text);
}

std::optional<std::wstring> Build(std::wstring_view registered, std::wstring_view target) {
    std::size_t cut = registered.find(L"\"%1\"");
    if (cut == std::wstring_view::npos) {
        cut = registered.find(L"%1");
    }
    if (cut == std::wstring_view::npos) {
        cut = registered.size();
    }
    std::wstring command(registered.substr(0, cut));
    command += L' ';
    command += target;
    if (command.size() + 1 > kCommandCapacity) {
        return std::nullopt;
    }
    return command;
}

} // namespace LinkCommandLine
