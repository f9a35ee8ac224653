#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>

#include "app/banner.h"
#include "app/main_window.h"

namespace rankminer {

namespace {
// What column "网页标题" keeps when the list is too narrow for the others.
constexpr int kMinimumTitleWidth = 60;
// Room the list leaves beside its columns for the frame and scroll bar.
constexpr int kColumnSlack = 10;
}  // namespace

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyResizeRule();
}

void MainWindow::applyResizeRule() {
    const int clientWidth = width();
    const int clientHeight = height();
    const int statusHeight = statusBar_->sizeHint().height();
    statusBar_->setGeometry(0, clientHeight - statusHeight, clientWidth, statusHeight);
    banner_->resize(clientWidth, banner_->height());
    separator_->resize(clientWidth, separator_->height());
    tabs_->resize(clientWidth, std::max(0, clientHeight - tabs_->y() - statusHeight));
    fitReportList();
}

void MainWindow::fitReportList() {
    // The list keeps equal margins left, right and below within its page.
    const QRect list = reportView_->geometry();
    const QSize page = reportView_->parentWidget()->size();
    reportView_->resize(std::max(0, page.width() - 2 * list.x()),
                        std::max(0, page.height() - list.y() - list.x()));

    // Only "网页标题" (the second-to-last column) takes up the spare width.
    QHeaderView* header = reportView_->header();
    const int titleColumn = header->count() - 2;
    if (titleColumn < 0) {
        return;
    }
    int others = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (column != titleColumn) {
            others += header->sectionSize(column);
        }
    }
    const int spare = reportView_->width() - others - kColumnSlack;
    header->resizeSection(titleColumn, std::max(kMinimumTitleWidth, spare));
}

}  // namespace rankminer
