#include "app/user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <algorithm>

namespace rankminer {

namespace {

class RealDialogs : public UserDialogs {
public:
    QString askSavePath(QWidget* owner, SaveDialogState& state) override {
        const QStringList& filters = saveDialogFilters();
        QFileDialog dialog(owner, QStringLiteral("选择保存到文件的路径："));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        if (state.filterIndex >= 0 && state.filterIndex < filters.size()) {
            dialog.selectNameFilter(filters.at(state.filterIndex));
        }
        if (!state.fileName.isEmpty()) {
            dialog.selectFile(state.fileName);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        state.fileName = dialog.selectedFiles().constFirst();
        state.filterIndex =
            std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
        return state.fileName;
    }

    void showMessage(QWidget* owner, const QString& text) override {
        QMessageBox::information(owner, QStringLiteral("信息："), text);
    }
};

RealDialogs& realDialogs() {
    static RealDialogs dialogs;
    return dialogs;
}

UserDialogs* installed = nullptr;

}  // namespace

const QStringList& saveDialogFilters() {
    static const QStringList filters{QStringLiteral("文本文件 (*.txt)"),
                                     QStringLiteral("csv文件 (*.csv)"),
                                     QStringLiteral("全部文件 (*.*)")};
    return filters;
}

SaveDialogState& sharedSaveDialog() {
    static SaveDialogState state;
    return state;
}

UserDialogs& userDialogs() {
    return installed != nullptr ? *installed : realDialogs();
}

void setUserDialogs(UserDialogs* dialogs) {
    installed = dialogs;
}

}  // namespace rankminer
