#pragma once
#include "UiLanguage.h"

// Every text the calibration program shows, in both languages.
namespace CalibrationTexts {
inline constexpr TextPair kProgramRunning{L"Program is Running!", L"已经有另一个程序正在运行!"};
inline constexpr TextPair kPrompt{L"Please touch center of circle", L"请用手指触摸校准圆圈中心"};
inline constexpr TextPair kExitHint{L"Press <ESC> Exit", L"按<ESC>键退出"};
inline constexpr TextPair kSaveQuestion{L"Save the calibration data?", L"保存校准数据？"};
inline constexpr const wchar_t* kQuestionCaption = L"USB TouchScreen";
inline constexpr const wchar_t* kWindowTitle = L"TouchScreen Calibrater";
inline constexpr TextPair kCalibrationFailed{
    L"Calibration failed: the touch points could not be read. Please touch the four targets "
    L"again.",
    L"校准失败：无法读取触摸点。请重新触摸四个校准目标。"};
inline constexpr TextPair kTouchesMismatch{
    L"The touches did not match the targets. Please touch each target again.",
    L"触摸点与目标不符，请重新触摸每个目标。"};
inline constexpr TextPair kSaveFailed{
    L"The calibration data could not be saved. The calibration will be lost when the driver "
    L"restarts.",
    L"无法保存校准数据。驱动程序重新启动后，本次校准将会丢失。"};
inline constexpr TextPair kWindowFailed{L"The calibration window could not be opened.",
                                        L"无法打开校准窗口。"};
} // namespace CalibrationTexts
