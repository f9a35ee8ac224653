#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <limits>

#include "app/main_window_controls.h"
#include "app/main_window_report_list.h"

namespace rankminer {

QWidget* makePictureFrame(QWidget& parent, const QString& name, QRect where);

QTreeView* buildRankingPage(QWidget& page, ReportModel& model) {
    makeLabel(page, QStringLiteral("标签4"), QStringLiteral("域名："), {8, 10, 42, 22});
    auto* domains = makeLineEdit(page, QStringLiteral("编辑框域名"),
                                 QStringLiteral("example.com|example.net"), {50, 8, 420, 24});
    // A pasted list of many thousand domains must not be cut silently at the
    // line edit's default limit of 32767 characters.
    domains->setMaxLength(std::numeric_limits<int>::max());
    makeDropDown(page, QStringLiteral("组合框排序"),
                 {QStringLiteral("按排名"), QStringLiteral("按来访"), QStringLiteral("按指数")},
                 {480, 8, 90, 24});
    makeCheckBox(page, QStringLiteral("选择框移动端"), QStringLiteral("移动端"), false,
                 {582, 8, 80, 24});
    QWidget* startFrame = makePictureFrame(page, QStringLiteral("图片框2"), {672, 4, 120, 32});
    makeButton(*startFrame, QStringLiteral("按钮开始采集"), QStringLiteral("开始采集"),
               {3, 3, 114, 26});

    makeLabel(page, QStringLiteral("标签10"), QStringLiteral("导出："), {8, 42, 42, 22});
    auto* lineTemplate =
        makeLineEdit(page, QStringLiteral("编辑框表达式"),
                     QStringLiteral("\"#1\",\"#2\",\"#3\",\"#4\",\"#5\",\"#6\",\"#7\",\"#8\""),
                     {50, 40, 300, 24});
    lineTemplate->setCursorPosition(0);
    makeDropDown(page, QStringLiteral("组合框导出模式"),
                 {QStringLiteral("Excel兼容csv格式"), QStringLiteral("自由引用列")},
                 {360, 40, 140, 24});
    makeButton(page, QStringLiteral("按钮导出"), QStringLiteral("导出结果.."), {510, 40, 90, 26});
    makeButton(page, QStringLiteral("按钮复制"), QStringLiteral("复制结果"), {606, 40, 90, 26});

    makeCheckBox(page, QStringLiteral("选择框过滤重复关键字"), QStringLiteral("过滤重复关键字"),
                 false, {8, 72, 130, 24});
    makeCheckBox(page, QStringLiteral("选择框转换百度链接"), QStringLiteral("转换百度链接"), true,
                 {142, 72, 120, 24});
    makeCheckBox(page, QStringLiteral("选择框限制IP提示"), QStringLiteral("限制IP时弹出信息框提示"),
                 true, {266, 72, 180, 24});
    makeCheckBox(page, QStringLiteral("选择框百度排名自动保存"),
                 QStringLiteral("百度排名采集时自动保存"), true, {450, 72, 180, 24});
    makeButton(page, QStringLiteral("按钮保存路径"), QStringLiteral("保存路径.."),
               {634, 71, 90, 26});

    auto* list = new ReportListView(model, &page);
    list->setObjectName(QStringLiteral("超级列表框"));
    list->setGeometry(8, 104, 940, 340);
    return list;
}

}  // namespace rankminer
