#pragma once
#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>
#include <cstddef>
#include <type_traits>

// A class's message table: each line names a message (or a control's notification) and the
// member function that handles it. Handlers take what the message carries:
//   MapMessage   LRESULT (WPARAM, LPARAM)
//   MapCommand   void () or void (UINT id)          a click, menu choice or accelerator
//                (or the raw LRESULT (WPARAM, LPARAM))
//   MapControl   void () or void (UINT id)          one notification code of a control
//   MapNotify    LRESULT (const NMHDR&)             one WM_NOTIFY code of a control
// Range forms take the first and last id and hand the id to the handler.

namespace message_table {

template <class Member> struct ClassOf;
template <class R, class C, class... A> struct ClassOf<R (C::*)(A...)> { using Type = C; };

template <auto Handler> using Owner = typename ClassOf<decltype(Handler)>::Type;

template <auto Handler> LRESULT CallMessage(Owner<Handler>& target, WPARAM wParam, LPARAM lParam) {
    return (target.*Handler)(wParam, lParam);
}

template <auto Handler> LRESULT CallCommand(Owner<Handler>& target, WPARAM wParam, LPARAM lParam) {
    if constexpr (std::is_invocable_v<decltype(Handler), Owner<Handler>&, WPARAM, LPARAM>) {
        return (target.*Handler)(wParam, lParam);
    } else if constexpr (std::is_invocable_v<decltype(Handler), Owner<Handler>&, UINT>) {
        (target.*Handler)(LOWORD(wParam));
    } else {
        (target.*Handler)();
    }
    return 0;
}

template <auto Handler> LRESULT CallNotify(Owner<Handler>& target, WPARAM, LPARAM lParam) {
    return (target.*Handler)(*reinterpret_cast<const NMHDR*>(lParam));
}

} // namespace message_table

// Which notification codes of a WM_COMMAND or WM_NOTIFY an entry takes.
enum class CodeMatch {
    Any,
    // Button clicks and menu choices come with code 0, accelerators with 1.
    ClickOrMenu,
    Exact,
};

template <class T> struct MessageEntry {
    UINT message;
    UINT firstId;
    UINT lastId;
    CodeMatch match;
    UINT code;
    LRESULT (*handler)(T&, WPARAM, LPARAM);
};

template <auto Handler>
constexpr MessageEntry<message_table::Owner<Handler>> MapMessage(UINT message) {
    // Every id: a message entry for WM_COMMAND takes all of them.
    return {message, 0, 0xFFFF, CodeMatch::Any, 0, &message_table::CallMessage<Handler>};
}

template <auto Handler>
constexpr MessageEntry<message_table::Owner<Handler>> MapCommandRange(UINT firstId, UINT lastId) {
    return {WM_COMMAND, firstId,
            lastId,     CodeMatch::ClickOrMenu,
            0,          &message_table::CallCommand<Handler>};
}

template <auto Handler> constexpr MessageEntry<message_table::Owner<Handler>> MapCommand(UINT id) {
    return MapCommandRange<Handler>(id, id);
}

template <auto Handler>
constexpr MessageEntry<message_table::Owner<Handler>> MapControlRange(UINT firstId, UINT lastId,
                                                                      UINT code) {
    return {WM_COMMAND,       firstId, lastId,
            CodeMatch::Exact, code,    &message_table::CallCommand<Handler>};
}

template <auto Handler>
constexpr MessageEntry<message_table::Owner<Handler>> MapControl(UINT id, UINT code) {
    return MapControlRange<Handler>(id, id, code);
}

template <auto Handler>
constexpr MessageEntry<message_table::Owner<Handler>> MapNotify(UINT id, UINT code) {
    return {WM_NOTIFY, id, id, CodeMatch::Exact, code, &message_table::CallNotify<Handler>};
}

namespace message_table {

template <class T>
bool Matches(const MessageEntry<T>& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message != message) {
        return false;
    }
    if (message == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (id < entry.firstId || id > entry.lastId) {
            return false;
        }
        switch (entry.match) {
        case CodeMatch::ClickOrMenu:
            return code == 0 || code == 1;
        case CodeMatch::Exact:
            return code == entry.code;
        case CodeMatch::Any:
            return true;
        }
    }
    if (message == WM_NOTIFY && entry.match == CodeMatch::Exact) {
        const auto& notice = *reinterpret_cast<const NMHDR*>(lParam);
        return notice.idFrom == entry.firstId && notice.code == entry.code;
    }
    return true;
}

} // namespace message_table

// Calls the first matching handler; false leaves the message to the standard handling.
template <class T, std::size_t N>
bool DispatchTable(T& target, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                   LPARAM lParam, LRESULT& result) {
    for (const MessageEntry<T>& entry : table) {
        if (message_table::Matches(entry, message, wParam, lParam)) {
            result = entry.handler(target, wParam, lParam);
            return true;
        }
    }
    return false;
}
