#include "app/find_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <string>

#include "app/gbk_qt.h"
#include "app/user_dialogs.h"
#include "platform/report_list.h"
#include "report/find.h"
#include "settings/settings_store.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

const std::string& sectionName() {
    static const std::string name = gbk("查找参数");
    return name;
}

class FindDialog : public QDialog {
public:
    FindDialog(QWidget* owner, ReportList& list, SettingsStore& store)
        : QDialog(owner), list_(list), store_(store) {
        setObjectName(QStringLiteral("查找表项"));
        setWindowTitle(QStringLiteral("查找表项"));
        setAttribute(Qt::WA_DeleteOnClose);
        resize(599, 115);

        auto* textLabel = new QLabel(QStringLiteral("要查找的字符："), this);
        textLabel->setObjectName(QStringLiteral("标签1"));
        needle_ = new QLineEdit(this);
        needle_->setObjectName(QStringLiteral("编辑框字符"));
        auto* columnLabel = new QLabel(QStringLiteral("要查找的列："), this);
        columnLabel->setObjectName(QStringLiteral("标签2"));
        column_ = new QComboBox(this);
        column_->setObjectName(QStringLiteral("组合框列"));
        ignoreCase_ = new QCheckBox(QStringLiteral("忽视大小写"), this);
        ignoreCase_->setObjectName(QStringLiteral("选择框忽视"));
        auto* find = new QPushButton(QStringLiteral("开始查找"), this);
        find->setObjectName(QStringLiteral("按钮查找"));
        find->setDefault(true);

        auto* grid = new QGridLayout(this);
        grid->addWidget(textLabel, 0, 0);
        grid->addWidget(needle_, 0, 1, 1, 3);
        grid->addWidget(columnLabel, 1, 0);
        grid->addWidget(column_, 1, 1);
        grid->addWidget(ignoreCase_, 1, 2);
        grid->addWidget(find, 1, 3);
        grid->setColumnStretch(1, 1);

        connect(find, &QPushButton::clicked, this, &FindDialog::findNext);
        fillAndRestore();
    }

    ~FindDialog() override { storeInputs(); }

private:
    void fillAndRestore() {
        for (int column = 0; column < list_.columnCount(); ++column) {
            column_->addItem(toQString(list_.columnTitle(column)));
        }
        column_->addItem(QStringLiteral("【全部列】"));
        // A fresh list has no entry chosen yet (the first item Qt picks while
        // filling does not count): that means all columns.
        column_->setCurrentIndex(column_->count() - 1);

        store_.setSection(sectionName());
        needle_->setText(toQString(store_.readText(gbk("字符"), toGbk(needle_->text()))));
        const int stored = static_cast<int>(store_.readNumber(gbk("列"), column_->currentIndex()));
        // An index that names no entry (an edited file, fewer columns) keeps
        // "【全部列】" rather than leaving the search without a column.
        if (stored >= 0 && stored < column_->count()) {
            column_->setCurrentIndex(stored);
        }
        ignoreCase_->setChecked(store_.readFlag(gbk("选择框忽视"), ignoreCase_->isChecked()));
    }

    void storeInputs() {
        store_.setSection(sectionName());
        store_.writeText(gbk("字符"), toGbk(needle_->text()));
        store_.writeNumber(gbk("列"), column_->currentIndex());
        store_.writeFlag(gbk("选择框忽视"), ignoreCase_->isChecked());
    }

    void findNext() {
        const int row = findNextRow(list_, column_->currentIndex(), toGbk(needle_->text()),
                                    ignoreCase_->isChecked());
        if (row < 0) {
            userDialogs().showMessage(this, QStringLiteral("完全找不到！"));
            return;
        }
        if (parentWidget() != nullptr) {
            if (auto* view = parentWidget()->findChild<QWidget*>(QStringLiteral("超级列表框"))) {
                view->setFocus(Qt::OtherFocusReason);
            }
        }
    }

    ReportList& list_;
    SettingsStore& store_;
    QLineEdit* needle_ = nullptr;
    QComboBox* column_ = nullptr;
    QCheckBox* ignoreCase_ = nullptr;
};

// The open dialog of a window without owner; owned dialogs are found among
// their owner's children.
QPointer<QDialog>& ownerlessDialog() {
    static QPointer<QDialog> dialog;
    return dialog;
}

}  // namespace

void showFindDialog(QWidget* owner, ReportList& list, SettingsStore& store) {
    QDialog* dialog = owner != nullptr ? owner->findChild<QDialog*>(QStringLiteral("查找表项"),
                                                                    Qt::FindDirectChildrenOnly)
                                       : ownerlessDialog().data();
    if (dialog == nullptr) {
        dialog = new FindDialog(owner, list, store);
        if (owner == nullptr) {
            ownerlessDialog() = dialog;
        }
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace rankminer
