#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rankminer {

// The report list's operations. Every part of the program reads and changes
// the list only through these; rows and columns count from 0, the list has at
// most one selected row (-1 for none). Out-of-range reads give the empty text;
// out-of-range writes are ignored.
class ReportList {
public:
    virtual ~ReportList() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual std::string cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, std::string_view text) = 0;
    // Adds a row whose column 0 holds the text and whose other cells are empty.
    virtual int appendRow(std::string_view firstColumn) = 0;
    virtual void deleteAllRows() = 0;
    virtual void ensureVisible(int row) = 0;
    virtual std::string columnTitle(int column) const = 0;
    virtual int columnWidth(int column) const = 0;
    virtual void setColumnWidth(int column, int width) = 0;
    virtual int selectedRow() const = 0;
    // Makes the row the selected one; -1 clears the selection.
    virtual void selectRow(int row) = 0;

    // Rows 0 .. order.size()-1 take the cells that rows order[0], order[1] ...
    // held before; order is a permutation of those rows. Rows after them stay.
    // This default copies every cell through the operations above, pumping
    // messages after each row; lists that own their rows move them instead.
    virtual void reorderRows(const std::vector<int>& order);
};

// The eight columns of the report list, with their initial widths.
struct ReportColumn {
    const char* title;  // GBK
    int width;
};
const std::vector<ReportColumn>& reportColumns();

// A report list held in memory: the headless front end's and the tests' list,
// and the GUI model's storage.
class MemoryReportList : public ReportList {
public:
    MemoryReportList();
    int rowCount() const override;
    int columnCount() const override;
    std::string cellText(int row, int column) const override;
    void setCellText(int row, int column, std::string_view text) override;
    int appendRow(std::string_view firstColumn) override;
    void deleteAllRows() override;
    void ensureVisible(int row) override;
    std::string columnTitle(int column) const override;
    int columnWidth(int column) const override;
    void setColumnWidth(int column, int width) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void reorderRows(const std::vector<int>& order) override;

    // The last row passed to ensureVisible (-1 before any).
    int lastVisibleRow() const { return lastVisible_; }

private:
    bool validCell(int row, int column) const;

    std::vector<std::string> titles_;
    std::vector<int> widths_;
    std::vector<std::vector<std::string>> rows_;
    int selected_ = -1;
    int lastVisible_ = -1;
};

}  // namespace rankminer
