// The draw test's resource script, linked into this test: menus, dialog template, icon,
// manifest and version as the program is built with them.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

HMODULE Self() {
    return GetModuleHandleW(nullptr);
}

std::wstring ItemText(HMENU menu, UINT item, UINT by) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, item, text, ARRAYSIZE(text), by);
    return text;
}

std::string Narrow(const std::wstring& text) {
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1,
                                                                   nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

struct Group {
    const wchar_t* english;
    const wchar_t* chinese;
    bool greyed;
    struct Item {
        UINT command;
        const wchar_t* english;
        const wchar_t* chinese;
    } items[7];
};

const Group kGroups[] = {
    {L"Pen Color",
     L"画笔颜色",
     false,
     {{32785, L"Red", L"红色"},
      {32786, L"Orange", L"橙色"},
      {32787, L"Yellow", L"黄色"},
      {32788, L"Green", L"绿色"},
      {32789, L"Blue", L"蓝色"},
      {32790, L"Purple", L"紫色"},
      {32791, L"Black", L"黑色"}}},
    {L"Pen Size",
     L"画笔大小",
     true,
     {{32792, L"1", L"1"}, {32793, L"2", L"2"}, {32794, L"4", L"4"}}},
    {L"Show Grid", L"显示网格", false, {{32803, L"Yes", L"显示"}, {32804, L"No", L"不显示"}}},
    {L"Grid Num",
     L"网格数量",
     false,
     {{32805, L"10 X 10", L"10 X 10"},
      {32806, L"15 X 15", L"15 X 15"},
      {32807, L"20 X 20", L"20 X 20"}}},
    {L"Grid Color",
     L"网格颜色",
     false,
     {{32798, L"Red", L"红色"},
      {32799, L"Orange", L"橙色"},
      {32800, L"Yellow", L"黄色"},
      {32801, L"Green", L"绿色"},
      {32802, L"Blue", L"蓝色"}}},
    {L"Grid Line Size",
     L"网格线宽",
     false,
     {{32796, L"1", L"1"}, {32797, L"2", L"2"}, {32795, L"4", L"4"}}},
};

void ExpectMenu(UINT id, const wchar_t* popupText, bool chinese) {
    const HMENU menu = LoadMenuW(Self(), MAKEINTRESOURCEW(id));
    ASSERT_NE(menu, nullptr) << "menu " << id;
    EXPECT_EQ(GetMenuItemCount(menu), 1) << "menu " << id << " has one popup";
    EXPECT_EQ(Narrow(ItemText(menu, 0, MF_BYPOSITION)), Narrow(popupText)) << "menu " << id;
    const HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(kGroups))) << "menu " << id;
    for (int g = 0; g < GetMenuItemCount(popup); ++g) {
        const Group& group = kGroups[g];
        const std::string where = "menu " + std::to_string(id) + " group " + std::to_string(g);
        EXPECT_EQ(Narrow(ItemText(popup, static_cast<UINT>(g), MF_BYPOSITION)),
                  Narrow(chinese ? group.chinese : group.english))
            << where;
        const UINT state = GetMenuState(popup, static_cast<UINT>(g), MF_BYPOSITION);
        EXPECT_EQ((state & MF_GRAYED) != 0, group.greyed) << where << " greyed";
        const HMENU sub = GetSubMenu(popup, g);
        ASSERT_NE(sub, nullptr) << where;
        int count = 0;
        for (const Group::Item& item : group.items) {
            if (item.command == 0) {
                break;
            }
            EXPECT_EQ(GetMenuItemID(sub, count), item.command) << where << " item " << count;
            EXPECT_EQ(Narrow(ItemText(sub, item.command, MF_BYCOMMAND)),
                      Narrow(chinese ? item.chinese : item.english))
                << where << " command " << item.command;
            EXPECT_EQ(GetMenuState(sub, item.command, MF_BYCOMMAND) & MF_GRAYED, 0u)
                << where << " command " << item.command << " enabled in the resource";
            ++count;
        }
        EXPECT_EQ(GetMenuItemCount(sub), count) << where;
    }
    DestroyMenu(menu);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return L"(missing)";
    }
    return static_cast<const wchar_t*>(value);
}

} // namespace

TEST(DrawTestResources, EnglishMenu133) {
    ExpectMenu(133, L"Setting", false);
}

TEST(DrawTestResources, ChineseMenu131) {
    ExpectMenu(131, L"设置", true);
}

TEST(DrawTestResources, DialogIsAVisibleBorderedPopupWithoutCaption) {
    const HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(102), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const WORD*>(LockResource(LoadResource(Self(), found)));
    ASSERT_EQ(data[1], 0xFFFF) << "an extended template";
    DWORD exStyle = 0;
    DWORD style = 0;
    memcpy(&exStyle, data + 4, sizeof exStyle);
    memcpy(&style, data + 6, sizeof style);
    const WORD items = data[8];
    const short size[4] = {static_cast<short>(data[9]), static_cast<short>(data[10]),
                           static_cast<short>(data[11]), static_cast<short>(data[12])};
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_BORDER),
              DWORD{WS_POPUP | WS_VISIBLE | WS_BORDER});
    EXPECT_EQ(style & (WS_CAPTION & ~WS_BORDER), 0u) << "no title bar";
    EXPECT_EQ(style & WS_SYSMENU, 0u);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, DWORD{WS_EX_APPWINDOW});
    EXPECT_EQ(items, 2);
    EXPECT_EQ(size[2], 248);
    EXPECT_EQ(size[3], 163);
}

TEST(DrawTestResources, ProgramIconIs128) {
    EXPECT_NE(LoadIconW(Self(), MAKEINTRESOURCEW(128)), nullptr);
}

TEST(DrawTestResources, ManifestAsksForCommonControls6AndDpiAwareness) {
    const HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(Self(), found))),
                               SizeofResource(Self(), found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
}

TEST(DrawTestResources, VersionNamesTheDrawTest) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
    EXPECT_EQ(Narrow(VersionString(block, L"FileDescription")), "TouchScreen Draw Test");
    EXPECT_EQ(Narrow(VersionString(block, L"ProductName")), "TouchScreen Driver");
    EXPECT_EQ(Narrow(VersionString(block, L"InternalName")), "Scrivet");
    EXPECT_EQ(Narrow(VersionString(block, L"FileVersion")), "4.0.6.8");
    EXPECT_EQ(Narrow(VersionString(block, L"ProductVersion")), "4.0.6.8");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD{0x00040000});
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD{0x00060008});
}
