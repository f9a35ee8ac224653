#include "app/qt_waiter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "platform/message_pump.h"

namespace rankminer {

namespace {
// What the worker's wake reaches. The wake may run after the wait has ended
// (WaitSignal calls its copy of the callback outside its lock), so it never
// touches the loop directly: it posts to the application object, and the
// posted call finds the loop gone once the wait is over. Both the posted call
// and the wait run on the GUI thread, so the pointer needs no lock.
struct WaitState {
    QEventLoop* loop = nullptr;
};
}  // namespace

void QtWaiter::waitFor(WaitSignal& signal, Clock::time_point deadline) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        signal.blockUntil(deadline);
        return;
    }
    const auto now = Clock::now();
    if (signal.isSet() || deadline <= now) {
        return;
    }
    QEventLoop loop;
    auto state = std::make_shared<WaitState>();
    state->loop = &loop;
    const bool installed = signal.setWakeCallback([state, app] {
        QMetaObject::invokeMethod(
            app,
            [state] {
                if (state->loop != nullptr) {
                    state->loop->quit();
                }
            },
            Qt::QueuedConnection);
    });
    if (!installed) {
        return;  // set meanwhile
    }
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto remaining =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    constexpr long long kLongestTimer = 24LL * 3600 * 1000;
    timer.start(static_cast<int>(std::clamp<long long>(remaining, 0, kLongestTimer)));
    // The signal may have been set between the check above and the wake's
    // installation being seen; the posted quit covers that case too.
    if (!signal.isSet()) {
        loop.exec();
    }
    state->loop = nullptr;
    signal.clearWakeCallback();
    // Ended by neither the wake nor the deadline: the application is quitting,
    // and from now on every nested loop returns at once. Waiting without
    // dispatching keeps the job's waits as long as they should be rather than
    // turning them into busy loops while the job winds down.
    if (!signal.isSet() && Clock::now() < deadline) {
        signal.blockUntil(deadline);
    }
}

void installQtEventDispatch() {
    installMessagePump([] { QCoreApplication::processEvents(); });
    installWaiter(std::make_shared<QtWaiter>());
}

}  // namespace rankminer
