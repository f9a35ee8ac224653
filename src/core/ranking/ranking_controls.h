#pragma once

// The ranking page's controls by their design names, the start button's
// captions and the job's message texts (all GBK).

#include <string>

namespace rankminer {

struct RankingControls {
    std::string startButton;     // 按钮开始采集
    std::string domains;         // 编辑框域名
    std::string order;           // 组合框排序
    std::string mobile;          // 选择框移动端
    std::string expression;      // 编辑框表达式
    std::string exportMode;      // 组合框导出模式
    std::string dedupe;          // 选择框过滤重复关键字
    std::string resolveLinks;    // 选择框转换百度链接
    std::string ipPrompt;        // 选择框限制IP提示
    std::string autoSave;        // 选择框百度排名自动保存
    std::string savePathButton;  // 按钮保存路径 (its tag holds the chosen file)
    std::string tabs;            // 选择夹
    std::string browser;         // 浏览框
};

const RankingControls& rankingControls();

struct RankingCaptions {
    std::string idle;      // 开始采集
    std::string running;   // 停止
    std::string stopping;  // 停止中
};

const RankingCaptions& rankingCaptions();

struct RankingTexts {
    std::string noDomain;        // 请先输入要查询站点的域名！
    std::string finished;        // 采集完成！
    std::string quotaPrompt;     // the daily-quota question (OK / Cancel)
    std::string started;         // 开始采集..
    std::string tooManyQueries;  // 您的查询太频繁了
    std::string dailyQuota;      // 您所在IP今天已经提交
    std::string notSaving;       // the notice when the auto-save file cannot be written
    std::string autoSavePrefix;  // 百度排名自动保存_
};

const RankingTexts& rankingTexts();

}  // namespace rankminer
