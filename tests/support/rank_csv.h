#pragma once

// The ranking output file's CSV form as the tests expect it: every cell in
// double quotes (a quote inside doubled) and the header line of the columns.

#include <string>
#include <vector>

#include "site_simulator/site_simulator.h"

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

// The CSV line the output file holds for a simulator row: the serial within
// its domain, then the cells, the resolved link where there is one.
inline std::string csvRowLine(int serial, const std::string& domain, const sim::RankRow& row) {
    const std::vector<std::string> cells = {std::to_string(serial),
                                            domain,
                                            row.keyword,
                                            row.rank,
                                            row.volume,
                                            row.indexed,
                                            row.title,
                                            row.resolved.empty() ? row.href : row.resolved};
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        line += (i == 0 ? "" : ",") + quoted(cells[i]);
    }
    return line + "\r\n";
}

}  // namespace rankminer::testing
