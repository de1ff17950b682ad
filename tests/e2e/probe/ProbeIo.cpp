#include "ProbeIo.h"
#include <windows.h>

namespace {
void Write(DWORD handleId, const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    utf8 += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(handleId), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
              nullptr);
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}
} // namespace

void PrintLine(const std::wstring& line) {
    Write(STD_OUTPUT_HANDLE, line);
}

int Fail(const std::wstring& message, int exitCode) {
    Write(STD_ERROR_HANDLE, L"touchprobe: " + message);
    return exitCode;
}

std::wstring Hex(const std::uint8_t* bytes, std::size_t size) {
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    for (std::size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

bool ParseHex(const std::wstring& text, std::vector<std::uint8_t>& bytes) {
    if (text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

bool ParseNumber(const std::wstring& text, std::uint64_t& value) {
    const bool negative = !text.empty() && text[0] == L'-';
    std::wstring digits = negative ? text.substr(1) : text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    if (digits.empty())
        return false;
    std::uint64_t result = 0;
    for (wchar_t c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0 || digit >= base)
            return false;
        result = result * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    value = negative ? ~result + 1 : result;
    return true;
}

std::wstring Fields(std::initializer_list<long long> values) {
    std::wstring line;
    for (long long value : values) {
        if (!line.empty())
            line += L'\t';
        line += std::to_wstring(value);
    }
    return line;
}

std::wstring WindowTextOf(HWND window) {
    wchar_t text[4096] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}
