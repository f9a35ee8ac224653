#include "report/find.h"

#include "platform/message_pump.h"
#include "report/export.h"
#include "text/gbk.h"

namespace rankminer {

bool rowMatches(const ReportList& list, int row, int column, std::string_view needle,
                bool ignoreCase) {
    const std::string haystack =
        column == list.columnCount() ? rowText(list, row) : list.cellText(row, column);
    if (needle.empty()) {
        return !haystack.empty();
    }
    return containsText(haystack, needle, ignoreCase);
}

int findNextRow(ReportList& list, int column, std::string_view needle, bool ignoreCase) {
    // At most two passes: the second one only after a pass that started below
    // a selected row, and it starts from the top with the selection cleared.
    for (;;) {
        const int selected = list.selectedRow();
        // The count is read on every step: handlers run while this pumps.
        for (int row = selected + 1; row < list.rowCount(); ++row) {
            if (rowMatches(list, row, column, needle, ignoreCase)) {
                list.selectRow(row);
                list.ensureVisible(row);
                return row;
            }
            pumpMessages();
        }
        if (selected < 0) {
            return -1;
        }
        list.selectRow(-1);
    }
}

}  // namespace rankminer
