#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace rankminer {

using Clock = std::chrono::steady_clock;

// A one-shot signal raised by a worker thread and awaited on the job thread.
// set() may be called from any thread; the wake callback, when installed, is
// called once from the setting thread so a front end can wake its event loop.
class WaitSignal {
public:
    void set();
    bool isSet() const;
    // Installs the callback; returns false (and installs nothing) when the
    // signal is already set. The callback must be cleared before it dies.
    bool setWakeCallback(std::function<void()> wake);
    void clearWakeCallback();
    // Blocks the calling thread until set or until the deadline.
    bool blockUntil(Clock::time_point deadline);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
    std::function<void()> wake_;
};

// How the job thread waits: the headless front end blocks; the GUI runs a
// nested event loop so the window stays alive and wakes when the signal is set
// or the deadline passes.
class Waiter {
public:
    virtual ~Waiter() = default;
    // Returns when the signal is set or the deadline has passed.
    virtual void waitFor(WaitSignal& signal, Clock::time_point deadline) = 0;
};

class BlockingWaiter : public Waiter {
public:
    void waitFor(WaitSignal& signal, Clock::time_point deadline) override;
};

// The process's waiter (a BlockingWaiter until a front end installs its own).
// Hold the returned pointer for the whole wait: a dispatched handler may
// install another.
std::shared_ptr<Waiter> currentWaiter();
void installWaiter(std::shared_ptr<Waiter> waiter);

// Waits the given milliseconds in 10-ms slices, dispatching front-end events
// after each slice, until the time has passed or *stopFlag is non-zero.
void pacedWait(long long milliseconds, const int* stopFlag = nullptr);

}  // namespace rankminer
