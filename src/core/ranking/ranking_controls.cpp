#include "ranking/ranking_controls.h"

#include "text/gbk.h"

namespace rankminer {

const RankingControls& rankingControls() {
    static const RankingControls controls{
        gbk("按钮开始采集"),
        gbk("编辑框域名"),
        gbk("组合框排序"),
        gbk("选择框移动端"),
        gbk("编辑框表达式"),
        gbk("组合框导出模式"),
        gbk("选择框过滤重复关键字"),
        gbk("选择框转换百度链接"),
        gbk("选择框限制IP提示"),
        gbk("选择框百度排名自动保存"),
        gbk("按钮保存路径"),
        gbk("选择夹"),
        gbk("浏览框"),
    };
    return controls;
}

const RankingCaptions& rankingCaptions() {
    static const RankingCaptions captions{gbk("开始采集"), gbk("停止"), gbk("停止中")};
    return captions;
}

const RankingTexts& rankingTexts() {
    static const RankingTexts texts{
        gbk("请先输入要查询站点的域名！"),
        gbk("采集完成！"),
        gbk("程序检测到榕查已经限制当前IP的查询，请确认并换IP再继续！（点击取消将停止查询）"),
        gbk("开始采集.."),
        gbk("您的查询太频繁了"),
        gbk("您所在IP今天已经提交"),
        gbk("（自动保存文件无法创建或写入，采集的数据没有完整保存到文件）"),
        gbk("百度排名自动保存_"),
    };
    return texts;
}

}  // namespace rankminer
