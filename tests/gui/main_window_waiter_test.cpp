// The GUI's waiter: a nested event loop that ends when a worker sets the
// signal or at the deadline, dispatching the window's events meanwhile.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <thread>

#include "app/qt_waiter.h"
#include "gui_test_env.h"
#include "platform/waiter.h"

namespace rankminer {
namespace {

using namespace std::chrono_literals;

class QtWaiterTest : public ::testing::Test {
protected:
    void SetUp() override { testing::testApplication(); }
    QtWaiter waiter_;
};

TEST_F(QtWaiterTest, WorkerSignalEndsTheWaitLongBeforeTheDeadline) {
    WaitSignal done;
    std::thread worker([&] {
        std::this_thread::sleep_for(20ms);
        done.set();
    });
    waiter_.waitFor(done, Clock::now() + 60s);
    worker.join();
    EXPECT_TRUE(done.isSet());
}

TEST_F(QtWaiterTest, DeadlineEndsTheWaitWithoutTheSignal) {
    WaitSignal never;
    const auto deadline = Clock::now() + 30ms;
    waiter_.waitFor(never, deadline);
    EXPECT_GE(Clock::now(), deadline);
    EXPECT_FALSE(never.isSet());
}

TEST_F(QtWaiterTest, EventsAreDispatchedWhileWaiting) {
    WaitSignal done;
    bool handled = false;
    // A click, a timer, anything the window receives runs during the wait;
    // here the handler itself ends the wait.
    QTimer::singleShot(0, [&] {
        handled = true;
        done.set();
    });
    waiter_.waitFor(done, Clock::now() + 60s);
    EXPECT_TRUE(handled);
}

TEST_F(QtWaiterTest, AlreadySetSignalReturnsAtOnce) {
    WaitSignal done;
    done.set();
    bool dispatched = false;
    QTimer::singleShot(0, [&] { dispatched = true; });
    waiter_.waitFor(done, Clock::now() + 60s);
    EXPECT_FALSE(dispatched);
    QCoreApplication::processEvents();
}

// A wake that arrives after its wait has ended (the worker finished just
// after the deadline) must not end the next wait, whoever's it is.
TEST_F(QtWaiterTest, LateWakeDoesNotEndALaterWait) {
    WaitSignal late;
    std::thread worker([&] {
        std::this_thread::sleep_for(20ms);
        late.set();
    });
    waiter_.waitFor(late, Clock::now() + 1ms);

    WaitSignal never;
    const auto deadline = Clock::now() + 100ms;
    waiter_.waitFor(never, deadline);  // the late wake is dispatched in here
    EXPECT_GE(Clock::now(), deadline);
    worker.join();
    EXPECT_TRUE(late.isSet());
}

// Once the application is quitting, nested loops return at once; a job that
// still waits for its worker (the window was closed during a download) must
// still get the whole wait.
TEST_F(QtWaiterTest, WaitsStayWholeWhileTheApplicationQuits) {
    WaitSignal done;
    bool setWhenReturned = false;
    std::thread worker;
    QTimer::singleShot(0, [&] {
        worker = std::thread([&] {
            std::this_thread::sleep_for(50ms);
            done.set();
        });
        QCoreApplication::exit(0);
        waiter_.waitFor(done, Clock::now() + 60s);
        setWhenReturned = done.isSet();
    });
    QCoreApplication::exec();
    worker.join();
    EXPECT_TRUE(setWhenReturned);
}

}  // namespace
}  // namespace rankminer
