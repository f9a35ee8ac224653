#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace rankminer {

// The state of the main window's one save-file dialog. Every save of the
// window goes through it, so the last file name and the filter carry over
// from one save to the next.
struct SaveDialogState {
    QString fileName;     // the file name of the last use, or a preset
    int filterIndex = 0;  // into saveDialogFilters()
};

// "文本文件 (*.txt)", "csv文件 (*.csv)", "全部文件 (*.*)".
const QStringList& saveDialogFilters();

// The process's one save-file dialog state.
SaveDialogState& sharedSaveDialog();

// The questions and messages the window's tools put to the user. The program
// uses real dialogs; tests install their own to answer and to record.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // Asks where to save, starting from the state; on confirmation stores the
    // chosen path and filter in the state. Empty when the user cancels.
    virtual QString askSavePath(QWidget* owner, SaveDialogState& state) = 0;
    // A message box with an OK button only and the title "信息：".
    virtual void showMessage(QWidget* owner, const QString& text) = 0;
};

UserDialogs& userDialogs();
// Replaces the dialogs in use; nullptr puts the real ones back. The caller
// keeps ownership and must restore before the object goes away.
void setUserDialogs(UserDialogs* dialogs);

}  // namespace rankminer
