#include "app/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>

#include "app/banner.h"
#include "app/browser_page.h"
#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/main_window_controls.h"
#include "app/main_window_jobs.h"
#include "app/main_window_report_list.h"
#include "app/report_model.h"
#include "mining/output_files.h"

namespace rankminer {

namespace {
constexpr int kTabTop = Banner::kHeight + 2;
}  // namespace

MainWindow::MainWindow(SettingsStore& store, SiteConfig config, QWidget* parent)
    : QWidget(parent),
      store_(store),
      config_(std::move(config)),
      model_(std::make_unique<ReportModel>()) {
    setObjectName(QStringLiteral("主界面"));
    setWindowTitle(QStringLiteral("RankMiner " RANKMINER_VERSION));
    resize(kDesignWidth, kDesignHeight);
    setMinimumSize(640, 420);

    banner_ = new Banner(this);
    banner_->setGeometry(0, 0, kDesignWidth, Banner::kHeight);
    separator_ = new QLabel(this);
    separator_->setObjectName(QStringLiteral("标签9"));
    separator_->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator_->setGeometry(0, Banner::kHeight, kDesignWidth, 2);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("选择夹"));
    tabs_->move(0, kTabTop);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("状态条"));
    statusBar_->setSizeGripEnabled(true);
    statusText_ = new QLabel(statusBar_);
    statusText_->setObjectName(QStringLiteral("状态条文本"));
    statusBar_->addWidget(statusText_, 1);

    buildPages();
    reportList_ = std::make_unique<GuiReportList>(*model_, *reportView_);
    host_ = std::make_unique<GuiJobHost>(*this, *reportList_, *statusText_, *tabs_);
    host_->setNavigator([this](const QString& url) { navigateBrowser(url); });
    jobs_ = std::make_unique<MainWindowJobs>(*host_, config_);

    wireEvents();
    startTimers();

    // "Created": the stored states replace the design defaults, then the
    // enabled states follow the restored check boxes and drop-down list.
    restoreSettings();
    applyRuleA();
    applyRuleB();
    applyRuleC();
    applyRuleB();
    applyResizeRule();
}

MainWindow::~MainWindow() {
    userPageTimer_.stop();
    logoTimer_.stop();
}

void MainWindow::buildPages() {
    const QString pageNames[] = {QStringLiteral("百度排名"), QStringLiteral("关键词挖掘"),
                                 QStringLiteral("登录榕查"), QStringLiteral("无法获取数据请看")};
    browser_ = new BrowserPage(nullptr, config_);
    QWidget* pages[4] = {new QWidget, new QWidget, browser_, new QWidget};
    for (int i = 0; i < 4; ++i) {
        tabs_->addTab(pages[i], pageNames[i]);
    }
    reportView_ = buildRankingPage(*pages[0], *model_);
    buildMiningPage(*pages[1], toQString(defaultMiningDirectory()));
    buildHelpPage(*pages[3]);
    pages[0]->installEventFilter(this);
}

void MainWindow::navigateBrowser(const QString& url) {
    browser_->navigate(url);
}

}  // namespace rankminer
