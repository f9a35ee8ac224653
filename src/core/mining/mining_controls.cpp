#include "mining/mining_controls.h"

#include <cmath>

#include "text/gbk.h"

namespace rankminer {

const MiningControls& miningControls() {
    static const MiningControls controls{
        gbk("按钮开始挖掘"),       gbk("编辑框关键词列表"), gbk("选择框搜索量"),
        gbk("选择框收录量"),       gbk("选择框第一位"),     gbk("选择框第二位"),
        gbk("选择框优化难度"),     gbk("编辑框限定数量"),   gbk("编辑框结果关键词"),
        gbk("选择框自动保存目录"), gbk("编辑框目录"),       gbk("编辑框扩展名"),
        gbk("选择框独立保存"),     gbk("选择框保留加入"),   gbk("编辑框页间隔"),
        gbk("编辑框关键词间隔"),
    };
    return controls;
}

const std::string& miningIdleCaption() {
    static const std::string caption = gbk("开始挖掘");
    return caption;
}

const std::string& miningRunningCaption() {
    static const std::string caption = gbk("停止挖掘");
    return caption;
}

const std::string& miningStoppingCaption() {
    static const std::string caption = gbk("停止中");
    return caption;
}

MiningFields readMiningFields(JobHost& host) {
    const MiningControls& c = miningControls();
    return MiningFields{host.isChecked(c.volumeBox), host.isChecked(c.indexedBox),
                        host.isChecked(c.firstBox), host.isChecked(c.secondBox),
                        host.isChecked(c.difficultyBox)};
}

std::string miningHeaderLine(const MiningFields& fields) {
    std::string line = gbk("关键词");
    if (fields.volume) {
        line += gbk(",搜索量");
    }
    if (fields.indexed) {
        line += gbk(",收录量");
    }
    if (fields.first) {
        line += gbk(",第一位");
    }
    if (fields.second) {
        line += gbk(",第二位");
    }
    if (fields.difficulty) {
        line += gbk(",优化难度");
    }
    return line;
}

long long readRowMaximum(JobHost& host) {
    return leadingInteger(host.controlText(miningControls().maximumRows));
}

long long readPauseMilliseconds(JobHost& host, const std::string& box) {
    const double seconds = leadingNumber(host.controlText(box));
    // Whole milliseconds; a negative or absurd pause waits nothing rather than
    // overflowing the conversion.
    if (!(seconds > 0.0) || seconds > 1e9) {
        return 0;
    }
    return std::llround(seconds * 1000.0);
}

}  // namespace rankminer
