#pragma once
#include "UiLanguage.h"

// Every text the draw test shows, in both languages. The menus are in the resources.
namespace DrawTestTexts {
inline constexpr const wchar_t* kMutexName = L"Scrivet";
inline constexpr TextPair kProgramRunning{L"Program is Running!", L"已经有另一个程序正在运行!"};
inline constexpr TextPair kClear{L"CLEAR", L"清 除"};
inline constexpr TextPair kExit{L"EXIT", L"退 出"};
inline constexpr TextPair kWindowFailed{L"The draw test window could not be opened.",
                                        L"无法打开绘图测试窗口。"};
} // namespace DrawTestTexts
