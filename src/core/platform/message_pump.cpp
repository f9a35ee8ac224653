#include "platform/message_pump.h"

#include <chrono>

namespace rankminer {

namespace {
// Calls between two clock reads, and the least time between two dispatches.
constexpr int kCallsPerClockRead = 1024;
constexpr auto kDispatchInterval = std::chrono::milliseconds(4);

MessagePump& installedPump() {
    static MessagePump pump;
    return pump;
}

std::chrono::steady_clock::time_point g_lastDispatch;

// Re-entrant on purpose: a handler dispatched here may run a whole job (the
// other start button) that pumps in turn, as the front end's loop allows.
void dispatch() {
    g_lastDispatch = std::chrono::steady_clock::now();
    MessagePump pump = installedPump();  // a handler may reinstall it
    if (pump) {
        pump();
    }
}
}  // namespace

namespace detail {
bool g_pumpInstalled = false;
int g_pumpCountdown = kCallsPerClockRead;

void pumpSlowPath() {
    g_pumpCountdown = kCallsPerClockRead;
    if (std::chrono::steady_clock::now() - g_lastDispatch >= kDispatchInterval) {
        dispatch();
    }
}
}  // namespace detail

void installMessagePump(MessagePump pump) {
    installedPump() = std::move(pump);
    detail::g_pumpInstalled = static_cast<bool>(installedPump());
    detail::g_pumpCountdown = kCallsPerClockRead;
}

void pumpMessagesNow() {
    if (detail::g_pumpInstalled) {
        detail::g_pumpCountdown = kCallsPerClockRead;
        dispatch();
    }
}

}  // namespace rankminer
