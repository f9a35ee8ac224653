#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "platform/site_config.h"

class QWidget;

namespace rankminer {

class JobHost;
class SettingsStore;

// The user's tools for getting results out: exporting and copying the report
// list and the mining results, and the row actions of the list's pop-up menu.
// Controls are read through the JobHost at the moment of use; files are GBK
// with CR LF lines and no byte-order mark; the clipboard gets the text as
// Unicode. Questions and messages outside the host go through userDialogs().
class ListActions : public QObject {
    Q_OBJECT
public:
    // `miningHeaderLine` gives the header line of the most recent mining job
    // (empty before the first).
    ListActions(QWidget* window, JobHost& host, SettingsStore& store, SiteConfig config,
                std::function<std::string()> miningHeaderLine);

public slots:
    // "导出结果..": the list to a file; the path is kept in the tag of 按钮导出.
    void exportReportList();
    // "复制结果": the same text to the clipboard.
    void copyReportList();
    // "导出结果为csv": the results box to a file, with the header line for a
    // ".csv" name.
    void exportMiningResults();
    // "复制一行": the selected row's text to the clipboard (empty without one).
    void copyRow();
    // "百度一下": the search engine's results for the selected row's keyword.
    void searchKeyword();
    // "访问收录页": the selected row's link, if it is a web address; a refusal
    // goes into the status bar.
    void openRowLink();
    // "清空列表": all rows go, without asking.
    void clearList();
    // "查找定位..": the find dialog, owned by the window.
    void openFindDialog();

private:
    void openAddress(const std::string& gbkAddress);

    QWidget* window_;
    JobHost& host_;
    SettingsStore& store_;
    SiteConfig config_;
    std::function<std::string()> miningHeaderLine_;
};

}  // namespace rankminer
