#pragma once

// The line template and the row formatter: how a report-list row becomes one
// line of the auto-save file, of an export file or of the clipboard.

#include <string>
#include <string_view>

#include "platform/report_list.h"

namespace rankminer {

struct LineFormat {
    // Placeholders "#n" stand for report-list column n (1-based).
    std::string lineTemplate;
    // Mode 0 ("Excel兼容csv格式") puts every cell inside double quotes, so a
    // double quote inside a cell is written doubled, as CSV requires.
    bool quoteCells = false;
};

// exportMode is the selected index of 组合框导出模式 (0 builds the quoted CSV
// template from the list's columns; any other index takes the expression as it
// is). Sets format and returns the header line (the template with every
// placeholder replaced by its column title), ending in CR LF.
std::string buildHeaderLine(const ReportList& list, int exportMode, std::string_view expression,
                            LineFormat& format);

// One output line of row r (0-based), ending in CR LF. Placeholders are
// replaced in one pass over the template: a cell that itself holds "#3" is
// written as it is, never expanded again.
std::string formatRow(const ReportList& list, int row, const LineFormat& format);

}  // namespace rankminer
