#pragma once
#include "UiLanguage.h"

// Every text of the applet that the user reads, in both languages.
namespace AppletTexts {

// The sheet and its tabs.
inline constexpr TextPair kSheetCaption{L"TouchScreen Property", L"触摸屏属性"};
inline constexpr TextPair kCalibrateTitle{L"Calibrate", L"校准"};
inline constexpr TextPair kSettingTitle{L"Setting", L"设置"};
inline constexpr TextPair kSoundTitle{L"Sound", L"声音"};
inline constexpr TextPair kAboutTitle{L"About", L"关于"};

inline constexpr TextPair kNoAdministratorRights{L"You not have administrator access rights!",
                                                 L"请使用管理员权限运行本程序!"};

// A control's text, set when its page opens.
struct ControlText {
    int id;
    TextPair text;
};

inline constexpr ControlText kCalibratePage[] = {
    {1030,
     {L"Touchscreen calibration utility converts touchscreen coordinates into screen video "
      L"coordinates.",
      L"触摸屏校准能将触摸屏坐标准确地转变为显示器屏幕坐标"}},
    {1031, {L"Calibrate your touchscreen when:", L"以下几种情况下你需要校准触摸屏："}},
    {1032,
     {L"> Initially install your touchscreen and corresponding software.",
      L"> 初次安装触摸屏及相应软件"}},
    {1033, {L"> Notice  the cursor isn't lined with your finger.", L"> 触摸时光标不在手指下方"}},
    {1034, {L"> Change the touch monitor video image.", L"> 改变了触摸显示器的触摸区域"}},
    {1035, {L"Calibrate Margin", L"校准边缘比例"}},
    {1036, {L"Calibrate", L"校准"}},
    {1037, {L"Draw Test", L"画图测试"}},
    // The icon buttons draw no text: theirs is the name a screen reader announces.
    {1000, {L"Calibrate", L"校准"}},
    {1023, {L"Draw Test", L"画图测试"}},
};

inline constexpr ControlText kSettingPage[] = {
    {1038, {L"Mouse Mode", L"鼠标模式"}},
    {1001, {L"Point and Click", L"单      击"}},
    {1002, {L"Click and Drag", L"点击及拖动"}},
    {1003, {L"Drag then Click", L"抬起时点击"}},
    {1004, {L"Interactive Touch", L"交互式触摸"}},
    {1040, {L"Double Click Range:", L"双击范围"}},
    {1039, {L"InterActive Delay", L"交互延时"}},
    {1041, {L"Short", L"短"}},
    {1042, {L"Long", L"长"}},
    {1029, {L"Set Port", L"设置接口"}},
    {1028, {L"Select Port", L"选择接口"}},
};

// The port button names the action it will take.
inline constexpr TextPair kPortOpenButton{L"Disable", L"关闭接口"};
inline constexpr TextPair kPortClosedButton{L"Enable", L"打开接口"};

inline constexpr TextPair kOpenPortFailed{L"Open port fail!", L"打开接口失败！"};
inline constexpr TextPair kClosePortFailed{L"Close port fail!", L"关闭接口失败！"};
inline constexpr TextPair kClosePreviousPortFailed{L"Close previous port fail!",
                                                   L"关闭上一接口失败！"};

inline constexpr ControlText kSoundPage[] = {
    {1050, {L"Beep Mode", L"声音模式"}},
    {1051, {L"Beep On:", L"发声设置"}},
    {1052, {L"Beep Setting", L"声音设置"}},
    {1054, {L"Frequency", L"频率"}},
    {1053, {L"Low", L"低"}},
    {1055, {L"High", L"高"}},
    {1056, {L"Duration time", L"发音时间"}},
    {1041, {L"Short", L"短"}},
    {1042, {L"Long", L"长"}},
    {1016, {L"Test", L"测  试"}},
};

// The beep-mode list in index order: never, on touch, on release.
inline constexpr TextPair kBeepModes[] = {
    {L"Disable", L"不发声"},
    {L"Touch", L"触摸时发声"},
    {L"Release", L"抬起时发声"},
};

// The About page; its maker block is filled but never shown.
inline constexpr ControlText kAboutPage[] = {
    {1047, {L"Brevanto Touchscreen Driver", L"Brevanto 触摸屏驱动"}},
    {1048, {L"Win 2000,Win XP,Win 7 Touchscreen Driver", L"Win 2000,Win XP,Win 7 触摸屏驱动"}},
    {1049, {L"Version 4.0.2.8", L"版本 4.0.2.8"}},
    {1043, {L"Brevanto Electronic Co., Ltd", L"Brevanto电子有限公司"}},
    {1045, {L"Send Email", L"直接发送邮件"}},
    {1026, {L"contact us!", L"联系我们"}},
};

inline constexpr const wchar_t* kMakerWebSite = L"www.brevanto.example";
inline constexpr const wchar_t* kMakerSupportMail = L"mailto:support@brevanto.example";

} // namespace AppletTexts
