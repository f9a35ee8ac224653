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

    // The tab control lays out only its current page, and a hidden window
    // gets its resize events late: size every page now so the rule below
    // measures against the new page whichever page is showing.
    QResizeEvent relayout(tabs_->size(), tabs_->size());
    QCoreApplication::sendEvent(tabs_, &relayout);
    QWidget* rankingPage = reportView_->parentWidget();
    if (QWidget* stack = rankingPage->parentWidget()) {
        for (int page = 0; page < tabs_->count(); ++page) {
            tabs_->widget(page)->resize(stack->size());
        }
    }

    // The list keeps equal margins left, right and below within its page.
    const QRect list = reportView_->geometry();
    const QSize page = rankingPage->size();
    reportView_->resize(std::max(0, page.width() - 2 * list.x()),
                        std::max(0, page.height() - list.y() - list.x()));

    // Only "网页标题" (the second-to-last column) takes up the spare width.
    QHeaderView* header = reportView_->header();
    const int titleColumn = header->count() - 2;
    if (titleColumn >= 0) {
        int others = 0;
        for (int column = 0; column < header->count(); ++column) {
            if (column != titleColumn) {
                others += header->sectionSize(column);
            }
        }
        const int spare = reportView_->width() - others - kColumnSlack;
        header->resizeSection(titleColumn, std::max(kMinimumTitleWidth, spare));
    }

    // The sign-in page: address box and browser reach the page's right edge
    // and the browser its bottom, 10 pixels short of each.
    if (browser_ != nullptr) {
        const QSize browserPage = browser_->parentWidget()->size();
        if (auto* address = child<QLineEdit>(u"编辑框网址")) {
            address->resize(std::max(0, browserPage.width() - address->x() - 10),
                            address->height());
        }
        browser_->resize(std::max(0, browserPage.width() - browser_->x() - 10),
                         std::max(0, browserPage.height() - browser_->y() - 10));
    }
}

}  // namespace rankminer
