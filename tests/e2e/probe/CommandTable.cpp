// The probe's commands by name, with their argument counts and usage lines.
#include "Commands.h"

namespace {
struct Command {
    const wchar_t* name;
    const wchar_t* arguments;
    std::size_t count;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {L"regget", L"KEY VALUE  -> type, size, hex data", 2, RegGet},
    {L"regset", L"KEY VALUE TYPE HEX|-  (creates the key)", 4, RegSet},
    {L"regdel", L"KEY VALUE", 2, RegDel},
    {L"regdelkey", L"KEY  (with everything below it)", 1, RegDelKey},
    {L"reglist", L"KEY  -> key NAME / value TYPE SIZE HEX NAME lines", 1, RegList},
    {L"windows", L" -> hwnd, visible, x, y, width, height, class, title lines", 0, Windows},
    {L"foreground", L" -> the foreground window's title and its owner's", 0, Foreground},
    {L"findwindow", L"TITLE  -> x, y, width, height, visible", 1, FindWindowRect},
    {L"clientrect", L"TITLE  -> client area on the screen", 1, ClientRect},
    {L"childrect", L"TITLE ID  -> x, y, width, height, visible", 2, ChildRect},
    {L"childtext", L"TITLE ID  -> the control's text (ID 0: the window)", 2, ChildText},
    {L"tabrect", L"TITLE INDEX  -> a tab of the window's tab control", 2, TabRect},
    {L"tabtext", L"TITLE INDEX  -> the text of a tab of the window's tab control", 2, TabText},
    {L"itemrect", L"TITLE ID  -> x, y, width, height, visible, enabled of a descendant", 2,
     ItemRect},
    {L"itemtext", L"TITLE ID  -> a descendant's text (ID 0: the window)", 2, ItemText},
    {L"itemsend", L"TITLE ID MSG WPARAM LPARAM  -> result (ID 0: the window)", 5, ItemSend},
    {L"post", L"TITLE ID MSG WPARAM LPARAM  (ID 0: the window)", 5, Post},
    {L"cursor", L" -> showing, x, y", 0, Cursor},
    {L"locale", L" -> system LCID, user LCID, ANSI code page", 0, Locale},
    {L"screen", L" -> width, height", 0, Screen},
    {L"display", L"WIDTH HEIGHT  -> the answer of the change to that resolution", 2, Display},
    {L"version", L" -> major, minor, build of the Windows the prefix reports", 0, Version},
    {L"hold", L"FILE MILLISECONDS alone|shared|image  (keeps the file open that long)", 3, Hold},
    {L"lock", L"MUTEX MILLISECONDS  (waits for the named mutex, then owns it that long)", 2, Lock},
    {L"restricted", L"COMMANDLINE  (runs it as a limited user, waits, and ends with its exit code)",
     1, Restricted},
    {L"open", L"LINK  (exit 0 when the device link opens)", 1, Open},
    {L"ioctl", L"LINK CODE HEX|- OUTSIZE  -> ok, error, returned, hex output", 4, Ioctl},
};

int Usage() {
    std::wstring text = L"usage: touchprobe COMMAND ARGS...\n       touchprobe serve  (one "
                        L"command per line of standard input, words separated by tabs)";
    for (const Command& command : kCommands)
        text += std::wstring(L"\n  ") + command.name + L" " + command.arguments;
    return Fail(text, kExitUsage);
}
} // namespace

int RunCommand(const Args& words) {
    if (words.empty())
        return Usage();
    const Args args(words.begin() + 1, words.end());
    for (const Command& command : kCommands) {
        if (command.name != words[0])
            continue;
        if (args.size() != command.count)
            return Fail(std::wstring(L"usage: touchprobe ") + command.name + L" " +
                            command.arguments,
                        kExitUsage);
        return command.run(args);
    }
    return Usage();
}
