#include "app/list_actions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include "app/find_dialog.h"
#include "app/gbk_qt.h"
#include "app/shell_actions.h"
#include "app/user_dialogs.h"
#include "platform/files.h"
#include "platform/job_host.h"
#include "report/export.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr int kKeywordColumn = 2;
constexpr int kLinkColumn = 7;
constexpr int kCsvFilter = 1;

const std::string& exportButton() {
    static const std::string name = gbk("按钮导出");
    return name;
}

void putOnClipboard(std::string_view gbkText) {
    QGuiApplication::clipboard()->setText(toQString(gbkText));
}

}  // namespace

ListActions::ListActions(QWidget* window, JobHost& host, SettingsStore& store, SiteConfig config,
                         std::function<std::string()> miningHeaderLine)
    : QObject(window),
      window_(window),
      host_(host),
      store_(store),
      config_(std::move(config)),
      miningHeaderLine_(std::move(miningHeaderLine)) {}

void ListActions::exportReportList() {
    SaveDialogState& dialog = sharedSaveDialog();
    const std::string lastPath = host_.tagText(exportButton());
    if (!lastPath.empty()) {
        dialog.fileName = toQString(lastPath);
    }
    const int mode = host_.selectedIndex(gbk("组合框导出模式"));
    if (mode == 0) {
        dialog.filterIndex = kCsvFilter;
    }
    const QString path = userDialogs().askSavePath(window_, dialog);
    if (path.isEmpty()) {
        return;
    }
    const std::string gbkPath = toGbk(path);
    host_.setTagText(exportButton(), gbkPath);
    const std::string text =
        buildReportExport(host_.reportList(), mode, host_.controlText(gbk("编辑框表达式")));
    host_.messageBox(writeWholeFile(gbkPath, text) ? gbk("导出完毕！") : gbk("导出失败！"));
}

void ListActions::copyReportList() {
    putOnClipboard(buildReportExport(host_.reportList(), host_.selectedIndex(gbk("组合框导出模式")),
                                     host_.controlText(gbk("编辑框表达式"))));
    host_.messageBox(gbk("已将列表数据复制到剪辑板！"));
}

void ListActions::exportMiningResults() {
    SaveDialogState& dialog = sharedSaveDialog();
    dialog.filterIndex = kCsvFilter;
    const QString path = userDialogs().askSavePath(window_, dialog);
    if (path.isEmpty()) {
        return;
    }
    const std::string gbkPath = toGbk(path);
    const std::string header = miningHeaderLine_ ? miningHeaderLine_() : std::string();
    const std::string text =
        buildMiningExport(gbkPath, header, host_.controlText(gbk("编辑框结果关键词")));
    host_.messageBox(writeWholeFile(gbkPath, text) ? gbk("导出成功！") : gbk("导出失败！"));
}

void ListActions::copyRow() {
    const ReportList& list = host_.reportList();
    const int row = list.selectedRow();
    putOnClipboard(row < 0 ? std::string() : rowText(list, row));
}

void ListActions::searchKeyword() {
    openAddress(searchAddressFor(config_, selectedCellText(host_.reportList(), kKeywordColumn)));
}

void ListActions::openRowLink() {
    openAddress(selectedCellText(host_.reportList(), kLinkColumn));
}

void ListActions::clearList() {
    host_.reportList().deleteAllRows();
}

void ListActions::openFindDialog() {
    showFindDialog(window_, host_.reportList(), store_);
}

void ListActions::openAddress(const std::string& gbkAddress) {
    QString refusal;
    if (!openTarget(toQString(gbkAddress), &refusal)) {
        host_.setStatusText(toGbk(refusal));
    }
}

}  // namespace rankminer
