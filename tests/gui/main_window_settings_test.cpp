// The window's controls in the settings file: the exact bytes of a first save,
// the message of the banner's save, and a restart restoring every control.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include <map>

#include "app/banner_widgets.h"
#include "app/gbk_qt.h"
#include "main_window_fixture.h"
#include "mining/output_files.h"
#include "text/gbk.h"

namespace rankminer::testing {
namespace {

std::string keyLine(std::string_view key, std::string_view value) {
    return "\r\n" + gbk(key) + "=" + std::string(value);
}

TEST_F(MainWindowTest, FirstSaveWritesEveryControlInReverseControlOrder) {
    SiteConfig config = SiteConfig::defaults();
    config.siteUrl = "http://127.0.0.1:9/";
    openWindow(config);
    closeWindow();

    const std::string yes = gbk("真");
    const std::string no = gbk("假");
    std::string expected = gbk("[主界面]");
    for (const char* button :
         {"按钮保存路径", "按钮3", "按钮2", "按钮选择", "按钮跳到", "按钮复制1", "按钮开始挖掘",
          "按钮1", "按钮开始采集", "按钮复制", "按钮导出", "按钮粘贴"}) {
        expected += keyLine(std::string(button) + ".标记", "");
    }
    expected += keyLine("编辑框扩展名", "csv");
    expected += keyLine("编辑框关键词间隔", "0.5");
    expected += keyLine("编辑框页间隔", "0.1");
    expected += keyLine("编辑框目录", defaultMiningDirectory());
    expected += keyLine("编辑框网址", "http://127.0.0.1:9/user.php");
    expected += keyLine("编辑框限定数量", "0");
    expected += keyLine("编辑框域名", "example.com|example.net");
    expected += keyLine("编辑框表达式", "\"#1\",\"#2\",\"#3\",\"#4\",\"#5\",\"#6\",\"#7\",\"#8\"");
    expected += keyLine("编辑框结果关键词", "");
    expected += keyLine("编辑框关键词列表", "seo" + gbk("┊*┊关键词"));
    const std::pair<const char*, bool> checks[] = {
        {"选择框移动端", false},    {"选择框百度排名自动保存", true},
        {"选择框限制IP提示", true}, {"选择框转换百度链接", true},
        {"选择框保留加入", true},   {"选择框过滤重复关键字", false},
        {"选择框独立保存", false},  {"选择框自动保存目录", false},
        {"选择框优化难度", false},  {"选择框第二位", false},
        {"选择框第一位", false},    {"选择框收录量", false},
        {"选择框搜索量", false},
    };
    for (const auto& [check, on] : checks) {
        expected += keyLine(check, on ? yes : no);
    }
    expected += keyLine("组合框导出模式", "0");
    expected += keyLine("组合框排序", "0");

    EXPECT_BYTES_EQ(expected, readFileBytes(settingsPath_));
}

TEST_F(MainWindowTest, BannerSaveWritesTheFileAndSaysSo) {
    openWindow();
    window_->show();
    widget<QLineEdit>(u"编辑框域名")->setText(QStringLiteral("a.example|b.example"));
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    emit widget<LinkLabel>(u"链接保存配置")->pressed();
    EXPECT_EQ(text.toStdString(), QStringLiteral("保存完毕！").toStdString());
    EXPECT_EQ(title.toStdString(), QStringLiteral("信息：").toStdString());
    const std::string saved = readFileBytes(settingsPath_);
    EXPECT_NE(saved.find(gbk("\r\n编辑框域名=a.example|b.example")), std::string::npos);
}

// Every persisted control gets a state other than its default; after a
// restart with the same file the window shows them all again.
TEST_F(MainWindowTest, RestartRestoresEveryControl) {
    openWindow();
    std::map<QString, QString> changed;
    int n = 0;
    for (QWidget* control : window_->persistedControls()) {
        const QString name = control->objectName();
        ++n;
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->setChecked(!check->isChecked());
            changed[name] = check->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const QString tag =
                QStringLiteral("/路径/") + QString::number(n) + QStringLiteral(".txt");
            button->setProperty("tag", tag);
            changed[name] = tag;
        } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
            line->setValidator(nullptr);
            line->setText(QStringLiteral("值") + QString::number(n));
            changed[name] = line->text();
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
            box->setPlainText(QStringLiteral("第一行\n第二行 ") + QString::number(n));
            changed[name] = box->toPlainText();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->setCurrentIndex(combo->count() - 1);
            changed[name] = QString::number(combo->currentIndex());
        }
    }
    ASSERT_EQ(changed.size(), 37u);
    closeWindow();

    openWindow();
    for (const auto& [name, state] : changed) {
        auto* control = window_->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        QString restored;
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            restored = check->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            restored = button->property("tag").toString();
        } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
            restored = line->text();
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
            restored = box->toPlainText();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            restored = QString::number(combo->currentIndex());
        }
        EXPECT_EQ(restored.toStdString(), state.toStdString()) << name.toStdString();
    }
}

}  // namespace
}  // namespace rankminer::testing
