#pragma once

#include <atomic>
#include <functional>

namespace rankminer {

// The front end's event dispatch (the GUI installs Qt's event processing; the
// headless commands install a check for Ctrl-C). Long loops of the core call
// pumpMessages() per byte, per tag or per row; it only reaches the installed
// function when a few milliseconds have passed since the last dispatch. A
// ticker thread raises a flag when that time is up, so a call costs one load
// and a branch: a counter decremented per call would chain every iteration of
// a byte loop through memory and cost more than the loop's own work.
using MessagePump = std::function<void()>;

// Installs the pump (an empty function removes it) and starts or stops the
// ticker. Not thread-safe: call it on the thread that runs the jobs, before
// they start.
void installMessagePump(MessagePump pump);

namespace detail {
// Raised by the ticker when a dispatch is due; only ever set while a pump is
// installed.
extern std::atomic<bool> g_pumpDue;
void pumpSlowPath();
}  // namespace detail

// Dispatches pending front-end events at most every few milliseconds.
inline void pumpMessages() {
    if (detail::g_pumpDue.load(std::memory_order_relaxed)) {
        detail::pumpSlowPath();
    }
}

// Dispatches pending front-end events now, whatever the time since the last.
void pumpMessagesNow();

}  // namespace rankminer
