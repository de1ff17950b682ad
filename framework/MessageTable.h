#pragma once
#include <cstddef>
#include <windows.h>

// One line of a class's message table: a message, or a command id range, and its handler.
template <class T> struct MessageEntry {
    UINT message;
    UINT firstId;
    UINT lastId;
    LRESULT (T::*handler)(WPARAM, LPARAM);
};

template <class T>
constexpr MessageEntry<T> MapMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {message, 0, 0, handler};
}

template <class T>
constexpr MessageEntry<T> MapCommand(UINT id, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {WM_COMMAND, id, id, handler};
}

template <class T>
constexpr MessageEntry<T> MapCommandRange(UINT firstId, UINT lastId,
                                          LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {WM_COMMAND, firstId, lastId, handler};
}

// Calls the first matching handler; false leaves the message to the standard handling.
template <class T, std::size_t N>
bool DispatchTable(T& target, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                   LPARAM lParam, LRESULT& result) {
    for (const MessageEntry<T>& entry : table) {
        if (entry.message != message) {
            continue;
        }
        if (message == WM_COMMAND &&
            (LOWORD(wParam) < entry.firstId || LOWORD(wParam) > entry.lastId)) {
            continue;
        }
        result = (target.*entry.handler)(wParam, lParam);
        return true;
    }
    return false;
}
