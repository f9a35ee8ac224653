#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/main_window.h"

namespace rankminer {

// Each rule reads its source control at the moment it runs, so it can run
// after a restore as well as from the source's own event.

void MainWindow::applyRuleA() {
    const auto* autoSave = child<QCheckBox>(u"选择框百度排名自动保存");
    if (auto* button = child<QWidget>(u"按钮保存路径"); button && autoSave) {
        button->setEnabled(autoSave->isChecked());
    }
}

void MainWindow::applyRuleB() {
    const auto* folderSave = child<QCheckBox>(u"选择框自动保存目录");
    if (folderSave == nullptr) {
        return;
    }
    for (const char16_t* name : {u"编辑框目录", u"按钮选择", u"选择框独立保存"}) {
        if (auto* widget = child<QWidget>(name)) {
            widget->setEnabled(folderSave->isChecked());
        }
    }
}

void MainWindow::applyRuleC() {
    const auto* mode = child<QComboBox>(u"组合框导出模式");
    if (auto* lineTemplate = child<QWidget>(u"编辑框表达式"); lineTemplate && mode) {
        lineTemplate->setEnabled(mode->currentIndex() != 0);
    }
}

}  // namespace rankminer
