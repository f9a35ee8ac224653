#include "app/help_text.h"

#include <initializer_list>
#include <string_view>

#include "text/gbk.h"

namespace rankminer {

namespace {

void appendLines(std::string& text, std::initializer_list<std::string_view> utf8Lines) {
    for (const std::string_view line : utf8Lines) {
        text += gbk(line);
        text += "\r\n";
    }
}

void appendHeading(std::string& text, std::string_view utf8Heading) {
    const std::string rule(17, '-');
    text += rule + "\r\n" + gbk(utf8Heading) + "\r\n" + rule + "\r\n";
}

}  // namespace

std::string notesHelpText(const SiteConfig& config) {
    std::string text;
    appendHeading(text, "【软件介绍】");
    appendLines(text, {"用过榕查的站长都知道它的百度排名查询和关键词挖掘功能。",
                       "本软件可以批量查询这两项数据，并把结果保存到本地文件。", "百度排名："});
    text += config.rankUrl + "\r\n";
    appendLines(text, {"关键词挖掘："});
    text += config.keywordUrl + "\r\n";
    text += "\r\n";

    appendHeading(text, "【疑点说明】");
    appendLines(text, {"视频教程："});
    text += config.siteUrl + "help/video.html\r\n";
    appendLines(text, {"同时查询多个域名的格式：", "example.com|example.net|example.org",
                       "就是以“|”间隔要查询的多个域名",
                       "导出或复制时，自由引用列格式：引用 #数字 来代表对应列数据，如 #1 "
                       "是第一列，#2 是第二列。。"});
    return text;
}

}  // namespace rankminer
