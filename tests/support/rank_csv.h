#pragma once

// The ranking output file's CSV form as the tests expect it: every cell in
// double quotes (a quote inside doubled) and the header line of the columns.

#include <string>

#include "text/gbk.h"

namespace rankminer::testing {

inline std::string quoted(const std::string& cell) {
    std::string out = "\"";
    for (const char c : cell) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

inline const std::string& csvHeader() {
    static const std::string header = gbk(
        "\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\",\"网页标题\",\"链接\"\r\n");
    return header;
}

}  // namespace rankminer::testing
