#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

#include "app/banner.h"
#include "app/banner_widgets.h"
#include "app/find_dialog.h"
#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/list_actions.h"
#include "app/main_window.h"
#include "app/main_window_jobs.h"
#include "app/main_window_report_list.h"
#include "app/notes_window.h"
#include "app/shell_actions.h"
#include "app/user_dialogs.h"
#include "app/widget_controls.h"
#include "text/gbk.h"

namespace rankminer {

namespace {
// The maker's web page, opened by the banner's home-page picture and logo.
constexpr const char* kHomePage = "https://www.example.org/rankminer/";
}  // namespace

void MainWindow::wireEvents() {
    connect(child<QPushButton>(u"按钮开始采集"), &QPushButton::clicked, this,
            [this] { jobs_->ranking.onStartClicked(); });
    connect(child<QPushButton>(u"按钮开始挖掘"), &QPushButton::clicked, this,
            [this] { jobs_->mining.onStartClicked(); });
    connect(child<QCheckBox>(u"选择框百度排名自动保存"), &QCheckBox::clicked, this,
            &MainWindow::applyRuleA);
    connect(child<QCheckBox>(u"选择框自动保存目录"), &QCheckBox::clicked, this,
            &MainWindow::applyRuleB);
    connect(child<QComboBox>(u"组合框导出模式"), &QComboBox::currentIndexChanged, this,
            &MainWindow::applyRuleC);
    connect(child<QPushButton>(u"按钮保存路径"), &QPushButton::clicked, this,
            &MainWindow::chooseAutoSaveFile);
    // Export, copy and the row actions; owned by the window.
    actions_ = new ListActions(this, *host_, store_, config_,
                               [this] { return jobs_->mining.state().headerLine; });
    connect(child<QPushButton>(u"按钮导出"), &QPushButton::clicked, actions_,
            &ListActions::exportReportList);
    connect(child<QPushButton>(u"按钮复制"), &QPushButton::clicked, actions_,
            &ListActions::copyReportList);
    connect(child<QPushButton>(u"按钮1"), &QPushButton::clicked, actions_,
            &ListActions::exportMiningResults);
    wireReportList();
    wireMiningPage();
    wireHelpPage();
    wireBanner();
}

void MainWindow::wireReportList() {
    connect(reportView_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { jobs_->sorter.onHeaderClicked(*reportList_, column); });

    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("文件"));
    menu->setTitle(QStringLiteral("文件"));
    const char16_t* const items[] = {u"复制一行", u"查找定位..", u"百度一下", u"访问收录页",
                                     u"清空列表"};
    bool first = true;
    for (const char16_t* item : items) {
        if (!first) {
            menu->addSeparator();
        }
        first = false;
        QAction* action = menu->addAction(QString::fromUtf16(item));
        action->setObjectName(QString::fromUtf16(item));
    }
    auto item = [menu](const char16_t* text) {
        return menu->findChild<QAction*>(QString::fromUtf16(text));
    };
    connect(item(u"复制一行"), &QAction::triggered, actions_, &ListActions::copyRow);
    connect(item(u"查找定位.."), &QAction::triggered, this,
            [this] { showFindDialog(this, *reportList_, store_); });
    connect(item(u"百度一下"), &QAction::triggered, actions_, &ListActions::searchKeyword);
    connect(item(u"访问收录页"), &QAction::triggered, actions_, &ListActions::openRowLink);
    connect(item(u"清空列表"), &QAction::triggered, actions_, &ListActions::clearList);
    connect(reportView_, &QWidget::customContextMenuRequested, menu,
            [this, menu](QPoint at) { menu->popup(reportView_->viewport()->mapToGlobal(at)); });
}

void MainWindow::wireMiningPage() {
    connect(child<QPushButton>(u"按钮粘贴"), &QPushButton::clicked, this,
            &MainWindow::pasteSeedKeywords);
    connect(child<QPushButton>(u"按钮复制1"), &QPushButton::clicked, this,
            &MainWindow::copyMiningResults);
    auto* chooser = child<QPushButton>(u"按钮选择");
    connect(chooser, &QPushButton::clicked, this, [this] {
        auto* folder = child<QLineEdit>(u"编辑框目录");
        const QString chosen = chooseFolder(folder->text());
        if (!chosen.isEmpty()) {
            folder->setText(chosen);
        }
    });
    // The right button going down opens the folder (the click is the left's).
    chooser->installEventFilter(this);
}

void MainWindow::wireHelpPage() {
    connect(child<LinkLabel>(u"超级链接框2"), &LinkLabel::clicked, this,
            [this] { openTarget(toQString(config_.rankUrl)); });
    connect(child<LinkLabel>(u"超级链接框3"), &LinkLabel::clicked, this,
            [this] { openTarget(toQString(config_.keywordUrl)); });
    connect(child<QPushButton>(u"按钮3"), &QPushButton::clicked, this,
            [this] { clearSiteCache(this); });
}

void MainWindow::wireBanner() {
    connect(banner_, &Banner::saveRequested, this, &MainWindow::saveSettingsWithMessage);
    connect(banner_, &Banner::notesRequested, this, [this] { showNotesWindow(this); });
    connect(banner_, &Banner::homePageRequested, this,
            [] { openTarget(QString::fromLatin1(kHomePage)); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The tab control sizes a page when it lays it out (late for a hidden
    // window, and only on showing for a page not in front), so the list
    // follows its page's own size changes. The sign-in page lays itself out.
    if (event->type() == QEvent::MouseButtonPress && watched == child<QWidget>(u"按钮选择") &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (const auto* folder = child<QLineEdit>(u"编辑框目录")) {
            openFolderInFileManager(folder->text());
        }
        return true;
    }
    if (event->type() == QEvent::Resize) {
        if (watched == reportView_->parentWidget()) {
            fitReportList();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::chooseAutoSaveFile() {
    // The window's one save dialog, starting from the file chosen before.
    auto* button = child<QPushButton>(u"按钮保存路径");
    SaveDialogState& dialog = sharedSaveDialog();
    const std::string chosenBefore = widgetTag(*button);
    if (!chosenBefore.empty()) {
        dialog.fileName = toQString(chosenBefore);
    }
    const QString chosen = userDialogs().askSavePath(this, dialog);
    if (!chosen.isEmpty()) {
        setWidgetTag(*button, toGbk(chosen));
    }
}

void MainWindow::pasteSeedKeywords() {
    // The clipboard's text as the program's own text would hold it: what GBK
    // cannot hold does not survive, as with any text the program reads.
    const QString pasted = QGuiApplication::clipboard()->text();
    if (auto* seeds = child<QPlainTextEdit>(u"编辑框关键词列表")) {
        seeds->setPlainText(toQStringLines(toGbkLines(pasted)));
    }
}

void MainWindow::copyMiningResults() {
    if (const auto* results = child<QPlainTextEdit>(u"编辑框结果关键词")) {
        QGuiApplication::clipboard()->setText(toQString(toGbkLines(results->toPlainText())));
    }
}

void MainWindow::stopRunningJobs() {
    // A job still running gets the stop request its button would give it, so
    // the process does not go on collecting behind a closed window.
    static const std::string rankingIdle = gbk("开始采集");
    static const std::string miningIdle = gbk("开始挖掘");
    static const std::string stopping = gbk("停止中");
    const std::string ranking = host_->caption(gbk("按钮开始采集"));
    if (ranking != rankingIdle && ranking != stopping) {
        jobs_->ranking.onStartClicked();
    }
    const std::string mining = host_->caption(gbk("按钮开始挖掘"));
    if (mining != miningIdle && mining != stopping) {
        jobs_->mining.onStartClicked();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveSettings();
    stopRunningJobs();
    event->accept();
}

}  // namespace rankminer
