#include "platform/report_list.h"

#include <algorithm>

#include "platform/large_buffer.h"
#include "platform/message_pump.h"

namespace rankminer {

const std::vector<ReportColumn>& reportColumns() {
    // 序号 域名 关键字 排名 搜索量 收录量 网页标题 链接, in GBK.
    static const std::vector<ReportColumn> columns = {
        {"\xD0\xF2\xBA\xC5", 50},
        {"\xD3\xF2\xC3\xFB", 100},
        {"\xB9\xD8\xBC\xFC\xD7\xD6", 150},
        {"\xC5\xC5\xC3\xFB", 60},
        {"\xCB\xD1\xCB\xF7\xC1\xBF", 60},
        {"\xCA\xD5\xC2\xBC\xC1\xBF", 90},
        {"\xCD\xF8\xD2\xB3\xB1\xEA\xCC\xE2", 300},
        {"\xC1\xB4\xBD\xD3", 200},
    };
    return columns;
}

void ReportList::reorderRows(const std::vector<int>& order) {
    const int rows = static_cast<int>(order.size());
    const int columns = columnCount();
    std::vector<std::vector<std::string>> snapshot(order.size());
    for (int r = 0; r < rows; ++r) {
        snapshot[r].reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            snapshot[r].push_back(cellText(r, c));
        }
        pumpMessages();
    }
    for (int r = 0; r < rows; ++r) {
        const int source = order[static_cast<std::size_t>(r)];
        if (source < 0 || source >= rows) {
            continue;
        }
        for (int c = 0; c < columns; ++c) {
            setCellText(r, c, snapshot[static_cast<std::size_t>(source)][c]);
        }
        pumpMessages();
    }
}

MemoryReportList::MemoryReportList() {
    for (const auto& column : reportColumns()) {
        titles_.emplace_back(column.title);
        widths_.push_back(column.width);
    }
}

int MemoryReportList::rowCount() const {
    return static_cast<int>(rows_.size());
}

int MemoryReportList::columnCount() const {
    return static_cast<int>(titles_.size());
}

bool MemoryReportList::validCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

std::string MemoryReportList::cellText(int row, int column) const {
    return validCell(row, column) ? rows_[row][column] : std::string();
}

void MemoryReportList::setCellText(int row, int column, std::string_view text) {
    if (validCell(row, column)) {
        rows_[row][column] = std::string(text);
    }
}

int MemoryReportList::appendRow(std::string_view firstColumn) {
    rows_.emplace_back(titles_.size());
    rows_.back()[0] = std::string(firstColumn);
    return rowCount() - 1;
}

void MemoryReportList::deleteAllRows() {
    rows_.clear();
    selected_ = -1;
}

void MemoryReportList::ensureVisible(int row) {
    lastVisible_ = row;
}

std::string MemoryReportList::columnTitle(int column) const {
    return column >= 0 && column < columnCount() ? titles_[column] : std::string();
}

int MemoryReportList::columnWidth(int column) const {
    return column >= 0 && column < columnCount() ? widths_[column] : 0;
}

void MemoryReportList::setColumnWidth(int column, int width) {
    if (column >= 0 && column < columnCount()) {
        widths_[column] = width;
    }
}

void MemoryReportList::reorderRows(const std::vector<int>& order) {
    const std::size_t rows = std::min(order.size(), rows_.size());
    std::vector<std::vector<std::string>> moved;
    moved.reserve(rows_.size());  // rows past the order's end follow
    resizeLarge(moved, rows);
    std::vector<bool> taken(rows, false);
    for (std::size_t r = 0; r < rows; ++r) {
        const int source = order[r];
        if (source < 0 || static_cast<std::size_t>(source) >= rows || taken[source]) {
            return;  // not a permutation: leave the list as it is
        }
        taken[source] = true;
    }
    // The rows are read in the new order, one cache miss each on a long
    // list: ask for them a little ahead.
    constexpr std::size_t kAhead = 16;
    for (std::size_t r = 0; r < rows; ++r) {
        if (r + kAhead < rows) {
            __builtin_prefetch(&rows_[static_cast<std::size_t>(order[r + kAhead])]);
        }
        moved[r] = std::move(rows_[static_cast<std::size_t>(order[r])]);
    }
    // Rows past the order's end (none when it covers the list) stay last.
    for (std::size_t r = rows; r < rows_.size(); ++r) {
        moved.push_back(std::move(rows_[r]));
    }
    rows_.swap(moved);
}

int MemoryReportList::selectedRow() const {
    return selected_;
}

void MemoryReportList::selectRow(int row) {
    selected_ = (row >= 0 && row < rowCount()) ? row : -1;
}

}  // namespace rankminer
