#pragma once

// A main window on a settings file of its own in a temporary folder, without
// the browser engine, for the window's tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "gui_test_env.h"
#include "platform/site_config.h"
#include "settings/settings_store.h"
#include "support/bytes.h"

namespace rankminer::testing {

// Answers every message box the window opens, keeping their texts, and runs
// a hook on every tick while a job pumps events.
class ModalWatcher {
public:
    ModalWatcher() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }
    std::function<void()> onTick;
    QStringList messages;

private:
    void tick() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
            return;
        }
        if (onTick) {
            onTick();
        }
    }
    QTimer timer_;
};

class MainWindowTest : public ::testing::Test {
protected:
    // The application exists before any member of a derived fixture.
    MainWindowTest() {
        // The browser engine is heavy and not what these tests are about.
        qputenv("RANKMINER_NO_BROWSER", "1");
        testApplication();
    }

    void SetUp() override { settingsPath_ = dir_.file("RankMiner.ini"); }

    void TearDown() override {
        window_.reset();
        store_.reset();
    }

    // A window over a freshly opened store on the settings file, as at start-up.
    MainWindow& openWindow(SiteConfig config = SiteConfig::defaults()) {
        window_.reset();
        store_ = std::make_unique<SettingsStore>();
        store_->open(settingsPath_);
        window_ = std::make_unique<MainWindow>(*store_, std::move(config));
        return *window_;
    }

    // Closes the window the way the user does (the close handler saves) and
    // releases the store, which closes the file.
    void closeWindow() {
        if (window_) {
            window_->close();
        }
        window_.reset();
        store_.reset();
    }

    template <typename T>
    T* widget(const char16_t* name) const {
        return window_->findChild<T*>(QString::fromUtf16(name));
    }

    TempDir dir_;
    std::string settingsPath_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace rankminer::testing
