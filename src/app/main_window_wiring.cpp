#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

#include "app/banner.h"
#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/main_window.h"
#include "app/main_window_jobs.h"
#include "app/main_window_report_list.h"
#include "app/widget_controls.h"
#include "text/gbk.h"

namespace rankminer {

void MainWindow::wireEvents() {
    connect(child<QPushButton>(u"按钮开始采集"), &QPushButton::clicked, this,
            [this] { jobs_->ranking.onStartClicked(); });
    connect(child<QCheckBox>(u"选择框百度排名自动保存"), &QCheckBox::clicked, this,
            &MainWindow::applyRuleA);
    connect(child<QCheckBox>(u"选择框自动保存目录"), &QCheckBox::clicked, this,
            &MainWindow::applyRuleB);
    connect(child<QComboBox>(u"组合框导出模式"), &QComboBox::currentIndexChanged, this,
            &MainWindow::applyRuleC);
    connect(child<QPushButton>(u"按钮保存路径"), &QPushButton::clicked, this,
            &MainWindow::chooseAutoSaveFile);
    wireReportList();
    wireMiningPage();
    wireBrowserPage();
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
    connect(reportView_, &QWidget::customContextMenuRequested, menu,
            [this, menu](QPoint at) { menu->popup(reportView_->viewport()->mapToGlobal(at)); });
}

void MainWindow::wireMiningPage() {
    connect(child<QPushButton>(u"按钮粘贴"), &QPushButton::clicked, this,
            &MainWindow::pasteSeedKeywords);
    connect(child<QPushButton>(u"按钮复制1"), &QPushButton::clicked, this,
            &MainWindow::copyMiningResults);
}

void MainWindow::wireBrowserPage() {
    connect(child<QPushButton>(u"按钮跳到"), &QPushButton::clicked, this, [this] {
        if (const auto* address = child<QLineEdit>(u"编辑框网址")) {
            navigateBrowser(address->text());
        }
    });
}

void MainWindow::wireBanner() {
    connect(banner_, &Banner::saveRequested, this, &MainWindow::saveSettingsWithMessage);
}

void MainWindow::chooseAutoSaveFile() {
    auto* button = child<QPushButton>(u"按钮保存路径");
    QFileDialog dialog(this, QStringLiteral("选择保存到文件的路径："));
    dialog.setObjectName(QStringLiteral("通用对话框1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("文本文件 (*.txt)"), QStringLiteral("csv文件 (*.csv)"),
                           QStringLiteral("全部文件 (*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    const std::string chosenBefore = widgetTag(*button);
    if (!chosenBefore.empty()) {
        dialog.selectFile(toQString(chosenBefore));
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        setWidgetTag(*button, toGbk(dialog.selectedFiles().first()));
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
    static const std::string rankingIdle = gbk("开始采集");
    static const std::string stopping = gbk("停止中");
    const std::string ranking = host_->caption(gbk("按钮开始采集"));
    if (ranking != rankingIdle && ranking != stopping) {
        jobs_->ranking.onStartClicked();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveSettings();
    stopRunningJobs();
    event->accept();
}

}  // namespace rankminer
