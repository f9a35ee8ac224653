// The window under input nobody should give it: a settings file of binary
// garbage or of 50 MB at start-up, empty and binary lists in the boxes, seeds
// with control characters, a mining folder that is a file. The window must
// open, the jobs must end with their message, and no mined line may be lost.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/qt_waiter.h"
#include "main_window_fixture.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/report_list.h"
#include "platform/waiter.h"
#include "site_simulator/site_simulator.h"
#include "text/gbk.h"

namespace rankminer::testing {
namespace {

constexpr int kRowsPerPage = 5;

class BadInputTest : public MainWindowTest {
public:
    using MainWindowTest::dir_;
    using MainWindowTest::widget;
    using MainWindowTest::window_;

    void SetUp() override {
        MainWindowTest::SetUp();
        installQtEventDispatch();
        sim::SimulatorOptions options;
        options.rowsPerPage = kRowsPerPage;
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

    // Clicks the start button and answers every message box; returns their
    // texts once the job is over.
    QStringList runJob(const char16_t* startButton, std::function<void()> onTick = {}) {
        ModalWatcher watcher;
        watcher.onTick = std::move(onTick);
        widget<QPushButton>(startButton)->click();
        return watcher.messages;
    }

    void noPauses() const {
        widget<QLineEdit>(u"编辑框页间隔")->setText(QStringLiteral("0"));
        widget<QLineEdit>(u"编辑框关键词间隔")->setText(QStringLiteral("0"));
    }

    QString resultsText() const {
        return widget<QPlainTextEdit>(u"编辑框结果关键词")->toPlainText();
    }

    std::unique_ptr<sim::SiteSimulator> simulator_;
};

// The results box's lines for the seeds, keyword only.
QString expectedKeywords(const std::vector<std::string>& seeds) {
    QString text;
    for (const std::string& seed : seeds) {
        for (int page = 1; page <= sim::miningPageCount(seed, 2); ++page) {
            for (const auto& row : sim::expectedMiningRows(seed, page, kRowsPerPage)) {
                text += toQString(row.keyword.empty() && page == 1 ? seed : row.keyword) +
                        QLatin1Char('\n');
            }
        }
    }
    return text;
}

std::string garbageBytes(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

struct BadInputCase {
    const char* name;
    // Bytes of the settings file before the window opens; empty: no file.
    std::function<std::string()> settings;
    // Fills the boxes, runs the job if any, and checks what the window shows.
    std::function<void(BadInputTest&)> act;
};

void PrintTo(const BadInputCase& c, std::ostream* os) {
    *os << c.name;
}

class BadInputCases : public BadInputTest, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(BadInputCases, WindowOpensAndTheJobEndsWithItsMessage) {
    if (const std::string bytes = GetParam().settings ? GetParam().settings() : std::string();
        !bytes.empty()) {
        ASSERT_TRUE(writeWholeFile(settingsPath_, bytes));
    }
    openWindow(simulatorConfig());
    window_->show();
    GetParam().act(*this);
    // Whatever was read, the file the window leaves behind starts it again
    // with the state it closed with.
    widget<QLineEdit>(u"编辑框扩展名")->setText(QStringLiteral("kept"));
    closeWindow();
    openWindow(simulatorConfig());
    EXPECT_EQ("kept", widget<QLineEdit>(u"编辑框扩展名")->text().toStdString());
}

// The window as a first start shows it.
void expectDefaults(BadInputTest& t) {
    EXPECT_EQ("example.com|example.net", t.widget<QLineEdit>(u"编辑框域名")->text().toStdString());
    EXPECT_EQ(QStringLiteral("csv").toStdString(),
              t.widget<QLineEdit>(u"编辑框扩展名")->text().toStdString());
    EXPECT_EQ(QStringLiteral("开始采集").toStdString(),
              t.widget<QPushButton>(u"按钮开始采集")->text().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, BadInputCases,
    ::testing::Values(
        BadInputCase{"GarbageSettingsFile", [] { return garbageBytes(64 * 1024); },
                     [](BadInputTest& t) { expectDefaults(t); }},
        // A real section and key first, then 50 MB of lines nobody wrote.
        BadInputCase{"FiftyMegabyteSettingsFile",
                     [] {
                         std::string bytes = gbk("[主界面]\r\n编辑框扩展名=txt\r\n");
                         const std::string line = "junk=" + std::string(90, 'x') + "\r\n";
                         while (bytes.size() < 50u * 1024 * 1024) {
                             bytes += line;
                         }
                         return bytes;
                     },
                     [](BadInputTest& t) {
                         EXPECT_EQ("txt",
                                   t.widget<QLineEdit>(u"编辑框扩展名")->text().toStdString());
                         EXPECT_EQ("example.com|example.net",
                                   t.widget<QLineEdit>(u"编辑框域名")->text().toStdString());
                     }},
        BadInputCase{"EmptyDomainList",
                     {},
                     [](BadInputTest& t) {
                         t.widget<QLineEdit>(u"编辑框域名")->clear();
                         const QStringList messages = t.runJob(u"按钮开始采集");
                         EXPECT_EQ(QStringList{QStringLiteral("请先输入要查询站点的域名！")},
                                   messages);
                     }},
        BadInputCase{"BinaryDomainList",
                     {},
                     [](BadInputTest& t) {
                         const char raw[] = "\0\xff\x81|\x01\x1b[31m\x7f|\xfe\x80\x81";
                         t.widget<QLineEdit>(u"编辑框域名")
                             ->setText(toQString(std::string_view(raw, sizeof raw - 1)));
                         t.widget<QCheckBox>(u"选择框百度排名自动保存")->setChecked(false);
                         const QStringList messages = t.runJob(u"按钮开始采集");
                         EXPECT_TRUE(messages.contains(QStringLiteral("采集完成！")))
                             << messages.join(u'|').toStdString();
                         EXPECT_EQ(QStringLiteral("开始采集").toStdString(),
                                   t.widget<QPushButton>(u"按钮开始采集")->text().toStdString());
                     }},
        // A hundred thousand domains stay whole in the box; the job starts on
        // them and stops on the second click.
        BadInputCase{"HugeDomainList",
                     {},
                     [](BadInputTest& t) {
                         constexpr int kDomains = 100000;
                         QStringList domains;
                         for (int i = 0; i < kDomains; ++i) {
                             domains << QStringLiteral("pages1.test");
                         }
                         auto* box = t.widget<QLineEdit>(u"编辑框域名");
                         box->setText(domains.join(QLatin1Char('|')));
                         EXPECT_EQ(kDomains, box->text().split(QLatin1Char('|')).size());
                         t.widget<QCheckBox>(u"选择框百度排名自动保存")->setChecked(false);
                         auto* start = t.widget<QPushButton>(u"按钮开始采集");
                         ReportList& list = t.window_->host().reportList();
                         bool stopped = false;
                         const QStringList messages = t.runJob(u"按钮开始采集", [&] {
                             if (!stopped && list.rowCount() > 0) {
                                 stopped = true;
                                 start->click();
                             }
                         });
                         EXPECT_TRUE(stopped);
                         EXPECT_TRUE(messages.contains(QStringLiteral("采集完成！")));
                         EXPECT_GT(list.rowCount(), 0);
                         EXPECT_LT(t.simulator_->requestCount("/rank/"), kDomains);
                     }},
        BadInputCase{
            "ControlCharacterSeeds",
            {},
            [](BadInputTest& t) {
                const std::vector<std::string> seeds{"a\x01z", "t\tx", "\x1b[2J", "d\x7f"};
                QString list;
                for (const auto& seed : seeds) {
                    list += toQString(seed) + QLatin1Char('\n');
                }
                t.widget<QPlainTextEdit>(u"编辑框关键词列表")->setPlainText(list);
                t.noPauses();
                const QStringList messages = t.runJob(u"按钮开始挖掘");
                EXPECT_TRUE(messages.contains(QStringLiteral("获取完成！总共 40 个关键词！")))
                    << messages.join(u'|').toStdString();
                EXPECT_EQ(expectedKeywords(seeds).toStdString(), t.resultsText().toStdString());
            }},
        // The auto-save file cannot be made: the rows still fill the list and
        // the completion message says they were not saved.
        BadInputCase{"RankingSaveFileInsideAFile",
                     {},
                     [](BadInputTest& t) {
                         const std::string blocker = t.dir_.file("blocker");
                         ASSERT_TRUE(writeWholeFile(blocker, "x"));
                         t.widget<QLineEdit>(u"编辑框域名")->setText(QStringLiteral("pages1.test"));
                         t.widget<QPushButton>(u"按钮保存路径")
                             ->setProperty("tag", toQString(blocker + "/out.csv"));
                         const QStringList messages = t.runJob(u"按钮开始采集");
                         EXPECT_EQ(
                             QStringList{QStringLiteral(
                                 "采集完成！\n（自动保存文件无法创建或写入，采集的数据没有完整"
                                 "保存到文件）")},
                             messages);
                         EXPECT_EQ(kRowsPerPage, t.window_->host().reportList().rowCount());
                         EXPECT_EQ("x", readFileBytes(blocker));
                     }},
        // Nothing reaches the disk, the message says so, and the results box
        // keeps every line.
        BadInputCase{"MiningFolderIsAFile",
                     {},
                     [](BadInputTest& t) {
                         const std::string blocker = t.dir_.file("blocker");
                         ASSERT_TRUE(writeWholeFile(blocker, "x"));
                         t.widget<QCheckBox>(u"选择框自动保存目录")->setChecked(true);
                         t.widget<QLineEdit>(u"编辑框目录")->setText(toQString(blocker));
                         t.widget<QPlainTextEdit>(u"编辑框关键词列表")
                             ->setPlainText(QStringLiteral("onepage"));
                         t.noPauses();
                         const QStringList messages = t.runJob(u"按钮开始挖掘");
                         ASSERT_EQ(1, messages.size());
                         EXPECT_TRUE(messages[0].contains(QStringLiteral("没有任何结果保存到磁盘")))
                             << messages[0].toStdString();
                         EXPECT_EQ(expectedKeywords({"onepage"}).toStdString(),
                                   t.resultsText().toStdString());
                         EXPECT_EQ("x", readFileBytes(blocker));
                     }}),
    [](const ::testing::TestParamInfo<BadInputCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer::testing
