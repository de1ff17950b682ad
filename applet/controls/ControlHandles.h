#pragma once
#include "Handles.h"

// Owners for the handle kinds the controls keep beyond one message.

struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type icon) { DestroyIcon(icon); }
};

struct CursorTraits {
    using Type = HCURSOR;
    static Type Invalid() { return nullptr; }
    static void Close(Type cursor) { DestroyCursor(cursor); }
};

struct LibraryTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type module) { FreeLibrary(module); }
};

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type window) { DestroyWindow(window); }
};

using ScopedIcon = UniqueHandle<IconTraits>;
using ScopedCursor = UniqueHandle<CursorTraits>;
using ScopedLibrary = UniqueHandle<LibraryTraits>;
using ScopedWindow = UniqueHandle<WindowTraits>;
