#pragma once

#include <functional>

namespace rankminer {

// The front end's event dispatch (the GUI installs Qt's event processing; the
// headless commands install a check for Ctrl-C). Long loops of the core call
// pumpMessages() per byte, per tag or per row; it only reaches the installed
// function when a few milliseconds have passed since the last dispatch, so a
// call costs a decrement and a branch.
using MessagePump = std::function<void()>;

// Installs the pump (an empty function removes it). Not thread-safe: call it
// on the thread that runs the jobs, before they start.
void installMessagePump(MessagePump pump);

namespace detail {
extern bool g_pumpInstalled;
extern int g_pumpCountdown;
void pumpSlowPath();
}  // namespace detail

// Dispatches pending front-end events at most every few milliseconds.
inline void pumpMessages() {
    if (!detail::g_pumpInstalled) {
        return;
    }
    if (--detail::g_pumpCountdown > 0) {
        return;
    }
    detail::pumpSlowPath();
}

// Dispatches pending front-end events now, whatever the time since the last.
void pumpMessagesNow();

}  // namespace rankminer
