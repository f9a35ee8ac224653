#include "platform/waiter.h"

#include "platform/message_pump.h"

namespace rankminer {

void WaitSignal::set() {
    std::function<void()> wake;
    {
        std::lock_guard lock(mutex_);
        if (set_) {
            return;
        }
        set_ = true;
        wake = wake_;
    }
    changed_.notify_all();
    if (wake) {
        wake();
    }
}

bool WaitSignal::isSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

bool WaitSignal::setWakeCallback(std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    if (set_) {
        return false;
    }
    wake_ = std::move(wake);
    return true;
}

void WaitSignal::clearWakeCallback() {
    std::lock_guard lock(mutex_);
    wake_ = nullptr;
}

bool WaitSignal::blockUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return changed_.wait_until(lock, deadline, [this] { return set_; });
}

void BlockingWaiter::waitFor(WaitSignal& signal, Clock::time_point deadline) {
    signal.blockUntil(deadline);
}

namespace {
std::shared_ptr<Waiter>& installed() {
    static std::shared_ptr<Waiter> waiter = std::make_shared<BlockingWaiter>();
    return waiter;
}
}  // namespace

std::shared_ptr<Waiter> currentWaiter() {
    return installed();
}

void installWaiter(std::shared_ptr<Waiter> waiter) {
    installed() = waiter ? std::move(waiter) : std::make_shared<BlockingWaiter>();
}

void pacedWait(long long milliseconds, const int* stopFlag) {
    constexpr auto kSlice = std::chrono::milliseconds(10);
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end) {
        if (stopFlag != nullptr && *stopFlag != 0) {
            return;
        }
        WaitSignal never;
        // Keep the waiter alive even if a dispatched handler installs another.
        std::shared_ptr<Waiter> keep = installed();
        keep->waitFor(never, std::min(end, Clock::now() + kSlice));
        pumpMessagesNow();
    }
}

}  // namespace rankminer
