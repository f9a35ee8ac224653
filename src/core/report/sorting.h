#pragma once

// Sorting the report list by one column. The order is the one a repeated
// "take the last extreme key" selection produces: rows with equal keys come
// out in the reverse of their order before the sort, and numeric keys within
// 0.0000001 of each other count as equal. It is computed in O(n log n).

#include <string>
#include <vector>

#include "platform/report_list.h"

namespace rankminer {

enum class SortKind { Text, Numeric };

// Columns 0 "序号", 4 "搜索量" and 5 "收录量" are numeric, the rest text.
SortKind sortKindForColumn(int column);

// The row order (indexes into keys) for the keys. Text keys compare after
// upper-casing ASCII letters, byte by byte as unsigned values, a prefix first;
// numeric keys compare by their leading number (0 when there is none).
std::vector<int> selectionOrder(const std::vector<std::string>& keys, bool ascending,
                                SortKind kind);

// Sorts the rows present when the call starts by the column's cell texts and
// writes the texts back into the same rows. Pumps messages while it reads and
// writes; rows appended meanwhile stay at the end, untouched. A column out of
// range does nothing.
void sortReportList(ReportList& list, int column, bool ascending = true,
                    SortKind kind = SortKind::Text);

// The header-click handler with its one direction flag, shared by all
// columns. It starts at "descending", so the first click sorts ascending;
// each click on a filled list flips it. A click on an empty list changes
// nothing, the flag included.
class HeaderSorter {
public:
    void onHeaderClicked(ReportList& list, int column);
    bool lastAscending() const { return ascending_; }

private:
    bool ascending_ = false;
};

}  // namespace rankminer
