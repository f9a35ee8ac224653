#include <QCheckBox>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/main_window_controls.h"

namespace rankminer {

QWidget* makePictureFrame(QWidget& parent, const QString& name, QRect where);

namespace {
QLineEdit* makeNumberBox(QWidget& page, const QString& name, const QString& text, bool decimals,
                         QRect where) {
    QLineEdit* box = makeLineEdit(page, name, text, where);
    box->setAlignment(Qt::AlignCenter);
    if (decimals) {
        auto* validator = new QDoubleValidator(0, 1e9, 3, box);
        validator->setNotation(QDoubleValidator::StandardNotation);
        validator->setLocale(QLocale::c());
        box->setValidator(validator);
    } else {
        box->setValidator(new QIntValidator(0, 999999999, box));
    }
    return box;
}
}  // namespace

void buildMiningPage(QWidget& page, const QString& defaultFolder) {
    makeLabel(page, QStringLiteral("标签6"), QStringLiteral("待挖掘关键词："), {8, 8, 120, 22});
    makeButton(page, QStringLiteral("按钮粘贴"), QStringLiteral("粘贴"), {148, 6, 60, 24});
    makeTextBox(page, QStringLiteral("编辑框关键词列表"), QStringLiteral("seo\n关键词"), true,
                {8, 34, 200, 400});

    makeLabel(page, QStringLiteral("标签5"), QStringLiteral("输出字段："), {220, 8, 80, 22});
    const QString fields[][2] = {
        {QStringLiteral("选择框搜索量"), QStringLiteral("搜索量")},
        {QStringLiteral("选择框收录量"), QStringLiteral("收录量")},
        {QStringLiteral("选择框第一位"), QStringLiteral("第一位")},
        {QStringLiteral("选择框第二位"), QStringLiteral("第二位")},
        {QStringLiteral("选择框优化难度"), QStringLiteral("优化难度")},
    };
    int left = 300;
    for (const auto& field : fields) {
        makeCheckBox(page, field[0], field[1], false, {left, 8, 84, 22});
        left += 86;
    }

    makeLabel(page, QStringLiteral("标签8"), QStringLiteral("最多挖掘数量："), {220, 40, 100, 22});
    makeNumberBox(page, QStringLiteral("编辑框限定数量"), QStringLiteral("0"), false,
                  {320, 39, 70, 24});
    QWidget* startFrame = makePictureFrame(page, QStringLiteral("图片框3"), {410, 34, 120, 32});
    makeButton(*startFrame, QStringLiteral("按钮开始挖掘"), QStringLiteral("开始挖掘"),
               {3, 3, 114, 26});

    makeTextBox(page, QStringLiteral("编辑框结果关键词"), QString(), false, {220, 72, 520, 362});

    const int right = 752;
    makeButton(page, QStringLiteral("按钮复制1"), QStringLiteral("复制结果"), {right, 72, 96, 26});
    makeButton(page, QStringLiteral("按钮1"), QStringLiteral("导出结果为csv"),
               {right + 100, 72, 110, 26});
    makeCheckBox(page, QStringLiteral("选择框自动保存目录"), QStringLiteral("自动保存目录"), false,
                 {right, 110, 200, 22});
    makeLineEdit(page, QStringLiteral("编辑框目录"), defaultFolder, {right, 136, 170, 24});
    makeButton(page, QStringLiteral("按钮选择"), QStringLiteral(".."), {right + 174, 135, 36, 26});
    QLineEdit* extension = makeLineEdit(page, QStringLiteral("编辑框扩展名"), QStringLiteral("csv"),
                                        {right, 167, 60, 24});
    extension->setAlignment(Qt::AlignCenter);
    extension->setToolTip(QStringLiteral("扩展名"));
    makeCheckBox(page, QStringLiteral("选择框独立保存"), QStringLiteral("不同关键词独立保存"),
                 false, {right, 198, 200, 22});
    makeCheckBox(page, QStringLiteral("选择框保留加入"), QStringLiteral("保留无结果词"), true,
                 {right, 226, 200, 22});
    makeLabel(page, QStringLiteral("标签2"), QStringLiteral("换页间隔秒："), {right, 262, 110, 22});
    makeNumberBox(page, QStringLiteral("编辑框页间隔"), QStringLiteral("0.1"), true,
                  {right + 120, 261, 70, 24});
    makeLabel(page, QStringLiteral("标签3"), QStringLiteral("换关键词间隔秒："),
              {right, 292, 120, 22});
    makeNumberBox(page, QStringLiteral("编辑框关键词间隔"), QStringLiteral("0.5"), true,
                  {right + 120, 291, 70, 24});
}

}  // namespace rankminer
