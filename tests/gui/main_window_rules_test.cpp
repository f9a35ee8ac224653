// The enabling rules follow their source controls' events, and run again after
// a restore.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "main_window_fixture.h"

namespace rankminer::testing {
namespace {

TEST_F(MainWindowTest, RuleAFollowsTheAutoSaveCheckBox) {
    openWindow();
    window_->show();
    auto* autoSave = widget<QCheckBox>(u"选择框百度排名自动保存");
    auto* chooser = widget<QPushButton>(u"按钮保存路径");
    ASSERT_TRUE(chooser->isEnabled());
    QTest::mouseClick(autoSave, Qt::LeftButton);
    EXPECT_FALSE(autoSave->isChecked());
    EXPECT_FALSE(chooser->isEnabled());
    QTest::mouseClick(autoSave, Qt::LeftButton);
    EXPECT_TRUE(chooser->isEnabled());
}

TEST_F(MainWindowTest, RuleBFollowsTheFolderCheckBox) {
    openWindow();
    window_->show();
    auto* folderSave = widget<QCheckBox>(u"选择框自动保存目录");
    const QWidget* dependents[] = {widget<QWidget>(u"编辑框目录"), widget<QWidget>(u"按钮选择"),
                                   widget<QWidget>(u"选择框独立保存")};
    folderSave->click();  // the page is not showing, so no mouse
    ASSERT_TRUE(folderSave->isChecked());
    for (const QWidget* dependent : dependents) {
        EXPECT_TRUE(dependent->isEnabled()) << dependent->objectName().toStdString();
    }
    folderSave->click();
    for (const QWidget* dependent : dependents) {
        EXPECT_FALSE(dependent->isEnabled()) << dependent->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, RuleCFollowsTheExportMode) {
    openWindow();
    auto* mode = widget<QComboBox>(u"组合框导出模式");
    auto* lineTemplate = widget<QLineEdit>(u"编辑框表达式");
    mode->setCurrentIndex(1);  // 自由引用列
    EXPECT_TRUE(lineTemplate->isEnabled());
    mode->setCurrentIndex(0);  // Excel兼容csv格式
    EXPECT_FALSE(lineTemplate->isEnabled());
}

// States restored from the file enable and disable as the rules say, against
// the design defaults.
TEST_F(MainWindowTest, RulesApplyToRestoredStates) {
    openWindow();
    widget<QCheckBox>(u"选择框百度排名自动保存")->setChecked(false);
    widget<QCheckBox>(u"选择框自动保存目录")->setChecked(true);
    widget<QComboBox>(u"组合框导出模式")->setCurrentIndex(1);
    closeWindow();

    openWindow();
    EXPECT_FALSE(widget<QWidget>(u"按钮保存路径")->isEnabled());
    EXPECT_TRUE(widget<QWidget>(u"编辑框目录")->isEnabled());
    EXPECT_TRUE(widget<QWidget>(u"按钮选择")->isEnabled());
    EXPECT_TRUE(widget<QWidget>(u"选择框独立保存")->isEnabled());
    EXPECT_TRUE(widget<QWidget>(u"编辑框表达式")->isEnabled());
}

}  // namespace
}  // namespace rankminer::testing
