#include "app/shell_actions.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "app/browser_profile.h"
#include "app/gbk_qt.h"
#include "app/user_dialogs.h"
#include "report/export.h"

namespace rankminer {

bool openTarget(const QString& target, QString* refusal) {
    const auto refuse = [refusal](const QString& reason) {
        if (refusal != nullptr) {
            *refusal = reason;
        }
        return false;
    };
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty()) {
        return refuse(QStringLiteral("没有可打开的网址。"));
    }
    const QUrl url(trimmed, QUrl::TolerantMode);
    const QString scheme = url.scheme();  // QUrl keeps schemes lower-case
    if (!isWebAddress(toGbk(trimmed)) || !url.isValid() ||
        (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")) ||
        url.host().isEmpty()) {
        return refuse(QStringLiteral("未打开：只打开 http 或 https 网址（") + trimmed +
                      QStringLiteral("）"));
    }
    if (!QDesktopServices::openUrl(url)) {
        return refuse(QStringLiteral("无法打开网址：") + trimmed);
    }
    return true;
}

QString chooseFolder(const QString& initialFolder) {
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("请选择一个文件夹"),
                                             initialFolder, QFileDialog::ShowDirsOnly);
}

void openFolderInFileManager(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(info.absoluteFilePath(), {});
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void clearSiteCache(QWidget* owner) {
    clearBrowserCache();
    userDialogs().showMessage(owner, QStringLiteral("已执行清除！建议重新打开程序试试！"));
}

}  // namespace rankminer
