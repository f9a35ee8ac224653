#include "app/main_window_settings.h"

#include "app/gui_job_host.h"

#include "app/gbk_qt.h"
#include "app/main_window.h"
#include "app/widget_controls.h"
#include "mining/output_files.h"
#include "platform/files.h"
#include "settings/control_persistence.h"
#include "settings/settings_store.h"
#include "text/gbk.h"

namespace rankminer {

namespace {
// Control order of the window, which decides the order of the keys in the
// settings file (each key is written as its section's first line, so the file
// holds them in reverse). Labels, frames and pictures have nothing stored and
// are left out.
const char16_t* const kControlOrder[] = {
    u"组合框排序",
    u"组合框导出模式",
    u"选择框搜索量",
    u"选择框收录量",
    u"选择框第一位",
    u"选择框第二位",
    u"选择框优化难度",
    u"选择框自动保存目录",
    u"选择框独立保存",
    u"选择框过滤重复关键字",
    u"选择框保留加入",
    u"选择框转换百度链接",
    u"选择框限制IP提示",
    u"选择框百度排名自动保存",
    u"选择框移动端",
    u"编辑框关键词列表",
    u"编辑框结果关键词",
    u"编辑框表达式",
    u"编辑框域名",
    u"编辑框限定数量",
    u"编辑框网址",
    u"编辑框目录",
    u"编辑框页间隔",
    u"编辑框关键词间隔",
    u"编辑框扩展名",
    u"按钮粘贴",
    u"按钮导出",
    u"按钮复制",
    u"按钮开始采集",
    u"按钮1",
    u"按钮开始挖掘",
    u"按钮复制1",
    u"按钮跳到",
    u"按钮选择",
    u"按钮2",
    u"按钮3",
    u"按钮保存路径",
};
}  // namespace

std::string settingsFilePath(std::string_view applicationName) {
    const std::string fileName = std::string(applicationName) + ".ini";
    const std::string programFolder = programDirectory();
    if (!programFolder.empty() && directoryWritable(programFolder)) {
        return programFolder + "/" + fileName;
    }
    const std::string configFolder = configDirectory();
    makeDirectoryPath(configFolder);
    return configFolder + "/" + fileName;
}

const std::string& mainWindowSection() {
    static const std::string section = gbk("主界面");
    return section;
}

std::vector<QWidget*> MainWindow::persistedControls() const {
    std::vector<QWidget*> widgets;
    for (const char16_t* name : kControlOrder) {
        if (auto* widget = child<QWidget>(name)) {
            widgets.push_back(widget);
        }
    }
    return widgets;
}

void MainWindow::saveSettings() {
    const auto controls = makePersistableControls(persistedControls());
    std::vector<PersistableControl*> list;
    for (const auto& control : controls) {
        list.push_back(control.get());
    }
    saveControls(store_, mainWindowSection(), list);
}

void MainWindow::restoreSettings() {
    const auto controls = makePersistableControls(persistedControls());
    std::vector<PersistableControl*> list;
    for (const auto& control : controls) {
        list.push_back(control.get());
    }
    loadControls(store_, mainWindowSection(), list);
}

void MainWindow::saveSettingsWithMessage() {
    saveSettings();
    static const std::string saved = gbk("保存完毕！");
    host().messageBox(saved);
}

}  // namespace rankminer
