// First start without a settings file: every control shows its design default
// and the enabled states follow the rules from the defaults.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <ostream>

#include "app/gbk_qt.h"
#include "main_window_fixture.h"
#include "mining/output_files.h"

namespace rankminer::testing {
namespace {

// What a control shows, read with Qt's own accessors: a text box's text, a
// button's caption (with "|checked" or "|unchecked" for a check box), a
// drop-down list's items joined by "|" and "@" and its selected index.
QString shownState(const QWidget& widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        return line->text();
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&widget)) {
        return box->toPlainText();
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(&widget)) {
        return check->text() +
               (check->isChecked() ? QStringLiteral("|checked") : QStringLiteral("|unchecked"));
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        return items.join(QLatin1Char('|')) + QStringLiteral("@") +
               QString::number(combo->currentIndex());
    }
    return QStringLiteral("<unknown kind>");
}

struct DefaultCase {
    const char16_t* name;
    const char16_t* shown;  // nullptr: computed by the test (folder, user page)
    bool enabled;
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << QString::fromUtf16(c.name).toStdString();
}

// Test names must be ASCII: the control's kind and its row in the table.
std::string kindOf(const char16_t* name) {
    const QString text = QString::fromUtf16(name);
    const std::pair<const char16_t*, const char*> kinds[] = {
        {u"标签", "Label"},   {u"编辑框", "Edit"}, {u"组合框", "DropDown"},
        {u"选择框", "Check"}, {u"按钮", "Button"}, {u"超级链接框", "Hyperlink"},
        {u"链接", "Link"},
    };
    for (const auto& [prefix, kind] : kinds) {
        if (text.startsWith(QString::fromUtf16(prefix))) {
            return kind;
        }
    }
    return "Control";
}

class DesignDefaultTest : public MainWindowTest,
                          public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DesignDefaultTest, FirstStartShowsDesignDefault) {
    const DefaultCase& c = GetParam();
    openWindow();
    const auto* control = widget<QWidget>(c.name);
    ASSERT_NE(control, nullptr) << "no control named " << QString::fromUtf16(c.name).toStdString();
    if (c.shown != nullptr) {
        EXPECT_EQ(shownState(*control).toStdString(), QString::fromUtf16(c.shown).toStdString());
    }
    EXPECT_EQ(control->isEnabled(), c.enabled);
}

const DefaultCase kDefaults[] = {
    // Page 0
    {u"标签4", u"域名：", true},
    {u"编辑框域名", u"example.com|example.net", true},
    {u"组合框排序", u"按排名|按来访|按指数@0", true},
    {u"选择框移动端", u"移动端|unchecked", true},
    {u"按钮开始采集", u"开始采集", true},
    {u"标签10", u"导出：", true},
    {u"编辑框表达式", u"\"#1\",\"#2\",\"#3\",\"#4\",\"#5\",\"#6\",\"#7\",\"#8\"", false},
    {u"组合框导出模式", u"Excel兼容csv格式|自由引用列@0", true},
    {u"按钮导出", u"导出结果..", true},
    {u"按钮复制", u"复制结果", true},
    {u"选择框过滤重复关键字", u"过滤重复关键字|unchecked", true},
    {u"选择框转换百度链接", u"转换百度链接|checked", true},
    {u"选择框限制IP提示", u"限制IP时弹出信息框提示|checked", true},
    {u"选择框百度排名自动保存", u"百度排名采集时自动保存|checked", true},
    {u"按钮保存路径", u"保存路径..", true},
    // Page 1
    {u"标签6", u"待挖掘关键词：", true},
    {u"编辑框关键词列表", u"seo\n关键词", true},
    {u"按钮粘贴", u"粘贴", true},
    {u"标签5", u"输出字段：", true},
    {u"选择框搜索量", u"搜索量|unchecked", true},
    {u"选择框收录量", u"收录量|unchecked", true},
    {u"选择框第一位", u"第一位|unchecked", true},
    {u"选择框第二位", u"第二位|unchecked", true},
    {u"选择框优化难度", u"优化难度|unchecked", true},
    {u"标签8", u"最多挖掘数量：", true},
    {u"编辑框限定数量", u"0", true},
    {u"按钮开始挖掘", u"开始挖掘", true},
    {u"编辑框结果关键词", u"", true},
    {u"按钮复制1", u"复制结果", true},
    {u"按钮1", u"导出结果为csv", true},
    {u"选择框自动保存目录", u"自动保存目录|unchecked", true},
    {u"编辑框目录", nullptr, false},
    {u"按钮选择", u"..", false},
    {u"编辑框扩展名", u"csv", true},
    {u"选择框独立保存", u"不同关键词独立保存|unchecked", false},
    {u"选择框保留加入", u"保留无结果词|checked", true},
    {u"标签2", u"换页间隔秒：", true},
    {u"编辑框页间隔", u"0.1", true},
    {u"标签3", u"换关键词间隔秒：", true},
    {u"编辑框关键词间隔", u"0.5", true},
    // Page 2 (the browser's own place is a placeholder here)
    {u"标签1", u"关于榕查的帐号的权限问题，您可以到用户后台查看：", true},
    {u"按钮2", u"清除缓存", true},
    {u"编辑框网址", nullptr, true},
    {u"按钮跳到", u"跳到", true},
    // Page 3
    {u"标签7",
     u"\n每天访问榕查的站长很多，尤其是高峰期，会偶尔造成榕查无法访问的情况。\n"
     u"因此当网络拥堵时，本程序也是无法读取到数据的，结果自然为空！\n"
     u"这时请稍后再试。可以点击下面链接在浏览器中打开榕查来测试是否访问畅通！",
     true},
    {u"超级链接框2", u"百度排名查询页>>>", true},
    {u"超级链接框3", u"关键词挖掘页>>>", true},
    {u"按钮3", u"访问缓慢或换IP后依然限制可以尝试清除缓存", true},
    // Banner
    {u"链接保存配置", u"保存配置", true},
    {u"链接疑点说明", u"疑点说明", true},
    {u"链接软件主页", u"软件主页", true},
};

INSTANTIATE_TEST_SUITE_P(Controls, DesignDefaultTest, ::testing::ValuesIn(kDefaults),
                         [](const ::testing::TestParamInfo<DefaultCase>& info) {
                             return kindOf(info.param.name) + std::to_string(info.index);
                         });

// The two defaults that come from the environment rather than the design.
TEST_F(MainWindowTest, FolderAndAddressDefaultsComeFromTheSystem) {
    SiteConfig config = SiteConfig::defaults();
    config.siteUrl = "http://127.0.0.1:9/";
    openWindow(config);
    EXPECT_EQ(toGbk(widget<QLineEdit>(u"编辑框目录")->text()), defaultMiningDirectory());
    EXPECT_EQ(widget<QLineEdit>(u"编辑框网址")->text().toStdString(),
              "http://127.0.0.1:9/user.php");
}

TEST_F(MainWindowTest, WindowFrameTabsAndStatusBar) {
    MainWindow& window = openWindow();
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("RankMiner ")));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral(RANKMINER_VERSION)));
    EXPECT_EQ(window.size(), QSize(MainWindow::kDesignWidth, MainWindow::kDesignHeight));

    auto* tabs = widget<QTabWidget>(u"选择夹");
    ASSERT_NE(tabs, nullptr);
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i) {
        pages << tabs->tabText(i);
    }
    EXPECT_EQ(pages.join(QLatin1Char('/')).toStdString(),
              QStringLiteral("百度排名/关键词挖掘/登录榕查/无法获取数据请看").toStdString());
    EXPECT_EQ(tabs->currentIndex(), 0);

    auto* banner = widget<QWidget>(u"图片框1");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->height(), 88);
    EXPECT_EQ(banner->width(), window.width());
    EXPECT_EQ(widget<QWidget>(u"标签9")->height(), 2);
    for (const char16_t* picture : {u"图片保存配置", u"图片疑点说明", u"图片软件主页"}) {
        EXPECT_NE(widget<QAbstractButton>(picture), nullptr)
            << QString::fromUtf16(picture).toStdString();
    }
    // The start buttons sit in their picture boxes.
    EXPECT_EQ(widget<QWidget>(u"按钮开始采集")->parentWidget(), widget<QWidget>(u"图片框2"));
    EXPECT_EQ(widget<QWidget>(u"按钮开始挖掘")->parentWidget(), widget<QWidget>(u"图片框3"));

    auto* status = widget<QStatusBar>(u"状态条");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->geometry().bottom(), window.height() - 1);
}

TEST_F(MainWindowTest, ReportListHasEightColumnsWithTheirWidths) {
    openWindow();
    auto* list = widget<QTreeView>(u"超级列表框");
    ASSERT_NE(list, nullptr);
    const char16_t* const titles[] = {u"序号",   u"域名",   u"关键字",   u"排名",
                                      u"搜索量", u"收录量", u"网页标题", u"链接"};
    const int widths[] = {50, 100, 150, 60, 60, 90, 300, 200};
    ASSERT_EQ(list->model()->columnCount(), 8);
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromUtf16(titles[column]));
        if (column != 6) {  // the title column absorbs the spare width
            EXPECT_EQ(list->header()->sectionSize(column), widths[column]) << column;
        }
    }
}

TEST_F(MainWindowTest, PopUpMenuHoldsItsItemsInOrder) {
    openWindow();
    auto* menu = window_->findChild<QMenu*>(QStringLiteral("文件"));
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(
        items.join(QLatin1Char(',')).toStdString(),
        QStringLiteral("复制一行,-,查找定位..,-,百度一下,-,访问收录页,-,清空列表").toStdString());
}

TEST_F(MainWindowTest, NumberBoxesAcceptOnlyTheirKindOfNumber) {
    openWindow();
    auto* limit = widget<QLineEdit>(u"编辑框限定数量");
    auto* pause = widget<QLineEdit>(u"编辑框页间隔");
    limit->clear();
    QTest::keyClicks(limit, QStringLiteral("1x2.5"));
    EXPECT_EQ(limit->text().toStdString(), "125");
    pause->clear();
    QTest::keyClicks(pause, QStringLiteral("0.2x5"));
    EXPECT_EQ(pause->text().toStdString(), "0.25");
    EXPECT_EQ(limit->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

// The auto-save file chooser: its title, filters and default extension, the
// stored tag as the initial file, and the confirmed path back into the tag.
TEST_F(MainWindowTest, AutoSaveChooserKeepsThePathInTheButtonTag) {
    openWindow();
    window_->show();
    auto* button = widget<QPushButton>(u"按钮保存路径");
    const QString chosen = QString::fromStdString(dir_.file("排名.txt"));

    QString title, suffix, initial;
    QStringList filters;
    auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            initial = dialog->selectedFiles().value(0);
            if (accept) {
                dialog->selectFile(chosen);
                static_cast<QDialog*>(dialog)->accept();
            } else {
                dialog->reject();
            }
        });
    };

    answer(true);
    button->click();
    EXPECT_EQ(title.toStdString(), QStringLiteral("选择保存到文件的路径：").toStdString());
    EXPECT_EQ(filters.join(QLatin1Char(';')).toStdString(),
              QStringLiteral("文本文件 (*.txt);csv文件 (*.csv);全部文件 (*.*)").toStdString());
    EXPECT_EQ(suffix.toStdString(), "txt");
    EXPECT_EQ(button->property("tag").toString(), chosen);

    // Cancelling keeps the tag; the dialog opened on the stored file.
    answer(false);
    button->click();
    EXPECT_EQ(initial, chosen);
    EXPECT_EQ(button->property("tag").toString(), chosen);
}

}  // namespace
}  // namespace rankminer::testing
