#pragma once

#include <string_view>

#include "platform/report_list.h"

namespace rankminer {

// Whether the needle occurs in the row's cell, or, when column equals
// columnCount() (the "【全部列】" entry), in the row text. GBK characters are
// matched whole; ignoreCase folds ASCII letters only. An empty needle matches
// every row whose haystack is not empty.
bool rowMatches(const ReportList& list, int row, int column, std::string_view needle,
                bool ignoreCase);

// Finds the next matching row below the selected one (from row 0 when none
// is selected); when none matches below a selection, clears the selection and
// searches once more from the top. The found row is selected, scrolled into
// view and returned; -1 when nothing matched (the caller then shows
// "完全找不到！").
int findNextRow(ReportList& list, int column, std::string_view needle, bool ignoreCase);

}  // namespace rankminer
