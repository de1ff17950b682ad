#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>
#include <windows.h>

// Text in and out of the probe: UTF-8 lines on standard output, numbers and hex from arguments.
using Args = std::vector<std::wstring>;

void PrintLine(const std::wstring& line);
// Prints the message on standard error and returns `exitCode`, for `return Fail(...)`.
int Fail(const std::wstring& message, int exitCode);

std::wstring Hex(const std::uint8_t* bytes, std::size_t size);
bool ParseHex(const std::wstring& text, std::vector<std::uint8_t>& bytes);
// Decimal, or hexadecimal with a 0x prefix; a leading minus wraps around like a C cast.
bool ParseNumber(const std::wstring& text, std::uint64_t& value);

// A window's text, also another process's: such a window answers WM_GETTEXT, not
// GetWindowText.
std::wstring WindowTextOf(HWND window);

// Joins numbers with tabs, the probe's field separator.
std::wstring Fields(std::initializer_list<long long> values);

// Exit codes the harness tells apart.
constexpr int kExitUsage = 1;
constexpr int kExitNoWindow = 2;
constexpr int kExitNoValue = 2;
constexpr int kExitNoKey = 3;
constexpr int kExitNoChild = 4;
constexpr int kExitNoDevice = 5;
constexpr int kExitFailed = 6;
