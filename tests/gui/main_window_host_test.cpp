// The window as a job sees it (controls by design name, GBK texts), and the
// window's own small handlers: header sort, pop-up menu, clipboard buttons,
// user-page refresh and the banner logo.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "app/banner.h"
#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/report_model.h"
#include "main_window_fixture.h"
#include "text/gbk.h"

namespace rankminer::testing {
namespace {

TEST_F(MainWindowTest, HostReadsAndWritesControlsByDesignName) {
    openWindow();
    JobHost& host = window_->host();
    EXPECT_EQ(host.controlText(gbk("编辑框域名")), "example.com|example.net");
    EXPECT_EQ(host.caption(gbk("按钮开始采集")), gbk("开始采集"));
    EXPECT_EQ(host.controlText(gbk("没有这个控件")), "");
    EXPECT_FALSE(host.isChecked(gbk("没有这个控件")));
    EXPECT_EQ(host.selectedIndex(gbk("没有这个控件")), -1);

    host.setCaption(gbk("按钮开始采集"), gbk("停止"));
    EXPECT_EQ(widget<QPushButton>(u"按钮开始采集")->text(), QStringLiteral("停止"));
    EXPECT_TRUE(host.isChecked(gbk("选择框转换百度链接")));
    widget<QComboBox>(u"组合框排序")->setCurrentIndex(2);
    EXPECT_EQ(host.selectedIndex(gbk("组合框排序")), 2);

    host.setTagText(gbk("按钮保存路径"), gbk("/数据/排名.csv"));
    EXPECT_EQ(widget<QPushButton>(u"按钮保存路径")->property("tag").toString(),
              QStringLiteral("/数据/排名.csv"));
    EXPECT_EQ(host.tagText(gbk("按钮保存路径")), gbk("/数据/排名.csv"));
}

TEST_F(MainWindowTest, HostKeepsCrLfLinesOfTheResultsBoxAndAppendsToThem) {
    openWindow();
    JobHost& host = window_->host();
    const std::string box = gbk("编辑框结果关键词");
    host.setControlText(box, gbk("词一\r\n"));
    auto* results = widget<QPlainTextEdit>(u"编辑框结果关键词");
    results->moveCursor(QTextCursor::Start);
    host.appendControlText(box, gbk("词二,12\r\n"));
    host.appendControlText(box, gbk("词三\r\n"));
    EXPECT_EQ(results->toPlainText(), QStringLiteral("词一\n词二,12\n词三\n"));
    EXPECT_EQ(host.controlText(box), gbk("词一\r\n词二,12\r\n词三\r\n"));
    EXPECT_EQ(results->textCursor().position(), 0) << "the user's caret moved";
}

TEST_F(MainWindowTest, HostSetsStatusTabAndBrowserAddress) {
    openWindow();
    JobHost& host = window_->host();
    host.setStatusText(gbk("正在采集第1页"));
    EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("状态条文本"))->text(),
              QStringLiteral("正在采集第1页"));
    auto* tabs = widget<QTabWidget>(u"选择夹");
    host.selectTabPage(2);
    EXPECT_EQ(tabs->currentIndex(), 2);
    host.selectTabPage(7);
    EXPECT_EQ(tabs->currentIndex(), 2);
    // Without the browser engine the address box shows where it would go.
    host.setBrowserAddress("http://127.0.0.1:9/limit.php");
    EXPECT_EQ(widget<QLineEdit>(u"编辑框网址")->text(),
              QStringLiteral("http://127.0.0.1:9/limit.php"));
}

TEST_F(MainWindowTest, HostMessageBoxTitlesButtonsAndAnswers) {
    openWindow();
    window_->show();
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    auto answer = [&](QMessageBox::StandardButton with) {
        QTimer::singleShot(0, [&, with] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(with)->click();
        });
    };
    JobHost& host = window_->host();
    answer(QMessageBox::Ok);
    EXPECT_EQ(host.messageBox(gbk("采集完成！")), MessageAnswer::Ok);
    EXPECT_EQ(title, QStringLiteral("信息："));
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(icon, QMessageBox::NoIcon);

    answer(QMessageBox::Cancel);
    EXPECT_EQ(host.messageBox(gbk("换IP？"), MessageButtons::OkCancel, MessageIcon::Warning,
                              gbk("青杞：")),
              MessageAnswer::Cancel);
    EXPECT_EQ(title, QStringLiteral("青杞："));
    EXPECT_EQ(buttons, 2);
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST_F(MainWindowTest, HeaderClicksSortAscendingThenDescending) {
    openWindow();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ReportList& list = window_->host().reportList();
    for (const char* serial : {"3", "10", "2"}) {
        list.appendRow(serial);
    }
    window_->reportModel().publishPending();
    QHeaderView* header = widget<QTreeView>(u"超级列表框")->header();
    const QPoint firstColumn(header->sectionViewportPosition(0) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, firstColumn);
    EXPECT_EQ(list.cellText(0, 0) + "," + list.cellText(1, 0) + "," + list.cellText(2, 0),
              "2,3,10");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, firstColumn);
    EXPECT_EQ(list.cellText(0, 0) + "," + list.cellText(1, 0) + "," + list.cellText(2, 0),
              "10,3,2");
}

TEST_F(MainWindowTest, RightClickOnTheListPopsUpTheMenu) {
    openWindow();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    auto* list = widget<QTreeView>(u"超级列表框");
    emit list->customContextMenuRequested(QPoint(20, 20));
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->objectName(), QStringLiteral("文件"));
    popup->close();
}

TEST_F(MainWindowTest, PasteReplacesTheSeedsAndCopyTakesTheResults) {
    openWindow();
    QGuiApplication::clipboard()->setText(QStringLiteral("词甲\r\n词乙"));
    widget<QPushButton>(u"按钮粘贴")->click();
    EXPECT_EQ(widget<QPlainTextEdit>(u"编辑框关键词列表")->toPlainText(),
              QStringLiteral("词甲\n词乙"));

    widget<QPlainTextEdit>(u"编辑框结果关键词")->setPlainText(QStringLiteral("a,1\nb,2\n"));
    widget<QPushButton>(u"按钮复制1")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a,1\r\nb,2\r\n"));
}

TEST_F(MainWindowTest, UserPageRefreshPointsTheBrowserAtTheUserPage) {
    SiteConfig config = SiteConfig::defaults();
    config.siteUrl = "http://127.0.0.1:9/";
    openWindow(config);
    widget<QLineEdit>(u"编辑框网址")->setText(QStringLiteral("http://127.0.0.1:9/other"));
    window_->refreshUserPage();
    EXPECT_EQ(widget<QLineEdit>(u"编辑框网址")->text(),
              QStringLiteral("http://127.0.0.1:9/user.php"));
    EXPECT_TRUE(window_->userPageTimer().isActive());
    EXPECT_EQ(window_->userPageTimer().interval(), 60000);
}

// The first activation shows the user page at once, without waiting a
// minute for the refresh timer.
TEST_F(MainWindowTest, FirstActivationVisitsTheUserPage) {
    SiteConfig config = SiteConfig::defaults();
    config.siteUrl = "http://127.0.0.1:9/";
    openWindow(config);
    auto* address = widget<QLineEdit>(u"编辑框网址");
    address->setText(QStringLiteral("about:blank"));
    window_->show();
    window_->activateWindow();
    QTRY_COMPARE(address->text(), QStringLiteral("http://127.0.0.1:9/user.php"));
}

// The logo wanders between the fixed pictures and the right edge, one pixel
// a tick, turning within 20 pixels of either end.
TEST_F(MainWindowTest, LogoTurnsAtBothEndsOfItsWay) {
    openWindow();
    window_->logoTimer().stop();
    Banner& banner = window_->banner();
    QWidget& logo = banner.logo();
    const int leftEnd = banner.fixedPicturesRight() + Banner::kTurnDistance;
    const int rightEnd = banner.width() - Banner::kTurnDistance;
    int lowest = logo.x();
    int highest = logo.x() + logo.width();
    int turns = 0;
    bool right = banner.logoMovingRight();
    for (int tick = 0; tick < 2000; ++tick) {
        const int before = logo.x();
        banner.stepLogo();
        ASSERT_EQ(std::abs(logo.x() - before), 1);
        lowest = std::min(lowest, logo.x());
        highest = std::max(highest, logo.x() + logo.width());
        if (banner.logoMovingRight() != right) {
            right = banner.logoMovingRight();
            ++turns;
        }
    }
    EXPECT_GE(turns, 4);
    EXPECT_EQ(lowest, leftEnd);
    EXPECT_EQ(highest, rightEnd);
    EXPECT_EQ(window_->logoTimer().interval(), 20);
}

}  // namespace
}  // namespace rankminer::testing
