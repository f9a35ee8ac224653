#pragma once

// How the core waits for its fetch workers inside the GUI: a nested event
// loop, so the window keeps painting and a second click on a start button
// reaches its handler while a page downloads.

#include "platform/waiter.h"

namespace rankminer {

class QtWaiter : public Waiter {
public:
    // Runs the GUI thread's events until the signal is set (the worker's wake
    // is posted to this thread) or the deadline passes.
    void waitFor(WaitSignal& signal, Clock::time_point deadline) override;
};

// Installs Qt's event processing as the core's message pump and a QtWaiter
// as its waiter. Call on the GUI thread once the QApplication exists.
void installQtEventDispatch();

}  // namespace rankminer
