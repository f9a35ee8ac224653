#pragma once

// The main window: banner, the tab control with its four pages, the status bar
// and the report list. The window owns the jobs and the job host; handlers run
// on the GUI thread and jobs keep it alive by dispatching events.

#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "platform/site_config.h"

class QLabel;
class QStatusBar;
class QTabWidget;
class QTreeView;

namespace rankminer {

class Banner;
class BrowserPage;
class ListActions;
class GuiJobHost;
class GuiReportList;
class ReportModel;
class SettingsStore;
struct MainWindowJobs;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDesignWidth = 990;
    static constexpr int kDesignHeight = 602;
    static constexpr int kUserPageRefreshMs = 60000;
    static constexpr int kLogoStepMs = 20;

    // Builds every control with its design default, then restores the stored
    // states from the store's section "主界面" and derives the enabled states.
    MainWindow(SettingsStore& store, SiteConfig config, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Stores every control's state into the section "主界面".
    void saveSettings();
    void restoreSettings();
    // The enabling rules: A (auto-save file button), B (mining output folder
    // controls), C (line template box).
    void applyRuleA();
    void applyRuleB();
    void applyRuleC();
    // The resize rule; runs on every size change.
    void applyResizeRule();
    // Points the sign-in browser at the site's user page, twice, half a second
    // apart (the refresh timer's tick).
    void refreshUserPage();

    // The controls in control order: the settings file holds their keys in
    // the reverse of this order.
    std::vector<QWidget*> persistedControls() const;

    GuiJobHost& host() { return *host_; }
    GuiReportList& reportList() { return *reportList_; }
    ReportModel& reportModel() { return *model_; }
    Banner& banner() { return *banner_; }
    QTimer& userPageTimer() { return userPageTimer_; }
    QTimer& logoTimer() { return logoTimer_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPages();
    void wireEvents();
    void wireReportList();
    void wireBanner();
    void wireMiningPage();
    void wireHelpPage();
    void startTimers();
    void fitReportList();
    void stopRunningJobs();
    void navigateBrowser(const QString& url);
    void chooseAutoSaveFile();
    void pasteSeedKeywords();
    void copyMiningResults();
    void saveSettingsWithMessage();
    template <typename T>
    T* child(const char16_t* name) const;

    SettingsStore& store_;
    SiteConfig config_;
    std::unique_ptr<ReportModel> model_;
    Banner* banner_ = nullptr;
    QLabel* separator_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusText_ = nullptr;
    QTreeView* reportView_ = nullptr;
    BrowserPage* browser_ = nullptr;
    ListActions* actions_ = nullptr;
    std::unique_ptr<GuiReportList> reportList_;
    std::unique_ptr<GuiJobHost> host_;
    std::unique_ptr<MainWindowJobs> jobs_;
    QTimer userPageTimer_;
    QTimer logoTimer_;
    bool activatedOnce_ = false;
};

template <typename T>
T* MainWindow::child(const char16_t* name) const {
    return findChild<T*>(QString::fromUtf16(name));
}

}  // namespace rankminer
