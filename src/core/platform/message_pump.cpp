#include "platform/message_pump.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace rankminer {

namespace detail {
std::atomic<bool> g_pumpDue{false};
}  // namespace detail

namespace {
// The least time between two dispatches.
constexpr auto kDispatchInterval = std::chrono::milliseconds(4);

MessagePump& installedPump() {
    static MessagePump pump;
    return pump;
}

std::chrono::steady_clock::time_point g_lastDispatch;

// Raises the due flag every dispatch interval while a pump is installed. Once
// raised it waits for a loop to take it down, so an idle program does not
// wake every few milliseconds.
class Ticker {
public:
    Ticker() = default;
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;
    ~Ticker() { stop(); }

    void start() {
        if (thread_.joinable()) {
            return;
        }
        stopping_ = false;
        thread_ = std::thread([this] { run(); });
    }

    void stop() {
        if (!thread_.joinable()) {
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_one();
        thread_.join();
        detail::g_pumpDue.store(false, std::memory_order_relaxed);
    }

    // Called by the loop's thread when it took the flag down.
    void taken() {
        {
            const std::lock_guard lock(mutex_);
            detail::g_pumpDue.store(false, std::memory_order_relaxed);
        }
        changed_.notify_one();
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            if (changed_.wait_for(lock, kDispatchInterval, [this] { return stopping_; })) {
                break;
            }
            detail::g_pumpDue.store(true, std::memory_order_relaxed);
            changed_.wait(lock, [this] {
                return stopping_ || !detail::g_pumpDue.load(std::memory_order_relaxed);
            });
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    std::thread thread_;
};

Ticker& ticker() {
    static Ticker instance;
    return instance;
}

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
void pumpSlowPath() {
    ticker().taken();
    if (installedPump() && std::chrono::steady_clock::now() - g_lastDispatch >= kDispatchInterval) {
        dispatch();
    }
}
}  // namespace detail

void installMessagePump(MessagePump pump) {
    installedPump() = std::move(pump);
    if (installedPump()) {
        ticker().start();
    } else {
        ticker().stop();
    }
}

void pumpMessagesNow() {
    if (installedPump()) {
        if (detail::g_pumpDue.load(std::memory_order_relaxed)) {
            ticker().taken();
        }
        dispatch();
    }
}

}  // namespace rankminer
