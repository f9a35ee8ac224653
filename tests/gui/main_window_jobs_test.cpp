// The start buttons run their jobs inside the click against the loopback
// site, with the window alive: rows arrive in the report list, and a second
// click during the job stops it.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <functional>

#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/main_window_report_list.h"
#include "app/qt_waiter.h"
#include "app/report_model.h"
#include "main_window_fixture.h"
#include "platform/message_pump.h"
#include "platform/waiter.h"
#include "site_simulator/site_simulator.h"
#include "text/gbk.h"

namespace rankminer::testing {
namespace {

class MainWindowJobsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installQtEventDispatch();
        sim::SimulatorOptions options;
        options.rowsPerPage = 5;
        options.defaultPages = 2;
        simulator_ = std::make_unique<sim::SiteSimulator>(options);
        ASSERT_TRUE(simulator_->start());
    }

    void TearDown() override {
        MainWindowTest::TearDown();
        simulator_->stop();
        installMessagePump({});
        installWaiter(nullptr);
    }

    SiteConfig simulatorConfig() const {
        return simulator_->siteConfig(0);  // no pacing pauses
    }

    std::unique_ptr<sim::SiteSimulator> simulator_;
};

TEST_F(MainWindowJobsTest, RankingStartClickCollectsEveryRowIntoTheList) {
    openWindow(simulatorConfig());
    window_->show();
    widget<QLineEdit>(u"编辑框域名")->setText(QStringLiteral("pages2.test"));
    const std::string savePath = dir_.file("ranking.csv");
    widget<QPushButton>(u"按钮保存路径")->setProperty("tag", toQString(savePath));
    auto* start = widget<QPushButton>(u"按钮开始采集");

    QStringList captionsSeen;
    ModalWatcher watcher;
    watcher.onTick = [&] { captionsSeen << start->text(); };
    start->click();  // returns when the job is over

    EXPECT_EQ(start->text().toStdString(), QStringLiteral("开始采集").toStdString());
    EXPECT_TRUE(captionsSeen.contains(QStringLiteral("停止")));
    EXPECT_TRUE(watcher.messages.contains(QStringLiteral("采集完成！")));

    ReportList& list = window_->host().reportList();
    std::vector<sim::RankRow> expected = simulator_->expectedRankRows("pages2.test", 1, false);
    for (const auto& row : simulator_->expectedRankRows("pages2.test", 2, false)) {
        expected.push_back(row);
    }
    ASSERT_EQ(list.rowCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < list.rowCount(); ++row) {
        EXPECT_EQ(list.cellText(row, 1), "pages2.test") << row;
        EXPECT_EQ(list.cellText(row, 2), expected[static_cast<std::size_t>(row)].keyword) << row;
        EXPECT_EQ(list.cellText(row, 3), expected[static_cast<std::size_t>(row)].rank) << row;
    }
    // Every row reached the view too, and the auto-save file took them.
    QCoreApplication::processEvents();
    window_->reportModel().publishPending();
    EXPECT_EQ(widget<QTreeView>(u"超级列表框")->model()->rowCount(), list.rowCount());
    const std::string saved = readFileBytes(savePath);
    EXPECT_NE(saved.find(expected.back().keyword), std::string::npos);
}

TEST_F(MainWindowJobsTest, SecondRankingClickStopsTheJob) {
    openWindow(simulatorConfig());
    window_->show();
    widget<QLineEdit>(u"编辑框域名")->setText(QStringLiteral("pages6.test|pages6.test"));
    widget<QCheckBox>(u"选择框百度排名自动保存")->setChecked(false);
    auto* start = widget<QPushButton>(u"按钮开始采集");
    ReportList& list = window_->host().reportList();

    bool stopClicked = false;
    ModalWatcher watcher;
    watcher.onTick = [&] {
        if (!stopClicked && list.rowCount() > 0) {
            stopClicked = true;
            start->click();  // reaches the running job's handler
        }
    };
    start->click();

    EXPECT_TRUE(stopClicked);
    EXPECT_EQ(start->text().toStdString(), QStringLiteral("开始采集").toStdString());
    EXPECT_GT(list.rowCount(), 0);
    EXPECT_LT(list.rowCount(), 2 * 6 * 5);  // two domains of six pages of five rows
    EXPECT_LT(simulator_->requestCount("/rank/"), 12);
}

// Closing the window while a job runs saves the settings and stops the job,
// so the click handler returns and the process can end.
TEST_F(MainWindowJobsTest, ClosingDuringAJobStopsIt) {
    openWindow(simulatorConfig());
    window_->show();
    widget<QLineEdit>(u"编辑框域名")->setText(QStringLiteral("pages6.test|pages6.test"));
    widget<QCheckBox>(u"选择框百度排名自动保存")->setChecked(false);
    auto* start = widget<QPushButton>(u"按钮开始采集");
    ReportList& list = window_->host().reportList();
    bool closed = false;
    ModalWatcher watcher;
    watcher.onTick = [&] {
        if (!closed && list.rowCount() > 0) {
            closed = true;
            window_->close();
        }
    };
    start->click();

    EXPECT_TRUE(closed);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(start->text().toStdString(), QStringLiteral("开始采集").toStdString());
    EXPECT_LT(list.rowCount(), 2 * 6 * 5);
    EXPECT_NE(readFileBytes(settingsPath_).find("pages6.test|pages6.test"), std::string::npos);
}

TEST_F(MainWindowJobsTest, MiningStartClickWritesEveryRelatedKeywordIntoTheResults) {
    openWindow(simulatorConfig());
    window_->show();
    widget<QPlainTextEdit>(u"编辑框关键词列表")->setPlainText(QStringLiteral("alpha\n挖掘"));
    auto* start = widget<QPushButton>(u"按钮开始挖掘");
    QStringList captionsSeen;
    ModalWatcher watcher;
    watcher.onTick = [&] { captionsSeen << start->text(); };
    start->click();

    EXPECT_EQ(start->text().toStdString(), QStringLiteral("开始挖掘").toStdString());
    EXPECT_TRUE(captionsSeen.contains(QStringLiteral("停止挖掘")));
    const QStringList lines = widget<QPlainTextEdit>(u"编辑框结果关键词")
                                  ->toPlainText()
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    int expectedKeywords = 0;
    for (const std::string& seed : {std::string("alpha"), gbk("挖掘")}) {
        for (int page = 1; page <= 2; ++page) {
            for (const auto& row : sim::expectedMiningRows(seed, page, 5)) {
                if (row.keyword.empty()) {
                    continue;
                }
                ++expectedKeywords;
                EXPECT_TRUE(lines.contains(toQString(row.keyword)))
                    << gbkToUtf8(row.keyword) << " missing";
            }
        }
    }
    EXPECT_GE(lines.size(), expectedKeywords);
    EXPECT_GT(expectedKeywords, 0);
}

TEST_F(MainWindowJobsTest, SecondMiningClickStopsTheJob) {
    openWindow(simulatorConfig());
    window_->show();
    widget<QPlainTextEdit>(u"编辑框关键词列表")
        ->setPlainText(QStringLiteral("bigpages40\nbigpages40\nbigpages40"));
    auto* start = widget<QPushButton>(u"按钮开始挖掘");
    auto* results = widget<QPlainTextEdit>(u"编辑框结果关键词");
    bool stopClicked = false;
    ModalWatcher watcher;
    watcher.onTick = [&] {
        if (!stopClicked && !results->toPlainText().isEmpty()) {
            stopClicked = true;
            start->click();
        }
    };
    start->click();

    EXPECT_TRUE(stopClicked);
    EXPECT_EQ(start->text().toStdString(), QStringLiteral("开始挖掘").toStdString());
    EXPECT_LT(simulator_->requestCount("/kw/"), 3 * 40);
}

}  // namespace
}  // namespace rankminer::testing
