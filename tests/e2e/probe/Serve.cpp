// The probe as a server: one process for a whole test saves starting one per question.
#include "Commands.h"
#include <string>
#include <windows.h>

namespace {
std::wstring FromUtf8(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

Args SplitTabs(const std::wstring& line) {
    Args words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find(L'\t', start);
        words.push_back(line.substr(start, tab - start));
        if (tab == std::wstring::npos)
            return words;
        start = tab + 1;
    }
}

// One line of standard input without its end, or false at the end of the input.
bool ReadLine(std::string& line) {
    line.clear();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char c = 0;
    DWORD read = 0;
    while (ReadFile(input, &c, 1, &read, nullptr) && read == 1) {
        if (c == '\n')
            return true;
        if (c != '\r')
            line += c;
    }
    return !line.empty();
}
} // namespace

int Serve() {
    std::string line;
    while (ReadLine(line)) {
        const int code = RunCommand(SplitTabs(FromUtf8(line)));
        PrintLine(L"\x04" + std::to_wstring(code));
    }
    return 0;
}
