#include "platform/message_pump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/waiter.h"

namespace rankminer {
namespace {

TEST(MessagePump, DispatchesAtMostEveryFewMilliseconds) {
    int dispatched = 0;
    installMessagePump([&] { ++dispatched; });
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5'000'000; ++i) {
        pumpMessages();
    }
    const auto elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    installMessagePump(nullptr);
    // At most one dispatch per 4 ms of loop time (plus the first one).
    EXPECT_LE(dispatched, elapsedMs / 4 + 2);
}

TEST(MessagePump, ReachesTheFrontEndDuringALongLoop) {
    int dispatched = 0;
    installMessagePump([&] { ++dispatched; });
    // A busy loop that only calls pumpMessages() must reach the front end
    // again and again; the deadline only guards against a hang.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (dispatched < 3 && std::chrono::steady_clock::now() < deadline) {
        pumpMessages();
    }
    installMessagePump(nullptr);
    EXPECT_GE(dispatched, 3);
}

TEST(PacedWait, WaitsTheTimeAndPumpsAfterEverySlice) {
    int dispatched = 0;
    installMessagePump([&] { ++dispatched; });
    const auto start = std::chrono::steady_clock::now();
    pacedWait(50);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    installMessagePump(nullptr);
    EXPECT_GE(elapsed, std::chrono::milliseconds(50));
    EXPECT_GE(dispatched, 4);
}

TEST(PacedWait, EndsWhenTheFlagIsSet) {
    int flag = 0;
    int dispatched = 0;
    installMessagePump([&] {
        if (++dispatched == 2) {
            flag = 1;
        }
    });
    const auto start = std::chrono::steady_clock::now();
    pacedWait(10'000, &flag);
    installMessagePump(nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(WaitSignal, WakesABlockedWaiterFromAnotherThread) {
    WaitSignal signal;
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        signal.set();
    });
    BlockingWaiter waiter;
    waiter.waitFor(signal, Clock::now() + std::chrono::seconds(10));
    worker.join();
    EXPECT_TRUE(signal.isSet());
}

}  // namespace
}  // namespace rankminer
