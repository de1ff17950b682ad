#pragma once

// Every entry the system calls into (window, dialog and page procedures, the control-panel
// entry, wWinMain) runs its work through this: an exception must never unwind through system
// frames, where the i686 unwinder cannot follow and the host process would die with us.
template <class Result, class Body> Result GuardCallback(Result fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}
