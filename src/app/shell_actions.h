#pragma once

#include <QString>

class QWidget;

namespace rankminer {

// Opens a web address in the desktop's browser. Addresses reach here from
// downloaded pages, so only http and https addresses with a host are opened;
// anything else (a local path, file:, javascript:, a program) is refused and,
// when `refusal` is given, the reason is put there for the status bar.
// Returns whether the address was handed to the desktop and accepted.
bool openTarget(const QString& target, QString* refusal = nullptr);

// The folder dialog "请选择一个文件夹", opened at the initial folder. Returns
// the chosen folder, or the empty text when the user cancels.
QString chooseFolder(const QString& initialFolder);

// Opens the folder in the file manager. A path naming an executable regular
// file starts that program instead. Failures show nothing.
void openFolderInFileManager(const QString& path);

// Drops the embedded browser's cached pages (its cookies stay), then tells
// the user "已执行清除！建议重新打开程序试试！".
void clearSiteCache(QWidget* owner);

}  // namespace rankminer
