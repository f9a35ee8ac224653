#include <QEvent>

#include "app/banner.h"
#include "app/gui_job_host.h"
#include "app/main_window.h"
#include "platform/message_pump.h"
#include "platform/waiter.h"

namespace rankminer {

void MainWindow::startTimers() {
    userPageTimer_.setInterval(kUserPageRefreshMs);
    connect(&userPageTimer_, &QTimer::timeout, this, &MainWindow::refreshUserPage);
    userPageTimer_.start();
    logoTimer_.setInterval(kLogoStepMs);
    connect(&logoTimer_, &QTimer::timeout, banner_, &Banner::stepLogo);
    logoTimer_.start();
}

void MainWindow::refreshUserPage() {
    // Visiting the user page twice keeps a signed-in session warm even when
    // the first visit only followed a redirect.
    const std::string userPage = config_.userPage();
    host_->setBrowserAddress(userPage);
    pumpMessagesNow();
    pacedWait(500);
    host_->setBrowserAddress(userPage);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activatedOnce_) {
        activatedOnce_ = true;
        // Not inside the activation itself: the refresh dispatches events.
        QTimer::singleShot(0, this, &MainWindow::refreshUserPage);
    }
    return QWidget::event(event);
}

}  // namespace rankminer
